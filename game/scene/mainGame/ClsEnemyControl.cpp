#include "scene/mainGame/ClsEnemyControl.h"

namespace scene::mainGame {

VMPtr<ClsEnemyControl> ClsEnemyControl::init(VMPtr<IntTable> waves, bool repeat)
{
    Object::init();
    table = waves;
    loop = repeat;
    return VMPtr<ClsEnemyControl>(this);
}

void ClsEnemyControl::update() {}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsEnemyControl, "scene.mainGame.ClsEnemyControl",
                  "java.lang.Object", "..\\src\\scene_mainGame_ClsEnemyControl", nullptr);
