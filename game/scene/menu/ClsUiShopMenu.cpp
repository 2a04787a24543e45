#include "scene/menu/ClsUiShopMenu.h"

namespace scene::menu {

VMPtr<ClsUiShopMenu> ClsUiShopMenu::init()
{
    initItems();
    leftArrowHome = IntArray::newArray(2);
    rightArrowHome = IntArray::newArray(2);
    return VMPtr<ClsUiShopMenu>(this);
}

void ClsUiShopMenu::allocItems(int32_t n)
{
    Screen::allocItems(n);
    clipItemsToScreen();
}

void ClsUiShopMenu::build()
{
    backgroundItem = getNextItem();
    addItem(SHOP_GOBS, SHOP_ANIMATION_SET, BACKGROUND_FRAME, 120, 0);
    titleItem = getNextItem();
    addItem(SHOP_GOBS, SHOP_ANIMATION_SET, TITLE_BAR_FRAME, 0, 0);
    moneyItem = getNextItem();
    addItem(SHOP_GOBS, SHOP_ANIMATION_SET, MONEY_BAR_FRAME, SCREEN_WIDTH, 0);

    VMPtr<IntArray> b3 = getItemBox(backgroundItem, PREVIEW_BOX);
    VMPtr<IntArray> b2 = getItemBox(backgroundItem, PREVIEW_POINT_BOX);
    previewX = (*b3)[0] + (*b3)[2] / 2;
    previewY = (*b2)[1];

    rowItem = getNextItem();
    addItem(SHOP_GOBS, SHOP_ANIMATION_SET, WEAPON_ROW_FRAME, 120, (*b3)[1] + (*b3)[3]);
    VMPtr<IntArray> b5 = getItemBox(rowItem, MARKER_STRIP_BOX);
    int32_t arrowY = (*b5)[1] + (*b5)[3] / 2;

    (*leftArrowHome)[0] = (*b5)[0];
    (*leftArrowHome)[1] = arrowY;
    leftArrowItem = getNextItem();
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, LEFT_ARROW_FRAME, (*b5)[0], arrowY);
    (*rightArrowHome)[0] = (*b5)[0] + (*b5)[2];
    (*rightArrowHome)[1] = arrowY;
    rightArrowItem = getNextItem();
    addAnimItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, RIGHT_ARROW_FRAME, (*b5)[0] + (*b5)[2], arrowY);

    backItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, BACK_FRAME, 0, SCREEN_HEIGHT);
    actionItem = getNextItem();
    addItem(BUTTON_GOBS, BUTTON_ANIMATION_SET, ACTION_FRAME, SCREEN_WIDTH, SCREEN_HEIGHT);

    markerStep = (*b5)[2] / 9;
    markerX0 = (*b5)[0] + markerStep;
    markerY = arrowY;
    firstMarkerItem = getNextItem();
    for (int32_t i = 0; i < MARKER_COUNT; i++)
        addItem(SHOP_GOBS, SHOP_ANIMATION_SET, MARKER_OWNED, markerX0 + i * markerStep, markerY);
    cursorItem = getNextItem();
    addItem(SHOP_GOBS, SHOP_ANIMATION_SET, CURSOR_SHOWN, markerX0 + markerStep, markerY);
}

void ClsUiShopMenu::showRow(bool weaponRow)
{
    setItemFrame(rowItem, weaponRow ? WEAPON_ROW_FRAME : SUPPORT_ROW_FRAME);
}

void ClsUiShopMenu::showStartRow()
{
    setItemFrame(rowItem, START_ROW_FRAME);
    setItemFrame(actionItem, ACTION_FRAME);
    setItemFrame(leftArrowItem, ARROW_HIDDEN);
    for (int32_t i = 0; i < MARKER_COUNT; i++)
        setMarker(i, MARKER_HIDDEN);
    setItemFrame(cursorItem, MARKER_HIDDEN);
}

void ClsUiShopMenu::hideArrows()
{
    setItemFrame(leftArrowItem, ARROW_HIDDEN);
    setItemFrame(rightArrowItem, ARROW_HIDDEN);
}

void ClsUiShopMenu::showCursor()
{
    setItemFrame(cursorItem, CURSOR_SHOWN);
}

void ClsUiShopMenu::resetArrows()
{
    resetLeftArrow();
    resetRightArrow();
}

void ClsUiShopMenu::resetLeftArrow()
{
    setItemFrame(leftArrowItem, LEFT_ARROW_FRAME);
    setItemPosition(leftArrowItem, (*leftArrowHome)[0], (*leftArrowHome)[1]);
}

void ClsUiShopMenu::resetRightArrow()
{
    setItemFrame(rightArrowItem, RIGHT_ARROW_FRAME);
    setItemPosition(rightArrowItem, (*rightArrowHome)[0], (*rightArrowHome)[1]);
}

void ClsUiShopMenu::pressLeft()
{
    setItemFrame(leftArrowItem, LEFT_ARROW_PRESSED);
}

void ClsUiShopMenu::pressRight()
{
    setItemFrame(rightArrowItem, RIGHT_ARROW_PRESSED);
}

void ClsUiShopMenu::pressBack()
{
    setItemFrame(backItem, BACK_PRESSED);
}

void ClsUiShopMenu::releaseBack()
{
    setItemFrame(backItem, BACK_FRAME);
}

void ClsUiShopMenu::pressAction()
{
    setItemFrame(actionItem, ACTION_PRESSED);
}

void ClsUiShopMenu::releaseAction()
{
    setItemFrame(actionItem, ACTION_FRAME);
}

void ClsUiShopMenu::hideAction()
{
    setItemFrame(actionItem, ACTION_HIDDEN);
}

void ClsUiShopMenu::setMarker(int32_t i, int32_t frame)
{
    setItemFrame(firstMarkerItem + i, frame);
}

void ClsUiShopMenu::moveCursor(int32_t s)
{
    setItemPosition(cursorItem, markerX0 + s * markerStep, markerY);
}

int32_t ClsUiShopMenu::getPreviewX()
{
    return previewX;
}

int32_t ClsUiShopMenu::getPreviewY()
{
    return previewY;
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getPreviewBox()
{
    return getItemBox(backgroundItem, PREVIEW_BOX);
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getLeftBox()
{
    return getItemBox(leftArrowItem, ARROW_BOX);
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getRightBox()
{
    return getItemBox(rightArrowItem, ARROW_BOX);
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getBackBox()
{
    return getItemBox(backItem, BUTTON_BOX);
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getActionBox()
{
    return getItemBox(actionItem, BUTTON_BOX);
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getTitleBox()
{
    return getItemBox(titleItem, BAR_TEXT_BOX);
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getMoneyBox()
{
    return getItemBox(moneyItem, BAR_TEXT_BOX);
}

VMPtr<ClsUiShopMenu::IntArray> ClsUiShopMenu::getRowBox(int32_t n)
{
    return getItemBox(rowItem, n);
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::ClsUiShopMenu, "scene.menu.ClsUiShopMenu", "ui.Screen",
                  "..\\src\\scene_menu_ClsUiShopMenu", nullptr);
