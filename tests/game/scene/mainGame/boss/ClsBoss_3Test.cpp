// The two cores boss: cores and pods by level, pod hits that hurt the core,
// a core that takes its pods down with it, the defeat with both cores, the
// corner circuit, the phases, the level-1 fire and the pods' fire in each
// phase, and a set with fewer pod points.

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss_3.h"

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_3;

namespace {

class ClsBoss_3Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_3> make(int32_t level)
    {
        VMPtr<ClsBoss_3> boss = ClsBoss_3::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
};

TEST_F(ClsBoss_3Test, EachLevelAddsPodsAndDoublesTheCores)
{
    const struct {
        int32_t level, items, pods, coreHp, podHp, outerHp, phaseCount;
    } cases[] = {
        {1, 2, 0, 2500, 0, 0, 0},
        {2, 10, 8, 5000, 625, 0, 2},
        {3, 18, 16, 10000, 625, 1250, 3},
        {4, 18, 16, 20000, 1250, 2500, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        VMPtr<ClsBoss_3> boss = make(c.level);
        EXPECT_EQ(boss->nextItem, c.items);
        EXPECT_EQ(boss->partsLeft, c.pods);
        EXPECT_EQ(boss->oddLeft + boss->evenLeft, c.pods);
        EXPECT_EQ(boss->maxHp, 2 * c.coreHp) << "the cores only";
        EXPECT_EQ(boss->getBossHp(), 2 * c.coreHp);
        EXPECT_EQ(boss->phaseCount, c.phaseCount);
        EXPECT_EQ(boss->getHp(boss->coreA), c.coreHp);
        EXPECT_EQ(boss->getHp(5), c.podHp);
        EXPECT_EQ(boss->getHp(12), c.outerHp);
        EXPECT_EQ((*boss->fireDir)[boss->coreB], 1);
        if (c.level >= 2) {
            EXPECT_EQ((*boss->link)[4], boss->coreA);
            EXPECT_EQ((*boss->link)[7], boss->coreB);
            EXPECT_EQ((*boss->fireDir)[4], 2);
            EXPECT_EQ((*boss->fireDir)[7], 3);
        }
        if (c.level >= 3) {
            EXPECT_EQ((*boss->link)[15], boss->coreB);
            EXPECT_EQ((*boss->fireDir)[15], 7);
        }
    }
}

TEST_F(ClsBoss_3Test, ACoreTakesItsPodsDownAndBothCoresEndTheBoss)
{
    VMPtr<ClsBoss_3> boss = make(2);
    ASSERT_TRUE(fight(boss.get()));
    hit(boss.get(), 2, 100);
    EXPECT_EQ(boss->getHp(2), 525);
    EXPECT_EQ(boss->getHp(boss->coreA), 4900) << "a pod's hit reaches its core";
    EXPECT_EQ(boss->getBossHp(), 9900);
    destroy(boss.get(), 3);
    EXPECT_EQ(boss->partsLeft, 7);
    EXPECT_EQ(boss->oddLeft, 3);
    EXPECT_EQ(factory->calls("money 4 ").size(), 1u);
    destroy(boss.get(), boss->coreA);
    frame(boss.get());
    EXPECT_TRUE(boss->isInactive(boss->coreA));
    EXPECT_EQ(boss->getItemFrame(boss->coreA), ClsBoss_3::CORE_A_WRECK);
    for (int32_t i = 2; i <= 5; i++)
        EXPECT_TRUE(boss->isInactive(i));
    EXPECT_EQ(boss->getItemFrame(4), ClsBoss_3::POD_FALLEN);
    EXPECT_FALSE(boss->isInactive(6)) << "core B's pods stay";
    EXPECT_EQ(boss->partsLeft, 7) << "fallen pods are not counted";
    EXPECT_EQ(factory->calls("money 5 ").size(), 1u);
    EXPECT_FALSE(MainGame::bossDefeated);
    destroy(boss.get(), boss->coreB);
    frame(boss.get());
    EXPECT_TRUE(boss->isInactive(boss->coreB));
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated) << "the frame after";
}

TEST_F(ClsBoss_3Test, TheCoresCircleTheCornersDiagonallyOpposite)
{
    VMPtr<ClsBoss_3> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    std::vector<int32_t> legs{boss->moveState};
    for (int32_t f = 0; f < 400; f++) {
        frame(boss.get());
        if (boss->moveState == legs.back())
            continue;
        legs.push_back(boss->moveState);
        // Each leg ends with the cores in opposite corners.
        int32_t ax = boss->getX(boss->coreA), ay = boss->getY(boss->coreA);
        int32_t bx = boss->getX(boss->coreB), by = boss->getY(boss->coreB);
        EXPECT_TRUE(ax <= 48 || ax >= 192) << f;
        EXPECT_TRUE(ay <= 48 || ay >= 272) << f;
        EXPECT_NEAR(ax + bx, 240, 6) << f;
        EXPECT_NEAR(ay + by, 320, 6) << f;
    }
    EXPECT_EQ(legs, (std::vector<int32_t>{1, 2, 3, 0, 1, 2, 3}));
}

TEST_F(ClsBoss_3Test, PhasesByLevelAndTheirFire)
{
    const struct {
        int32_t level, oddLeft, from, phase;
    } cases[] = {
        {2, 1, 1, 1}, {2, 0, 1, 0}, {3, 1, 2, 2}, {3, 1, 3, 0}, {4, 0, 1, 2}, {4, 1, 3, 3},
    };
    for (const auto& c : cases) {
        VMPtr<ClsBoss_3> boss = make(c.level);
        boss->oddLeft = c.oddLeft;
        boss->selectPhase(c.from);
        EXPECT_EQ(boss->phase, c.phase) << c.level << " " << c.from;
    }
    VMPtr<ClsBoss_3> bare = make(4);
    bare->partsLeft = 0;
    bare->selectPhase(1);
    EXPECT_EQ(bare->phase, 3) << "level 4 stays in its last phase without pods";

    // Level 1, phase 0: core A (even) fires twice a second, core B once.
    VMPtr<ClsBoss_3> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    factory->log.clear();
    for (int32_t f = 0; f < 100; f++)
        frame(boss.get());
    size_t fromB = factory->calls("eightWay 1 ").size();
    EXPECT_GE(fromB, 3u);
    EXPECT_EQ(factory->calls("eightWay 0 ").size(), 2 * fromB);
}

TEST_F(ClsBoss_3Test, EachPhaseFiresItsPodsInTheirOwnDirections)
{
    // Level 4: core A (index 0, direction 0) and core B (1, direction 1);
    // pods 2-9 direction 2 (even) or 3 (odd); pods 10-17 directions 4, 5,
    // 6, 7, 6, 7, 4, 5. Phase 0 fires the even pods, 1 the odd ones, 2 all;
    // a core fires in every phase and once more in the phase that names its
    // index and in phase 3, which adds a pair aimed at the ship.
    const struct {
        int32_t phase;
        std::map<int32_t, int32_t> eightWayByDirection;
        size_t aimedPairs;
    } cases[] = {
        {0, {{0, 2}, {1, 1}, {2, 4}, {4, 2}, {6, 2}}, 0},
        {1, {{0, 1}, {1, 2}, {3, 4}, {5, 2}, {7, 2}}, 0},
        {2, {{0, 2}, {1, 2}, {2, 4}, {3, 4}, {4, 2}, {5, 2}, {6, 2}, {7, 2}}, 0},
        {3, {{0, 2}, {1, 2}}, 2},
    };
    VMPtr<ClsBoss_3> boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phase);
        boss->phase = c.phase;
        // The phase clock held for the second.
        boss->phaseTimer = ClsBoss_3::PHASE_TIME;
        factory->log.clear();
        for (int32_t f = 0; f < 26; f++)
            frame(boss.get());
        std::map<int32_t, int32_t> byDirection;
        for (const std::string& shot : factory->calls("eightWay "))
            byDirection[std::stoi(shot.substr(9))]++;
        EXPECT_EQ(byDirection, c.eightWayByDirection);
        EXPECT_EQ(factory->calls("directional 0 20 ").size(), c.aimedPairs);
    }
}

TEST_F(ClsBoss_3Test, FewerPodPointsLeaveGapsAndTheBossCanBeBeaten)
{
    useSparseSet(ClsBoss_3::GOBS, ClsBoss_3::ANIMS);
    VMPtr<ClsBoss_3> boss = make(4);
    EXPECT_EQ(boss->partsLeft, 8);
    for (int32_t i = 2; i < 18; i++) {
        bool there = (i - 2) % 4 < 2;
        EXPECT_EQ(boss->isInactive(i), !there) << i;
        EXPECT_EQ(boss->getHp(i) > 0, there) << i;
    }
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_GE(beat(boss.get(), 1000, 400), 0);
    EXPECT_TRUE(MainGame::bossDefeated);
}

} // namespace
