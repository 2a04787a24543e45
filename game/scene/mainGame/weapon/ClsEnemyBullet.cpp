#include "scene/mainGame/weapon/ClsEnemyBullet.h"

#include "generated/AnimEnemyBullet.h"
#include "scene/mainGame/MainGame.h"

namespace scene::mainGame::weapon {

VMPtr<ClsEnemyBullet> ClsEnemyBullet::init(int32_t x0, int32_t y0, int32_t vx0, int32_t vy0,
                                           int32_t speed)
{
    ClsBullet::init(x0, y0, vx0, vy0, speed);
    setAnimation(GOB_SET, ANIM_SET, generated::AnimEnemyBullet::SHOT);
    damage = 1;
    return VMPtr<ClsEnemyBullet>(this);
}

void ClsEnemyBullet::update(int64_t, int32_t index)
{
    if (dead) {
        MainGame::enemyBullets->remove(index);
        return;
    }
    y += vy;
    x += vx;
    if (isOnScreen())
        hitTest(MainGame::player);
    else
        dead = true;
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsEnemyBullet,
                             "scene.mainGame.weapon.ClsEnemyBullet",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsEnemyBullet", nullptr);
