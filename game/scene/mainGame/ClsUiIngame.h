#pragma once
// scene.mainGame.ClsUiIngame: the in-play HUD panel (money box, lives, boss
// bar, end banner, pause button).

#include <cstdint>

#include "ui/Screen.h"

namespace scene::mainGame {

class ClsUiIngame : public ui::Screen {
    VM_CLASS(ClsUiIngame, ui::Screen)

    VMPtr<ClsUiIngame> init();

    // Adds the HUD's items; the stage's resources are loaded.
    virtual void setupItems();
    // {x, y, width, height} of the money box.
    virtual VMPtr<IntArray> getMoneyRect();
    // cleared: the stage-cleared banner, else the destroyed one.
    virtual void showEndBanner(bool cleared);
    // The boss bar's fill while the boss is on.
    virtual void paintBossBar(VMPtr<Graphics> g);

    // Item index of the pause button.
    static inline int32_t pauseButtonItem = 0;
};

} // namespace scene::mainGame
