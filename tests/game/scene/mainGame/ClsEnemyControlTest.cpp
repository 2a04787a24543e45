// The wave spawner: the first pause and the pauses between waves (which run
// only while no counted enemy lives), rows that share a wave number, the
// random filler groups, the hand-over to the boss (or the loop), and the
// shop's still target. The enemy manager is a recorder whose counts the
// tests set; the random source is scripted.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/support/FakeScene.h"
#include "game/support/ScriptedRandom.h"
#include "global/GameGlobals.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/ClsEnemy.h"
#include "scene/mainGame/ClsEnemyControl.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "support/VMFixture.h"
#include "tq/util/FastRandom.h"
#include "ui/MyObject.h"
#include "ui/Scene.h"

using scene::mainGame::ClsEnemy;
using scene::mainGame::ClsEnemyControl;
using scene::mainGame::MainGame;
using Strings = std::vector<std::string>;

namespace {

// Writes down what the spawner asks of it; spawns count as alive.
class RecordingEnemies : public ClsEnemy {
    VM_CLASS(RecordingEnemies, ClsEnemy)

    void pushPoint(int32_t px, int32_t py, int32_t param) override
    {
        calls.push_back("point " + std::to_string(px) + " " + std::to_string(py) + " " +
                        std::to_string(param));
    }
    void spawn(int32_t sx, int32_t sy, int32_t k) override
    {
        calls.push_back("spawn " + std::to_string(sx) + " " + std::to_string(sy) + " " +
                        std::to_string(k));
        waveAlive += 1;
        alive += 1;
    }
    void spawnUncounted(int32_t sx, int32_t sy, int32_t k) override
    {
        calls.push_back("uncounted " + std::to_string(sx) + " " + std::to_string(sy) + " " +
                        std::to_string(k));
        alive += 1;
    }
    void reset() override { calls.push_back("reset"); }

    Strings calls;
};

// Counts its entries.
class RecordingBoss : public scene::mainGame::boss::ClsBoss {
    VM_CLASS(RecordingBoss, scene::mainGame::boss::ClsBoss)

    void start() override { starts += 1; }

    int32_t starts = 0;
};

using Row = std::vector<int32_t>;

class ClsEnemyControlTest : public VMFixture {
protected:
    void SetUp() override
    {
        VMFixture::SetUp();
        global::GameGlobals::newInstance()->init();
        ui::MyObject::frameTime = 40;
        MainGame::difficulty = 1;
        MainGame::stage = 0;
        boss = RecordingBoss::newInstance();
        MainGame::boss1 = VMPtr<scene::mainGame::boss::ClsBoss>(boss.get());
        MainGame::bossStarted = false;
        enemies = RecordingEnemies::newInstance();
        MainGame::enemies = VMPtr<ClsEnemy>(enemies.get());
        random = vxtest::ScriptedRandom::newInstance()->init();
        main::Main::random = VMPtr<tq::util::FastRandom>(random.get());
    }
    void TearDown() override
    {
        MainGame::enemies = nullptr;
        MainGame::boss1 = nullptr;
        boss = nullptr;
        main::Main::random = nullptr;
        scene::SceneManager::currentScene = nullptr;
        enemies = nullptr;
        random = nullptr;
        spawner = nullptr;
        VMFixture::TearDown();
    }

    VMPtr<ClsEnemyControl> make(const std::vector<Row>& rows, bool loop = false)
    {
        VMPtr<ClsEnemyControl::IntTable> table =
            ClsEnemyControl::IntTable::newArray({int32_t(rows.size()), 5});
        for (size_t r = 0; r < rows.size(); r++) {
            VMPtr<ClsEnemyControl::IntArray> row = table->get(int32_t(r));
            for (int32_t c = 0; c < 5; c++)
                (*row)[c] = rows[r][c];
        }
        spawner = ClsEnemyControl::newInstance()->init(table, loop);
        return spawner;
    }
    // Frames until the recorder has been asked something; the frames run.
    int32_t framesUntilCall(int32_t limit)
    {
        for (int32_t f = 1; f <= limit; f++) {
            spawner->update();
            if (!enemies->calls.empty())
                return f;
        }
        return -1;
    }
    Strings takeCalls()
    {
        Strings c = enemies->calls;
        enemies->calls.clear();
        return c;
    }
    // The whole field gone: counted and uncounted enemies.
    void clearField()
    {
        enemies->waveAlive = 0;
        enemies->alive = 0;
    }

    VMStatic<RecordingEnemies> enemies;
    VMStatic<vxtest::ScriptedRandom> random;
    VMStatic<ClsEnemyControl> spawner;
    VMStatic<RecordingBoss> boss;
};

TEST_F(ClsEnemyControlTest, StartsWithTheFirstPauseAndTheLevelsChance)
{
    struct Case {
        int32_t level;
        int32_t chance;
    };
    for (Case c : {Case{1, 100}, Case{2, 50}, Case{3, 33}, Case{4, 25}, Case{0, 100}, Case{9, 25}}) {
        MainGame::difficulty = c.level;
        make({{0, 4, 0, 0, 2}});
        EXPECT_EQ(spawner->randomChance, c.chance) << "level " << c.level;
        EXPECT_EQ(spawner->delay, 3000);
        EXPECT_EQ(spawner->spacing, 48);
        EXPECT_EQ(spawner->wave, 0);
        EXPECT_TRUE(spawner->waveSpawned);
        EXPECT_FALSE(spawner->clockRunning);
    }
}

TEST_F(ClsEnemyControlTest, FirstWaveComesAfterThreeSecondsLeaderFirst)
{
    make({{0, 4, 0, 0, 2}, {1, 1, 3, 1, 3}});
    // 75 frames of 40 ms bring the pause to exactly 0; the next one spawns.
    EXPECT_EQ(framesUntilCall(200), 76);
    EXPECT_EQ(takeCalls(), (Strings{"point 72 392 48", "spawn 72 -72 0", "spawn 72 -72 0",
                                    "spawn 72 -72 0", "spawn 72 -72 0"}));
    EXPECT_EQ(spawner->wave, 1);
    EXPECT_EQ(spawner->delay, 1000);
}

TEST_F(ClsEnemyControlTest, PauseRunsOnlyWhileNoCountedEnemyLives)
{
    make({{0, 4, 0, 0, 2}, {1, 1, 3, 1, 3}});
    framesUntilCall(200);
    takeCalls();
    for (int32_t f = 0; f < 100; f++)
        spawner->update();
    EXPECT_EQ(spawner->delay, 1000) << "the wave's four enemies still fly";
    EXPECT_TRUE(enemies->calls.empty());

    // The wave is gone; two uncounted enemies do not hold the pause.
    enemies->waveAlive = 0;
    enemies->alive = 2;
    EXPECT_EQ(framesUntilCall(100), 26);
    EXPECT_EQ(takeCalls(), (Strings{"point 168 392 48", "spawn 168 -72 3"}));
}

TEST_F(ClsEnemyControlTest, RowsOfOneWaveComeOutInOneFrameEachWithItsLeader)
{
    make({{0, 2, 0, 0, 2}, {0, 1, 1, 4, 5}, {1, 1, 0, 1, 3}});
    framesUntilCall(200);
    EXPECT_EQ(takeCalls(), (Strings{"point 72 392 48", "spawn 72 -72 0", "spawn 72 -72 0",
                                    "point 312 72 48", "spawn -72 72 1"}));
    EXPECT_EQ(spawner->wave, 1);
}

TEST_F(ClsEnemyControlTest, FillerGroupsFallStraightDownUncounted)
{
    make({{0, 4, 0, 0, 2}});
    // A hit of the chance, two enemies, offset 50.
    random->script = {0, 1, 50};
    spawner->update();
    EXPECT_EQ(takeCalls(), (Strings{"point 122 392 48", "uncounted 122 -72 0",
                                    "uncounted 122 -72 0"}));
    // A miss draws one number and spawns nothing; the pause ran on.
    random->draws = 0;
    random->script = {7};
    spawner->update();
    EXPECT_TRUE(enemies->calls.empty());
    EXPECT_EQ(random->draws, 1);
    EXPECT_EQ(spawner->delay, 3000 - 80) << "the uncounted group does not hold the pause";
    // The widest offset: 95; a negative draw counts by its size.
    random->script = {-100, -2, 95};
    spawner->update();
    EXPECT_EQ(takeCalls(), (Strings{"point 167 392 48", "uncounted 167 -72 0"}));
}

TEST_F(ClsEnemyControlTest, FillerChanceFollowsTheLevel)
{
    // A draw of 50 hits the chance at level 2 (1 in 50) but not at level 1.
    for (int32_t level : {1, 2}) {
        MainGame::difficulty = level;
        make({{0, 4, 0, 0, 2}});
        random->script = {50, 0, 0};
        spawner->update();
        EXPECT_EQ(takeCalls().size(), level == 2 ? 2u : 0u) << "level " << level;
        random->script.clear();
    }
}

TEST_F(ClsEnemyControlTest, BossStartsOnceAfterTheLastPauseWhenTheFieldIsEmpty)
{
    make({{0, 1, 0, 0, 2}});
    framesUntilCall(200);
    takeCalls();
    EXPECT_EQ(spawner->wave, 1) << "the table is used up";

    // The wave enemy is shot down, an uncounted one still flies.
    enemies->waveAlive = 0;
    enemies->alive = 1;
    random->draws = 0;
    for (int32_t f = 0; f < 50; f++)
        spawner->update();
    EXPECT_EQ(random->draws, 0) << "no filler groups once the table is used up";
    EXPECT_LT(spawner->delay, 0);
    EXPECT_FALSE(MainGame::bossStarted) << "an uncounted enemy still holds the boss back";
    EXPECT_EQ(boss->starts, 0);

    clearField();
    spawner->update();
    EXPECT_TRUE(MainGame::bossStarted);
    EXPECT_EQ(boss->starts, 1);
    EXPECT_EQ(spawner->wave, 1);
    for (int32_t f = 0; f < 10; f++)
        spawner->update();
    EXPECT_EQ(boss->starts, 1) << "once";
    EXPECT_TRUE(enemies->calls.empty());
}

TEST_F(ClsEnemyControlTest, BossWaitsForTheLastPause)
{
    make({{0, 1, 0, 0, 2}});
    framesUntilCall(200);
    clearField();
    // 1000 ms of pause: 25 frames leave it at 0, the 26th ends it.
    for (int32_t f = 0; f < 25; f++)
        spawner->update();
    EXPECT_FALSE(MainGame::bossStarted);
    spawner->update();
    EXPECT_TRUE(MainGame::bossStarted);
    EXPECT_EQ(boss->starts, 1);
}

TEST_F(ClsEnemyControlTest, LoopStartsTheTableAgainAndNeverTheBoss)
{
    make({{0, 1, 0, 0, 2}, {1, 1, 1, 1, 3}}, true);
    Strings spawns;
    for (int32_t f = 0; f < 2000; f++) {
        spawner->update();
        for (const std::string& c : takeCalls()) {
            if (c.rfind("spawn", 0) == 0)
                spawns.push_back(c);
        }
        clearField();
    }
    EXPECT_FALSE(MainGame::bossStarted);
    EXPECT_EQ(boss->starts, 0);
    ASSERT_GE(spawns.size(), 6u);
    for (size_t k = 0; k < 6; k++)
        EXPECT_EQ(spawns[k], k % 2 == 0 ? "spawn 72 -72 0" : "spawn 168 -72 1") << k;
}

TEST_F(ClsEnemyControlTest, KeepTargetPlacesAStillTargetOnceTheFieldHasBeenEmpty)
{
    // A scene only for its clock.
    VMPtr<vxtest::FakeScene> clockScene = vxtest::FakeScene::newInstance();
    scene::SceneManager::currentScene = VMPtr<ui::Scene>(clockScene.get());
    make({{0, 1, 0, 0, 2}});
    enemies->alive = 0;
    // The first target 3000 ms after the field was first seen empty.
    for (int32_t t = 0; t <= 3000; t += 40) {
        clockScene->elapsedFrameTime = t;
        spawner->keepTarget(100, 50);
    }
    EXPECT_TRUE(enemies->calls.empty());
    clockScene->elapsedFrameTime = 3040;
    spawner->keepTarget(100, 50);
    EXPECT_EQ(takeCalls(), (Strings{"reset", "point 100 370 48", "spawn 100 50 7"}));
    EXPECT_EQ(spawner->delay, 1000);

    // While it lives nothing more; once it is gone, the next after 1000 ms.
    for (int32_t t = 3080; t <= 6000; t += 40) {
        clockScene->elapsedFrameTime = t;
        spawner->keepTarget(100, 50);
    }
    EXPECT_TRUE(enemies->calls.empty());
    enemies->alive = 0;
    int32_t start = 6040;
    int32_t spawnedAt = -1;
    for (int32_t t = start; t <= start + 2000 && spawnedAt < 0; t += 40) {
        clockScene->elapsedFrameTime = t;
        spawner->keepTarget(100, 50);
        if (!enemies->calls.empty())
            spawnedAt = t;
    }
    EXPECT_EQ(spawnedAt, start + 1040);
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(RecordingEnemies, "tests.mainGame.RecordingEnemies",
                             "scene.mainGame.ClsEnemy", "tests_mainGame_RecordingEnemies", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(RecordingBoss, "tests.mainGame.RecordingBoss",
                             "scene.mainGame.boss.ClsBoss", "tests_mainGame_RecordingBoss", nullptr);
