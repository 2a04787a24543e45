#include "scene/mainGame/weapon/ClsPlyLaser_2.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyLaser_2> ClsPlyLaser_2::init(int32_t, int32_t)
{
    return VMPtr<ClsPlyLaser_2>(this);
}

bool ClsPlyLaser_2::overlaps(VMPtr<IntArray>, VMPtr<IntArray>)
{
    return false;
}

void ClsPlyLaser_2::update(int64_t, int32_t) {}

void ClsPlyLaser_2::draw(VMPtr<Graphics>) {}

void ClsPlyLaser_2::collide(VMPtr<ClsPlane>) {}

bool ClsPlyLaser_2::timerElapsed(int32_t, bool)
{
    return false;
}

void ClsPlyLaser_2::beat() {}

void ClsPlyLaser_2::startTimer() {}

void ClsPlyLaser_2::checkActive() {}

void ClsPlyLaser_2::setSegmentAnimation(int32_t, int32_t, int32_t) {}

void ClsPlyLaser_2::layoutSegments() {}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyLaser_2,
                             "scene.mainGame.weapon.ClsPlyLaser_2",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyLaser_2", nullptr);
