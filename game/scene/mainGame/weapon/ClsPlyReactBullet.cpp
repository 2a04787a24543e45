#include "scene/mainGame/weapon/ClsPlyReactBullet.h"

#include "generated/AnimPlayerBullet.h"
#include "generated/RP.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsPlyCommon.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyReactBullet> ClsPlyReactBullet::init(int32_t x0, int32_t y0, int32_t vx0, int32_t vy0)
{
    ClsBullet::init(x0, y0, vx0, vy0, SPEED);
    setAnimation(generated::RP::PLAYER_SHOTS, generated::RP::PLAYER_SHOTS_ANIMS,
                 generated::AnimPlayerBullet::SHOT);
    damage = DAMAGE;
    return VMPtr<ClsPlyReactBullet>(this);
}

void ClsPlyReactBullet::update(int64_t, int32_t index)
{
    if (plyshot::removeIfDead(*this, index))
        return;
    // Also behind the menus: this kind does not ask for a real play.
    if (plyshot::flyStraight(*this))
        plyshot::strike(*this, &ClsBullet::hitTest, true);
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyReactBullet,
                             "scene.mainGame.weapon.ClsPlyReactBullet",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyReactBullet", nullptr);
