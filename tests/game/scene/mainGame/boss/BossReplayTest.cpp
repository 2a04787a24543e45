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
    0xd107204a4051a418ull, 0x453ac45250c21aacull, 0x26e30e9609821c30ull, 0x1d9e87d7fe1c1c83ull,
    0x35e55489fb191d37ull, 0x78f50322d6450ebull, 0x67e8eb20b5221bf7ull, 0xc1035f371427f69bull,
    0x8b4bb96bcda55721ull, 0x5d7f2640763a1ecaull, 0x799b61e6bed2f65bull, 0x989049c366c37bbbull,
    0x4032655033e96b29ull, 0x7fb9b705435f1ea0ull,
};

const uint64_t kArmsBossAtLevelFourWithTheBestWeapons[] = {
    0xaed77eedd9a8739cull, 0x59236d6b43056da4ull, 0x8ddc26eefa88bbf1ull, 0xb00a0f31b9f08a30ull,
    0xfaeba55d1d84adb0ull, 0x33c9ce582dd787ffull,
};

const uint64_t kCoreBossAtLevelOne[] = {
    0x5559b65f143db6e9ull, 0xa5efc3b6af342dull, 0xbbeda3943485e016ull, 0x75be616a69c2daf9ull,
    0x8864c0cd3b28f3c9ull, 0x39f3d36832454d99ull, 0x8b1b4e8a0ee8ac09ull, 0x8cd03d8892598dd6ull,
    0xac41df47baa8f76ull, 0xcfb8df0298892a46ull, 0x17ad530ca2e04e02ull, 0x7ff5d5c881ee74c6ull,
    0x2065e408b3c635f8ull, 0xa66cca5254d96347ull, 0x39dd9aa0e30611caull, 0xd1c78283f8fccc7full,
    0xf8926454220be838ull, 0x66ed267599b29a02ull,
};

const uint64_t kCoreBossAtLevelFourWithTheBestWeapons[] = {
    0x86f964ca747f81adull, 0x4e67472138a48091ull, 0xf4f828d69e6d7790ull, 0x1a880a59f5e31585ull,
    0xabb4780c04adef7cull, 0x743c4f552575b46aull, 0x30322cea991b324full,
};

const uint64_t kTwoCoresBossAtLevelOne[] = {
    0x21bab5db175aae92ull, 0xa3662931dc8f870aull, 0xd506740ca14cbda1ull, 0x20d0f945e61e56deull,
    0x4d7f6cd7a061ceb6ull, 0x8b6fddb788f071e2ull, 0xe2a06018db717056ull, 0x2883b5247faa09e9ull,
    0xc5194a9538a109ddull, 0x1af70babbfc858a5ull, 0x24a68a5f8031e119ull, 0xa455a1c9d8e678a1ull,
    0x9ed86aa2cca61427ull, 0xb8faa41edf971a60ull, 0x307971cf58281b71ull, 0xf13e87028797ae78ull,
    0x49e8c80a577b9f02ull, 0x8a4fb2e68a098e6dull, 0x878953aef1052abeull, 0xeee1579bb031694aull,
};

const uint64_t kTwoCoresBossAtLevelFourWithTheBestWeapons[] = {
    0xf33295638d6684faull, 0x88e51201da4195d2ull, 0x31df65726fbb2787ull, 0xf7e66b1caf3a84eull,
    0x37470549c49be924ull, 0x2093bbda19416c0aull,
};

const uint64_t kChainBossAtLevelOne[] = {
    0x615e279af434d88dull, 0x85b94106d7a0d06aull, 0x644e5622ff12232eull, 0x148e6c60cc8d5e29ull,
    0x576d990a43c55f9bull, 0xe170750c36137776ull, 0x58473ff367d3dbbaull, 0xbdf8b7cd67af4185ull,
    0x68ff8e68d36946f3ull, 0xddced4c5a54a6505ull, 0xd1c6eb7854e68bb0ull, 0xad68a95c74cd5bf1ull,
    0xc6d960bdfe2dd729ull, 0xa622c1766294930bull,
};

const uint64_t kBodyBossAtLevelOne[] = {
    0x792a726b72573027ull, 0x65cb5ac873c5b0b8ull, 0x24e0b9ee598e2434ull, 0x9726160153d8d8dfull,
    0x2c62610a2f4ed379ull, 0x71a31131b9e0e3d8ull, 0xd11d1e4a7a2ec690ull, 0xd35591d1470f1b1bull,
    0x323c8c0418ea06e5ull, 0xc46f04a6f042a99dull, 0xaedcf4e6bd9f85efull, 0x655da867bc49d4f4ull,
};

const uint64_t kWingedBossAtLevelOne[] = {
    0xef1e176e1c069772ull, 0xde30f4abeee05141ull, 0xb0e05e57cffdf8e9ull, 0x62b78a4b1ad044feull,
    0x9720d1b64824cb0cull, 0x251a9eee1898725ull, 0xd57ce57e96982941ull, 0xe1981f41db95cb12ull,
    0x8508001d3f30eaacull, 0xbb1eae7e7f74ac6dull, 0xf6f16eae4ddbc362ull,
};

const uint64_t kOrbitingBossAtLevelOne[] = {
    0x35a408beb10be831ull, 0xae8ee3ae4acf589eull, 0x4fcad8d6639a52daull, 0x2d71c938403335e5ull,
    0x98ab3820b1229607ull, 0x4801e7d945692f86ull, 0x9df39973b307e3b2ull, 0xe7ae36be600d0f89ull,
    0xd81dbc43d3fadf73ull, 0x698e0c20dbd24672ull, 0x1f1930e0b1e4f26eull, 0xbf8a438cf78e9061ull,
    0xa0ed309b3ec1737eull, 0x45ad4a030dc22490ull, 0x1eaa8af6b67501a5ull,
};

const uint64_t kShieldedBossAtLevelOne[] = {
    0x953207748705cce4ull, 0x984a9d375a3f233full, 0xcb627ce596d0111full, 0x258a94da73be0bcull,
    0x4d63fa5175cf76aull, 0xa34b2e9eccbb6b13ull, 0x7e32f41a80144ae3ull, 0x66057400fcf831c8ull,
    0x1c09f0fc82de7372ull, 0x727fbf22341edeb2ull, 0x942420e94f5e1e1full, 0x48c82983eecd4563ull,
    0x64219d0fef347fd6ull,
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
     400,
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
