#include "scene/mainGame/weapon/ClsBcreator.h"

namespace scene::mainGame::weapon {

VMPtr<ClsBcreator> ClsBcreator::init()
{
    Object::init();
    return VMPtr<ClsBcreator>(this);
}

void ClsBcreator::setCapacity(int32_t n)
{
    spreadVx = IntArray::newArray(n);
    spreadVy = IntArray::newArray(n);
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS(scene::mainGame::weapon::ClsBcreator, "scene.mainGame.weapon.ClsBcreator",
                  "java.lang.Object", "..\\src\\scene_mainGame_weapon_ClsBcreator", nullptr);
