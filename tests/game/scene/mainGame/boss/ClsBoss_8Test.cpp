// The shielded boss: pieces and hit points by level, the shield that does
// not count at level 3 and carries the ring guns at level 4, the ring's
// outward shots, and the defeat when no counted part is left.

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss_8.h"

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_8;

namespace {

class ClsBoss_8Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_8> make(int32_t level)
    {
        VMPtr<ClsBoss_8> boss = ClsBoss_8::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
};

TEST_F(ClsBoss_8Test, EachLevelAddsPartsTheShieldAndItsRing)
{
    struct Case {
        int32_t level, items, partsLeft, shieldHp, maxHp, phaseCount;
        bool shieldOn;
    };
    const Case cases[] = {
        {1, 7, 5, 0, 5000, 4, false},
        {2, 11, 9, 0, 10000, 4, false},
        {3, 11, 9, 10000, 20000, 4, true},
        {4, 19, 17, 20000, 40000, 5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        VMPtr<ClsBoss_8> boss = make(c.level);
        EXPECT_EQ(boss->nextItem, c.items);
        EXPECT_EQ(boss->partsLeft, c.partsLeft);
        EXPECT_EQ(boss->getHp(0), c.shieldHp);
        EXPECT_EQ(boss->getMaxHp(), c.maxHp);
        EXPECT_EQ(boss->phaseCount, c.phaseCount);
        EXPECT_EQ(boss->isInactive(0), !c.shieldOn);
        ASSERT_TRUE(fight(boss.get()));
        EXPECT_EQ(boss->isInvulnerable(0), false);
        for (int32_t i = 11; i < c.items; i++)
            EXPECT_TRUE(boss->isInvulnerable(i)) << "ring gun " << i;
    }
}

TEST_F(ClsBoss_8Test, AtLevel3TheBossFallsWithItsPartsShieldOrNot)
{
    VMPtr<ClsBoss_8> boss = make(3);
    ASSERT_TRUE(fight(boss.get()));
    for (int32_t i = 2; i <= 10; i++)
        destroy(boss.get(), i);
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated);
    EXPECT_FALSE(boss->isInactive(0));
    EXPECT_EQ(boss->getItemFrame(3), 11);
    // The body's wreck plays once and is then removed.
    for (int32_t f = 0; f < 20; f++)
        frame(boss.get());
    EXPECT_EQ(boss->getItemKind(1), -1);
}

TEST_F(ClsBoss_8Test, AtLevel4TheShieldTakesTheRingOffTheCountAtOnce)
{
    VMPtr<ClsBoss_8> boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    hit(boss.get(), 0, 100);
    for (int32_t i = 11; i <= 18; i++)
        EXPECT_EQ(boss->getItemFrame(i), 4) << i;
    for (int32_t i = 2; i <= 10; i++)
        destroy(boss.get(), i);
    frame(boss.get());
    EXPECT_EQ(boss->partsLeft, 8);
    EXPECT_FALSE(MainGame::bossDefeated);
    hit(boss.get(), 0, 19900);
    EXPECT_EQ(boss->partsLeft, 0);
    EXPECT_EQ(boss->getItemFrame(0), 10);
    EXPECT_EQ(boss->getItemFrame(14), 11);
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated);
}

TEST_F(ClsBoss_8Test, TheRingFiresOutwardAndOnlyWhileTheShieldLives)
{
    VMPtr<ClsBoss_8> boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    boss->selectPattern(5);
    EXPECT_EQ(boss->phase, 5);
    factory->log.clear();
    for (int32_t f = 0; f < 26; f++)
        frame(boss.get());
    std::vector<std::string> shots = factory->calls("away");
    ASSERT_EQ(shots.size(), 8u);
    // Gun 11 flies away from gun 15, across the ring.
    EXPECT_EQ(shots[0], "away " + std::to_string(boss->getX(11)) + " " +
                            std::to_string(boss->getY(11)) + " " + std::to_string(boss->getX(15)) +
                            " " + std::to_string(boss->getY(15)));
    hit(boss.get(), 0, 20000);
    boss->selectPattern(5);
    EXPECT_EQ(boss->phase, 0);
    // Below level 4 pattern 5 is never chosen.
    boss = make(3);
    boss->selectPattern(5);
    EXPECT_EQ(boss->phase, 0);
}

TEST_F(ClsBoss_8Test, ASetWithFewerPointsCanStillBeBeaten)
{
    useSparseSet(ClsBoss_8::GOBS, ClsBoss_8::ANIMS);
    VMPtr<ClsBoss_8> boss = make(4);
    EXPECT_EQ(boss->partsLeft, 2 + 2 + 2);
    ASSERT_TRUE(fight(boss.get()));
    boss->selectPattern(5);
    for (int32_t f = 0; f < 26; f++)
        frame(boss.get());
    EXPECT_TRUE(factory->calls("away").empty()) << "no gun across the ring";
    EXPECT_GE(beat(boss.get(), 300, 3000), 0);
}

} // namespace
