#pragma once
// scene.menu.ClsUiBuyConfirm: the shop's dialog. A dialog picture in the
// middle of a black screen with Yes and No keys under it (showing the
// current choice) and an OK key between them for notices. It holds no
// texts: the shop puts its first label in the text box and its second in
// the OK box. Boxes are {x, y, width, height, value} as Screen::getItemBox
// gives them, taken when the panel is built.

#include <cstdint>

#include "generated/AnimUiButton.h"
#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::menu {

class ClsUiBuyConfirm : public ui::Screen {
    VM_CLASS(ClsUiBuyConfirm, ui::Screen)

    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATION_SET = generated::RP::ANIM_UI_BUTTON;
    static constexpr int32_t DIALOG_FRAME = 30;
    // Yes and No are animations; OK is a frame.
    static constexpr int32_t YES_CHOSEN = generated::AnimUiButton::YES_CHOSEN;
    static constexpr int32_t YES_NOT_CHOSEN = generated::AnimUiButton::YES_UNCHOSEN;
    static constexpr int32_t NO_CHOSEN = generated::AnimUiButton::NO_CHOSEN;
    static constexpr int32_t NO_NOT_CHOSEN = generated::AnimUiButton::NO_UNCHOSEN;
    static constexpr int32_t CHOICE_HIDDEN = 16;
    static constexpr int32_t OK_FRAME = 11;
    static constexpr int32_t OK_PRESSED = 10;
    static constexpr int32_t OK_HIDDEN = 46;
    // Boxes of the pictures.
    static constexpr int32_t BUTTON_ROW_BOX = 0;
    static constexpr int32_t BUTTON_BOX = 0;
    static constexpr int32_t TEXT_BOX = 2;

    // ui::Screen::initItems; No is chosen.
    VMPtr<ClsUiBuyConfirm> init();

    // Black full-screen background on, adds the dialog, Yes, No and OK,
    // takes the boxes and hides OK. Yes and No show No chosen.
    virtual void build();
    virtual bool isYes();
    // Keeps the choice and shows it.
    virtual void setChoice(bool yes);
    // Yes chosen: Yes 12, No 15; No chosen: Yes 14, No 13.
    virtual void showChoice();
    virtual void hideYesNo();
    virtual void hideOk();
    virtual void showOk();
    virtual void pressOk();
    virtual VMPtr<IntArray> getYesBox();
    virtual VMPtr<IntArray> getNoBox();
    virtual VMPtr<IntArray> getOkBox();
    // Box 2 of the dialog: the place of the first label.
    virtual VMPtr<IntArray> getTextBox();

    VMField<IntArray> noBox;
    VMField<IntArray> yesBox;
    VMField<IntArray> okBox;
    bool choice = false;
    VMField<IntArray> textBox;
    int32_t okItem = 0;
    int32_t noItem = 0;
    int32_t yesItem = 0;

    // Written by every build (one dialog exists at a time).
    static inline int32_t dialogItem = 0;

    VM_FIELDS(noBox, yesBox, okBox, textBox)
};

} // namespace scene::menu
