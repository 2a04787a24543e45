// The core boss: its turrets and drones by level, the phases that pass over
// wiped-out groups and the fire of each, the core's fall and the drones
// that must fall too, the wrecks taken away, the level-3 sweep, the level-4
// charge clock and wandering drones, and a set with fewer points.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "game/support/ScriptedRandom.h"
#include "scene/mainGame/boss/ClsBoss_2.h"

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_2;

namespace {

class ClsBoss_2Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_2> make(int32_t level)
    {
        VMPtr<ClsBoss_2> boss = ClsBoss_2::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
};

TEST_F(ClsBoss_2Test, EachLevelAddsTurretsDronesOrHitPoints)
{
    const struct {
        int32_t level, items, partsLeft, maxHp, droneHp, phaseCount;
    } cases[] = {
        {1, 4, 3, 5000, 0, 1},
        {2, 6, 5, 10000, 0, 2},
        {3, 8, 5, 20000, 5000, 2},
        {4, 8, 5, 40000, 10000, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        VMPtr<ClsBoss_2> boss = make(c.level);
        EXPECT_EQ(boss->nextItem, c.items);
        EXPECT_EQ(boss->partsLeft, c.partsLeft);
        EXPECT_EQ(boss->maxHp, c.maxHp);
        EXPECT_EQ(boss->getBossHp(), c.maxHp);
        EXPECT_EQ(boss->phase, -1);
        EXPECT_EQ(boss->phaseCount, c.phaseCount);
        EXPECT_EQ((*boss->partValue)[1], 1);
        EXPECT_EQ((*boss->partValue)[3], 2);
        EXPECT_EQ(boss->getHp(6), c.droneHp);
        EXPECT_EQ(boss->getHp(7), c.droneHp);
        int32_t h = boss->getItemSize1(0);
        EXPECT_EQ((*boss->entryTarget)[1], (2 * h) / 3);
        EXPECT_EQ(boss->getY(0), (h * -3) / 2);
    }
}

TEST_F(ClsBoss_2Test, ThePhasesPassOverGroupsThatAreGone)
{
    const struct {
        int32_t level, gone, from, phase;  // gone: bit i for part i
    } cases[] = {
        {1, 0, 0, 0},  {1, 0, 2, -1}, {1, 2, 0, 1},
        {2, 2, 1, 1},  {2, 12, 1, 2}, {2, 12 + 2, 0, 2},
        {2, 48, 2, -1}, {2, 0, 3, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << " " << c.gone << " " << c.from);
        VMPtr<ClsBoss_2> boss = make(c.level);
        for (int32_t i = 1; i <= 5; i++) {
            if ((c.gone >> i) & 1)
                (*boss->inactive)[i] = true;
        }
        boss->selectPhase(c.from);
        EXPECT_EQ(boss->phase, c.phase);
    }
    VMPtr<ClsBoss_2> none = make(1);
    none->partsLeft = 0;
    none->selectPhase(0);
    EXPECT_EQ(none->phase, -1) << "no turret left, no change";
}

TEST_F(ClsBoss_2Test, EachPhaseFiresFromItsGroupOnceASecond)
{
    VMPtr<ClsBoss_2> boss = make(2);
    ASSERT_TRUE(fight(boss.get()));
    auto at = [&](int32_t i) {
        return std::to_string(boss->getX(i)) + " " + std::to_string(boss->getY(i));
    };
    int32_t lowered = boss->getY(0) + (2 * boss->getItemSize1(0)) / 5;
    const struct {
        int32_t phase;
        std::vector<std::string> shots;
    } cases[] = {
        {-1, {"directional 1 20 " + std::to_string(boss->getX(0)) + " " + std::to_string(lowered) +
              " 5 jitter aimed"}},
        {0, {"directional 1 20 " + at(1) + " 3"}},
        {1, {"ring 5 " + at(2), "ring 5 " + at(3)}},
        {2, {"atPlayer " + at(4), "atPlayer " + at(5)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phase);
        boss->phase = c.phase;
        // The phase clock held for the second.
        boss->work6 = clock->elapsedFrameTime;
        factory->log.clear();
        for (int32_t f = 0; f < 26; f++)
            frame(boss.get());
        EXPECT_EQ(factory->log, c.shots);
    }
}

TEST_F(ClsBoss_2Test, TheCoreFallsWithItsTurretsTheBossWithItsDrones)
{
    VMPtr<ClsBoss_2> boss = make(3);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_FALSE(boss->isInvulnerable(6));
    for (int32_t i = 1; i <= 5; i++)
        destroy(boss.get(), i);
    EXPECT_EQ(boss->partsLeft, 0);
    EXPECT_EQ((*boss->groupAlive)[0] + (*boss->groupAlive)[1] + (*boss->groupAlive)[2], 0);
    EXPECT_EQ(factory->calls("money 4 ").size(), 5u);
    frame(boss.get());
    EXPECT_TRUE(boss->isInactive(0));
    EXPECT_EQ(factory->calls("money 15 ").size(), 1u);
    EXPECT_FALSE(MainGame::bossDefeated) << "the drones still live";
    // The turrets are taken away; the core once its wreck has played.
    EXPECT_EQ(boss->players->get(1), nullptr);
    for (int32_t f = 0; f < 20; f++)
        frame(boss.get());
    EXPECT_EQ(boss->players->get(0), nullptr);
    EXPECT_EQ(factory->calls("money 15 ").size(), 1u);
    destroy(boss.get(), 6);
    EXPECT_FALSE(MainGame::bossDefeated);
    destroy(boss.get(), 7);
    EXPECT_TRUE(MainGame::bossDefeated);
    EXPECT_EQ(factory->calls("money 5 ").size(), 2u);
}

TEST_F(ClsBoss_2Test, AtLevelThreeTheDronesSweepBetweenTheirTurnsFiringPairs)
{
    VMPtr<ClsBoss_2> boss = make(3);
    ASSERT_TRUE(fight(boss.get()));
    factory->log.clear();
    int32_t top = boss->getY(6);
    int32_t bottom = top;
    int32_t last = top;
    int32_t turns = 0;
    int32_t way = 0;
    for (int32_t f = 0; f < 26 * 20; f++) {
        frame(boss.get());
        int32_t y = boss->getY(6);
        ASSERT_EQ(std::abs(y - last), 3) << "3 pixels a frame of 40 ms, frame " << f;
        // Drone 7 turns in the frame drone 6 passed the turn, one step early.
        ASSERT_LE(std::abs(boss->getY(7) - y), 6) << "the drones sweep together, frame " << f;
        int32_t now = y > last ? 1 : -1;
        if (way != 0 && now != way)
            turns++;
        way = now;
        last = y;
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    EXPECT_GE(turns, 2);
    EXPECT_NEAR(top, boss->sweepTop, 3);
    EXPECT_NEAR(bottom, boss->sweepBottom, 3);
    // A pair of shots 30 degrees apart, straight down, from each drone a second.
    EXPECT_EQ(factory->calls("directional 1 30 ").size(), 2u * 20);
}

TEST_F(ClsBoss_2Test, AtLevelFourTheDronesWanderFourSecondsThenChargeTwoAndWanderThree)
{
    VMPtr<ClsBoss_2> boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    // The frame that ended the entry counted its 40 ms already.
    std::vector<int32_t> switches;
    bool charging = boss->charging;
    for (int32_t f = 1; f <= 400; f++) {
        frame(boss.get());
        if (boss->charging != charging) {
            switches.push_back(f);
            charging = boss->charging;
        }
    }
    EXPECT_EQ(switches, (std::vector<int32_t>{99, 149, 224, 274, 349, 399}));
}

TEST_F(ClsBoss_2Test, ADroneOffTheScreenHeadsForANewPoint)
{
    VMPtr<ClsBoss_2> boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    (*boss->retargeted)[0] = true;
    (*boss->x)[6] = -10;
    (*boss->vx)[6] = -500;
    boss->steerDrone(6);
    EXPECT_GE(boss->wanderX, 0);
    EXPECT_LT(boss->wanderX, 240);
    EXPECT_GE(boss->wanderY, 160);
    EXPECT_LT(boss->wanderY, 480);
    EXPECT_EQ((*boss->vx)[6] > 0, boss->wanderX > -10);

    // The smallest int drawn: the point is taken from the remainders' size.
    VMPtr<vxtest::ScriptedRandom> scripted = vxtest::ScriptedRandom::newInstance()->init();
    scripted->fallback = INT32_MIN;
    main::Main::random = scripted;
    boss->steerDrone(6);
    EXPECT_EQ(boss->wanderX, 128);
    EXPECT_EQ(boss->wanderY, 128 + 160);
}

TEST_F(ClsBoss_2Test, FewerTurretPointsKeepTheDronesInTheirPlaces)
{
    useSparseSet(ClsBoss_2::GOBS, ClsBoss_2::ANIMS);
    VMPtr<ClsBoss_2> boss = make(4);
    EXPECT_EQ(boss->partsLeft, 5);
    EXPECT_EQ((*boss->kind)[6], ClsBoss_2::KIND_DRONE);
    EXPECT_EQ((*boss->kind)[7], ClsBoss_2::KIND_DRONE);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_GE(beat(boss.get(), 500, 400), 0);
    EXPECT_TRUE(MainGame::bossDefeated);
}

} // namespace
