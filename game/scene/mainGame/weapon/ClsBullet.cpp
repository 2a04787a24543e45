#include "scene/mainGame/weapon/ClsBullet.h"

VM_REGISTER_ABSTRACT_CLASS(scene::mainGame::weapon::ClsBullet, "scene.mainGame.weapon.ClsBullet",
                           "ui.MyObject", "..\\src\\scene_mainGame_weapon_ClsBullet", nullptr);
