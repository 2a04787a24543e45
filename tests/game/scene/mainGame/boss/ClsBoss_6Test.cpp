// The winged boss: hit points by level, hits that run up to the wing and
// the core, wings that fall with their guns, the patterns each level uses
// and the defeat when the total runs out.

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss_6.h"

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_6;

namespace {

class ClsBoss_6Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_6> make(int32_t level)
    {
        VMPtr<ClsBoss_6> boss = ClsBoss_6::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
};

TEST_F(ClsBoss_6Test, EachLevelAddsWingsAndGunsAndDoublesTheCore)
{
    struct Case {
        int32_t level, items, core, wing, maxHp, phaseCount;
    };
    const Case cases[] = {
        {1, 1, 5000, 0, 5000, 1},
        {2, 3, 10000, 2500, 10000, 3},
        {3, 5, 20000, 5000, 20000, 5},
        {4, 9, 40000, 10000, 40000, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        VMPtr<ClsBoss_6> boss = make(c.level);
        EXPECT_EQ(boss->nextItem, c.items);
        EXPECT_EQ(boss->getHp(0), c.core);
        EXPECT_EQ(boss->getHp(1), c.wing);
        EXPECT_EQ(boss->getMaxHp(), c.maxHp);
        EXPECT_EQ(boss->getBossHp(), c.maxHp);
        EXPECT_EQ(boss->phaseCount, c.phaseCount);
        for (int32_t i = 3; i < c.items; i++) {
            EXPECT_EQ(boss->getHp(i), 2500) << i;
            EXPECT_EQ((*boss->parent)[i], i == 3 || i == 5 || i == 6 ? 1 : 2) << i;
        }
    }
}

TEST_F(ClsBoss_6Test, AHitRunsUpOneStepToTheWingOrTheCore)
{
    VMPtr<ClsBoss_6> boss = make(3);
    ASSERT_TRUE(fight(boss.get()));
    hit(boss.get(), 3, 100);
    EXPECT_EQ(boss->getHp(3), 2400);
    EXPECT_EQ(boss->getHp(1), 4900);
    EXPECT_EQ(boss->getHp(0), 20000);
    hit(boss.get(), 2, 100);
    EXPECT_EQ(boss->getHp(2), 4900);
    EXPECT_EQ(boss->getHp(0), 19900);
    EXPECT_EQ(boss->getBossHp(), 19800);
}

TEST_F(ClsBoss_6Test, AFallenWingTakesItsGunsAndDropsMoneyAtItsCorner)
{
    VMPtr<ClsBoss_6> boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    hit(boss.get(), 2, 10000);
    EXPECT_TRUE(boss->isInactive(2));
    EXPECT_EQ(boss->getItemFrame(2), 14);
    for (int32_t i : {4, 7, 8}) {
        EXPECT_TRUE(boss->isInactive(i)) << i;
        EXPECT_EQ(boss->getItemFrame(i), 11) << i;
    }
    EXPECT_FALSE(boss->isInactive(3));
    std::string corner = std::to_string(boss->getX(2) + boss->halfWidth) + " " +
                         std::to_string(boss->getY(2));
    EXPECT_EQ(factory->calls("money 6"), std::vector<std::string>{"money 6 " + corner});
}

TEST_F(ClsBoss_6Test, PatternsFollowTheLevelAndTheLivingItems)
{
    VMPtr<ClsBoss_6> boss = make(1);
    // The countdown runs from creation, entering or not.
    for (int32_t f = 0; f < 101; f++)
        frame(boss.get());
    EXPECT_EQ(boss->phase, 1);
    boss->selectPattern(2);
    EXPECT_EQ(boss->phase, 0);

    boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    boss->selectPattern(6);
    EXPECT_EQ(boss->phase, 6);
    destroy(boss.get(), 5);
    destroy(boss.get(), 7);
    boss->selectPattern(4);
    EXPECT_EQ(boss->phase, 5);
    destroy(boss.get(), 6);
    destroy(boss.get(), 8);
    boss->selectPattern(4);
    EXPECT_EQ(boss->phase, 6) << "pattern 6 is never passed over";
}

TEST_F(ClsBoss_6Test, WhenTheTotalRunsOutTheLivingWingsFallWithTheCore)
{
    VMPtr<ClsBoss_6> boss = make(2);
    ASSERT_TRUE(fight(boss.get()));
    factory->log.clear();
    hit(boss.get(), 0, 10000);
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated);
    EXPECT_TRUE(boss->isInactive(0));
    EXPECT_EQ(boss->getItemFrame(0), 12);
    EXPECT_EQ(boss->getItemFrame(1), 10);
    EXPECT_EQ(boss->getItemFrame(2), 14);
    EXPECT_EQ(factory->coins(), 6 + 6 + 15);
}

TEST_F(ClsBoss_6Test, ASetWithFewerPointsCanStillBeBeaten)
{
    useSparseSet(ClsBoss_6::GOBS, ClsBoss_6::ANIMS);
    VMPtr<ClsBoss_6> boss = make(4);
    EXPECT_EQ(boss->getMaxHp(), 40000);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_GE(beat(boss.get(), 300, 3000), 0);
}

} // namespace
