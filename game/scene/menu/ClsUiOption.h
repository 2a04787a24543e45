#pragma once
// scene.menu.ClsUiOption: the options window. The menus' backdrop, a window
// with two rows (the text row above, the sound switch below), a bar at the
// right end of each row that shows which row is selected, an icon on each
// bar, and the back key in the bottom-right corner. The sound switch's icon
// shows the panel's own sound flag, which toggleSound turns and hands to
// the hub (the setting is saved elsewhere). Rectangles are {x, y, width,
// height, value} as Screen::getItemBox gives them, taken by setupItems.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::menu {

class ClsUiOption : public ui::Screen {
    VM_CLASS(ClsUiOption, ui::Screen)

    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t BACKGROUND_GOBS = generated::RP::BACKDROP;
    static constexpr int32_t BACKGROUND_ANIMATION_SET = generated::RP::BACKDROP_ANIMS;
    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATION_SET = generated::RP::ANIM_UI_BUTTON;
    static constexpr int32_t ICON_GOBS = generated::RP::ICONS;
    static constexpr int32_t ICON_ANIMATION_SET = generated::RP::ICON_ANIMS;
    static constexpr int32_t WINDOW_FRAME = 28;
    static constexpr int32_t BACK_FRAME = 21;
    static constexpr int32_t BACK_PRESSED_FRAME = 17;
    static constexpr int32_t UPPER_SELECTED_FRAME = 70;
    static constexpr int32_t UPPER_FRAME = 71;
    static constexpr int32_t LOWER_SELECTED_FRAME = 72;
    static constexpr int32_t LOWER_FRAME = 73;
    static constexpr int32_t TEXT_ICON_FRAME = 0;
    static constexpr int32_t SOUND_ON_FRAME = 5;
    static constexpr int32_t SOUND_OFF_FRAME = 6;
    // The music the sound switch starts.
    static constexpr int32_t MUSIC = 5;
    static constexpr int32_t CHOICES = 5;
    // Boxes of the pictures.
    static constexpr int32_t BUTTON_BOX = 0;
    static constexpr int32_t ROWS_BOX = 0;
    static constexpr int32_t TEXT1_BOX = 1;
    static constexpr int32_t TEXT2_BOX = 2;

    // ui::Screen::initItems; empty rectangles until setupItems.
    VMPtr<ClsUiOption> init();

    virtual int32_t getChoiceIndex();
    virtual VMPtr<IntArray> getUpperRect();
    virtual VMPtr<IntArray> getLowerRect();
    // Below 0 wraps to 4, above 4 to 0.
    virtual void setChoiceIndex(int32_t n);
    // The text row has nothing of its own to do.
    virtual void upperRowAction();
    virtual void backUp();
    // Adds the seven items, taking the rectangles on the way; the sound
    // flag is the hub's. The owner has allocated the item places.
    virtual void setupItems();
    // Turns the sound flag, shows it and turns the hub's sound on or off.
    virtual void toggleSound();
    virtual VMPtr<IntArray> getText1Rect();
    virtual VMPtr<IntArray> getBackRect();
    virtual VMPtr<IntArray> getText2Rect();
    // The bars of the upper or the lower row selected.
    virtual void selectRow(bool upper);
    virtual void backDown();
    virtual bool isSoundOn();

    bool soundOn = false;
    int32_t choiceIndex = 0;
    int32_t backItem = 0;
    int32_t upperBarItem = 0;
    int32_t lowerBarItem = 0;
    int32_t soundIconItem = 0;
    int32_t windowItem = 0;
    VMField<IntArray> text1Rect;
    VMField<IntArray> text2Rect;
    VMField<IntArray> backRect;
    VMField<IntArray> upperRect;
    VMField<IntArray> lowerRect;
    int32_t centreX = 120;
    int32_t centreY = 160;

    VM_FIELDS(text1Rect, text2Rect, backRect, upperRect, lowerRect)

private:
    // An icon item at the centre of a rectangle.
    void addIcon(int32_t frame, VMPtr<IntArray> rect);
};

} // namespace scene::menu
