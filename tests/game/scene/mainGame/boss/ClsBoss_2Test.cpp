// The core boss: its turrets and drones by level, the phases that pass over
// wiped-out groups, the core's fall and the drones that must fall too, the
// wrecks taken away, the wandering drones, and a set with fewer points.

#include <gtest/gtest.h>

#include "BossFixture.h"
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
