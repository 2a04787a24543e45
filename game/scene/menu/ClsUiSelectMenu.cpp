#include "scene/menu/ClsUiSelectMenu.h"

namespace scene::menu {

namespace {

constexpr int32_t kCentreX = 120;
constexpr int32_t kCentreY = 160;

} // namespace

VMPtr<ClsUiSelectMenu> ClsUiSelectMenu::init()
{
    initItems();
    leftArrowPos = IntArray::newArray(2);
    rightArrowPos = IntArray::newArray(2);
    return VMPtr<ClsUiSelectMenu>(this);
}

void ClsUiSelectMenu::allocItems(int32_t n)
{
    Screen::allocItems(n);
    clipItemsToScreen();
}

void ClsUiSelectMenu::setupItems()
{
    addItem(BACKDROP_GOBS, BACKDROP_ANIMATIONS, 0, kCentreX, kCentreY);

    // The picture stack waits off the screen until the window is placed.
    int32_t backingItem = nextItem;
    addAnimItem(BACKING_GOBS, BACKING_ANIMATIONS, BACKING_ANIMATION, OFF_SCREEN, OFF_SCREEN);
    firstStageItem = nextItem;
    for (int32_t s = 0; s < STAGES; s++) {
        lastStageItem = nextItem;
        addAnimItem(FIRST_STAGE_GOBS + s, FIRST_STAGE_ANIMATIONS + s,
                    s == 0 ? STAGE_CHOSEN : STAGE_NOT_CHOSEN, OFF_SCREEN, OFF_SCREEN);
    }
    overlayItem = nextItem;
    addAnimItem(BACKING_GOBS, BACKING_ANIMATIONS, OVERLAY_ANIMATION, OFF_SCREEN, OFF_SCREEN);

    int32_t windowItem = nextItem;
    addItem(SHEET_GOBS, SHEET_ANIMATIONS, WINDOW_FRAME, kCentreX, kCentreY);
    VMPtr<IntArray> picture = getItemBox(windowItem, PICTURE_BOX);
    VMPtr<IntArray> arrowRow = getItemBox(windowItem, ARROW_ROW_BOX);
    for (int32_t i = backingItem; i <= overlayItem; i++)
        setItemPosition(i, (*picture)[0], (*picture)[1]);

    titleItem = nextItem;
    addItem(SHEET_GOBS, SHEET_ANIMATIONS, TITLE_BAR_FRAME, 0, 0);
    topBarItem = nextItem;
    addItem(SHEET_GOBS, SHEET_ANIMATIONS, TOP_BAR_FRAME, SCREEN_WIDTH, 0);

    int32_t rowX = (*arrowRow)[0];
    int32_t rowY = (*arrowRow)[1];
    int32_t rowWidth = (*arrowRow)[2];
    int32_t rowHeight = (*arrowRow)[3];
    (*leftArrowPos)[0] = rowX;
    (*leftArrowPos)[1] = rowY + rowHeight / 2;
    (*rightArrowPos)[0] = rowX + rowWidth;
    (*rightArrowPos)[1] = rowY + rowHeight / 2;
    leftArrowItem = nextItem;
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATIONS, LEFT_ARROW, (*leftArrowPos)[0], (*leftArrowPos)[1]);
    rightArrowItem = nextItem;
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATIONS, RIGHT_ARROW, (*rightArrowPos)[0],
                (*rightArrowPos)[1]);

    progressItem = nextItem;
    addItem(PROGRESS_GOBS, PROGRESS_ANIMATIONS, 0, kCentreX, rowY + rowHeight);

    playItem = nextItem;
    addItem(BUTTON_GOBS, BUTTON_ANIMATIONS, PLAY_FRAME, SCREEN_WIDTH, SCREEN_HEIGHT);
    backItem = nextItem;
    addItem(BUTTON_GOBS, BUTTON_ANIMATIONS, BACK_FRAME, 0, SCREEN_HEIGHT);
}

// ---- Looks ----

void ClsUiSelectMenu::arrowsNormal()
{
    setItemFrame(leftArrowItem, LEFT_ARROW);
    setItemPosition(leftArrowItem, (*leftArrowPos)[0], (*leftArrowPos)[1]);
    setItemFrame(rightArrowItem, RIGHT_ARROW);
    setItemPosition(rightArrowItem, (*rightArrowPos)[0], (*rightArrowPos)[1]);
}

void ClsUiSelectMenu::leftDown()
{
    setItemFrame(leftArrowItem, LEFT_ARROW_PRESSED);
}

void ClsUiSelectMenu::rightDown()
{
    setItemFrame(rightArrowItem, RIGHT_ARROW_PRESSED);
}

void ClsUiSelectMenu::playButtonFrame38()
{
    setItemFrame(playItem, PLAY_FRAME_38);
}

void ClsUiSelectMenu::playUp()
{
    setItemFrame(playItem, PLAY_FRAME);
}

void ClsUiSelectMenu::playDown()
{
    setItemFrame(playItem, PLAY_PRESSED_FRAME);
}

void ClsUiSelectMenu::backDown()
{
    setItemFrame(backItem, BACK_PRESSED_FRAME);
}

void ClsUiSelectMenu::backUp()
{
    setItemFrame(backItem, BACK_FRAME);
}

void ClsUiSelectMenu::showProgress(int32_t frame)
{
    setItemFrame(progressItem, frame);
}

void ClsUiSelectMenu::showStage(int32_t stage)
{
    setItemFrame(overlayItem, OVERLAY_FLASH);
    for (int32_t i = firstStageItem; i <= lastStageItem; i++)
        setItemFrame(i, i - firstStageItem == stage ? STAGE_CHOSEN : STAGE_NOT_CHOSEN);
}

// ---- Boxes ----

VMPtr<ClsUiSelectMenu::IntArray> ClsUiSelectMenu::getPlayRect(int32_t box)
{
    return getItemBox(playItem, box);
}

VMPtr<ClsUiSelectMenu::IntArray> ClsUiSelectMenu::getBackRect()
{
    return getItemBox(backItem, TOUCH_BOX);
}

VMPtr<ClsUiSelectMenu::IntArray> ClsUiSelectMenu::getLeftArrowRect()
{
    return getItemBox(leftArrowItem, TOUCH_BOX);
}

VMPtr<ClsUiSelectMenu::IntArray> ClsUiSelectMenu::getRightArrowRect()
{
    return getItemBox(rightArrowItem, TOUCH_BOX);
}

VMPtr<ClsUiSelectMenu::IntArray> ClsUiSelectMenu::getMoneyRect()
{
    return getItemBox(topBarItem, TEXT_BOX);
}

VMPtr<ClsUiSelectMenu::IntArray> ClsUiSelectMenu::getTitleRect()
{
    return getItemBox(titleItem, TEXT_BOX);
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::ClsUiSelectMenu, "scene.menu.ClsUiSelectMenu", "ui.Screen",
                  "..\\src\\scene_menu_ClsUiSelectMenu", nullptr);
