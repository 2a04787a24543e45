#pragma once
// scene.menu.ClsUiSelectMenu: the stage selection's panel. A backdrop, the
// stage window with the eight stage pictures stacked in its picture box
// (the chosen one shown, the others hidden) between a backing and a bezel,
// the title and money bars, two arrows beside the window, the chosen
// stage's progress mark below it, and the play and back buttons in the
// bottom corners. It holds no logic: the scene shows the pressed looks and
// acts on releases. Boxes are {x, y, width, height, value} as
// Screen::getItemBox gives them, read anew on each call.

#include <cstdint>

#include "generated/AnimUiButton.h"
#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::menu {

class ClsUiSelectMenu : public ui::Screen {
    VM_CLASS(ClsUiSelectMenu, ui::Screen)

    static constexpr int32_t STAGES = 8;
    // Pictures: (Gob set, animation set).
    static constexpr int32_t BACKDROP_GOBS = generated::RP::BACKDROP;
    static constexpr int32_t BACKDROP_ANIMATIONS = generated::RP::BACKDROP_ANIMS;
    static constexpr int32_t BACKING_GOBS = generated::RP::BACKING;
    static constexpr int32_t BACKING_ANIMATIONS = generated::RP::BACKING_ANIMS;
    static constexpr int32_t SHEET_GOBS = generated::RP::MENU_PAGE;
    static constexpr int32_t SHEET_ANIMATIONS = generated::RP::ANIM_MENU_PAGE;
    static constexpr int32_t PROGRESS_GOBS = generated::RP::DIFFICULTY_STAR;
    static constexpr int32_t PROGRESS_ANIMATIONS = generated::RP::ANIM_DIFFICULTY_STAR;
    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATIONS = generated::RP::ANIM_UI_BUTTON;
    // Stage s shows Gob set FIRST_STAGE_GOBS + s with animation set
    // FIRST_STAGE_ANIMATIONS + s.
    static constexpr int32_t FIRST_STAGE_GOBS = generated::RP::STAGE_1;
    static constexpr int32_t FIRST_STAGE_ANIMATIONS = generated::RP::STAGE_1_ANIMS;
    // Frames of the sheet.
    static constexpr int32_t TOP_BAR_FRAME = 1;
    static constexpr int32_t WINDOW_FRAME = 2;
    static constexpr int32_t TITLE_BAR_FRAME = 3;
    // Animations of the backing set and of the stage pictures.
    static constexpr int32_t BACKING_ANIMATION = 0;
    static constexpr int32_t OVERLAY_FLASH = 8;
    static constexpr int32_t OVERLAY_ANIMATION = 9;
    static constexpr int32_t STAGE_CHOSEN = 0;
    static constexpr int32_t STAGE_NOT_CHOSEN = 1;
    // Looks of the arrows (animations) and buttons (frames).
    static constexpr int32_t LEFT_ARROW = generated::AnimUiButton::LEFT;
    static constexpr int32_t LEFT_ARROW_PRESSED = generated::AnimUiButton::LEFT_PRESSED;
    static constexpr int32_t RIGHT_ARROW = generated::AnimUiButton::RIGHT;
    static constexpr int32_t RIGHT_ARROW_PRESSED = generated::AnimUiButton::RIGHT_PRESSED;
    static constexpr int32_t PLAY_FRAME = 21;
    static constexpr int32_t PLAY_PRESSED_FRAME = 17;
    static constexpr int32_t PLAY_FRAME_38 = 38;
    static constexpr int32_t BACK_FRAME = 18;
    static constexpr int32_t BACK_PRESSED_FRAME = 14;
    // Boxes: the window's picture box and arrow row, the bars' text box,
    // a button's or arrow's touch box.
    static constexpr int32_t PICTURE_BOX = 0;
    static constexpr int32_t ARROW_ROW_BOX = 3;
    static constexpr int32_t TEXT_BOX = 3;
    static constexpr int32_t TOUCH_BOX = 0;
    // Where the items that go into the window wait until it is placed.
    static constexpr int32_t OFF_SCREEN = -100;

    // ui::Screen::initItems; the arrows' rest positions.
    VMPtr<ClsUiSelectMenu> init();

    // The panel's places, each clipped to the whole screen.
    void allocItems(int32_t n) override;

    // Both arrows back to their normal looks and rest positions.
    virtual void arrowsNormal();
    virtual VMPtr<IntArray> getPlayRect(int32_t box);
    // The progress mark's frame (the stage's level - 1).
    virtual void showProgress(int32_t frame);
    virtual VMPtr<IntArray> getBackRect();
    virtual void playButtonFrame38();
    virtual void playUp();
    virtual void playDown();
    // Adds every item, in draw order; the owner has allocated the places.
    virtual void setupItems();
    virtual void leftDown();
    virtual void rightDown();
    virtual VMPtr<IntArray> getRightArrowRect();
    // Flashes the bezel and shows stage `stage`'s picture, hiding the rest.
    virtual void showStage(int32_t stage);
    virtual void backDown();
    // The money text's box in the top bar.
    virtual VMPtr<IntArray> getMoneyRect();
    virtual VMPtr<IntArray> getLeftArrowRect();
    virtual void backUp();
    // The title text's box in the title bar.
    virtual VMPtr<IntArray> getTitleRect();

    // Item indices, set by setupItems.
    int32_t firstStageItem = 0;
    int32_t lastStageItem = 0;
    int32_t overlayItem = 0;
    int32_t titleItem = 0;
    int32_t topBarItem = 0;
    int32_t leftArrowItem = 0;
    int32_t rightArrowItem = 0;
    int32_t progressItem = 0;
    int32_t playItem = 0;
    int32_t backItem = 0;
    // (x, y) where each arrow rests.
    VMField<IntArray> leftArrowPos;
    VMField<IntArray> rightArrowPos;

    VM_FIELDS(leftArrowPos, rightArrowPos)
};

} // namespace scene::menu
