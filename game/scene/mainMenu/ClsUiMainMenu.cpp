#include "scene/mainMenu/ClsUiMainMenu.h"

namespace scene::mainMenu {

VMPtr<ClsUiMainMenu> ClsUiMainMenu::init()
{
    initItems();
    return VMPtr<ClsUiMainMenu>(this);
}

void ClsUiMainMenu::build()
{
    titleItem = getNextItem();
    addItem(TITLE_GOBS, TITLE_ANIMATION_SET, 0, 120, 0);

    selectItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, SELECT_FRAME, 120, 320);
    VMPtr<IntArray> row = getItemBox(selectItem, ARROW_ROW_BOX);
    arrowX = (*row)[0] + (*row)[2] / 2;
    upY = (*row)[1];
    downY = (*row)[1] + (*row)[3];

    upItem = getNextItem();
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, UP_ANIMATION, arrowX, upY);
    downItem = getNextItem();
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, DOWN_ANIMATION, arrowX, downY);
    upBox = getItemBox(upItem, TOUCH_BOX);
    downBox = getItemBox(downItem, TOUCH_BOX);
}

void ClsUiMainMenu::pressSelect()
{
    setItemFrame(selectItem, SELECT_PRESSED_FRAME);
}

void ClsUiMainMenu::releaseSelect()
{
    setItemFrame(selectItem, SELECT_FRAME);
}

void ClsUiMainMenu::pressUp()
{
    setItemFrame(upItem, UP_PRESSED_ANIMATION);
}

void ClsUiMainMenu::pressDown()
{
    setItemFrame(downItem, DOWN_PRESSED_ANIMATION);
}

void ClsUiMainMenu::resetArrows()
{
    setItemFrame(upItem, UP_ANIMATION);
    setItemFrame(downItem, DOWN_ANIMATION);
    setItemPosition(upItem, arrowX, upY);
    setItemPosition(downItem, arrowX, downY);
}

VMPtr<ClsUiMainMenu::IntArray> ClsUiMainMenu::getUpBox()
{
    return upBox;
}

VMPtr<ClsUiMainMenu::IntArray> ClsUiMainMenu::getDownBox()
{
    return downBox;
}

VMPtr<ClsUiMainMenu::IntArray> ClsUiMainMenu::getSelectBox(int32_t k)
{
    return getItemBox(selectItem, k);
}

} // namespace scene::mainMenu

VM_REGISTER_CLASS(scene::mainMenu::ClsUiMainMenu, "scene.mainMenu.ClsUiMainMenu", "ui.Screen",
                  "..\\src\\scene_mainMenu_ClsUiMainMenu", nullptr);
