#pragma once
// scene.mainGame.weapon.ClsPlyFire: a flame of the flame spread. Flies
// straight and lives as long as its animation, which its drawing advances;
// burns every part its box overlaps.

#include <cstdint>

#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon {

class ClsPlyFire : public ClsBullet {
    VM_CLASS(ClsPlyFire, ClsBullet)

    // Position and speeds in 1/32 pixel; part: the firing element.
    VMPtr<ClsPlyFire> init(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t part);

    void update(int64_t frameTime, int32_t index) override;
    // Paints, then advances the animation unless the player is stopped.
    void draw(VMPtr<Graphics> g) override;

    // The animation no longer runs.
    virtual bool animationEnded();

    int32_t part = 0;
};

} // namespace scene::mainGame::weapon
