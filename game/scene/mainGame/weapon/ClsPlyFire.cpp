#include "scene/mainGame/weapon/ClsPlyFire.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyFire> ClsPlyFire::init(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    return VMPtr<ClsPlyFire>(this);
}

void ClsPlyFire::update(int64_t, int32_t) {}

void ClsPlyFire::draw(VMPtr<Graphics>) {}

bool ClsPlyFire::animationEnded()
{
    return false;
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyFire,
                             "scene.mainGame.weapon.ClsPlyFire",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyFire", nullptr);
