// The chain boss: one segment per level, fought from the tail up; only the
// segment in play takes damage and fires; its patterns skip groups of dead
// parts; the fall of segment 0 wins the stage.

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss_4.h"

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_4;

namespace {

class ClsBoss_4Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_4> make(int32_t level)
    {
        VMPtr<ClsBoss_4> boss = ClsBoss_4::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
    // The part numbered n (1..7) in segment s.
    static int32_t part(ClsBoss_4* boss, int32_t s, int32_t n) { return boss->segmentHead[s] + n; }
};

TEST_F(ClsBoss_4Test, EachLevelHangsOneMoreSegmentOfSevenParts)
{
    struct Case {
        int32_t level, items, maxHp;
    };
    const Case cases[] = {
        {1, 8, 7 * 715},
        {2, 16, 14 * 715},
        {3, 24, 14 * 715 + 7 * 1429},
        {4, 32, 14 * 715 + 14 * 1429},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        VMPtr<ClsBoss_4> boss = make(c.level);
        EXPECT_EQ(boss->nextItem, c.items);
        EXPECT_EQ(boss->getMaxHp(), c.maxHp);
        EXPECT_EQ(boss->bossHp, c.maxHp);
        EXPECT_EQ(boss->segment, c.level);
        for (int32_t s = 0; s < c.level; s++) {
            EXPECT_EQ(boss->segmentHead[s], 8 * s);
            EXPECT_EQ(boss->aliveOf(s), 7);
        }
        // A head hangs 70 pixels below the one above it; the chain starts
        // higher the longer it is.
        if (c.level > 1) {
            EXPECT_EQ((*boss->offsetY)[8], 70);
        }
        EXPECT_LT(boss->getY(0), 0);
    }
    EXPECT_EQ(make(7)->nextItem, 0);
}

TEST_F(ClsBoss_4Test, OnlyTheTailSegmentTakesDamageUntilItFalls)
{
    VMPtr<ClsBoss_4> boss = make(2);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_EQ(boss->segment, 1);
    EXPECT_GT(boss->getY(8), 0);

    // Heads and the segment above take nothing.
    int32_t before = boss->bossHp;
    hit(boss.get(), 0, 100);
    hit(boss.get(), 8, 100);
    hit(boss.get(), part(boss.get(), 0, 3), 100);
    EXPECT_EQ(boss->bossHp, before);
    hit(boss.get(), part(boss.get(), 1, 3), 100);
    EXPECT_EQ(boss->bossHp, before - 100);
    EXPECT_EQ(boss->getHp(part(boss.get(), 1, 3)), 615);

    for (int32_t n = 1; n <= 7; n++)
        destroy(boss.get(), part(boss.get(), 1, n));
    EXPECT_EQ(boss->aliveOf(1), 0);
    EXPECT_EQ(factory->calls("money 4").size(), 7u);
    frame(boss.get());
    // The segment's head falls with its parts; the chain comes on again and
    // the first segment is fought.
    EXPECT_TRUE(boss->isInactive(8));
    EXPECT_EQ(boss->getItemFrame(8), 10);
    EXPECT_EQ(boss->getItemFrame(part(boss.get(), 1, 2)), 13);
    EXPECT_EQ(factory->calls("money 6").size(), 1u);
    EXPECT_FALSE(MainGame::bossDefeated);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_EQ(boss->segment, 0);

    for (int32_t n = 1; n <= 7; n++)
        destroy(boss.get(), part(boss.get(), 0, n));
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated);
    EXPECT_EQ(boss->getItemFrame(0), 8);
    EXPECT_EQ(boss->getState(), 0);
}

TEST_F(ClsBoss_4Test, ThePartsOfTheSegmentInPlayFireTogetherOnceASecond)
{
    // The tail is in play: at level 2 the first segment's parts hold fire.
    for (int32_t level : {1, 2}) {
        SCOPED_TRACE(level);
        VMPtr<ClsBoss_4> boss = make(level);
        ASSERT_TRUE(fight(boss.get()));
        ASSERT_EQ(boss->segment, level - 1);
        factory->log.clear();
        std::vector<std::string> expected;
        for (int32_t f = 0; f < 26; f++) {
            size_t before = factory->log.size();
            frame(boss.get());
            if (factory->log.size() == before)
                continue;
            // Pattern 0: parts 1, 4 and 7, two shots centred on straight down.
            for (int32_t n : {1, 4, 7}) {
                int32_t i = part(boss.get(), boss->segment, n);
                expected.push_back("directional 1 20 " + std::to_string((*boss->x)[i]) + " " +
                                   std::to_string((*boss->y)[i]) + " 2");
            }
        }
        EXPECT_EQ(factory->calls("directional"), expected);
        EXPECT_EQ(expected.size(), 3u);
        EXPECT_TRUE(factory->calls("eightWay").empty());
    }
}

TEST_F(ClsBoss_4Test, PatternsWithoutALivingFiringPartArePassedOver)
{
    VMPtr<ClsBoss_4> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    for (int32_t n : {1, 4, 7})
        destroy(boss.get(), part(boss.get(), 0, n));
    boss->selectPattern(0);
    EXPECT_EQ(boss->phase, 1);
    boss->selectPattern(3);
    EXPECT_EQ(boss->phase, 0) << "pattern 3 needs part 4, pattern 4 parts 1 and 7";
    boss->selectPattern(2);
    EXPECT_EQ(boss->phase, 2);
    // The countdown asks for the next pattern every 3000 ms.
    boss->phase = 1;
    boss->patternTimer = 40;
    frame(boss.get());
    EXPECT_EQ(boss->phase, 2);
    EXPECT_EQ(boss->patternTimer, ClsBoss_4::PATTERN_TIME);
}

TEST_F(ClsBoss_4Test, ASetWithFewerPointsLeavesEmptyPlacesAndCanStillBeBeaten)
{
    useSparseSet(ClsBoss_4::GOBS, ClsBoss_4::ANIMS);
    VMPtr<ClsBoss_4> boss = make(4);
    // Two parts per head, the heads still at 8s; no point to hang on, so
    // each head hangs on the one above it.
    EXPECT_EQ(boss->nextItem, 32);
    EXPECT_EQ(boss->segmentHead[3], 24);
    EXPECT_EQ(boss->getMaxHp(), 4 * 715 + 4 * 1429);
    EXPECT_TRUE(boss->isInactive(5));
    EXPECT_EQ(boss->getItemKind(5), -1);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_GE(beat(boss.get(), 300, 3000), 0);
    EXPECT_TRUE(MainGame::bossDefeated);
}

} // namespace
