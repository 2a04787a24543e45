#include "scene/mainGame/ClsEnemyControl.h"

#include <algorithm>

#include "global/GameGlobals.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/ClsEnemy.h"
#include "scene/mainGame/MainGame.h"
#include "ui/MyObject.h"
#include "ui/Scene.h"

namespace scene::mainGame {

VMPtr<ClsEnemyControl> ClsEnemyControl::init(VMPtr<IntTable> waves, bool repeat)
{
    Object::init();
    spacing = SPACING;
    randomChance = 100 / std::clamp(MainGame::difficulty, MainGame::MIN_LEVEL, MainGame::MAX_LEVEL);
    delay = FIRST_DELAY;
    wave = 0;
    waveSpawned = true;
    clockRunning = false;
    loop = repeat;
    table = waves;
    return VMPtr<ClsEnemyControl>(this);
}

int32_t ClsEnemyControl::rows()
{
    return table ? table->length : 0;
}

void ClsEnemyControl::updateClock() {}

void ClsEnemyControl::update() {}

void ClsEnemyControl::keepTarget(int32_t, int32_t) {}

void ClsEnemyControl::spawnRandom() {}

void ClsEnemyControl::spawnWave() {}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsEnemyControl, "scene.mainGame.ClsEnemyControl",
                  "java.lang.Object", "..\\src\\scene_mainGame_ClsEnemyControl", nullptr);
