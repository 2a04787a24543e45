#include "scene/mainGame/weapon/ClsPlyHoming.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyHoming> ClsPlyHoming::init(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    return VMPtr<ClsPlyHoming>(this);
}

void ClsPlyHoming::update(int64_t, int32_t) {}

bool ClsPlyHoming::timerElapsed(int32_t, bool)
{
    return false;
}

void ClsPlyHoming::startTimer() {}

int32_t ClsPlyHoming::distance(int32_t, int32_t, int32_t, int32_t)
{
    return 0;
}

void ClsPlyHoming::findTargetBoss(VMPtr<ClsPlane>) {}

void ClsPlyHoming::steerTo(int32_t, int32_t) {}

void ClsPlyHoming::findTargetEnemy(VMPtr<ClsPlane>) {}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyHoming,
                             "scene.mainGame.weapon.ClsPlyHoming",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyHoming", nullptr);
