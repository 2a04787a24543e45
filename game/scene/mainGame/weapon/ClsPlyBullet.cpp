#include "scene/mainGame/weapon/ClsPlyBullet.h"

#include "generated/AnimPlayerBullet.h"
#include "generated/RP.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsPlyCommon.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyBullet> ClsPlyBullet::init(int32_t offX, int32_t offY, int32_t vx0, int32_t vy0,
                                       int32_t part0)
{
    ClsBullet::init(offX, offY, vx0, vy0, plyshot::speed());
    setAnimation(generated::RP::PLAYER_SHOTS, generated::RP::PLAYER_SHOTS_ANIMS,
                 generated::AnimPlayerBullet::SHOT);
    accX = offX;
    accY = offY;
    part = part0;
    damage = plyshot::damageOf(part0);
    return VMPtr<ClsPlyBullet>(this);
}

void ClsPlyBullet::update(int64_t, int32_t index)
{
    if (plyshot::removeIfDead(*this, index))
        return;
    VMPtr<ClsPlayer> player = MainGame::player;
    baseX = player->getX(part) << SUBPIXEL_SHIFT;
    baseY = player->getY(part) << SUBPIXEL_SHIFT;
    accY += vy;
    y = baseY + accY;
    accX += vx;
    x = accX + baseX;
    if (isOnScreen())
        plyshot::strike(*this, &ClsBullet::hitTest);
    else
        dead = true;
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyBullet,
                             "scene.mainGame.weapon.ClsPlyBullet",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyBullet", nullptr);
