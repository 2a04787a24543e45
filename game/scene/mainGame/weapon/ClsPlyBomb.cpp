#include "scene/mainGame/weapon/ClsPlyBomb.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyBomb> ClsPlyBomb::init(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)
{
    return VMPtr<ClsPlyBomb>(this);
}

void ClsPlyBomb::update(int64_t, int32_t) {}

void ClsPlyBomb::blast(VMPtr<ClsPlane>) {}

bool ClsPlyBomb::timerElapsed(int32_t, bool)
{
    return false;
}

void ClsPlyBomb::startTimer() {}

void ClsPlyBomb::blastBoss(VMPtr<ClsPlane>) {}

void ClsPlyBomb::impact(VMPtr<ClsPlane>) {}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyBomb,
                             "scene.mainGame.weapon.ClsPlyBomb",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyBomb", nullptr);
