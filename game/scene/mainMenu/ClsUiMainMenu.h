#pragma once
// scene.mainMenu.ClsUiMainMenu: the main menu's panel. The game's title at
// the top, the select button at the bottom centre, and an up and a down
// arrow on the select button's arrow row (box 3). It holds no logic: the
// menu shows the pressed frames and acts on releases. Boxes are {x, y,
// width, height, value} as Screen::getItemBox gives them.

#include <cstdint>

#include "generated/AnimUiButton.h"
#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::mainMenu {

class ClsUiMainMenu : public ui::Screen {
    VM_CLASS(ClsUiMainMenu, ui::Screen)

    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t TITLE_GOBS = generated::RP::GAME_NAME;
    static constexpr int32_t TITLE_ANIMATION_SET = generated::RP::GAME_NAME_ANIMS;
    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATION_SET = generated::RP::ANIM_UI_BUTTON;
    // Frames of the select button, animations of the arrows.
    static constexpr int32_t SELECT_FRAME = 1;
    static constexpr int32_t SELECT_PRESSED_FRAME = 0;
    static constexpr int32_t UP_ANIMATION = generated::AnimUiButton::UP;
    static constexpr int32_t UP_PRESSED_ANIMATION = generated::AnimUiButton::UP_PRESSED;
    static constexpr int32_t DOWN_ANIMATION = generated::AnimUiButton::DOWN;
    static constexpr int32_t DOWN_PRESSED_ANIMATION = generated::AnimUiButton::DOWN_PRESSED;
    // Boxes of the select button's picture.
    static constexpr int32_t TOUCH_BOX = 0;
    static constexpr int32_t LABEL_BOX = 2;
    static constexpr int32_t ARROW_ROW_BOX = 3;

    // ui::Screen::initItems.
    VMPtr<ClsUiMainMenu> init();

    // Adds the title, the select button and the two arrows and keeps the
    // arrows' places and touch boxes; the owner has allocated the places.
    virtual void build();
    virtual void pressSelect();
    virtual void releaseSelect();
    virtual void pressUp();
    virtual void pressDown();
    // Both arrows back to their normal animations and places.
    virtual void resetArrows();
    virtual VMPtr<IntArray> getUpBox();
    virtual VMPtr<IntArray> getDownBox();
    // Box k of the select button's current picture, read anew.
    virtual VMPtr<IntArray> getSelectBox(int32_t k);

    int32_t arrowX = 0;
    int32_t upY = 0;
    int32_t downY = 0;
    int32_t titleItem = 0;
    int32_t selectItem = 0;
    int32_t upItem = 0;
    int32_t downItem = 0;
    VMField<IntArray> upBox;
    VMField<IntArray> downBox;

    VM_FIELDS(upBox, downBox)
};

} // namespace scene::mainMenu
