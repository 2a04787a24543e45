#include "scene/mainGame/ClsEnemy.h"

namespace scene::mainGame {

VMPtr<ClsEnemy> ClsEnemy::init(VMPtr<weapon::ClsBcreator> factory)
{
    ClsPlane::init(factory);
    return VMPtr<ClsEnemy>(this);
}

void ClsEnemy::initEnemies()
{
    allocItems(SLOTS);
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsEnemy, "scene.mainGame.ClsEnemy", "scene.mainGame.ClsPlane",
                  "..\\src\\scene_mainGame_ClsEnemy", nullptr);
