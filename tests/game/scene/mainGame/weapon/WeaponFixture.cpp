#include "game/scene/mainGame/weapon/WeaponFixture.h"

VM_REGISTER_CLASS_NO_CREATOR(weapontest::TargetPlane, "tests.weapon.TargetPlane",
                             "scene.mainGame.ClsPlane", "tests_weapon_TargetPlane", nullptr);
