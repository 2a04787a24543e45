#include "game/scene/mainGame/weapon/ShotFixture.h"

VM_REGISTER_CLASS_NO_CREATOR(weapontest::TargetEnemies, "tests.weapon.TargetEnemies",
                             "scene.mainGame.ClsEnemy", "tests_weapon_TargetEnemies", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(weapontest::TargetBoss, "tests.weapon.TargetBoss",
                             "scene.mainGame.boss.ClsBoss", "tests_weapon_TargetBoss", nullptr);
