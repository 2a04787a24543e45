#pragma once
// scene.mainGame.weapon.ClsPlyBullet: a shot of the player's main gun. It
// keeps the distance it has flown from its gun point and is placed each
// frame at the firing element's current position plus that distance, so it
// moves sideways with the player. Hits one part (point test).

#include <cstdint>

#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon {

class ClsPlyBullet : public ClsBullet {
    VM_CLASS(ClsPlyBullet, ClsBullet)

    // (offX, offY): the gun point's offset from the element's centre, 1/32
    // pixel; (vx, vy) per frame; part: the firing element.
    VMPtr<ClsPlyBullet> init(int32_t offX, int32_t offY, int32_t vx, int32_t vy, int32_t part);

    void update(int64_t frameTime, int32_t index) override;

    // Offset flown from the element's centre, 1/32 pixel.
    int32_t accY = 0;
    int32_t part = 0;
    int32_t accX = 0;
    // The element's centre, 1/32 pixel.
    int32_t baseY = 0;
    int32_t baseX = 0;
};

} // namespace scene::mainGame::weapon
