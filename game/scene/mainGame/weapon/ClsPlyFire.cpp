#include "scene/mainGame/weapon/ClsPlyFire.h"

#include "generated/AnimPlayerBullet.h"
#include "generated/RP.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsPlyCommon.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyFire> ClsPlyFire::init(int32_t x0, int32_t y0, int32_t vx0, int32_t vy0, int32_t part0)
{
    ClsBullet::init(x0, y0, vx0, vy0, plyshot::speed());
    setAnimation(generated::RP::PLAYER_SHOTS, generated::RP::PLAYER_SHOTS_ANIMS,
                 generated::AnimPlayerBullet::FLAME);
    part = part0;
    damage = plyshot::damageOf(part0);
    return VMPtr<ClsPlyFire>(this);
}

void ClsPlyFire::update(int64_t, int32_t index)
{
    if (plyshot::removeIfDead(*this, index) || !plyshot::flyStraight(*this))
        return;
    plyshot::strike(*this, &ClsBullet::collide);
    if (animationEnded())
        dead = true;
}

void ClsPlyFire::draw(VMPtr<Graphics> g)
{
    drawPicture(g);
    if (!MainGame::player->isStopped())
        anim->update(frameTime);
}

bool ClsPlyFire::animationEnded()
{
    return anim->getLoopsLeft() == 0;
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyFire,
                             "scene.mainGame.weapon.ClsPlyFire",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyFire", nullptr);
