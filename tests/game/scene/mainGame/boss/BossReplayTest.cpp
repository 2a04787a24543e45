// The bosses of stages 0-2 in a whole stage, flown by a bot with a fixed
// seed and frames of 40 ms: the waves, the boss's entry and every phase of
// its attack, its parts shot away by the ship's weapons, the money it drops
// and the stage cleared. The play state's hashes match the recorded ones.

#include <iterator>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"
#include "main/Game.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace {

using scene::mainGame::ClsPlane;
using scene::mainGame::MainGame;

// What one flight saw.
struct Flight {
    int32_t bossFrom = -1;
    int32_t beatenAt = -1;
    int32_t frames = 0;
    int32_t shipsLost = 0;
    int32_t moneyAtBoss = 0;
    std::set<int32_t> phases;
    std::vector<uint64_t> hashes;
};

class BossReplayTest : public playtest::PlayFixture {
protected:
    // Where the bot keeps its ship.
    static constexpr int32_t kBotY = 250;
    static constexpr int32_t kEvery = 250;
    static constexpr int32_t kLimit = 12000;

    // The bot's touch for this frame: down once, then dragged under the
    // lowest enemy or boss part that shots can hit, above the ship.
    playtest::Script botFrame()
    {
        int32_t tx = 120;
        int32_t lowest = -1000;
        auto consider = [&](ClsPlane* plane, int32_t i) {
            int32_t px = plane->getX(i);
            int32_t py = plane->getY(i);
            if (py > lowest && py < kBotY - 20 && py > 0 && px > 0 && px < 240) {
                lowest = py;
                tx = px;
            }
        };
        VMPtr<ClsPlane> boss = MainGame::getBoss();
        if (MainGame::bossStarted && boss != nullptr) {
            for (int32_t i = 0; i < boss->nextItem; i++) {
                if (!boss->isInactive(i) && !boss->isInvulnerable(i) &&
                    (*boss->getItemBox(i, 0))[2] > 0)
                    consider(boss.get(), i);
            }
        }
        VMPtr<scene::mainGame::ClsEnemy> enemies = MainGame::enemies;
        for (int32_t i = 0; i < enemies->nextItem; i++) {
            if (!enemies->isInactive(i))
                consider(enemies.get(), i);
        }
        using E = playtest::InputEvent;
        return {E{frameNumber, frameNumber == 0 ? E::TOUCH_DOWN : E::TOUCH_MOVE, 0, tx, kBotY}};
    }

    // Stage s at the level until the stage is left (or kLimit frames). The
    // bot never runs out of ships: it counts the ones it lost.
    Flight flyStage(int32_t s, int32_t level)
    {
        Flight f;
        startStage(s, level);
        VMPtr<scene::mainGame::boss::ClsBoss> boss = MainGame::bossOf(s);
        while (f.frames < kLimit && sceneRequests().empty()) {
            if (MainGame::player->getLives() < 3) {
                f.shipsLost++;
                MainGame::player->setLives(3);
            }
            step(botFrame());
            f.frames++;
            if (f.bossFrom < 0 && MainGame::bossStarted) {
                f.bossFrom = frameNumber;
                f.moneyAtBoss = MainGame::money;
            }
            if (boss->getState() == 1 && !MainGame::bossDefeated)
                f.phases.insert(boss->phase);
            if (f.beatenAt < 0 && MainGame::bossDefeated)
                f.beatenAt = frameNumber;
            if (frameNumber % kEvery == 0)
                f.hashes.push_back(playtest::playStateHash(*play));
        }
        return f;
    }
    // What a first play owns: main weapon 0 and support 0 at level 1 (set
    // here, as the saved progress of an earlier test stays in the folder).
    static void firstWeapons()
    {
        main::Game::selectedItemA = 0;
        main::Game::selectedItemB = 0;
        (*main::Game::itemLevelsA)[0] = 1;
        (*main::Game::itemLevelsA)[1] = 0;
        (*main::Game::itemLevelsB)[0] = 1;
    }
    static void bestWeapons()
    {
        main::Game::selectedItemA = 1;
        main::Game::selectedItemB = 0;
        (*main::Game::itemLevelsA)[1] = 3;
        (*main::Game::itemLevelsB)[0] = 3;
    }
    // Every check of a boss flown to the end of its stage.
    void expectBeaten(int32_t s, int32_t level, const Flight& f, const std::set<int32_t>& phases,
                      const std::vector<uint64_t>& recorded)
    {
        ASSERT_GE(f.bossFrom, 0) << "the waves end and the boss comes";
        ASSERT_GT(f.beatenAt, f.bossFrom);
        EXPECT_EQ(f.phases, phases);
        VMPtr<scene::mainGame::boss::ClsBoss> boss = MainGame::bossOf(s);
        // Nothing left that shots can hit (boss 1's lower arm stays on,
        // untouchable; boss 3's pods that fell with a core are not counted
        // off partsLeft).
        for (int32_t i = 0; i < boss->nextItem; i++)
            EXPECT_TRUE(boss->isInactive(i) || boss->isInvulnerable(i)) << "part " << i;
        EXPECT_LT(boss->getBossHp(), 1);
        EXPECT_GT(MainGame::money, f.moneyAtBoss) << "the boss's money picked up";
        EXPECT_EQ(sceneRequests(), std::vector<std::string>{"changeScene 10"});
        EXPECT_EQ((*main::Game::stageDifficulty)[s], level < 4 ? level + 1 : 4) << "cleared";
        EXPECT_EQ(main::Game::money, MainGame::money) << "saved";
        EXPECT_EQ(playtest::firstDivergentFrame(recorded, f.hashes, kEvery), -1)
            << playtest::hashListSource(f.hashes);
    }
};

const uint64_t kArmsBossAtLevelOne[] = {
    0xbc4eafdcc2701306ull, 0x5c2e40af9045e04bull, 0xbf23a6c4dcb61768ull,
    0x55e0ecd1800b6caaull, 0xb2c529946573668aull, 0xd9a2c247e7e38e04ull,
    0x70914410aecd5a5cull, 0x3eced2b10f464f26ull, 0xdb567afc4e3db56cull,
    0x5f78ee7cb28aaa0eull, 0x3ddc9bfd6a7e461cull, 0x4d54a8cd1081e9efull,
    0xb970c3ffefc518ceull, 0x228d1383bc1aac98ull, 0x93c339ec42842945ull
};

const uint64_t kArmsBossAtLevelFourWithTheBestWeapons[] = {
    0xd4e3bd56dc703c50ull, 0xb3c1406af646730dull, 0x3312a2afe1fddd22ull,
    0x72bd63aa87ec5b4eull, 0x419e38b949f56bcaull, 0xc39832b7993c0c04ull,
    0xb11913367352a0cdull, 0x9210e803ceceedc4ull, 0x7a599f331deaea51ull,
    0xfb9df4d711515b05ull, 0x5c484e327cc7ba4full
};

const uint64_t kCoreBossAtLevelOne[] = {
    0x786a9c3305abd8a7ull, 0x91d31aef1e1ead4eull, 0x9c34ddbcb3e87abdull,
    0x76adcc80b6a2c9a3ull, 0x69d24a2f56534c73ull, 0x33192a394c1c55a1ull,
    0x8d58eda0242ed069ull, 0x8607fda796d7336full, 0x73835edcf1951031ull,
    0x91ef349f7ed4d15bull, 0xd5d0ade1f26a3f89ull, 0xec0ab53c66536430ull,
    0xa8bb385fba4dd518ull, 0x1827e6a4c40bf175ull
};

const uint64_t kCoreBossAtLevelFourWithTheBestWeapons[] = {
    0xae494b520a0063b1ull, 0xeff661ef61dcdffcull, 0x7346cee9673bd3afull,
    0xb01e0f17cf771427ull, 0x47a0f94be64225a7ull, 0x7ce2e93d9b82acf1ull,
    0x82a6a4c0a57c73b8ull, 0xaa42186ef1656c65ull, 0xeb92153f283da4a4ull,
    0xb70fa765d1ed60dcull, 0xbc3adf81cb4d588aull, 0xd219f5eb6e8d96b2ull,
    0x6b20eb61ffd28695ull, 0xd88bdb85bbc18c44ull
};

const uint64_t kTwoCoresBossAtLevelOne[] = {
    0xe2880cf14d97822cull, 0xb2fdc16401323015ull, 0x8e17166cf82d645aull,
    0xd40426653dceed44ull, 0x8692727fecc9aca0ull, 0xd6e0279bb33ab03eull,
    0xa8d41c4371a4d0e6ull, 0x2f7530abb05e8520ull, 0xa3d2e87f08a371aaull,
    0xf2c3515d84167640ull, 0xab9e52d177f83dcaull, 0x3eb09714e57a0fe0ull,
    0x18035c94cb5597e8ull, 0xda3f08862f1edd64ull, 0x46e4f22ffa503d83ull,
    0x6c22d7d61962eb20ull, 0x88d1a00bd5eb2cbbull, 0xa4289ccbac0ac290ull,
    0x9e67be522a9cb284ull, 0xbe25e6e93c8577f4ull, 0xb4820abaaffd9f05ull,
    0x420fd9e915d80f0dull, 0xd122b28c156804afull, 0x418129ee1ec5be65ull,
    0x71001782835b5d4cull, 0xaf750d0d0c417fffull, 0xe7479f5c7e2df2d5ull,
    0x47b16660b4d6f927ull, 0x428159a33881c2c6ull
};

const uint64_t kTwoCoresBossAtLevelFourWithTheBestWeapons[] = {
    0xc804c8872df14e32ull, 0x10658107aa0d6e6bull, 0xb3152f4633b23b34ull,
    0xcf3c8b921e8354ull, 0xa8481cf6adf1e23cull, 0x4d9b9daa7f915ed6ull,
    0x259699fb75ccb4d7ull, 0x54990a41bd54ba06ull, 0x94db7268a9383053ull,
    0x17e8e91e4158f267ull, 0x182eb45c4580823aull, 0xbfe4cb19dcfe2f3full,
    0xfd242e3c7a5fe1c5ull, 0x806d9ed0f984b2a4ull, 0x686b6e5fae264e7dull
};

struct Case {
    const char* name;
    int32_t stage, level;
    bool best;
    std::set<int32_t> phases;
    const uint64_t* hashes;
    size_t count;
};

const Case kCases[] = {
    {"ArmsBossAtLevelOne", 0, 1, false, {0, 1}, kArmsBossAtLevelOne, std::size(kArmsBossAtLevelOne)},
    {"ArmsBossAtLevelFourWithTheBestWeapons", 0, 4, true, {0, 1, 2, 3, 4}, kArmsBossAtLevelFourWithTheBestWeapons, std::size(kArmsBossAtLevelFourWithTheBestWeapons)},
    {"CoreBossAtLevelOne", 1, 1, false, {-1, 0, 1}, kCoreBossAtLevelOne, std::size(kCoreBossAtLevelOne)},
    {"CoreBossAtLevelFourWithTheBestWeapons", 1, 4, true, {-1, 0, 1, 2}, kCoreBossAtLevelFourWithTheBestWeapons, std::size(kCoreBossAtLevelFourWithTheBestWeapons)},
    {"TwoCoresBossAtLevelOne", 2, 1, false, {0}, kTwoCoresBossAtLevelOne, std::size(kTwoCoresBossAtLevelOne)},
    {"TwoCoresBossAtLevelFourWithTheBestWeapons", 2, 4, true, {0, 1, 2, 3}, kTwoCoresBossAtLevelFourWithTheBestWeapons, std::size(kTwoCoresBossAtLevelFourWithTheBestWeapons)},
};

class BossStageTest : public BossReplayTest, public testing::WithParamInterface<Case> {};

TEST_P(BossStageTest, BeatenThroughEveryPhaseAsRecorded)
{
    const Case& c = GetParam();
    if (c.best)
        bestWeapons();
    else
        firstWeapons();
    Flight f = flyStage(c.stage, c.level);
    expectBeaten(c.stage, c.level, f, c.phases, std::vector<uint64_t>(c.hashes, c.hashes + c.count));
}

INSTANTIATE_TEST_SUITE_P(Bosses, BossStageTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

} // namespace
