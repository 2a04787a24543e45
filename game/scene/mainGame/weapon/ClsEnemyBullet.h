#pragma once
// scene.mainGame.weapon.ClsEnemyBullet: a bullet of the enemies and bosses.
// It flies straight at a fixed step per frame and can hit only the player.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::weapon {

class ClsEnemyBullet : public ClsBullet {
    VM_CLASS(ClsEnemyBullet, ClsBullet)

    // Resources of the enemy bullets' picture set.
    static constexpr int32_t GOB_SET = generated::RP::ENEMY_BULLET;
    static constexpr int32_t ANIM_SET = generated::RP::ENEMY_BULLET_ANIMS;

    VMPtr<ClsEnemyBullet> init(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t speed);

    using ClsBullet::update;
    void update(int64_t dt, int32_t index) override;
};

} // namespace scene::mainGame::weapon
