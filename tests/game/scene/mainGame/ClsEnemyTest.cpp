// The enemy manager: each kind's values and picture, groups that enter as a
// column and followers that take over when the enemy ahead is gone (also on
// a chain that turns back on itself), shots by the shot clock and at death,
// contact with the player, destruction with money and explosion, slots freed
// when an enemy leaves the screen, and the console lines of a leader sent to
// where it stands. The bullet factory and the explosion pool are recorders;
// the pictures come from the play test pack.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/SceneFixture.h"
#include "game/scene/mainGame/boss/BossFixture.h"
#include "global/GameGlobals.h"
#include "main/Game.h"
#include "scene/mainGame/ClsEnemy.h"
#include "scene/mainGame/ClsPlayer.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsBcreator.h"
#include "scene/mainGame/weapon/ClsExplo.h"
#include "tq/util/FastRandom.h"

using scene::mainGame::ClsEnemy;
using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;
using Strings = std::vector<std::string>;

namespace {

// Explosions go into the same log as the factory's calls.
class RecordingExplo : public scene::mainGame::weapon::ClsExplo {
    VM_CLASS(RecordingExplo, scene::mainGame::weapon::ClsExplo)

    void explode(int32_t animation, int32_t x, int32_t y) override
    {
        into->push_back("explode " + std::to_string(animation) + " " + std::to_string(x) + " " +
                        std::to_string(y));
    }

    Strings* into = nullptr;
};

// A player whose elements' unit kinds the test sets.
class UnitsPlayer : public ClsPlayer {
    VM_CLASS(UnitsPlayer, ClsPlayer)

    int32_t getUnitKind(int32_t i) override { return units[i]; }

    std::vector<int32_t> units;
};

class ClsEnemyTest : public scenetest::SceneFixture {
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        copyPack(VX_PLAY_PACK);
        main::Main::random = tq::util::FastRandom::newInstance()->init(int64_t(7));
        main::Main::game = main::Game::newInstance()->init();
        global::GameGlobals::newInstance()->init();
        ui::MyObject::frameTime = 40;
        MainGame::difficulty = 1;
        MainGame::stage = 0;
        MainGame::playerX = 120;
        MainGame::player = nullptr;
        explosions = RecordingExplo::newInstance();
        explosions->init();
        MainGame::explosions = VMPtr<scene::mainGame::weapon::ClsExplo>(explosions.get());
        fresh();
    }
    void TearDown() override
    {
        enemies = nullptr;
        factory = nullptr;
        explosions = nullptr;
        MainGame::enemies = nullptr;
        MainGame::player = nullptr;
        MainGame::explosions = nullptr;
        main::Main::game = nullptr;
        main::Main::random = nullptr;
        SceneFixture::TearDown();
    }

    // A new manager with its 50 free slots, as the play scene makes it.
    void fresh()
    {
        factory = bosstest::RecordingFactory::newInstance();
        factory->init();
        explosions->into = &factory->log;
        enemies = ClsEnemy::newInstance()->init(VMPtr<scene::mainGame::weapon::ClsBcreator>(factory.get()));
        enemies->initEnemies();
        MainGame::enemies = enemies;
    }
    // A group of count enemies from (sx, sy) towards (tx, ty); its first slot.
    int32_t group(int32_t count, int32_t kind, int32_t sx, int32_t sy, int32_t tx, int32_t ty)
    {
        enemies->pushPoint(tx, ty, 48);
        int32_t first = -1;
        for (int32_t k = 0; k < count; k++) {
            enemies->spawn(sx, sy, kind);
            if (first < 0)
                first = enemies->nextItem - 1;
        }
        return first;
    }
    void frames(int32_t n)
    {
        for (int32_t f = 0; f < n; f++)
            enemies->update();
    }
    bool isFree(int32_t i)
    {
        return enemies->getItemFrame(i) == ClsEnemy::FREE_FRAME && enemies->getHp(i) < 1;
    }
    // The frame (counted from 1) on which slot i comes to show the free
    // frame; limit + 1 when it never does.
    int32_t framesUntilFreed(int32_t i, int32_t limit)
    {
        for (int32_t f = 1; f <= limit; f++) {
            frames(1);
            if (enemies->getItemFrame(i) == ClsEnemy::FREE_FRAME)
                return f;
        }
        return limit + 1;
    }
    int32_t x(int32_t i) { return (*enemies->x)[i]; }
    int32_t y(int32_t i) { return (*enemies->y)[i]; }

    // Shots, money and explosions, in order.
    Strings& calls() { return factory->log; }

    VMStatic<ClsEnemy> enemies;
    VMStatic<bosstest::RecordingFactory> factory;
    VMStatic<RecordingExplo> explosions;
};

TEST_F(ClsEnemyTest, EachKindTakesItsValuesAndKeepsWhatItDoesNotSet)
{
    // -1: the value the slot's previous occupant left (primed as 777).
    struct Case {
        int32_t kind;
        int32_t level;
        int32_t hp;
        int32_t drop;
        int32_t speed;
        int32_t interval;
        int32_t shots;
    };
    const Case cases[] = {
        {0, 1, 50, 2, 4, -1, -1},      {0, 4, 200, 2, 4, -1, -1},   {1, 2, 200, 3, 4, 1000, 2},
        {2, 1, 1000, 5, 3, 1500, 5},   {2, 4, 4000, 5, 3, 1500, 8}, {3, 1, 100, 3, 4, -1, 3},
        {3, 4, 400, 3, 4, -1, 4},      {4, 3, 240, 3, 5, -1, -1},   {5, 1, 200, 3, 3, -1, 6},
        {5, 4, 800, 3, 3, -1, 8},      {6, 1, 150, 3, 4, 1500, 2},  {6, 3, 450, 3, 4, 1500, 3},
        {7, 2, 300, 2, 4, 1500, 0},
    };
    ClsPlayer::shotDamage = ClsEnemy::IntArray::newArray(9);
    (*ClsPlayer::shotDamage)[0] = 30;
    for (const Case& c : cases) {
        fresh();
        MainGame::difficulty = c.level;
        (*enemies->shotInterval)[0] = 777;
        (*enemies->shotParam)[0] = 777;
        int32_t e = group(1, c.kind, 72, -72, 72, 392);
        ASSERT_EQ(e, 0);
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " level " + std::to_string(c.level));
        EXPECT_EQ(enemies->getHp(e), c.hp);
        EXPECT_EQ((*enemies->dropCount)[e], c.drop);
        EXPECT_EQ((*enemies->speed)[e], c.speed);
        EXPECT_EQ((*enemies->shotInterval)[e], c.interval < 0 ? 777 : c.interval);
        EXPECT_EQ((*enemies->shotParam)[e], c.shots < 0 ? 777 : c.shots);
        EXPECT_EQ((*enemies->kind)[e], c.kind);
        EXPECT_FALSE(enemies->isInactive(e));
        EXPECT_FALSE(enemies->isInvulnerable(e));
        EXPECT_EQ((*enemies->shotClock)[e], 0);
        EXPECT_EQ(enemies->getAlive(), 1);
        EXPECT_EQ(enemies->getWaveAlive(), 1);
    }
    ClsPlayer::shotDamage = nullptr;
}

TEST_F(ClsEnemyTest, PictureFollowsStageAndSideOfEntry)
{
    struct Case {
        int32_t stage;
        int32_t kind;
        int32_t spawnY;
        int32_t frame;
    };
    const Case cases[] = {
        {0, 0, -72, 1}, {0, 0, 392, 3}, {2, 1, -72, 9},  {2, 1, 392, 11}, {7, 0, 160, 29},
        {7, 0, 161, 31}, {3, 2, -72, 33}, {3, 2, 392, 33}, {12, 0, -72, 29}, {-3, 0, 392, 3},
    };
    for (const Case& c : cases) {
        fresh();
        MainGame::stage = c.stage;
        int32_t e = group(1, c.kind, 72, c.spawnY, 168, 100);
        EXPECT_EQ(enemies->getItemFrame(e), c.frame) << "stage " << c.stage << " y " << c.spawnY;
        EXPECT_EQ((*enemies->baseFrame)[e], c.frame);
    }
}

TEST_F(ClsEnemyTest, GroupEntersAsAColumnAndTheFirstFollowerTakesOverWhenTheLeaderLeaves)
{
    int32_t lead = group(4, 0, 72, -72, 72, 392);
    ASSERT_EQ(lead, 0);
    // 40 ms at speed 4: 5 pixels a frame; the followers 10 steps apart.
    for (int32_t k = 0; k < 4; k++) {
        EXPECT_EQ(x(k), 72) << k;
        EXPECT_EQ(y(k), -72 - 50 * k) << k;
        EXPECT_EQ((*enemies->vy)[k], 5) << k;
    }
    EXPECT_TRUE(enemies->isLeader(0));
    EXPECT_EQ(enemies->getLink(0), 0) << "the ring's first point";
    EXPECT_FALSE(enemies->isLeader(1));
    EXPECT_EQ(enemies->getLink(2), -1);
    EXPECT_EQ(enemies->getLink(3), -2);

    // The leader's top edge (half of 8 pixels above it) passes y 320 when
    // it stands at 328, after 80 frames; the 81st frees it.
    frames(80);
    EXPECT_EQ(y(0), 328);
    EXPECT_EQ(enemies->getAlive(), 4);
    frames(1);
    EXPECT_TRUE(isFree(0));
    EXPECT_EQ(enemies->getAlive(), 3);
    EXPECT_EQ(enemies->getWaveAlive(), 3);
    EXPECT_TRUE(calls().empty()) << "leaving drops nothing";
    // The follower behind it takes over in the same frame.
    EXPECT_TRUE(enemies->isLeader(1));
    EXPECT_EQ(enemies->getLink(1), 0);
    EXPECT_EQ((*enemies->targetX)[1], 72);
    EXPECT_EQ((*enemies->targetY)[1], 392);
    EXPECT_FALSE(enemies->isLeader(2)) << "still follows the one ahead";

    // The freed slot is the lowest free one again.
    EXPECT_EQ(group(1, 1, 168, -72, 168, 392), 0);
}

TEST_F(ClsEnemyTest, FollowerOfADestroyedLeaderHeadsForItsDestination)
{
    int32_t lead = group(2, 0, 72, -72, 168, 392);
    // One pixel right and four down a frame: the follower 12 steps behind.
    EXPECT_EQ((*enemies->vx)[lead], 1);
    EXPECT_EQ((*enemies->vy)[lead], 4);
    EXPECT_EQ(x(1), 60);
    EXPECT_EQ(y(1), -120);
    frames(10);
    enemies->damage(lead, 50);
    frames(1);
    EXPECT_EQ(calls(), (Strings{"money 2 83 -28", "explode 1 83 -28"}));
    EXPECT_TRUE(isFree(lead));
    EXPECT_TRUE(enemies->isLeader(1));
    EXPECT_EQ((*enemies->targetX)[1], 168);
    EXPECT_EQ((*enemies->targetY)[1], 392);
    EXPECT_EQ(enemies->getAlive(), 1);
    EXPECT_EQ(enemies->getWaveAlive(), 1);
}

TEST_F(ClsEnemyTest, FollowerOfTheFirstSlotIsNotTakenForALeader)
{
    // Two points in the ring: the group leads to the second, so a follower
    // of slot 0 (link 0) must not be sent to the first.
    enemies->pushPoint(0, 0, 48);
    group(3, 0, 72, -72, 72, 392);
    EXPECT_EQ(enemies->getLink(0), 1);
    EXPECT_EQ(enemies->getLink(1), 0);
    EXPECT_FALSE(enemies->isLeader(1));
    enemies->damage(1, 50);
    frames(1);
    EXPECT_TRUE(isFree(1));
    EXPECT_FALSE(enemies->isLeader(2));
    EXPECT_EQ(enemies->getLink(2), 0);
    EXPECT_EQ((*enemies->targetX)[2], x(0));
    EXPECT_EQ((*enemies->targetY)[2], y(0)) << "heads for slot 0";
}

TEST_F(ClsEnemyTest, ChainWalkEndsOnAChainThatTurnsBackOnItself)
{
    group(3, 0, 72, -72, 72, 392);
    // Slots 3 and 4 are free and, from earlier occupants, follow each other.
    (*enemies->link)[3] = -4;
    (*enemies->link)[4] = -3;
    (*enemies->link)[1] = -3;
    int32_t vy = (*enemies->vy)[1];
    enemies->followPath(1);
    EXPECT_TRUE(enemies->isLeader(1)) << "nothing left to follow: it leads itself";
    EXPECT_EQ(enemies->getLink(1), ClsEnemy::NO_POINT) << "without a point of the ring";
    EXPECT_EQ((*enemies->vy)[1], vy) << "on its own course";
    // Slot 2 follows slot 1; once that one has left the screen it finds no
    // point to take over and flies on by itself too.
    EXPECT_FALSE(enemies->isLeader(2));
    ASSERT_LE(framesUntilFreed(1, 200), 200);
    EXPECT_TRUE(enemies->isLeader(2));
    EXPECT_EQ(enemies->getLink(2), ClsEnemy::NO_POINT);
    EXPECT_EQ((*enemies->vy)[2], vy);
    // As leaders they are freed once they have left the screen.
    frames(200);
    EXPECT_TRUE(isFree(2));
    EXPECT_EQ(enemies->getAlive(), 0);
}

TEST_F(ClsEnemyTest, ContactCostsTheEnemyItsLifeAndThePlayerOneHitPoint)
{
    // The ship at (100, 200), the pod at (150, 200), a barrier at (50, 200):
    // each an 8 x 8 box around its centre.
    struct Case {
        const char* name;
        int32_t kind;
        int32_t ex;
        int32_t ey;
        bool shipInvulnerable;
        std::vector<int32_t> hpAfter;
        Strings expected;
    };
    const Case cases[] = {
        {"ship", 7, 100, 200, false, {2, 1, 1}, {"money 2 100 200", "explode 1 100 200"}},
        {"ship's box inside its edge", 7, 103, 203, false, {2, 1, 1},
         {"money 2 103 203", "explode 1 103 203"}},
        {"ship's box edge", 7, 96, 200, false, {3, 1, 1}, {}},
        {"invulnerable ship", 7, 100, 200, true, {3, 1, 1}, {}},
        {"pod", 7, 150, 200, false, {3, 1, 1}, {}},
        {"barrier", 7, 50, 200, false, {3, 1, 0}, {"money 2 50 200", "explode 1 50 200"}},
        // Flies into the ship: dies there without its death shot.
        {"kind 3 flying in", 3, 100, 195, false, {2, 1, 1},
         {"money 3 100 200", "explode 1 100 200"}},
    };
    for (const Case& c : cases) {
        fresh();
        calls().clear();
        VMPtr<UnitsPlayer> player = UnitsPlayer::newInstance();
        player->init(VMPtr<scene::mainGame::weapon::ClsBcreator>());
        player->allocItems(3);
        // The target takes 10 shots of the ship's damage.
        (*ClsPlayer::shotDamage)[0] = 30;
        player->units = {ClsPlayer::UNIT_SHIP, ClsPlayer::UNIT_POD, ClsPlayer::UNIT_BARRIER};
        const int32_t places[3][2] = {{100, 200}, {150, 200}, {50, 200}};
        for (int32_t j = 0; j < 3; j++) {
            player->addItem(4109, 4096, 0, places[j][0], places[j][1]);
            player->setHp(j, j == 0 ? 3 : 1);
        }
        player->setInvulnerable(0, c.shipInvulnerable);
        MainGame::player = VMPtr<ClsPlayer>(player.get());

        int32_t e = group(1, c.kind, c.ex, c.ey, c.ex, 392);
        frames(1);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calls(), c.expected);
        EXPECT_EQ(isFree(e), !c.expected.empty());
        EXPECT_EQ(enemies->getAlive(), c.expected.empty() ? 1 : 0);
        for (int32_t j = 0; j < 3; j++)
            EXPECT_EQ(player->getHp(j), c.hpAfter[j]) << "element " << j;
    }
    ClsPlayer::shotDamage = nullptr;
}

TEST_F(ClsEnemyTest, ShotClockFiresAfterItsIntervalAndStartsAgain)
{
    // At level 2; each shot from where the enemy stood before the frame's
    // step. Kind 2 fires from its hold, kind 6 aims upwards.
    struct Case {
        int32_t kind;
        const char* shot;
        std::vector<int32_t> firedAt;
    };
    // 26 frames of 40 ms pass 1000 ms, 38 pass 1500; the excess is dropped.
    const Case cases[] = {
        {1, "directional 1 80 72 %d 2", {26, 52, 78}},
        {2, "directional 1 20 72 %d 5 aimed", {38, 76}},
        {6, "directional 0 20 72 %d 2 aimed", {38, 76}},
    };
    MainGame::difficulty = 2;
    for (const Case& c : cases) {
        fresh();
        calls().clear();
        int32_t e = group(1, c.kind, 72, -72, 72, 392);
        std::vector<int32_t> firedAt;
        for (int32_t f = 1; f <= 80; f++) {
            int32_t before = y(e);
            calls().clear();
            frames(1);
            if (calls().empty())
                continue;
            firedAt.push_back(f);
            std::string shot = c.shot;
            shot.replace(shot.find("%d"), 2, std::to_string(before));
            EXPECT_EQ(calls(), Strings{shot}) << "kind " << c.kind << " frame " << f;
        }
        EXPECT_EQ(firedAt, c.firedAt) << "kind " << c.kind;
    }
}

TEST_F(ClsEnemyTest, DestroyedEnemiesDropMoneyExplodeAndFreeTheirSlot)
{
    struct Case {
        int32_t kind;
        Strings expected;
    };
    // In one frame of 40 ms speed 3 (kinds 2 and 5) goes 3 pixels, speed 4
    // goes 5. Kinds 3 and 5 fire as they die, from where they stood.
    const Case cases[] = {
        {2, {"money 5 72 -69", "explode 1 72 -69"}},
        {0, {"money 2 72 -67", "explode 1 72 -67"}},
        {3, {"directional 0 20 72 -72 3 aimed", "money 3 72 -67", "explode 1 72 -67"}},
        {5, {"ring 6 72 -72", "money 3 72 -69", "explode 1 72 -69"}},
    };
    for (const Case& c : cases) {
        fresh();
        calls().clear();
        int32_t e = group(1, c.kind, 72, -72, 72, 392);
        enemies->damage(e, enemies->getHp(e));
        frames(1);
        EXPECT_EQ(calls(), c.expected) << "kind " << c.kind;
        EXPECT_TRUE(isFree(e));
        EXPECT_TRUE(enemies->isInactive(e));
        EXPECT_EQ(enemies->getAlive(), 0);
        EXPECT_EQ(enemies->getWaveAlive(), 0);
        calls().clear();
        frames(1);
        EXPECT_TRUE(calls().empty()) << "destroyed once";
    }
}

TEST_F(ClsEnemyTest, KindOutsideTheTableIsDestroyedBesideItsSpawnPoint)
{
    // The slot's previous occupant left 4 pick-ups and speed 2.
    (*enemies->dropCount)[0] = 4;
    (*enemies->speed)[0] = 2;
    group(2, 32, -72, 72, 312, 72);
    EXPECT_EQ(enemies->getAlive(), 2);
    frames(1);
    EXPECT_EQ(calls(), (Strings{"money 4 -70 72", "explode 1 -70 72", "money 0 -120 72",
                              "explode 1 -120 72"}));
    EXPECT_EQ(enemies->getAlive(), 0);
    EXPECT_EQ(enemies->getWaveAlive(), 0);
}

TEST_F(ClsEnemyTest, TrackerFollowsThePlayersXAndLeavesAtTheRingsFirstPoint)
{
    MainGame::playerX = 100;
    int32_t e = group(1, 4, 72, 392, 72, -76);
    frames(1);
    // (40 * 5) / 2 = 100 right: 3 pixels; -200 up: -7 pixels (shifted).
    EXPECT_EQ(x(e), 75);
    EXPECT_EQ(y(e), 385);
    frames(9);
    EXPECT_EQ(x(e), 99) << "stops within 2 pixels of the player";
    // Off the screen from y -7 (frame 57), but freed only within 48 of the
    // point's -76: at y -28 (frame 60, 50 frames on), exactly 48 away.
    EXPECT_EQ(framesUntilFreed(e, 100), 50);
    EXPECT_EQ(y(e), -28);
    EXPECT_EQ(enemies->getAlive(), 0);
    frames(1);
    EXPECT_TRUE(isFree(e));
    EXPECT_TRUE(calls().empty());
}

TEST_F(ClsEnemyTest, LeaderLeavesOnceItsFarEdgeHasPassedTheScreensEdge)
{
    // The test picture is 8 wide and 20 tall: sideways a leader leaves by
    // half its width, up and down by half its height. Each starts so that
    // on frame 61 its edge stands exactly on the screen's edge, which is
    // not yet out; frame 62 frees it, after that frame's step.
    constexpr int32_t kTallFrame = 35;
    struct Case {
        const char* name;
        int32_t sx, sy, tx, ty;
        int32_t freedX, freedY;
    };
    const Case cases[] = {
        {"right", -56, 100, 400, 100, 254, 100},
        {"left", 296, 100, -160, 100, -14, 100},
        {"down", 120, 30, 120, 500, 120, 340},
        {"up", 120, 290, 120, -300, 120, -20},
    };
    for (const Case& c : cases) {
        fresh();
        int32_t e = group(1, 0, c.sx, c.sy, c.tx, c.ty);
        enemies->setItemFrame(e, kTallFrame);
        SCOPED_TRACE(c.name);
        ASSERT_EQ(enemies->getItemSize2(e), 8);
        ASSERT_EQ(enemies->getItemSize1(e), 20);
        EXPECT_EQ(framesUntilFreed(e, 100), 62);
        EXPECT_EQ(x(e), c.freedX);
        EXPECT_EQ(y(e), c.freedY);
        EXPECT_EQ(enemies->getAlive(), 0);
    }
}

TEST_F(ClsEnemyTest, LeaderSentToWhereItStandsSaysSoOnTheConsole)
{
    // The ring's second point, and the leader in slot 0 standing on it.
    enemies->pushPoint(0, 0, 48);
    ::testing::internal::CaptureStdout();
    group(1, 0, 100, 150, 100, 150);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "!!!ERROR header no movement!!!\n"
              "iX[0] = 100\n"
              "iY[0] = 150\n"
              "iFinTx[1] = 100\n"
              "iFinTy[1] = 150\n"
              "iDist[0] = 0\n");
    EXPECT_EQ((*enemies->vx)[0], 0);
    EXPECT_EQ((*enemies->vy)[0], 0);
    // A follower, and a leader with somewhere to go, say nothing.
    ::testing::internal::CaptureStdout();
    enemies->spawn(100, 150, 0);
    group(1, 0, 100, 150, 100, 392);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

TEST_F(ClsEnemyTest, HeavyEnemyDescendsToItsLineAndHolds)
{
    int32_t e = group(1, 2, 120, -72, 120, 392);
    frames(100);
    EXPECT_EQ(y(e), 108) << "3 pixels a frame while above 106";
    EXPECT_EQ((*enemies->vy)[e], 0);
    EXPECT_EQ(enemies->getAlive(), 1);
}

TEST_F(ClsEnemyTest, UncountedEnemiesDoNotHoldTheWave)
{
    enemies->pushPoint(100, 392, 48);
    enemies->spawnUncounted(100, -72, 0);
    enemies->spawnUncounted(100, -72, 0);
    EXPECT_EQ(enemies->getAlive(), 2);
    EXPECT_EQ(enemies->getWaveAlive(), 0);
    EXPECT_FALSE(enemies->isLeader(1));
}

TEST_F(ClsEnemyTest, FullPoolSpawnsNothingAndKeepsTheCounts)
{
    group(ClsEnemy::SLOTS, 0, 72, -72, 72, 392);
    EXPECT_EQ(enemies->getAlive(), 50);
    enemies->spawn(72, -72, 0);
    enemies->spawnUncounted(72, -72, 0);
    EXPECT_EQ(enemies->getAlive(), 50);
    EXPECT_EQ(enemies->getWaveAlive(), 50);
    EXPECT_TRUE((*enemies->counted)[49]) << "the last spawned keeps its mark";
}

TEST_F(ClsEnemyTest, FollowerWithNothingSpawnedBeforeItIsNotSpawned)
{
    enemies->spawn(72, -72, 0);
    EXPECT_EQ(enemies->getAlive(), 0);
    group(1, 0, 72, -72, 72, 392);
    enemies->reset();
    enemies->spawn(72, -72, 0);
    EXPECT_EQ(enemies->getAlive(), 1);
}

TEST_F(ClsEnemyTest, HitLookAndStop)
{
    int32_t e = group(1, 0, 72, -72, 72, 392);
    enemies->onPartHit(e);
    EXPECT_EQ(enemies->getItemFrame(e), 0);
    enemies->onPartHit(e);
    EXPECT_EQ(enemies->getItemFrame(e), 0) << "an even frame stays";

    enemies->setStopped(1);
    frames(5);
    EXPECT_EQ(y(e), -72);
    enemies->setStopped(0);
    frames(1);
    EXPECT_EQ(y(e), -67);
}

TEST_F(ClsEnemyTest, ResetLeavesTheEnemiesButEndsTheirPlay)
{
    group(2, 1, 72, -72, 72, 392);
    enemies->reset();
    EXPECT_EQ(enemies->nextItem, 0);
    EXPECT_EQ(enemies->pointIndex, -1);
    EXPECT_TRUE(enemies->isInactive(0));
    EXPECT_FALSE(enemies->isLeader(0));
    EXPECT_EQ(enemies->getAlive(), 2);
    int32_t before = y(0);
    frames(30);
    EXPECT_GT(y(0), before) << "still moves";
    EXPECT_TRUE(calls().empty()) << "its shot clock stopped";
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(UnitsPlayer, "tests.mainGame.UnitsPlayer", "scene.mainGame.ClsPlayer",
                             "tests_mainGame_UnitsPlayer", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(RecordingExplo, "tests.mainGame.RecordingExplo",
                             "scene.mainGame.weapon.ClsExplo", "tests_mainGame_RecordingExplo",
                             nullptr);
