// The body boss: pieces by level, the patterns each level uses, the body
// that falls with the sum of its parts, the chasing drone, and the defeat
// when the total hit points run out.

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss_5.h"

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_5;

namespace {

class ClsBoss_5Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_5> make(int32_t level)
    {
        VMPtr<ClsBoss_5> boss = ClsBoss_5::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
};

TEST_F(ClsBoss_5Test, EachLevelAddsPiecesAndPatterns)
{
    struct Case {
        int32_t level, items, pod, drone, partHp, maxHp, phaseCount;
    };
    const Case cases[] = {
        {1, 6, -1, -1, 1000, 5000, 1},
        {2, 10, 6, -1, 1000, 10001, 3},
        {3, 7, -1, 6, 2000, 20000, 5},
        {4, 11, 6, 10, 4000, 5 * 4000 + 10000 + 3 * 3333, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        VMPtr<ClsBoss_5> boss = make(c.level);
        EXPECT_EQ(boss->nextItem, c.items);
        EXPECT_EQ(boss->podIndex, c.pod);
        EXPECT_EQ(boss->droneIndex, c.drone);
        EXPECT_EQ(boss->getHp(3), c.partHp);
        EXPECT_EQ(boss->getMaxHp(), c.maxHp);
        EXPECT_EQ(boss->getBossHp(), c.maxHp);
        EXPECT_EQ(boss->phaseCount, c.phaseCount);
        EXPECT_EQ(boss->partsLeft, c.pod >= 0 ? 8 : 5);
    }
}

TEST_F(ClsBoss_5Test, PatternsOfMissingPiecesArePassedOver)
{
    struct Case {
        int32_t level, from, chosen;
    };
    // Level 1 uses 0 and 1; level 3 has no pod parts (7-9): pattern 6 and
    // beyond wrap to 0; level 2 stops at 3.
    const Case cases[] = {
        {1, 1, 1}, {1, 2, 0}, {2, 3, 3}, {2, 4, 0}, {3, 5, 5}, {3, 6, 0}, {4, 6, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << " from " << c.from);
        VMPtr<ClsBoss_5> boss = make(c.level);
        boss->selectPattern(c.from);
        EXPECT_EQ(boss->phase, c.chosen);
    }
    VMPtr<ClsBoss_5> boss = make(3);
    ASSERT_TRUE(fight(boss.get()));
    for (int32_t i : {2, 3, 5})
        destroy(boss.get(), i);
    boss->selectPattern(1);
    EXPECT_EQ(boss->phase, 2);
}

TEST_F(ClsBoss_5Test, TheBodyFallsWithTheSumOfItsPartsAndThePodWithItsThree)
{
    VMPtr<ClsBoss_5> boss = make(2);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_TRUE(boss->isInvulnerable(0));
    EXPECT_TRUE(boss->isInvulnerable(boss->podIndex));
    EXPECT_FALSE(boss->isInvulnerable(7));
    // Four parts shot down 50 below zero and the fifth left with 100: the
    // sum is what counts.
    for (int32_t i = 1; i <= 3; i++)
        hit(boss.get(), i, 1050);
    hit(boss.get(), 5, 900);
    frame(boss.get());
    EXPECT_EQ(boss->getHp(0), 1000 - 150 + 100);
    EXPECT_FALSE(boss->isInactive(0));
    hit(boss.get(), 4, 1050);
    frame(boss.get());
    EXPECT_EQ(boss->getHp(5), 100);
    EXPECT_TRUE(boss->isInactive(0));
    EXPECT_EQ(boss->getItemFrame(0), 10);
    EXPECT_EQ(boss->getItemFrame(5), 13);
    EXPECT_EQ(factory->calls("money 15").size(), 1u);
    EXPECT_FALSE(MainGame::bossDefeated) << "the pod's parts still hold hit points";

    for (int32_t i = 7; i <= 9; i++)
        hit(boss.get(), i, 1667);
    frame(boss.get());
    EXPECT_TRUE(boss->isInactive(boss->podIndex));
    EXPECT_EQ(boss->getItemFrame(boss->podIndex), 12);
    EXPECT_EQ(factory->calls("money 5").size(), 1u);
    EXPECT_LE(boss->getBossHp(), 0);
    EXPECT_TRUE(MainGame::bossDefeated);
}

TEST_F(ClsBoss_5Test, ThePodTakesNoShotWhileTheBossComesOn)
{
    for (int32_t level : {2, 4}) {
        SCOPED_TRACE(level);
        VMPtr<ClsBoss_5> boss = make(level);
        frame(boss.get());
        ASSERT_EQ(boss->getState(), 0);
        int32_t total = boss->getBossHp();
        hit(boss.get(), boss->podIndex, 500);
        EXPECT_EQ(boss->getBossHp(), total);
        EXPECT_TRUE(boss->isInvulnerable(boss->podIndex));
        ASSERT_TRUE(fight(boss.get()));
        EXPECT_TRUE(boss->isInvulnerable(boss->podIndex));
    }
}

TEST_F(ClsBoss_5Test, TheDroneChasesThePlayerAndFallsOnItsOwn)
{
    VMPtr<ClsBoss_5> boss = make(3);
    ASSERT_TRUE(fight(boss.get()));
    int32_t d = boss->droneIndex;
    MainGame::playerX = 20;
    MainGame::playerY = 300;
    int32_t startDistance = boss->distanceBetween(boss->getX(d), boss->getY(d), 20, 300);
    for (int32_t f = 0; f < 250; f++)
        frame(boss.get());
    // About a pixel a frame, jittered.
    EXPECT_LT(boss->distanceBetween(boss->getX(d), boss->getY(d), 20, 300), startDistance - 80);

    destroy(boss.get(), d);
    frame(boss.get());
    EXPECT_TRUE(boss->isInactive(d));
    EXPECT_EQ(boss->getItemFrame(d), 14);
    EXPECT_FALSE(MainGame::bossDefeated);
    for (int32_t i = 1; i <= 5; i++)
        destroy(boss.get(), i);
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated);
    EXPECT_EQ(factory->coins(), 5 * 4 + 5 + 15);
}

TEST_F(ClsBoss_5Test, ASetWithFewerPointsCanStillBeBeaten)
{
    useSparseSet(ClsBoss_5::GOBS, ClsBoss_5::ANIMS);
    VMPtr<ClsBoss_5> boss = make(4);
    EXPECT_EQ(boss->podIndex, 6);
    EXPECT_EQ(boss->droneIndex, 10);
    EXPECT_EQ(boss->partsLeft, 4);
    EXPECT_EQ(boss->getMaxHp(), 2 * 4000 + 2 * 3333 + 10000);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_GE(beat(boss.get(), 300, 3000), 0);
}

} // namespace
