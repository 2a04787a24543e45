#pragma once
// scene.mainGame.weapon.ClsPlyReactBullet: a shot of the reacting spread.
// Flies straight and always takes 30 hit points from the part it hits.

#include <cstdint>

#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon {

class ClsPlyReactBullet : public ClsBullet {
    VM_CLASS(ClsPlyReactBullet, ClsBullet)

    static constexpr int32_t SPEED = 70;
    static constexpr int32_t DAMAGE = 30;

    // Position and speeds in 1/32 pixel.
    VMPtr<ClsPlyReactBullet> init(int32_t x, int32_t y, int32_t vx, int32_t vy);

    void update(int64_t frameTime, int32_t index) override;
};

} // namespace scene::mainGame::weapon
