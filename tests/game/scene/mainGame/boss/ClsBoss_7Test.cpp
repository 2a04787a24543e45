// The orbiting boss: arms by level on growing circles, turning only while
// fighting and once per arm each frame; arms that take hits but never fall;
// the patterns of the five guns and the defeat when the guns are gone.

#include <cmath>

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/ClsMyMath.h"
#include "scene/mainGame/boss/ClsBoss_7.h"

using scene::ClsMyMath;
using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_7;

namespace {

class ClsBoss_7Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_7> make(int32_t level)
    {
        VMPtr<ClsBoss_7> boss = ClsBoss_7::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
};

TEST_F(ClsBoss_7Test, EachLevelAddsAnArmAndDoublesTheGuns)
{
    for (int32_t level = 1; level <= 4; level++) {
        SCOPED_TRACE(level);
        VMPtr<ClsBoss_7> boss = make(level);
        EXPECT_EQ(boss->nextItem, 5 + level);
        EXPECT_EQ(boss->getHp(1), 1000 << (level - 1));
        EXPECT_EQ(boss->getMaxHp(), 5000 << (level - 1));
        EXPECT_EQ(boss->partsLeft, 5);
    }
    // Arm radii: the first touches the body, each further one two arm
    // widths out (body 40, arms 16 wide in the test set).
    VMPtr<ClsBoss_7> boss = make(4);
    EXPECT_EQ((*boss->armRadius)[0], 8 + 20);
    EXPECT_EQ((*boss->armRadius)[1], 28 + 32);
    EXPECT_EQ((*boss->armRadius)[2], 60 + 32);
}

TEST_F(ClsBoss_7Test, ArmsTurnOncePerArmEachFightingFrame)
{
    VMPtr<ClsBoss_7> boss = make(4);
    frame(boss.get());
    EXPECT_EQ((*boss->armAngle)[0], 1.57) << "still while entering";
    ASSERT_TRUE(fight(boss.get()));
    double before[3];
    for (int32_t a = 0; a < 3; a++)
        before[a] = (*boss->armAngle)[a];
    frame(boss.get());
    const double steps[3] = {-0.04, 0.02, 0.03};
    for (int32_t a = 0; a < 3; a++) {
        double angle = before[a];
        for (int32_t k = 0; k < 3; k++)
            angle += steps[a];
        EXPECT_EQ((*boss->armAngle)[a], angle) << a;
        int32_t arm = 6 + a;
        EXPECT_EQ(boss->getX(arm),
                  int32_t(ClsMyMath::cos(angle) * (*boss->armRadius)[a] + boss->getX(0)));
        EXPECT_EQ(boss->getY(arm),
                  int32_t(ClsMyMath::sin(angle) * (*boss->armRadius)[a] + boss->getY(0)));
    }
}

TEST_F(ClsBoss_7Test, ArmsTakeHitsButNeverFall)
{
    VMPtr<ClsBoss_7> boss = make(2);
    ASSERT_TRUE(fight(boss.get()));
    hit(boss.get(), 6, 500);
    EXPECT_EQ(boss->getHp(6), -500);
    EXPECT_EQ(boss->bossHp, 10000 - 500);
    EXPECT_FALSE(boss->isInactive(6));
}

TEST_F(ClsBoss_7Test, PatternsSkipTheGroupsOfDeadGuns)
{
    VMPtr<ClsBoss_7> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    destroy(boss.get(), 1);
    destroy(boss.get(), 4);
    boss->selectPattern(1);
    EXPECT_EQ(boss->phase, 2);
    destroy(boss.get(), 3);
    boss->selectPattern(3);
    EXPECT_EQ(boss->phase, 0) << "pattern 3 without part 3 wraps to 0";
    // Pattern 2 at work: parts 2 and 5, four shots to the left and right.
    boss->phase = 2;
    factory->log.clear();
    for (int32_t f = 0; f < 26; f++)
        frame(boss.get());
    EXPECT_EQ(factory->calls("directional 2 20").size(), 1u);
    EXPECT_EQ(factory->calls("directional 3 20").size(), 1u);
}

TEST_F(ClsBoss_7Test, TheBossFallsWithItsFiveGunsWhateverTheArmsTook)
{
    VMPtr<ClsBoss_7> boss = make(3);
    ASSERT_TRUE(fight(boss.get()));
    hit(boss.get(), 7, 30000);
    frame(boss.get());
    EXPECT_LT(boss->bossHp, 0);
    EXPECT_FALSE(MainGame::bossDefeated);
    for (int32_t i = 1; i <= 5; i++)
        destroy(boss.get(), i);
    EXPECT_EQ(boss->partsLeft, 0);
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated);
    EXPECT_EQ(boss->getItemFrame(6), 9);
    EXPECT_EQ(factory->coins(), 5 * 4 + 15);
    // The body's wreck plays once and is then removed.
    for (int32_t f = 0; f < 20; f++)
        frame(boss.get());
    EXPECT_EQ(boss->getItemKind(0), -1);
}

TEST_F(ClsBoss_7Test, ASetWithFewerPointsCanStillBeBeaten)
{
    useSparseSet(ClsBoss_7::GOBS, ClsBoss_7::ANIMS);
    VMPtr<ClsBoss_7> boss = make(4);
    EXPECT_EQ(boss->partsLeft, 2);
    EXPECT_EQ(boss->armIndex[0], 6);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_GE(beat(boss.get(), 300, 3000), 0);
}

} // namespace
