#pragma once
// scene.menu.ClsUiShopMenu: the shop panel. A backdrop with the preview
// window, a title bar and a money bar on top, the row picture of the active
// group (weapon row, support row or start row) with eight level markers and
// a cursor, two arrows at the ends of the marker strip, and the back and
// action keys in the bottom corners. It holds no texts and no logic: the
// shop scene places its labels in the boxes given here, sets the markers and
// the cursor, and shows the pressed looks. Every box getter answers a new
// {x, y, width, height, value} array, as Screen::getItemBox gives it, read
// from the item's current frame when called.

#include <cstdint>

#include "generated/AnimUiButton.h"
#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::menu {

class ClsUiShopMenu : public ui::Screen {
    VM_CLASS(ClsUiShopMenu, ui::Screen)

    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t SHOP_GOBS = generated::RP::MENU_PAGE;
    static constexpr int32_t SHOP_ANIMATION_SET = generated::RP::ANIM_MENU_PAGE;
    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATION_SET = generated::RP::ANIM_UI_BUTTON;

    // Frames of the shop sheet.
    static constexpr int32_t MONEY_BAR_FRAME = 1;
    static constexpr int32_t TITLE_BAR_FRAME = 3;
    static constexpr int32_t BACKGROUND_FRAME = 4;
    static constexpr int32_t WEAPON_ROW_FRAME = 5;
    static constexpr int32_t SUPPORT_ROW_FRAME = 6;
    static constexpr int32_t START_ROW_FRAME = 12;
    static constexpr int32_t MARKER_NOT_OWNED = 7;
    static constexpr int32_t MARKER_OWNED = 8;
    static constexpr int32_t CURSOR_SHOWN = 9;
    static constexpr int32_t MARKER_EMPTY = 10;
    static constexpr int32_t MARKER_HIDDEN = 11;
    // Frames (arrows: animations) of the button sheet.
    static constexpr int32_t LEFT_ARROW_FRAME = generated::AnimUiButton::LEFT;
    static constexpr int32_t LEFT_ARROW_PRESSED = generated::AnimUiButton::LEFT_PRESSED;
    static constexpr int32_t RIGHT_ARROW_FRAME = generated::AnimUiButton::RIGHT;
    static constexpr int32_t RIGHT_ARROW_PRESSED = generated::AnimUiButton::RIGHT_PRESSED;
    static constexpr int32_t ARROW_HIDDEN = generated::AnimUiButton::HIDDEN;
    static constexpr int32_t BACK_FRAME = 18;
    static constexpr int32_t BACK_PRESSED = 14;
    static constexpr int32_t ACTION_FRAME = 21;
    static constexpr int32_t ACTION_PRESSED = 17;
    static constexpr int32_t ACTION_HIDDEN = 46;

    // Boxes of the row picture (getRowBox).
    static constexpr int32_t MARKER_STRIP_BOX = 5;
    static constexpr int32_t WEAPON_ROW_BOX = 6;
    static constexpr int32_t SUPPORT_ROW_BOX = 7;
    static constexpr int32_t LEVEL_BOX = 9;
    static constexpr int32_t PRICE_BOX = 10;
    static constexpr int32_t START_ROW_BOX = 11;
    static constexpr int32_t NEXT_LEVEL_BOX = 12;
    // Boxes of the other pictures.
    static constexpr int32_t PREVIEW_POINT_BOX = 2;
    static constexpr int32_t PREVIEW_BOX = 3;
    static constexpr int32_t BAR_TEXT_BOX = 3;
    static constexpr int32_t ARROW_BOX = 1;
    static constexpr int32_t BUTTON_BOX = 0;

    static constexpr int32_t MARKER_COUNT = 8;

    // ui::Screen::initItems and the two home-position arrays.
    VMPtr<ClsUiShopMenu> init();

    // ui::Screen::allocItems, then every place clipped to the screen
    // (0, 0, 240, 320).
    void allocItems(int32_t n) override;
    // Adds the items (background, title bar, money bar, row picture in the
    // weapon frame, arrows, back, action, eight markers, cursor) and keeps
    // the arrows' home positions, the preview point and the marker layout.
    virtual void build();
    // The row picture in the weapon row (true) or support row (false) frame.
    virtual void showRow(bool weaponRow);
    // The start row has the focus: row picture 12, action key normal, left
    // arrow hidden, markers and cursor hidden.
    virtual void showStartRow();
    virtual void hideArrows();
    virtual void showCursor();
    // Both arrows normal, at their home positions.
    virtual void resetArrows();
    virtual void resetLeftArrow();
    virtual void resetRightArrow();
    virtual void pressLeft();
    virtual void pressRight();
    virtual void pressBack();
    virtual void releaseBack();
    virtual void pressAction();
    virtual void releaseAction();
    virtual void hideAction();
    // Marker i (0..7) to the given frame (MARKER_OWNED, MARKER_NOT_OWNED,
    // MARKER_EMPTY or MARKER_HIDDEN).
    virtual void setMarker(int32_t i, int32_t frame);
    // The cursor over marker s: (markerX0 + s * markerStep, markerY).
    virtual void moveCursor(int32_t s);
    // Where the preview ship flies: the centre of the preview window's
    // width, at the top of the backdrop's box 2.
    virtual int32_t getPreviewX();
    virtual int32_t getPreviewY();
    // Box 3 of the backdrop: the preview window.
    virtual VMPtr<IntArray> getPreviewBox();
    // Touch boxes of the arrows (box 1) and keys (box 0).
    virtual VMPtr<IntArray> getLeftBox();
    virtual VMPtr<IntArray> getRightBox();
    virtual VMPtr<IntArray> getBackBox();
    virtual VMPtr<IntArray> getActionBox();
    // Label boxes of the bars (box 3).
    virtual VMPtr<IntArray> getTitleBox();
    virtual VMPtr<IntArray> getMoneyBox();
    // Box n of the row picture (the *_BOX ids above).
    virtual VMPtr<IntArray> getRowBox(int32_t n);

    int32_t rowItem = 0;
    VMField<IntArray> leftArrowHome;
    int32_t actionItem = 0;
    int32_t backItem = 0;
    int32_t titleItem = 0;
    int32_t leftArrowItem = 0;
    int32_t rightArrowItem = 0;
    int32_t previewY = 0;
    int32_t previewX = 0;
    VMField<IntArray> rightArrowHome;
    int32_t moneyItem = 0;

    // Layout written by every build (one panel exists at a time). Marker i
    // sits at (markerX0 + i * markerStep, markerY); markers are the items
    // firstMarkerItem .. firstMarkerItem + 7.
    static inline int32_t backgroundItem = 0;
    static inline int32_t markerStep = 0;
    static inline int32_t markerX0 = 0;
    static inline int32_t markerY = 0;
    static inline int32_t cursorItem = 0;
    static inline int32_t firstMarkerItem = 0;

    VM_FIELDS(leftArrowHome, rightArrowHome)
};

} // namespace scene::menu
