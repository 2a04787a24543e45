#pragma once
// scene.mainMenu.ClsUiConfirm: the yes/no panel. A full-screen picture, a
// dialog in the middle and two soft-key buttons in the bottom corners (No
// left, Yes right). It holds no texts and no logic: the owner places its
// labels in the dialog's boxes, shows the pressed frames and acts on
// releases. Boxes are {x, y, width, height, value} as Screen::getItemBox
// gives them, taken when the panel is built.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::mainMenu {

class ClsUiConfirm : public ui::Screen {
    VM_CLASS(ClsUiConfirm, ui::Screen)

    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t BACKGROUND_GOBS = generated::RP::BACKDROP;
    static constexpr int32_t BACKGROUND_ANIMATION_SET = generated::RP::BACKDROP_ANIMS;
    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATION_SET = generated::RP::ANIM_UI_BUTTON;
    static constexpr int32_t DIALOG_FRAME = 30;
    static constexpr int32_t YES_FRAME = 21;
    static constexpr int32_t YES_PRESSED_FRAME = 17;
    static constexpr int32_t NO_FRAME = 20;
    static constexpr int32_t NO_PRESSED_FRAME = 16;
    // Boxes of the pictures.
    static constexpr int32_t BUTTON_BOX = 0;
    static constexpr int32_t BODY_BOX = 1;
    static constexpr int32_t TITLE_BOX = 2;
    static constexpr int32_t QUESTION_BOX = 3;

    // ui::Screen::initItems.
    VMPtr<ClsUiConfirm> init();

    // Adds the four items and takes the boxes; the owner has allocated the
    // item places.
    virtual void build();
    virtual void resetButtons();
    virtual void pressYes();
    virtual void pressNo();
    virtual VMPtr<IntArray> getNoBox();
    virtual VMPtr<IntArray> getYesBox();
    virtual VMPtr<IntArray> getTitleBox();
    virtual VMPtr<IntArray> getQuestionBox();
    // Box 1 of the dialog, read anew on each call.
    virtual VMPtr<IntArray> getBodyBox();

    VMField<IntArray> noBox;
    VMField<IntArray> titleBox;
    VMField<IntArray> yesBox;
    VMField<IntArray> questionBox;

    // Item indices, written by every build (all panels agree).
    static inline int32_t dialogItem = 0;
    static inline int32_t yesItem = 0;
    static inline int32_t noItem = 0;

    VM_FIELDS(noBox, titleBox, yesBox, questionBox)
};

} // namespace scene::mainMenu
