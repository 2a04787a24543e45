#include "scene/mainGame/weapon/ClsPlyReactBullet.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyReactBullet> ClsPlyReactBullet::init(int32_t, int32_t, int32_t, int32_t)
{
    return VMPtr<ClsPlyReactBullet>(this);
}

void ClsPlyReactBullet::update(int64_t, int32_t) {}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyReactBullet,
                             "scene.mainGame.weapon.ClsPlyReactBullet",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyReactBullet", nullptr);
