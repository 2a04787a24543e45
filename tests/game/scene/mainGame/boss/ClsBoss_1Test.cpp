// The arms boss: its turrets by level, the entry of the two arms, the
// attack's five phases and the gaps that lost turrets leave, the arms' touch,
// the turrets falling and the defeat, and a set with fewer turret points.

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss_1.h"
#include "tq/util/ArrayList.h"

using scene::mainGame::MainGame;
using scene::mainGame::boss::ClsBoss_1;

namespace {

class ClsBoss_1Test : public bosstest::BossFixture {
protected:
    VMPtr<ClsBoss_1> make(int32_t level)
    {
        VMPtr<ClsBoss_1> boss = ClsBoss_1::newInstance()->init(factory.get(), level);
        boss->start();
        return boss;
    }
    int32_t shots() const { return int32_t(factory->calls("atPoint ").size()); }
};

TEST_F(ClsBoss_1Test, EachLevelDoublesTheTurretsAndAddsAPhase)
{
    const struct {
        int32_t level, turretHp, phaseCount;
    } cases[] = {{1, 417, 2}, {2, 834, 3}, {3, 1668, 4}, {4, 3336, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        VMPtr<ClsBoss_1> boss = make(c.level);
        ASSERT_EQ(boss->nextItem, 14);
        EXPECT_EQ(boss->ringBase, 2);
        EXPECT_EQ(boss->partsLeft, 12);
        EXPECT_EQ(boss->phaseCount, c.phaseCount);
        EXPECT_EQ(boss->maxHp, 12 * c.turretHp);
        EXPECT_EQ(boss->getBossHp(), 12 * c.turretHp);
        EXPECT_EQ(boss->bossHp, boss->maxHp);
        for (int32_t i = 2; i < 14; i++) {
            EXPECT_EQ(boss->getHp(i), c.turretHp);
            EXPECT_EQ((*boss->parent)[i], i < 8 ? boss->partA : boss->partB);
        }
        // The arms carry no hit points and stay untouchable.
        EXPECT_EQ(boss->getHp(0), 0);
        EXPECT_EQ(boss->getY(0), -boss->armHeight);
        EXPECT_EQ(boss->getY(1), boss->armHeight + 320);
    }
    // Another level lays nothing out, and the boss does nothing.
    VMPtr<ClsBoss_1> none = make(5);
    EXPECT_EQ(none->nextItem, 0);
    frame(none.get());
    EXPECT_EQ(none->getState(), 0);
    EXPECT_FALSE(MainGame::bossDefeated);
}

TEST_F(ClsBoss_1Test, TheArmsCloseInThenTheTurretsCanBeHit)
{
    VMPtr<ClsBoss_1> boss = make(1);
    int32_t a0 = boss->getY(0);
    int32_t b0 = boss->getY(1);
    frame(boss.get());
    EXPECT_TRUE(boss->isInvulnerable(2)) << "untouchable while entering";
    // Velocity y is frame time * speed; each arm moves by it >> 5.
    EXPECT_EQ((*boss->vy)[0], 40 * 3);
    EXPECT_EQ((*boss->vy)[1], 40 * 3);
    EXPECT_EQ(boss->getY(0), a0 + 3);
    EXPECT_EQ(boss->getY(1), b0 - 3);
    ASSERT_TRUE(fight(boss.get()));
    EXPECT_GE(boss->getY(0), 0);
    EXPECT_LE(boss->getY(1), 320);
    for (int32_t i = 2; i < 14; i++)
        EXPECT_FALSE(boss->isInvulnerable(i));
    EXPECT_TRUE(boss->isInvulnerable(0));
    EXPECT_TRUE(boss->isInvulnerable(1));
    // The turrets ride on their arms.
    EXPECT_EQ(boss->getY(2), boss->getY(0) + (*boss->offsetY)[2]);
    EXPECT_EQ(boss->getY(8), boss->getY(1) + (*boss->offsetY)[8]);
    // Swaying: the arms close in by 1 pixel a frame of 40 ms.
    int32_t a = boss->getY(0);
    frame(boss.get());
    EXPECT_EQ(boss->getY(0), a + 1);
}

TEST_F(ClsBoss_1Test, AFallenTurretLeavesAGapInItsPhase)
{
    VMPtr<ClsBoss_1> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    factory->log.clear();
    destroy(boss.get(), 2 + 3);
    ASSERT_TRUE(boss->isInactive(5));
    boss->phase = 0;
    boss->cursor = 3;
    boss->shotTimer = 40;
    boss->attack();
    EXPECT_EQ(shots(), 0);
    EXPECT_EQ(boss->cursor, 4) << "the cursor moves on";
    EXPECT_EQ(boss->shotTimer, 0) << "the timer is not reset";
    boss->attack();
    EXPECT_EQ(shots(), 1);
    EXPECT_EQ(boss->shotTimer, 600);
    // Phase 0 ends past turret 11; level 1 then counts down and starts over.
    boss->cursor = 11;
    boss->shotTimer = 0;
    boss->attack();
    EXPECT_EQ(boss->phase, 1);
    EXPECT_EQ(boss->cursor, 11);
    boss->cursor = 0;
    boss->shotTimer = 0;
    boss->attack();
    EXPECT_EQ(boss->phase, 0);
    EXPECT_EQ(boss->cursor, 0);
}

TEST_F(ClsBoss_1Test, PhaseTwoFiresAlongTheRingAndPhaseThreeAtTheShip)
{
    // Turret j is part 2 + j; phase 2 aims at part 13 - j counted from
    // part 0, phase 3 at the ship from j and from j + 3.
    constexpr int32_t SHIP = -1;
    const struct {
        int32_t level, phase, cursor;
        std::vector<std::pair<int32_t, int32_t>> shots;  // (from part, to part or SHIP)
        int32_t nextPhase, nextCursor;
    } cases[] = {
        {3, 2, 0, {{2, 13}}, 2, 1},
        {3, 2, 11, {{13, 2}}, 3, 11},
        {2, 2, 11, {{13, 2}}, 0, 0},
        {3, 3, 5, {{7, SHIP}, {10, SHIP}}, 3, 4},
        {4, 3, 10, {{12, SHIP}, {3, SHIP}}, 3, 9},
        {3, 3, 0, {{2, SHIP}, {5, SHIP}}, 0, 0},
        {4, 3, 0, {{2, SHIP}, {5, SHIP}}, 4, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << " " << c.phase << " " << c.cursor);
        VMPtr<ClsBoss_1> boss = make(c.level);
        ASSERT_TRUE(fight(boss.get()));
        factory->log.clear();
        boss->phase = c.phase;
        boss->cursor = c.cursor;
        boss->shotTimer = 0;
        boss->attack();
        std::vector<std::string> expected;
        for (auto [from, to] : c.shots) {
            int32_t tx = to == SHIP ? MainGame::playerX : boss->getX(to);
            int32_t ty = to == SHIP ? MainGame::playerY : boss->getY(to);
            expected.push_back("atPoint " + std::to_string(boss->getX(from)) + " " +
                               std::to_string(boss->getY(from)) + " " + std::to_string(tx) + " " +
                               std::to_string(ty));
        }
        EXPECT_EQ(factory->log, expected);
        EXPECT_EQ(boss->phase, c.nextPhase);
        EXPECT_EQ(boss->cursor, c.nextCursor);
        EXPECT_EQ(boss->shotTimer, 600);
    }
}

TEST_F(ClsBoss_1Test, AtLevelFourTheLastPhaseFiresFromEveryTurret)
{
    VMPtr<ClsBoss_1> boss = make(4);
    ASSERT_TRUE(fight(boss.get()));
    factory->log.clear();
    boss->phase = 4;
    boss->cursor = 3;
    boss->shotTimer = 0;
    boss->attack();
    EXPECT_EQ(shots(), 12);
    EXPECT_EQ(boss->phase, 0) << "past the last phase";
    EXPECT_EQ(boss->cursor, 1);
}

TEST_F(ClsBoss_1Test, TouchingAnArmCostsAHitPointPerBoxAndTurret)
{
    VMPtr<ClsBoss_1> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    VMPtr<scene::mainGame::ClsPlayer> player = MainGame::player;
    player->nextItem = 0;
    player->addAnimItem(4109, 4096, 0, 0, 0);
    (*player->unitKind)[0] = scene::mainGame::ClsPlayer::UNIT_SHIP;
    player->setItemPosition(0, boss->getX(0) - 70, boss->getY(0));
    player->setHp(0, 100);
    boss->collideArmWithPlayer(boss->partA);
    EXPECT_EQ(player->getHp(0), 99) << "one box of the upper arm's end";
    player->setItemPosition(0, boss->getX(0), boss->getY(0));
    boss->collideArmWithPlayer(boss->partA);
    EXPECT_EQ(player->getHp(0), 99) << "the arm's middle is open";
}

TEST_F(ClsBoss_1Test, TurretsFallWithMoneyAndTheLastEndsTheBoss)
{
    VMPtr<ClsBoss_1> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    hit(boss.get(), 2, 1);
    EXPECT_EQ(boss->getItemFrame(2), 4) << "hit look back to rest";
    EXPECT_EQ(boss->bossHp, boss->maxHp - 1);
    for (int32_t i = 2; i < 13; i++)
        destroy(boss.get(), i);
    EXPECT_EQ(boss->partsLeft, 1);
    EXPECT_EQ(boss->getItemFrame(2), 6);
    EXPECT_EQ(factory->calls("money 6 ").size(), 11u);
    frame(boss.get());
    EXPECT_FALSE(MainGame::bossDefeated);
    destroy(boss.get(), 13);
    frame(boss.get());
    EXPECT_TRUE(MainGame::bossDefeated);
    EXPECT_EQ(factory->coins(), 72);
    EXPECT_EQ(boss->getItemFrame(0), 8);
    EXPECT_EQ(boss->getItemFrame(1), 10);
    EXPECT_TRUE(boss->isInactive(0));
    for (int32_t i = 2; i < 14; i++) {
        EXPECT_TRUE(boss->isInactive(i));
        EXPECT_TRUE(boss->isInvulnerable(i));
    }
}

TEST_F(ClsBoss_1Test, WithoutLivesLeftTheBossFallsButTheStageIsNotWon)
{
    VMPtr<ClsBoss_1> boss = make(1);
    ASSERT_TRUE(fight(boss.get()));
    MainGame::player->setLives(0);
    for (int32_t i = 2; i < 14; i++)
        destroy(boss.get(), i);
    frame(boss.get());
    EXPECT_FALSE(MainGame::bossDefeated);
    EXPECT_TRUE(boss->isInactive(0));
}

TEST_F(ClsBoss_1Test, FewerTurretPointsLeaveGapsAndTheBossCanBeBeaten)
{
    useSparseSet(ClsBoss_1::GOBS, ClsBoss_1::ANIMS);
    VMPtr<ClsBoss_1> boss = make(4);
    EXPECT_EQ(boss->partsLeft, 4);
    // Two turrets on each arm; each arm's half of the ring keeps its places.
    for (int32_t i = 2; i < 14; i++) {
        bool there = i == 2 || i == 3 || i == 8 || i == 9;
        EXPECT_EQ(boss->isInactive(i), !there) << i;
        EXPECT_EQ(boss->getHp(i), there ? 3336 : 0) << i;
    }
    EXPECT_EQ(boss->maxHp, 4 * 3336);
    ASSERT_TRUE(fight(boss.get()));
    for (int32_t f = 0; f < 200; f++)
        frame(boss.get());
    EXPECT_GE(beat(boss.get(), 200, 400), 0);
    EXPECT_TRUE(MainGame::bossDefeated);
}

} // namespace
