// The bosses of stages 3 to 7 in a whole stage, flown by a bot that holds
// its touch at the safest point near the ship, drawn under the boss's
// lowest hittable part or sweeping the screen during the waves: the boss
// enters, goes through its patterns, loses its parts under the player's
// shots, drops money, and the stage ends cleared, the same every run.

#include <algorithm>
#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"
#include "main/Game.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "scene/mainGame/weapon/ClsBullet.h"

namespace {

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss;

// What a flight saw: its frames, the boss's fighting frames and the
// patterns it used in them, the money picked up from the boss's start on,
// whether the stage ended cleared, and the play-state hashes.
struct Flight {
    int32_t frames = -1;
    int32_t bossFrames = 0;
    std::set<int32_t> patterns;
    int32_t bossMoney = 0;
    bool cleared = false;
    std::vector<uint64_t> hashes;
};

class BossReplayTest : public playtest::PlayFixture {
protected:
    static constexpr int32_t kBotY = 270;
    static constexpr int32_t kLimit = 20000;
    static constexpr int32_t kHashEvery = 500;

    // How close the enemy shots and planes come to (px, py) over the next
    // frames: the nearer in time, the worse.
    static int32_t danger(int32_t px, int32_t py)
    {
        int32_t d = 0;
        VMPtr<tq::util::ArrayList> shots = MainGame::enemyBullets;
        for (int32_t k = 0; k < shots->size(); k++) {
            VMPtr<scene::mainGame::weapon::ClsBullet> b =
                vm_cast<scene::mainGame::weapon::ClsBullet>(shots->get(k));
            if (b->pickup || b->dead)
                continue;
            for (int32_t t = 0; t < 16; t++) {
                int32_t bx = (b->x + b->vx * t) >> 5;
                int32_t by = (b->y + b->vy * t) >> 5;
                if (std::abs(bx - px) < 14 && std::abs(by - py) < 16)
                    d += 20 - t;
            }
        }
        VMPtr<scene::mainGame::ClsEnemy> e = MainGame::enemies;
        for (int32_t i = 0; i < e->nextItem; i++) {
            if (!e->isInactive(i) && std::abs(e->getX(i) - px) < 30 &&
                std::abs(e->getY(i) - py) < 34)
                d += 40;
        }
        VMPtr<ClsBoss> boss = MainGame::bossOf(MainGame::stage);
        for (int32_t i = 0; boss != nullptr && i < boss->nextItem; i++) {
            if (!boss->isInactive(i) && std::abs(boss->getX(i) - px) < 30 &&
                std::abs(boss->getY(i) - py) < 34)
                d += 40;
        }
        return d;
    }

    // Where the bot holds its touch this frame: the safest point near the
    // ship, drawn towards the x it wants to shoot from.
    void botTarget(int32_t& tx, int32_t& ty)
    {
        int32_t want = botX();
        int32_t sx = MainGame::player->getX(0);
        int32_t sy = std::clamp(MainGame::player->getY(0), 200, 300);
        int32_t best = INT32_MAX;
        for (int32_t dy = -40; dy <= 40; dy += 20) {
            for (int32_t dx = -60; dx <= 60; dx += 10) {
                int32_t px = std::clamp(sx + dx, 10, 230);
                int32_t py = std::clamp(sy + dy, 200, 300);
                int32_t cost = danger(px, py) * 100 + std::abs(px - want) + std::abs(py - kBotY) +
                               std::abs(dx) / 2 + std::abs(dy) / 2;
                if (cost < best) {
                    best = cost;
                    tx = px;
                    ty = py;
                }
            }
        }
    }

    // The x the bot would like to shoot from: under the boss's lowest
    // hittable part once the boss has fought for waitFrames, beside it
    // before that.
    int32_t botX()
    {
        VMPtr<ClsBoss> boss = MainGame::bossOf(MainGame::stage);
        if (MainGame::bossStarted && boss != nullptr && boss->getState() == 1 &&
            bossFrames < waitFrames)
            return 12;
        if (MainGame::bossStarted && boss != nullptr && boss->getState() == 1) {
            int32_t best = -1;
            for (int32_t i = 0; i < boss->nextItem; i++) {
                if (boss->isInactive(i) || boss->isInvulnerable(i))
                    continue;
                if (best < 0 || boss->getY(i) > boss->getY(best))
                    best = i;
            }
            if (best >= 0)
                return std::clamp(boss->getX(best), 10, 230);
        }
        int32_t phase = frameNumber % 200;
        return 30 + (phase < 100 ? phase : 200 - phase) * 18 / 10;
    }

    // Stage s at the level with the weapon at its level and the barrier at
    // level 3, flown until the stage ends (at most kLimit frames); the bot
    // waits `wait` fighting frames of the boss before it attacks.
    Flight flyStage(int32_t stage, int32_t level, int32_t wait, int32_t weapon,
                    int32_t weaponLevel)
    {
        main::Game::selectedItemA = weapon;
        (*main::Game::itemLevelsA)[weapon] = weaponLevel;
        main::Game::selectedItemB = 0;
        (*main::Game::itemLevelsB)[0] = 3;
        scenetest::requests.clear();
        waitFrames = wait;
        bossFrames = 0;
        startStage(stage, level);
        Flight f;
        int32_t moneyAtBoss = -1;
        for (int32_t n = 0; n < kLimit && sceneRequests().empty(); n++) {
            int32_t tx = 120;
            int32_t ty = kBotY;
            if (n > 0)
                botTarget(tx, ty);
            playtest::Script script{{frameNumber,
                                     n == 0 ? playtest::InputEvent::TOUCH_DOWN
                                            : playtest::InputEvent::TOUCH_MOVE,
                                     0, tx, ty}};
            step(script);
            VMPtr<ClsBoss> boss = MainGame::bossOf(stage);
            if (MainGame::bossStarted && moneyAtBoss < 0)
                moneyAtBoss = MainGame::money;
            if (boss->getState() == 1 && !MainGame::bossDefeated) {
                bossFrames = ++f.bossFrames;
                f.patterns.insert(boss->phase);
            }
            if (frameNumber % kHashEvery == 0)
                f.hashes.push_back(playtest::playStateHash(*play));
        }
        f.frames = frameNumber;
        f.bossMoney = main::Game::money - moneyAtBoss;
        f.cleared = sceneRequests() == std::vector<std::string>{"changeScene 10"} &&
                    MainGame::bossDefeated;
        return f;
    }

    void checkReplay(int32_t stage, const std::set<int32_t>& patterns,
                     const std::vector<uint64_t>& recorded);

    int32_t waitFrames = 0;
    int32_t bossFrames = 0;
};

// Stage s's boss at level 1 flown by the bot with the main gun at level 3
// and the barrier: it waits beside the boss for 600 fighting frames, so
// that every pattern of the level comes round, then shoots the boss down.
void BossReplayTest::checkReplay(int32_t stage, const std::set<int32_t>& patterns,
                                 const std::vector<uint64_t>& recorded)
{
    Flight f = flyStage(stage, 1, 600, 0, 3);
    VMPtr<ClsBoss> boss = MainGame::bossOf(stage);
    EXPECT_TRUE(f.cleared) << f.frames << " frames";
    EXPECT_EQ(f.patterns, patterns);
    EXPECT_EQ(boss->countActiveParts(), 0);
    EXPECT_GT(f.bossMoney, 0);
    EXPECT_EQ(playtest::firstDivergentFrame(recorded, f.hashes, kHashEvery), -1)
        << playtest::hashListSource(f.hashes);
}

TEST_F(BossReplayTest, ChainBossOfStage3)
{
    checkReplay(3, {0, 1, 2, 3, 4}, {
          0x6fd467e7562dbfe5ull, 0x765ad506b45f34c3ull, 0x779a690e5f927b28ull,
          0x64c5ff3289a8c094ull, 0x14894ad4b87bc632ull, 0x68e84a659c40da23ull,
          0xbd99f7dc156e2045ull, 0x662e9000eab0566bull, 0xa116d76b1ffc11c2ull,
          0xe7ce3f1d3db1e0bfull, 0x1cf47bb640caf77cull});
}

TEST_F(BossReplayTest, BodyBossOfStage4)
{
    checkReplay(4, {0, 1}, {
          0x5b75f27a1238c263ull, 0x5baadbde817273e5ull, 0xeaf22cc23e0acf46ull,
          0x77c39bfd9f20c106ull, 0x8891d9481b04e14cull, 0xead9ce1ca48ce8b1ull,
          0xe634e04a976d2affull, 0xb9591d4fccfed4f5ull, 0x6525522d5fac7a71ull,
          0x2e78548f7e4a6149ull});
}

TEST_F(BossReplayTest, WingedBossOfStage5)
{
    checkReplay(5, {0, 1}, {
          0x847845122b2e7806ull, 0xcbb70d79a5a0da4ull, 0x7ae9121dd8119ad3ull,
          0x89a3721cfaf46ac7ull, 0x1c1c782a04f6cd69ull, 0x1bfca99e9750a0b4ull,
          0x98b05a4359243222ull, 0xb82a0c02344eb5cull, 0xdc4be0915a53192aull,
          0x9b0d4269187c4b99ull});
}

TEST_F(BossReplayTest, OrbitingBossOfStage6)
{
    checkReplay(6, {0, 1, 2, 3}, {
          0x186c05d7c00c9399ull, 0xf48493489694a17ull, 0xd2851e620adb857cull,
          0x21da437190aa2f38ull, 0xfce6c07bf3d22506ull, 0x4ddc84680cce773bull,
          0x6ed7dc16a24367adull, 0x7b2ca2844e0c96d3ull, 0x9130df19129b973aull,
          0xf3104fe2be2ccd89ull, 0xa0da3b4adeff31ccull});
}

TEST_F(BossReplayTest, ShieldedBossOfStage7)
{
    checkReplay(7, {0, 1, 2, 3}, {
          0xa98ea212ba7b268cull, 0xb97349ca33808936ull, 0x9f2daa4839110111ull,
          0x85a35ceef3f1f8e9ull, 0x6328bac0db7c636bull, 0xaac3d29e015c359eull,
          0x29f9e6b1bca2d9c8ull, 0xf24b1a9f4de3551aull, 0x4ce7dd04db95e0e0ull,
          0xc1f0d33a71cf1100ull, 0x3ed90378c70606a5ull, 0x3796c83a09b72325ull});
}

} // namespace
