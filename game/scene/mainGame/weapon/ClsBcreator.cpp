#include "scene/mainGame/weapon/ClsBcreator.h"

namespace scene::mainGame::weapon {

VMPtr<ClsBcreator> ClsBcreator::init()
{
    Object::init();
    gunPoints = IntTable::newArray({8, 2});
    center = IntArray::newArray(2);
    rows = IntTable::newArray(3);
    return VMPtr<ClsBcreator>(this);
}

void ClsBcreator::fireDirectional(int32_t, int32_t, int32_t, int32_t, int32_t, bool, bool) {}
void ClsBcreator::fireHomingSpread(int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::dropMoneyRing(int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::computeGunPoints(int32_t) {}
void ClsBcreator::fireRing(int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::fireReactSpread(int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::fireLaser(int32_t, int32_t) {}
void ClsBcreator::fireFlameSpread(int32_t, int32_t, int32_t, int32_t) {}
int32_t ClsBcreator::distance(int32_t, int32_t, int32_t, int32_t) { return 0; }
void ClsBcreator::fireAtPoint(int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::fireAtPlayer(int32_t, int32_t) {}
void ClsBcreator::fireRingDefault(int32_t, int32_t, int32_t) {}
void ClsBcreator::fireTowards(int32_t, int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::fireBombs(int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::dropMoneySlow(int32_t, int32_t, int32_t) {}
void ClsBcreator::fireAimed(int32_t, int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::dropMoneyFast(int32_t, int32_t, int32_t) {}
void ClsBcreator::fireSpread(bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                             int32_t, int32_t, bool) {}
void ClsBcreator::firePlayerShot(int32_t, int32_t) {}
void ClsBcreator::fireAimedDefault(int32_t, int32_t, int32_t, int32_t) {}

void ClsBcreator::setCapacity(int32_t n)
{
    spreadVx = IntArray::newArray(n);
    spreadVy = IntArray::newArray(n);
}

void ClsBcreator::fireBomb(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
void ClsBcreator::fireEightWay(int32_t, int32_t, int32_t) {}
void ClsBcreator::fireRows(VMPtr<IntTable>, int32_t, int32_t, int32_t) {}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS(scene::mainGame::weapon::ClsBcreator, "scene.mainGame.weapon.ClsBcreator",
                  "java.lang.Object", "..\\src\\scene_mainGame_weapon_ClsBcreator", nullptr);
