#include "scene/mainGame/weapon/ClsResources.h"

namespace scene::mainGame::weapon {

VMPtr<ClsResources> ClsResources::init(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    return VMPtr<ClsResources>(this);
}

void ClsResources::update(int64_t, int32_t) {}

void ClsResources::steer() {}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsResources,
                             "scene.mainGame.weapon.ClsResources",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsResources", nullptr);
