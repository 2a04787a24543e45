#pragma once
// scene.mainGame.theme.ClsBgItem: four large pictures that drift down over
// the star field at four speeds; one that has left the bottom comes back in
// at the top at a random column. Items 2 and 3 share a picture set and
// never show the same frame.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene::mainGame::theme {

class ClsBgItem : public ui::Screen {
    VM_CLASS(ClsBgItem, ui::Screen)

    static constexpr int32_t ITEMS = 4;
    static constexpr int32_t BIG_GOBS = generated::RP::THEME_BIG;
    static constexpr int32_t BIG_ANIMATIONS = generated::RP::THEME_BIG_ANIMS;
    static constexpr int32_t SMALL_GOBS = generated::RP::THEME_SMALL;
    static constexpr int32_t SMALL_ANIMATIONS = generated::RP::THEME_SMALL_ANIMS;
    static constexpr int32_t PAIR_GOBS = generated::RP::THEME_PAIR;
    static constexpr int32_t PAIR_ANIMATIONS = generated::RP::THEME_PAIR_ANIMS;

    // The panel, four places, and the random frames and places.
    VMPtr<ClsBgItem> init();

    // Also the position and speed arrays.
    void allocItems(int32_t n) override;
    // Moves and animates every item unless stopped.
    void update() override;

    virtual void showFrame6();
    // Adds the four pictures at their places.
    virtual void setupItems();

    int32_t bigFrame = 0;
    int32_t smallFrame = 0;
    int32_t frameA = 0;
    int32_t frameB = 0;
    VMField<IntArray> itemX;
    VMField<IntArray> itemY;
    VMField<IntArray> itemSpeed;
    VM_FIELDS(itemX, itemY, itemSpeed)
};

} // namespace scene::mainGame::theme
