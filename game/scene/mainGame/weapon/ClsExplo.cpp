#include "scene/mainGame/weapon/ClsExplo.h"

namespace scene::mainGame::weapon {

VMPtr<ClsExplo> ClsExplo::init()
{
    initItems();
    return VMPtr<ClsExplo>(this);
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS(scene::mainGame::weapon::ClsExplo, "scene.mainGame.weapon.ClsExplo", "ui.Screen",
                  "..\\src\\scene_mainGame_weapon_ClsExplo", nullptr);
