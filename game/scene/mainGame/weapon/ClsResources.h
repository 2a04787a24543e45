#pragma once
// scene.mainGame.weapon.ClsResources: a money coin. A ring of them bursts
// out of a destroyed enemy or boss part; each slows down, then sinks down
// the screen or, while the ship is near, flies to it. Touching the ship
// adds its value to the play's money.

#include <cstdint>

#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon {

class ClsResources : public ClsBullet {
    VM_CLASS(ClsResources, ClsBullet)

    static constexpr int32_t VALUE = 50;
    // Burst speeds below this (1/32 pixel per frame) on both axes end the
    // burst.
    static constexpr int32_t SETTLE_SPEED = 4;
    // The attraction range once the stage is cleared, in ship widths.
    static constexpr int32_t CLEARED_RANGE = 99;

    // Position and speeds in 1/32 pixel; each speed is scaled by 1, 2 or 3
    // at random.
    VMPtr<ClsResources> init(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t speed);

    void update(int64_t frameTime, int32_t index) override;

    // Sets this frame's speeds: halving while bursting, then towards the
    // ship within range, else sinking.
    virtual void steer();

    // Sinking speed, 1/32 pixel per ms.
    int32_t fallStep = 0;
    int32_t playerY = 0;
    int32_t dist = 0;
    int32_t value = 0;
    int32_t playerX = 0;
    // 0 bursting, 1 free.
    int32_t phase = 0;
    // Pixels.
    int32_t attractRange = 0;
};

} // namespace scene::mainGame::weapon
