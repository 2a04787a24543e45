#include "scene/mainGame/weapon/ClsPlyBullet.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyBullet> ClsPlyBullet::init(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    return VMPtr<ClsPlyBullet>(this);
}

void ClsPlyBullet::update(int64_t, int32_t) {}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyBullet,
                             "scene.mainGame.weapon.ClsPlyBullet",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyBullet", nullptr);
