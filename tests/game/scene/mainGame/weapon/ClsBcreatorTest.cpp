// The bullet factory: the speed rule in its integer order, a zero distance
// keeping the last steps, reversed aim, the angles of a spread and its
// jitter, rings (a count of 0 makes nothing), the capacity's bound, the
// directions each operation accepts, the gun points and the main gun's
// rows by level, bombs from the ship's edge, and the laser made only while
// the player-bullet list is short.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/weapon/WeaponFixture.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/Class.h"
#include "scene/mainGame/weapon/ClsBcreator.h"
#include "scene/mainGame/weapon/ClsEnemyBullet.h"
#include "scene/mainGame/weapon/ClsPlyBomb.h"
#include "scene/mainGame/weapon/ClsPlyBullet.h"
#include "scene/mainGame/weapon/ClsPlyFire.h"
#include "scene/mainGame/weapon/ClsPlyHoming.h"
#include "scene/mainGame/weapon/ClsPlyLaser_2.h"
#include "scene/mainGame/weapon/ClsPlyReactBullet.h"
#include "scene/mainGame/weapon/ClsResources.h"
#include "support/LangTestSupport.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::weapon::ClsBcreator;
using scene::mainGame::weapon::ClsBullet;
using scene::mainGame::weapon::ClsPlyBullet;

namespace {

using Pairs = std::vector<std::pair<int32_t, int32_t>>;
using Strings = std::vector<std::string>;

class ClsBcreatorTest : public weapontest::WeaponFixture {
protected:
    void SetUp() override
    {
        WeaponFixture::SetUp();
        factory = ClsBcreator::newInstance()->init();
        factory->setCapacity(10);
        // The ship (an 8 x 8 picture) at (120, 200).
        addPart(MainGame::player, 120, 200);
        ClsPlayer::weaponKind = 0;
        ClsPlayer::weaponLevel = 1;
        ClsPlayer::shotCount = ClsPlayer::IntArray::newArray(9);
        (*ClsPlayer::shotCount)[0] = 3;
    }
    void TearDown() override
    {
        factory = nullptr;
        WeaponFixture::TearDown();
    }

    static VMPtr<ClsBullet> bullet(VMPtr<tq::util::ArrayList> list, int32_t i)
    {
        return vm_cast<ClsBullet>(list->get(i));
    }
    // (vx, vy) of every bullet of a list.
    static Pairs steps(VMPtr<tq::util::ArrayList> list)
    {
        Pairs values;
        for (int32_t i = 0; i < list->size(); i++)
            values.emplace_back(bullet(list, i)->vx, bullet(list, i)->vy);
        return values;
    }
    // The registered class names of every bullet of a list.
    static Strings kinds(VMPtr<tq::util::ArrayList> list)
    {
        Strings names;
        for (int32_t i = 0; i < list->size(); i++)
            names.push_back(list->get(i)->getClass()->name);
        return names;
    }
    Pairs spread(int32_t count)
    {
        Pairs values;
        for (int32_t i = 0; i < count; i++)
            values.emplace_back((*factory->spreadVx)[i], (*factory->spreadVy)[i]);
        return values;
    }

    VMStatic<ClsBcreator> factory;
};

TEST_F(ClsBcreatorTest, FireTowardsFollowsTheSpeedRuleAndKeepsTheStepsOfAZeroDistance)
{
    // 30 pixels straight up at speed 80 and 50 ms: 50 * -30 * (320 / 80) / 30.
    factory->fireTowards(100, 100, 100, 70, 80);
    ASSERT_EQ(MainGame::enemyBullets->size(), 1);
    VMPtr<ClsBullet> shot = bullet(MainGame::enemyBullets, 0);
    EXPECT_EQ(shot->getX(), 3200);
    EXPECT_EQ(shot->getY(), 3200);
    EXPECT_EQ(shot->stepPerMs, 4);
    EXPECT_EQ(factory->dist, 30);
    EXPECT_EQ(steps(MainGame::enemyBullets), (Pairs{{0, -200}}));

    // The quotient first, the division last, truncated towards zero:
    // 40 * 7 * (320 / 70) / 9 = 40 * 7 * 4 / 9 = 124, and -124 leftwards.
    ui::MyObject::frameTime = 40;
    factory->fireTowards(0, 0, 7, -7, 70);
    factory->fireTowards(0, 0, -7, 7, 70);
    // A zero distance keeps the last steps.
    factory->fireTowards(5, 5, 5, 5, 10);
    EXPECT_EQ(steps(MainGame::enemyBullets),
              (Pairs{{0, -200}, {124, -124}, {-124, 124}, {-124, 124}}));
    EXPECT_EQ(kinds(MainGame::enemyBullets), Strings(4, "scene.mainGame.weapon.ClsEnemyBullet"));
    EXPECT_EQ(MainGame::playerBullets->size(), 0);
}

TEST_F(ClsBcreatorTest, AimedShotsFlyAwayFromTheirTarget)
{
    factory->fireTowards(100, 100, 100, 70, 80);
    factory->fireAimed(100, 100, 100, 70, 80);
    factory->fireAimedDefault(100, 100, 130, 100);
    EXPECT_EQ(steps(MainGame::enemyBullets), (Pairs{{0, -200}, {0, 200}, {-200, 0}}));
}

TEST_F(ClsBcreatorTest, ShotsAtThePlayerAndAtPoints)
{
    MainGame::playerX = 100;
    MainGame::playerY = 130;
    factory->fireAtPlayer(100, 100);
    factory->fireAtPoint(100, 100, 70, 100);
    factory->fireEightWay(7, 100, 100);  // down-right: (130, 130)
    // 50 * 30 * 4 / 42 = 142 on each axis.
    EXPECT_EQ(steps(MainGame::enemyBullets), (Pairs{{0, 200}, {-200, 0}, {142, 142}}));
}

TEST_F(ClsBcreatorTest, SpreadAnglesAreSymmetricAboutTheAim)
{
    // Aimed to the right: (200, 0) before turning.
    const struct {
        int32_t count;
        Pairs shots;
    } cases[] = {
        {1, {{200, 0}}},
        {2, {{199, -17}, {199, 17}}},                // -5 and +5 degrees
        {3, {{196, -34}, {200, 0}, {196, 34}}},      // -10, 0 and +10 degrees
    };
    for (const auto& c : cases) {
        MainGame::enemyBullets->clear();
        factory->fireDirectional(3, 10, 100, 100, c.count, false, false);
        EXPECT_EQ(spread(c.count), c.shots) << c.count;
        EXPECT_EQ(steps(MainGame::enemyBullets), c.shots) << c.count;
        EXPECT_EQ(factory->jitter, 0);
    }
}

TEST_F(ClsBcreatorTest, JitteredSpreadAddsTheRemainderOfEachDrawKeepingItsSign)
{
    main::Main::random = tq::util::FastRandom::newInstance()->init(int64_t(11));
    factory->fireDirectional(3, 10, 100, 100, 3, true, false);
    EXPECT_EQ(factory->jitter, ClsBcreator::JITTER_WIDTH);
    // Two draws per shot from the same seed, horizontal first.
    VMPtr<tq::util::FastRandom> draws = tq::util::FastRandom::newInstance()->init(int64_t(11));
    const Pairs plain = {{196, -34}, {200, 0}, {196, 34}};
    Pairs expected;
    bool negative = false;
    for (const auto& [svx, svy] : plain) {
        int32_t rx = draws->nextInt();
        int32_t ry = draws->nextInt();
        negative = negative || rx < 0 || ry < 0;
        expected.emplace_back(svx + rx % 40, svy + ry % 40);
    }
    // The seed gives at least one negative draw, whose addend stays negative.
    EXPECT_TRUE(negative);
    EXPECT_EQ(steps(MainGame::enemyBullets), expected);
    EXPECT_EQ(spread(3), expected);
}

TEST_F(ClsBcreatorTest, EnemySpreadAimsAtThePlayersShip)
{
    // The ship at (120, 200), 100 pixels straight below.
    factory->fireDirectional(0, 10, 120, 100, 1, false, true);
    EXPECT_EQ(steps(MainGame::enemyBullets), (Pairs{{0, 200}}));
}

TEST_F(ClsBcreatorTest, RingsStartToTheRightAndTurnDownwards)
{
    // The frame time multiplies the truncated step: at 120 degrees cos * 4
    // is just above -2 and truncates to -1, so -50 (not -99).
    factory->fireRing(3, 100, 100, 80);
    ASSERT_EQ(MainGame::enemyBullets->size(), 3);
    EXPECT_EQ(steps(MainGame::enemyBullets)[1], (std::pair<int32_t, int32_t>{-50, 150}));
    MainGame::enemyBullets->clear();

    factory->fireRing(4, 100, 100, 80);
    ASSERT_EQ(MainGame::enemyBullets->size(), 4);
    Pairs shots = steps(MainGame::enemyBullets);
    EXPECT_EQ(shots[0], (std::pair<int32_t, int32_t>{200, 0}));
    EXPECT_GT(shots[1].second, 0);
    EXPECT_LT(shots[2].first, 0);
    EXPECT_LT(shots[3].second, 0);
    EXPECT_EQ(bullet(MainGame::enemyBullets, 3)->getX(), 3200);

    factory->fireRingDefault(2, 0, 0);
    EXPECT_EQ(MainGame::enemyBullets->size(), 6);
    factory->dropMoneySlow(3, 50, 60);
    // The money ring at speed 60: (320 / 60) * 50 to the right; at 20, 16 * 50.
    EXPECT_EQ((*factory->spreadVx)[0], 250);
    factory->dropMoneyFast(1, 50, 60);
    EXPECT_EQ((*factory->spreadVx)[0], 800);
    EXPECT_EQ(kinds(MainGame::enemyBullets),
              (Strings{"scene.mainGame.weapon.ClsEnemyBullet", "scene.mainGame.weapon.ClsEnemyBullet",
                       "scene.mainGame.weapon.ClsEnemyBullet", "scene.mainGame.weapon.ClsEnemyBullet",
                       "scene.mainGame.weapon.ClsEnemyBullet", "scene.mainGame.weapon.ClsEnemyBullet",
                       "scene.mainGame.weapon.ClsResources", "scene.mainGame.weapon.ClsResources",
                       "scene.mainGame.weapon.ClsResources", "scene.mainGame.weapon.ClsResources"}));
    EXPECT_EQ(MainGame::playerBullets->size(), 0);
}

TEST_F(ClsBcreatorTest, ARingOfNoShotsMakesNothing)
{
    for (int32_t count : {0, -3}) {
        factory->fireRing(count, 100, 100, 80);
        factory->dropMoneyRing(count, 100, 100, 60);
    }
    EXPECT_EQ(MainGame::enemyBullets->size(), 0);
}

TEST_F(ClsBcreatorTest, MoreShotsThanTheCapacityFailOnTheArrayBound)
{
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&]() { factory->fireDirectional(0, 5, 100, 100, 11, false, false); },
        "Array index out of range: 10"));
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&]() { factory->fireRing(11, 100, 100, 80); }, "Array index out of range: 10"));
    // Each shot is made as soon as its steps are known: the ten that fit
    // were made before the bound failed, for the spread and the ring.
    EXPECT_EQ(MainGame::enemyBullets->size(), 20);
    // Exactly the capacity fits.
    MainGame::enemyBullets->clear();
    factory->fireRing(10, 100, 100, 80);
    EXPECT_EQ(MainGame::enemyBullets->size(), 10);
}

TEST_F(ClsBcreatorTest, DirectionsBeyondWhatAnOperationTakesMakeNothing)
{
    factory->fireEightWay(8, 100, 100);
    factory->fireEightWay(-1, 100, 100);
    factory->fireDirectional(8, 10, 100, 100, 1, false, false);
    factory->fireHomingSpread(6, 100, 100, 0);
    factory->fireFlameSpread(6, 100, 100, 0);
    factory->fireReactSpread(4, 100, 100, 0);
    factory->firePlayerShot(6, 0);
    factory->fireBombs(6, 120, 200, 0);
    EXPECT_EQ(MainGame::enemyBullets->size(), 0);
    EXPECT_EQ(MainGame::playerBullets->size(), 0);
}

TEST_F(ClsBcreatorTest, PlayerSpreadsMakeTheirKindPerShotOfThePart)
{
    factory->fireHomingSpread(5, 100, 100, 0);
    factory->fireFlameSpread(0, 100, 100, 0);
    (*ClsPlayer::shotCount)[0] = 1;
    factory->fireReactSpread(3, 100, 100, 0);
    EXPECT_EQ(kinds(MainGame::playerBullets),
              (Strings{"scene.mainGame.weapon.ClsPlyHoming", "scene.mainGame.weapon.ClsPlyHoming",
                       "scene.mainGame.weapon.ClsPlyHoming", "scene.mainGame.weapon.ClsPlyFire",
                       "scene.mainGame.weapon.ClsPlyFire", "scene.mainGame.weapon.ClsPlyFire",
                       "scene.mainGame.weapon.ClsPlyReactBullet"}));
    // The reacting shot to the right at speed 70: 50 * 30 * 4 / 30, jittered.
    EXPECT_LE(std::abs((*factory->spreadVx)[0] - 200), 39);
    EXPECT_EQ(MainGame::enemyBullets->size(), 0);
}

TEST_F(ClsBcreatorTest, GunPointsGoClockwiseFromTheTopOfThePart)
{
    // Radius 8 / 2 = 4, diagonal sqrt(16 / 2) = 2.
    factory->computeGunPoints(0);
    EXPECT_EQ(factory->radius, 4);
    EXPECT_EQ((*factory->center)[0], 120);
    EXPECT_EQ((*factory->center)[1], 200);
    Pairs points;
    for (int32_t k = 0; k < 8; k++)
        points.emplace_back((*factory->gunPoints->get(k))[0], (*factory->gunPoints->get(k))[1]);
    EXPECT_EQ(points, (Pairs{{120, 196}, {122, 198}, {124, 200}, {122, 202}, {120, 204},
                             {118, 202}, {116, 200}, {118, 198}}));
}

TEST_F(ClsBcreatorTest, MainGunFiresOneRowPerLevelInParallel)
{
    // Weapon 0 has speed 40 at every level: 50 * -30 * 8 / 30 upwards.
    const struct {
        int32_t level, dir;
        Pairs rows;
        std::pair<int32_t, int32_t> step;
    } cases[] = {
        {1, 0, {{120, 196}}, {0, -400}},
        {2, 0, {{118, 198}, {122, 198}}, {0, -400}},
        {3, 0, {{118, 198}, {120, 196}, {122, 198}}, {0, -400}},
        {2, 3, {{122, 198}, {122, 202}}, {400, 0}},
        // Up-left: (-30, -60) from the first row, over 67 pixels.
        {1, 4, {{118, 198}}, {-179, -358}},
    };
    for (const auto& c : cases) {
        MainGame::playerBullets->clear();
        ClsPlayer::weaponLevel = c.level;
        factory->firePlayerShot(c.dir, 0);
        Pairs rows;
        for (int32_t i = 0; i < c.level; i++)
            rows.emplace_back((*factory->rows->get(i))[0], (*factory->rows->get(i))[1]);
        EXPECT_EQ(rows, c.rows) << c.level << " " << c.dir;
        EXPECT_EQ(std::make_pair(factory->vx, factory->vy), c.step) << c.level << " " << c.dir;
        EXPECT_EQ(kinds(MainGame::playerBullets),
                  Strings(size_t(c.level), "scene.mainGame.weapon.ClsPlyBullet"));
        // Each shot keeps its gun point's offset from the ship in 1/32 pixel
        // and the volley's one step: the shots fly in parallel.
        Pairs offsets;
        for (int32_t i = 0; i < c.level; i++) {
            VMPtr<ClsPlyBullet> shot = vm_cast<ClsPlyBullet>(MainGame::playerBullets->get(i));
            offsets.emplace_back(shot->accX / 32 + 120, shot->accY / 32 + 200);
        }
        EXPECT_EQ(offsets, c.rows) << c.level << " " << c.dir;
        EXPECT_EQ(steps(MainGame::playerBullets), Pairs(size_t(c.level), c.step));
    }
}

TEST_F(ClsBcreatorTest, BombsLeaveFromTheEdgeOfTheShip)
{
    // Weapon 4 at level 1 has speed 100: the quotient 3. Half the ship's
    // height is 4.
    ClsPlayer::weaponKind = 4;
    const struct {
        int32_t dir;
        std::pair<int32_t, int32_t> start, step;
    } cases[] = {
        {0, {120, 196}, {0, -150}},
        {1, {120, 204}, {0, 150}},
        {2, {116, 200}, {-150, 0}},
        // (-30, -60) over 67 pixels: -4500 / 67 and -9000 / 67.
        {4, {116, 196}, {-67, -134}},
        {5, {124, 196}, {67, -134}},
    };
    for (const auto& c : cases) {
        factory->fireBombs(c.dir, 120, 200, 0);
        VMPtr<ClsBullet> bomb = bullet(MainGame::playerBullets, MainGame::playerBullets->size() - 1);
        EXPECT_EQ(std::make_pair(bomb->getX(), bomb->getY()),
                  std::make_pair(c.start.first * 32, c.start.second * 32)) << c.dir;
        EXPECT_EQ(std::make_pair(bomb->vx, bomb->vy), c.step) << c.dir;
    }
    EXPECT_EQ(kinds(MainGame::playerBullets), Strings(5, "scene.mainGame.weapon.ClsPlyBomb"));
}

TEST_F(ClsBcreatorTest, LaserIsMadeOnlyWhileThePlayerListIsShort)
{
    factory->fireLaser(0, 0);
    factory->fireLaser(0, 0);
    EXPECT_EQ(MainGame::playerBullets->size(), 1);
    factory->fireLaser(1, 1);
    EXPECT_EQ(kinds(MainGame::playerBullets), Strings(2, "scene.mainGame.weapon.ClsPlyLaser_2"));
}

} // namespace
