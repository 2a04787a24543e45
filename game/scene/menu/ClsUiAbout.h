#pragma once
// scene.menu.ClsUiAbout: the about page's panel. The menus' backdrop, the
// text page in the middle and the back key in the bottom-right corner. It
// holds no texts: the page puts its title on the text page's box 0 and its
// body on box 1, as ui::Addon::setDialogFrame reads a dialog frame. Boxes
// are {x, y, width, height, value} as Screen::getItemBox gives them, taken
// when the panel is built.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::menu {

class ClsUiAbout : public ui::Screen {
    VM_CLASS(ClsUiAbout, ui::Screen)

    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t BACKGROUND_GOBS = generated::RP::BACKDROP;
    static constexpr int32_t BACKGROUND_ANIMATION_SET = generated::RP::BACKDROP_ANIMS;
    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATION_SET = generated::RP::ANIM_UI_BUTTON;
    static constexpr int32_t TEXT_PAGE_FRAME = 29;
    static constexpr int32_t BACK_FRAME = 21;
    static constexpr int32_t BACK_PRESSED_FRAME = 17;
    // Boxes of the pictures.
    static constexpr int32_t BUTTON_BOX = 0;
    // The page's boxes as the label object's dialog frame reads them.
    static constexpr int32_t HEADING_BOX = 0;
    static constexpr int32_t TEXT_BOX = 1;

    // ui::Screen::initItems.
    VMPtr<ClsUiAbout> init();

    // Adds the three items and takes the boxes; the owner has allocated the
    // item places.
    virtual void build();
    virtual void pressBack();
    virtual void releaseBack();
    virtual VMPtr<IntArray> getBackBox();
    // Box 1 of the page: where the title label is first placed, before the
    // label object's dialog frame moves it to box 0.
    virtual VMPtr<IntArray> getTitleBox();

    // Boxes 0 of the page, 0 of the back button and 1 of the page.
    VMField<IntArray> headingBox;
    VMField<IntArray> backBox;
    VMField<IntArray> textBox;
    int32_t backItem = 0;
    int32_t textPageItem = 0;

    VM_FIELDS(headingBox, backBox, textBox)
};

} // namespace scene::menu
