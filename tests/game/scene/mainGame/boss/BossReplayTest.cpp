// The eight bosses in a whole stage, flown by one bot with a fixed seed and
// frames of 40 ms: the waves, the boss's entry and every phase of its
// attack, its parts shot away by the ship's weapons, the money it drops and
// the stage cleared. The bot holds its touch at the safest point near the
// ship, drawn under the boss's lowest hittable part (beside the boss for a
// while first, so that every phase comes round) or sweeping the screen
// during the waves; it never runs out of ships but counts the ones it lost.
//
// The play state's hashes match the recorded lists. A case whose flight
// changes fails with its new list printed as source: paste that over the
// case's list below to record it again.

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"
#include "main/Game.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "scene/mainGame/weapon/ClsBullet.h"

namespace {

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss;

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
    static constexpr int32_t kBotY = 270;
    static constexpr int32_t kLimit = 20000;
    static constexpr int32_t kEvery = 500;

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
    void botTarget(int32_t &tx, int32_t &ty)
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

    // Stage s at the level with the loadout until the stage is left (at
    // most kLimit frames); the bot waits `wait` fighting frames of the boss
    // before it attacks.
    Flight flyStage(int32_t s, int32_t level, int32_t wait, playtest::Loadout loadout)
    {
        scenetest::requests.clear();
        waitFrames = wait;
        bossFrames = 0;
        startStage(s, level, loadout);
        VMPtr<ClsBoss> boss = MainGame::bossOf(s);
        Flight f;
        while (f.frames < kLimit && sceneRequests().empty()) {
            if (MainGame::player->getLives() < 3) {
                f.shipsLost++;
                MainGame::player->setLives(3);
            }
            int32_t tx = 120;
            int32_t ty = kBotY;
            if (f.frames > 0)
                botTarget(tx, ty);
            using E = playtest::InputEvent;
            step({E{frameNumber, f.frames == 0 ? E::TOUCH_DOWN : E::TOUCH_MOVE, 0, tx, ty}});
            f.frames++;
            if (f.bossFrom < 0 && MainGame::bossStarted) {
                f.bossFrom = frameNumber;
                f.moneyAtBoss = MainGame::money;
            }
            if (boss->getState() == 1 && !MainGame::bossDefeated) {
                bossFrames++;
                f.phases.insert(boss->phase);
            }
            if (f.beatenAt < 0 && MainGame::bossDefeated)
                f.beatenAt = frameNumber;
            if (frameNumber % kEvery == 0)
                f.hashes.push_back(playtest::playStateHash(*play));
        }
        return f;
    }

    int32_t waitFrames = 0;
    int32_t bossFrames = 0;
};

const uint64_t kArmsBossAtLevelOne[] = {
    0x6e1f68a5734db0a4ull, 0xadd37ff5288bca40ull, 0xddd0a0db4da72337ull, 0x3553a010254eb2dcull,
    0x1ea691f184f86942ull, 0x583cfaa93c44c3b5ull, 0xeeac8bbbf67a2c2bull, 0x15dd745457532efbull,
    0x20f8ee972a3f1da8ull, 0xf9ab1fbe33901460ull, 0x712821fe586b1969ull, 0xaaf18fa89cae8f35ull,
    0x181c82dfdfcba897ull, 0x6fb5f3641096a343ull, 0xe34822da7c2965d2ull, 0xc0298c0ba618d50full,
    0xa77c60edf9ec325aull, 0xa23775830cf6981aull, 0x17c6831f8a1d9f1eull, 0x86ad213f1ac20793ull,
    0x906e236180fbc9cdull, 0x4455bdaa09c49efeull,
};

const uint64_t kArmsBossAtLevelFourWithTheBestWeapons[] = {
    0xaed77eedd9a8739cull, 0x59236d6b43056da4ull, 0x8ddc26eefa88bbf1ull, 0xcb67d930625035a0ull,
    0xcb2a09abf959ae73ull, 0x44ea621bfb89b1ffull,
};

const uint64_t kCoreBossAtLevelOne[] = {
    0x5559b65f143db6e9ull, 0xa5efc3b6af342dull, 0xbbeda3943485e016ull, 0x75be616a69c2daf9ull,
    0xc0af08de36f4680full, 0x378e3dc848ec1f1cull, 0x5e97df9c6eb0382aull, 0xd5cb77227def63deull,
    0x2d4d810ba2b51c5dull, 0x3e8704dad4730631ull, 0x4dc4aad5fad656f4ull, 0xfc70866dfda165c8ull,
    0x5de2f71ec5d15bfaull, 0x893888912b87f906ull, 0x9869157a0259c36bull, 0x8398494dd7d3245eull,
    0x9d8770722339785full, 0x2f715938bb7adc8bull, 0x2d9760318d161cffull, 0x4d501733da0b5432ull,
    0xec2a55c4299a4f03ull,
};

const uint64_t kCoreBossAtLevelFourWithTheBestWeapons[] = {
    0x86f964ca747f81adull, 0x4e67472138a48091ull, 0xf4f828d69e6d7790ull, 0xf125d65dafcaa841ull,
    0xd6d4a9550d58a16ull, 0xb605d97436be3930ull, 0xc86b069c51702f7ull,
};

const uint64_t kTwoCoresBossAtLevelOne[] = {
    0x21bab5db175aae92ull, 0xa3662931dc8f870aull, 0xd506740ca14cbda1ull, 0x20d0f945e61e56deull,
    0x3f3121403bba1780ull, 0x1ed7254676fb4f7full, 0x95c367bfd9580041ull, 0x25440b181941caa1ull,
    0x181e2fbff760d092ull, 0xd73a24b881d5a906ull, 0x47e38636b8f200afull, 0x218e8cbb58f6313ull,
    0xa1e535bffc624361ull, 0xe3da2cec8102b65dull, 0x49a486407730b6acull, 0xa43bc2b8d66f46dull,
    0x4b1c9bedfc0c5558ull, 0x5576380a624a0698ull, 0x6404c8218378024dull, 0x5e2259f26072c8c2ull,
    0x47a8f3256dab10dfull, 0xb161b62fbf31c129ull, 0x27f24e0aa18b4326ull, 0x60dbbf3857d02d99ull,
};

const uint64_t kTwoCoresBossAtLevelFourWithTheBestWeapons[] = {
    0xf33295638d6684faull, 0x88e51201da4195d2ull, 0x31df65726fbb2787ull, 0xe0e0ea13c46fefeull,
    0xc08db284f33196ecull, 0x3c709aa4b1dfc4ebull,
};

const uint64_t kChainBossAtLevelOne[] = {
    0x615e279af434d88dull, 0x85b94106d7a0d06aull, 0x644e5622ff12232eull, 0x148e6c60cc8d5e29ull,
    0x576d990a43c55f9bull, 0xe170750c36137776ull, 0x58473ff367d3dbbaull, 0x7f2232c802d9cfd1ull,
    0xf97a49e04e94c037ull, 0xe277a08509247387ull, 0x40e8dadae4b778b2ull, 0x3fe225f1807b6fe0ull,
    0xc428a0fd121a2d4bull, 0x93c633e89956df75ull,
};

const uint64_t kBodyBossAtLevelOne[] = {
    0x792a726b72573027ull, 0x65cb5ac873c5b0b8ull, 0x24e0b9ee598e2434ull, 0x9726160153d8d8dfull,
    0x2c62610a2f4ed379ull, 0x71a31131b9e0e3d8ull, 0xd11d1e4a7a2ec690ull, 0xa821a255ebb09957ull,
    0x8d6f192ff98b44b9ull, 0x7ebf29c6dfba13a4ull, 0xa937727dae5a1db2ull, 0x1e710fbb0533a8acull,
};

const uint64_t kWingedBossAtLevelOne[] = {
    0xef1e176e1c069772ull, 0xde30f4abeee05141ull, 0xb0e05e57cffdf8e9ull, 0x62b78a4b1ad044feull,
    0x9720d1b64824cb0cull, 0x251a9eee1898725ull, 0xd57ce57e96982941ull, 0x45b0d5771912f44aull,
    0xb87f61bd47c0b4c4ull, 0x5d532e5716351647ull, 0x1b538ef9f6f9b709ull,
};

const uint64_t kOrbitingBossAtLevelOne[] = {
    0x35a408beb10be831ull, 0xae8ee3ae4acf589eull, 0x4fcad8d6639a52daull, 0x2d71c938403335e5ull,
    0x98ab3820b1229607ull, 0x4801e7d945692f86ull, 0x9df39973b307e3b2ull, 0x26973305ec4cf455ull,
    0x547b7a820d6ac2a3ull, 0xa778d58d658f666aull, 0x5adb8c57b6826441ull, 0xbdbe94fcb0f9e2e5ull,
};

const uint64_t kShieldedBossAtLevelOne[] = {
    0x953207748705cce4ull, 0x984a9d375a3f233full, 0xcb627ce596d0111full, 0x258a94da73be0bcull,
    0x4d63fa5175cf76aull, 0xa34b2e9eccbb6b13ull, 0x7e32f41a80144ae3ull, 0xf8a1a78bce0ad4d0ull,
    0x764541585299166ull, 0x66e457fa9a4aa46dull, 0x2e236c055ed3e14full, 0x889ca6823b83cca0ull,
};

// A first play's weapons: the main gun and the barrier at level 1; the
// best: the second main weapon and the barrier at level 3.
const playtest::Loadout kFirst{0, 1, 0, 1};
const playtest::Loadout kBest{1, 3, 0, 3};
const playtest::Loadout kGunAndBarrier{0, 3, 0, 3};

struct Case {
    const char *name;
    int32_t stage, level, wait;
    playtest::Loadout loadout;
    std::set<int32_t> phases;
    // Every part off at the end, and the running total spent.
    bool allOff, hpSpent;
    const uint64_t *hashes;
    size_t count;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

#define VX_HASHES(list) list, std::size(list)

const Case kCases[] = {
    {"ArmsBossAtLevelOne", 0, 1, 600, kFirst, {0, 1}, false, true, VX_HASHES(kArmsBossAtLevelOne)},
    {"ArmsBossAtLevelFourWithTheBestWeapons",
     0,
     4,
     0,
     kBest,
     {0, 1, 2, 3, 4},
     false,
     true,
     VX_HASHES(kArmsBossAtLevelFourWithTheBestWeapons)},
    {"CoreBossAtLevelOne",
     1,
     1,
     600,
     kFirst,
     {-1, 0, 1},
     false,
     true,
     VX_HASHES(kCoreBossAtLevelOne)},
    {"CoreBossAtLevelFourWithTheBestWeapons",
     1,
     4,
     0,
     kBest,
     {-1, 0, 1, 2},
     false,
     true,
     VX_HASHES(kCoreBossAtLevelFourWithTheBestWeapons)},
    {"TwoCoresBossAtLevelOne",
     2,
     1,
     600,
     kFirst,
     {0},
     false,
     true,
     VX_HASHES(kTwoCoresBossAtLevelOne)},
    {"TwoCoresBossAtLevelFourWithTheBestWeapons",
     2,
     4,
     0,
     kBest,
     {0, 1, 2, 3},
     false,
     true,
     VX_HASHES(kTwoCoresBossAtLevelFourWithTheBestWeapons)},
    {"ChainBossAtLevelOne",
     3,
     1,
     450,
     kGunAndBarrier,
     {0, 1, 2, 3, 4},
     true,
     false,
     VX_HASHES(kChainBossAtLevelOne)},
    {"BodyBossAtLevelOne",
     4,
     1,
     600,
     kGunAndBarrier,
     {0, 1},
     true,
     false,
     VX_HASHES(kBodyBossAtLevelOne)},
    {"WingedBossAtLevelOne",
     5,
     1,
     600,
     kGunAndBarrier,
     {0, 1},
     true,
     false,
     VX_HASHES(kWingedBossAtLevelOne)},
    {"OrbitingBossAtLevelOne",
     6,
     1,
     600,
     kGunAndBarrier,
     {0, 1, 2, 3},
     true,
     false,
     VX_HASHES(kOrbitingBossAtLevelOne)},
    {"ShieldedBossAtLevelOne",
     7,
     1,
     600,
     kGunAndBarrier,
     {0, 1, 2, 3},
     true,
     false,
     VX_HASHES(kShieldedBossAtLevelOne)},
};

#undef VX_HASHES

class BossStageTest : public BossReplayTest, public testing::WithParamInterface<Case> {};

TEST_P(BossStageTest, BeatenThroughEveryPhaseAsRecorded)
{
    const Case &c = GetParam();
    Flight f = flyStage(c.stage, c.level, c.wait, c.loadout);
    ASSERT_GE(f.bossFrom, 0) << "the waves end and the boss comes";
    ASSERT_GT(f.beatenAt, f.bossFrom) << f.frames << " frames, " << f.shipsLost << " ships lost";
    EXPECT_EQ(f.phases, c.phases);
    VMPtr<ClsBoss> boss = MainGame::bossOf(c.stage);
    // Nothing left that shots can hit (boss 1's lower arm stays on,
    // untouchable; boss 3's pods that fell with a core are not counted off
    // partsLeft).
    for (int32_t i = 0; i < boss->nextItem; i++)
        EXPECT_TRUE(boss->isInactive(i) || boss->isInvulnerable(i)) << "part " << i;
    if (c.allOff) {
        EXPECT_EQ(boss->countActiveParts(), 0);
    }
    if (c.hpSpent) {
        EXPECT_LT(boss->getBossHp(), 1);
    }
    EXPECT_GT(MainGame::money, f.moneyAtBoss) << "the boss's money picked up";
    EXPECT_EQ(sceneRequests(), std::vector<std::string>{"changeScene 10"});
    EXPECT_EQ((*main::Game::stageDifficulty)[c.stage], c.level < 4 ? c.level + 1 : 4) << "cleared";
    EXPECT_EQ(main::Game::money, MainGame::money) << "saved";
    EXPECT_EQ(playtest::firstDivergentFrame(std::vector<uint64_t>(c.hashes, c.hashes + c.count),
                                            f.hashes, kEvery),
              -1)
        << playtest::hashListSource(f.hashes);
}

INSTANTIATE_TEST_SUITE_P(Bosses, BossStageTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case> &info) { return info.param.name; });

} // namespace
