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
    0xbde16827e720bfacull, 0x6145719f6c607a78ull, 0x9fa19327628bd05full, 0xceb983405d2cea74ull,
    0xa3d660e9958dc20aull, 0x76d6cf43bd138c3dull, 0xbf7f0ccdd274fe3ull,  0x1868ca904e2938f3ull,
    0x76c392ddfba21dd0ull, 0x8bbe852afa0afe78ull, 0x93f602cd3442af61ull, 0x68b52a2b422dccfdull,
    0x61471a26e30c06cfull, 0xfcc19e3a4fc2c68bull, 0xc99eb3487e61894aull, 0xd758e629000f3257ull,
    0x127936efc7b2b7b2ull, 0x6e20d253f4386802ull, 0x6a1316c76db438b6ull, 0xadc36e8cffd5bd0bull,
    0x6b35658af1588ce5ull, 0x4e9a3d964ca3d636ull,
};

const uint64_t kArmsBossAtLevelFourWithTheBestWeapons[] = {
    0x89b2339122c5ace4ull, 0x32d9658f6123076full, 0xda7200d9f0a958caull,
    0x1d9da9baacc50003ull, 0x7d415a15b08b058bull, 0x8620e25e7a49b827ull,
};

const uint64_t kCoreBossAtLevelOne[] = {
    0x99da805a3965aa51ull, 0xa36e0789537fad65ull, 0xba4b2e77d3800d1eull, 0xffd44b5558136931ull,
    0x5c50190e83b8f597ull, 0xa95bee3da3fb11a4ull, 0xb124858358ea3722ull, 0x936e96c8305edc36ull,
    0x58ecc1f954dbd045ull, 0xac1d482a308c209ull,  0xd07b23cf7023a86cull, 0x90f590c00d6a0710ull,
    0x788cb56129e6c532ull, 0x4beb345f902afc4eull, 0x98fff04b2529fa63ull, 0x70c61e5b8cfb0266ull,
    0x1598927b03e8af57ull, 0x7679e2d46deca493ull, 0xde9cc7cc21a1ceb7ull, 0x93b0ed385dc7a3aull,
    0xaa4ff904d7c11febull,
};

const uint64_t kCoreBossAtLevelFourWithTheBestWeapons[] = {
    0x3e60602075e52c95ull, 0x84b46d27a5b63952ull, 0x3852b892a47cf1bbull, 0xf5d8430981475c42ull,
    0x37b18f87c373ca1eull, 0x28d10e414956d2f8ull, 0xc802e9b5dc77d22full,
};

const uint64_t kTwoCoresBossAtLevelOne[] = {
    0x33cf1cf3bad8a21aull, 0x4a92da91fc18b442ull, 0x9ce265575d353ee9ull, 0x8f254954d44f8f16ull,
    0x23ef3e5d78b691e8ull, 0x65621cf5489f3d07ull, 0xe7e97c7424ef9659ull, 0x76ce4aeed38b1019ull,
    0x9603600c0c83a4faull, 0xa6e4215d4c4600deull, 0xce942459328fbe87ull, 0x80495e83f1cb577bull,
    0x1f28801e9190cf39ull, 0xa30f6ea7f15aaec5ull, 0x11857dd827a22644ull, 0x61c5beaa5bd93bb5ull,
    0x7809e8c45c00c870ull, 0x7de7b42823dddf00ull, 0xfe6f2ec2be183f85ull, 0xedccb8743ff01c1aull,
    0x562d0d52d0057427ull, 0x6e5e139b2fe311a1ull, 0xcc701d859060fceull,  0xf2f79b65620c87a1ull,
};

const uint64_t kTwoCoresBossAtLevelFourWithTheBestWeapons[] = {
    0xd3f4090cfb75fba2ull, 0x6c628657682769a1ull, 0xc6a1fa397d3f9e3cull,
    0x4a05598dc1b1b76dull, 0xa304e17e025a3fa4ull, 0x884db2ab65442d53ull,
};

const uint64_t kChainBossAtLevelOne[] = {
    0x83115e4396bdbf35ull, 0xcfd1410e96cb74b2ull, 0x9068c73c7e206416ull, 0xb524f0bfcc84dcf1ull,
    0x450dd45bf5868523ull, 0x8b63a94c38d6bbeeull, 0x8bcb19951d2e0e72ull, 0x37eb63bc50445c79ull,
    0x899af3b51b87931full, 0x8cd09af6a5ce787full, 0x90631692a396277aull, 0xf8161a9287d74658ull,
    0xb587ad874b31d123ull, 0x40c87ce76b10754dull,
};

const uint64_t kBodyBossAtLevelOne[] = {
    0x71664bc582b9c94full, 0x222c5094e4052b40ull, 0xcd2ac11bd7bd2f7cull, 0x92d0a5b262e98de7ull,
    0x2b0b41f6f29e3881ull, 0xb14f8f0dc1f58a70ull, 0x6bc29f2a58eb28e8ull, 0xd62c98847427a4bfull,
    0xec3191963e4ce601ull, 0xac849e75db2e560cull, 0x2bac9d88cbccaecaull, 0x35b639d985cc28a4ull,
};

const uint64_t kWingedBossAtLevelOne[] = {
    0xe28cf53ab6361b9aull, 0xaa34817f1e598c89ull, 0x6bc742bd63df93d1ull, 0x3c47c1822a54e666ull,
    0xed28f7187253c1d4ull, 0x68c1949557348efdull, 0x459febb03ecdd3b9ull, 0x2d0485de36cc7152ull,
    0xfc85ff547d35a74cull, 0xcff1b62a589763full,  0x67b61c184e4e98f1ull,
};

const uint64_t kOrbitingBossAtLevelOne[] = {
    0x529589075e5d2fd9ull, 0x3dc30f25d784366ull,  0x4b9e1376291a2682ull, 0xbaf8e9d2ce6bb08dull,
    0x3d879dd16f580a6full, 0xdc7b7054ce779abeull, 0x9102410b37d00d2aull, 0x1dedc34ec709233dull,
    0x33c71822000f25ebull, 0xd52f58bdfbc027c2ull, 0x435e8069c90e5e89ull, 0x92241245b322dc8dull,
};

const uint64_t kShieldedBossAtLevelOne[] = {
    0xf9e572a202f8f0cull,  0x747bc85e78194f47ull, 0x80541843121e0407ull, 0xfc4918011a35c0a4ull,
    0xe83d968785df4d12ull, 0x2d17d38af3a90c0bull, 0x587abc3e052b0b3bull, 0xbe2fb4492ce30038ull,
    0xed86ad74e084f62eull, 0x76faf85ca97ae145ull, 0x84dda1aceddc3f47ull, 0xa569e04262ed21f8ull,
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
