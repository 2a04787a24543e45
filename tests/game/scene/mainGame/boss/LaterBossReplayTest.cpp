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

class LaterBossReplayTest : public playtest::PlayFixture {
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
        scenetest::requests.clear();
        waitFrames = wait;
        bossFrames = 0;
        playtest::Loadout loadout;
        loadout.weapon = weapon;
        loadout.weaponLevel = weaponLevel;
        loadout.support = 0;
        loadout.supportLevel = 3;
        startStage(stage, level, loadout);
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
void LaterBossReplayTest::checkReplay(int32_t stage, const std::set<int32_t>& patterns,
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

TEST_F(LaterBossReplayTest, ChainBossOfStage3)
{
    checkReplay(3, {0, 1, 2, 3, 4}, {
          0x83115e4396bdbf35ull, 0xcfd1410e96cb74b2ull, 0x9068c73c7e206416ull,
          0xb524f0bfcc84dcf1ull, 0x51aae25788740569ull, 0x45ff57b941f3da90ull,
          0xa63a513a29ec3dc2ull, 0xaac1a4007da30a17ull, 0xa0abdafc59712e64ull,
          0x92aa88f467a28ccdull, 0x218204068916f635ull});
}

TEST_F(LaterBossReplayTest, BodyBossOfStage4)
{
    checkReplay(4, {0, 1}, {
          0x71664bc582b9c94full, 0x222c5094e4052b40ull, 0xcd2ac11bd7bd2f7cull,
          0x92d0a5b262e98de7ull, 0xe29e587d47ac4fa3ull, 0xfc1b5cb026806096ull,
          0x32d45c5e48f234f4ull, 0xb3222284aebc1025ull, 0x8690ddb1c5073a5dull,
          0xa475aad208c3f094ull});
}

TEST_F(LaterBossReplayTest, WingedBossOfStage5)
{
    checkReplay(5, {0, 1}, {
          0xe28cf53ab6361b9aull, 0xaa34817f1e598c89ull, 0x6bc742bd63df93d1ull,
          0x3c47c1822a54e666ull, 0x1a2afd52158b025aull, 0x1495e084189f29cfull,
          0x626888fdd1f1acc5ull, 0x25b2431331ad7f8ull, 0x5d4c338292fd58d6ull,
          0x55742b6aac86e480ull});
}

TEST_F(LaterBossReplayTest, OrbitingBossOfStage6)
{
    checkReplay(6, {0, 1, 2, 3}, {
          0x529589075e5d2fd9ull, 0x3dc30f25d784366ull, 0x4b9e1376291a2682ull,
          0xbaf8e9d2ce6bb08dull, 0x1d6fe5e5828cd831ull, 0xc237948cbfed61c4ull,
          0x11054d74f00a306eull, 0xf953d04f46e1381bull, 0xa2812fb4a982698full,
          0xe2731fbbaeb983ecull, 0xd4092f8fb20abf4eull});
}

TEST_F(LaterBossReplayTest, ShieldedBossOfStage7)
{
    checkReplay(7, {0, 1, 2, 3}, {
          0xf9e572a202f8f0cull, 0x747bc85e78194f47ull, 0x80541843121e0407ull,
          0xfc4918011a35c0a4ull, 0x19e42085ff0e1410ull, 0xaba1246d3bf0859dull,
          0xb2f14bd70dcbb497ull, 0x344fed2ec78f64eull, 0x83f7ff6a0b7fb08ull, 0xa2112dba9f60e6dbull,
          0x60cfaae00654a9fcull, 0xf1b7b89ce8cccb5bull});
}

} // namespace
