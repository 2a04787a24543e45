#include "scene/menu/ClsUiOption.h"

#include "main/Main.h"

namespace scene::menu {

VMPtr<ClsUiOption> ClsUiOption::init()
{
    initItems();
    text1Rect = IntArray::newArray(4);
    text2Rect = IntArray::newArray(4);
    backRect = IntArray::newArray(4);
    upperRect = IntArray::newArray(4);
    lowerRect = IntArray::newArray(4);
    return VMPtr<ClsUiOption>(this);
}

int32_t ClsUiOption::getChoiceIndex()
{
    return choiceIndex;
}

VMPtr<ClsUiOption::IntArray> ClsUiOption::getUpperRect()
{
    return upperRect;
}

VMPtr<ClsUiOption::IntArray> ClsUiOption::getLowerRect()
{
    return lowerRect;
}

void ClsUiOption::setChoiceIndex(int32_t n)
{
    if (n < 0)
        choiceIndex = CHOICES - 1;
    else if (n >= CHOICES)
        choiceIndex = 0;
    else
        choiceIndex = n;
}

void ClsUiOption::upperRowAction() {}

void ClsUiOption::backUp()
{
    setItemFrame(backItem, BACK_FRAME);
}

void ClsUiOption::backDown()
{
    setItemFrame(backItem, BACK_PRESSED_FRAME);
}

void ClsUiOption::addIcon(int32_t frame, VMPtr<IntArray> rect)
{
    addItem(ICON_GOBS, ICON_ANIMATION_SET, frame, (*rect)[0] + (*rect)[2] / 2,
            (*rect)[1] + (*rect)[3] / 2);
}

void ClsUiOption::setupItems()
{
    choiceIndex = 0;
    soundOn = main::Main::soundEnabled;

    addItem(BACKGROUND_GOBS, BACKGROUND_ANIMATION_SET, 0, centreX, centreY);

    windowItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, WINDOW_FRAME, centreX, centreY);
    VMPtr<IntArray> w = getItemBox(windowItem, ROWS_BOX);
    int32_t right = (*w)[0] + (*w)[2];

    backItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, BACK_FRAME, 240, 320);
    upperBarItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, UPPER_SELECTED_FRAME, right, (*w)[1]);
    lowerBarItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, LOWER_FRAME, right, (*w)[1] + (*w)[3]);

    text1Rect = getItemBox(windowItem, TEXT1_BOX);
    text2Rect = getItemBox(windowItem, TEXT2_BOX);
    backRect = getItemBox(backItem, BUTTON_BOX);
    upperRect = getItemBox(upperBarItem, BUTTON_BOX);
    lowerRect = getItemBox(lowerBarItem, BUTTON_BOX);

    addIcon(TEXT_ICON_FRAME, upperRect);
    soundIconItem = getNextItem();
    addIcon(soundOn ? SOUND_ON_FRAME : SOUND_OFF_FRAME, lowerRect);
}

void ClsUiOption::toggleSound()
{
    soundOn = !soundOn;
    VMPtr<main::Main> hub = main::Main::instance;
    if (soundOn) {
        setItemFrame(soundIconItem, SOUND_ON_FRAME);
        hub->soundOn(MUSIC);
        hub->replayMusic();
    } else {
        setItemFrame(soundIconItem, SOUND_OFF_FRAME);
        hub->soundOff();
    }
}

VMPtr<ClsUiOption::IntArray> ClsUiOption::getText1Rect()
{
    return text1Rect;
}

VMPtr<ClsUiOption::IntArray> ClsUiOption::getBackRect()
{
    return backRect;
}

VMPtr<ClsUiOption::IntArray> ClsUiOption::getText2Rect()
{
    return text2Rect;
}

void ClsUiOption::selectRow(bool upper)
{
    setItemFrame(upperBarItem, upper ? UPPER_SELECTED_FRAME : UPPER_FRAME);
    setItemFrame(lowerBarItem, upper ? LOWER_FRAME : LOWER_SELECTED_FRAME);
}

bool ClsUiOption::isSoundOn()
{
    return soundOn;
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::ClsUiOption, "scene.menu.ClsUiOption", "ui.Screen",
                  "..\\src\\scene_menu_ClsUiOption", nullptr);
