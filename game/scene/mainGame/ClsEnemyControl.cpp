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
    global::GameGlobals::_VM_clinit();
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

void ClsEnemyControl::update()
{
    VMPtr<ClsEnemy> enemies = MainGame::enemies;
    if (delay >= 0) {
        // The pause runs only while no counted enemy is left.
        if (enemies->getWaveAlive() < 1)
            delay -= ui::MyObject::frameTime;
        if (wave < rows())
            spawnRandom();
    }
    if (delay >= 0)
        return;
    if (wave < rows() && enemies->getWaveAlive() < 1) {
        spawnWave();
        return;
    }
    if (MainGame::bossStarted || enemies->getAlive() >= 1)
        return;
    if (loop) {
        wave = 0;
    } else {
        MainGame::bossStarted = true;
        MainGame::startBoss();
    }
}

void ClsEnemyControl::spawnWave()
{
    VMPtr<ClsEnemy> enemies = MainGame::enemies;
    VMPtr<IntTable> points = global::GameGlobals::spawnPoints;
    waveSpawned = true;
    int32_t n = rows();
    for (int32_t r = 0; r < n; r++) {
        VMPtr<IntArray> row = table->get(r);
        if ((*row)[COL_WAVE] != wave)
            continue;
        VMPtr<IntArray> dest = points->get((*row)[COL_DEST]);
        VMPtr<IntArray> from = points->get((*row)[COL_SPAWN]);
        enemies->pushPoint((*dest)[0], (*dest)[1], spacing);
        for (int32_t k = 0; k < (*row)[COL_COUNT]; k++)
            enemies->spawn((*from)[0], (*from)[1], (*row)[COL_KIND]);
        delay = WAVE_DELAY;
    }
    wave += 1;
}

void ClsEnemyControl::spawnRandom()
{
    if (main::Main::nextRandomAbs() % randomChance != 0)
        return;
    int32_t m = global::GameGlobals::spawnMargin;
    int32_t count = main::Main::nextRandomAbs() % 2 + 1;
    int32_t off = main::Main::nextRandomAbs() % ((ui::Screen::SCREEN_WIDTH / 2 - m) * 2);
    VMPtr<ClsEnemy> enemies = MainGame::enemies;
    enemies->pushPoint(m + off, m + ui::Screen::SCREEN_HEIGHT, spacing);
    for (int32_t k = 0; k < count; k++)
        enemies->spawnUncounted(m + off, -m, 0);
}

void ClsEnemyControl::updateClock()
{
    VMPtr<ui::Scene> scene = scene::SceneManager::currentScene;
    int32_t now = scene != nullptr ? scene->elapsedFrameTime : clock;
    if (!clockRunning) {
        clockRunning = true;
        clockStart = now;
    }
    clock = now;
    if (clock - clockStart > delay) {
        waveSpawned = false;
        clockRunning = false;
        clockStart = clock;
    }
}

void ClsEnemyControl::keepTarget(int32_t tx, int32_t ty)
{
    VMPtr<ClsEnemy> enemies = MainGame::enemies;
    if (enemies->getAlive() < 1)
        updateClock();
    if (wave >= rows() || waveSpawned)
        return;
    waveSpawned = true;
    enemies->reset();
    enemies->pushPoint(tx, ty + ui::Screen::SCREEN_HEIGHT, spacing);
    enemies->spawn(tx, ty, TARGET_KIND);
    delay = WAVE_DELAY;
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsEnemyControl, "scene.mainGame.ClsEnemyControl",
                  "java.lang.Object", "..\\src\\scene_mainGame_ClsEnemyControl", nullptr);
