#pragma once
// scene.mainGame.ClsUiPause: the pause panel, a title and two rows
// (continue above, quit below).

#include <cstdint>

#include "ui/Screen.h"

namespace scene::mainGame {

class ClsUiPause : public ui::Screen {
    VM_CLASS(ClsUiPause, ui::Screen)

    VMPtr<ClsUiPause> init();

    virtual void setupItems();
    // {x, y, width, height} of the title and of the two rows.
    virtual VMPtr<IntArray> getTitleRect();
    virtual VMPtr<IntArray> getUpperRowRect();
    virtual VMPtr<IntArray> getLowerRowRect();
    // Marks the upper (continue) row when upper, else the lower (quit) row.
    virtual void selectRow(bool upper);

    bool upperSelected = true;
};

} // namespace scene::mainGame
