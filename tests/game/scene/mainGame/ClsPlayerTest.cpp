// The player's plane on the play test pack (every unit picture 8 x 8, so
// unitDistance is 8): the entry from below and the states, steering by keys
// and touch inside the screen, the fire clock of each weapon, losses,
// respawn and game over, the support units going down and coming back, and
// the pod and satellites keeping their places. The bullet factory writes
// down what it is asked to fire; the explosions are the real pool.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/SceneFixture.h"
#include "game/scene/mainGame/boss/BossFixture.h"
#include "game/support/FakeScene.h"
#include "main/Game.h"
#include "scene/ClsMyMath.h"
#include "scene/mainGame/ClsPlayer.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsBcreator.h"
#include "scene/mainGame/weapon/ClsExplo.h"
#include "tq/util/ArrayList.h"
#include "ui/MyObject.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;

namespace {

class ClsPlayerTest : public scenetest::SceneFixture {
protected:
    static constexpr int32_t R = 8;  // the pictures' width

    void SetUp() override
    {
        SceneFixture::SetUp();
        copyPack(VX_PLAY_PACK);
        factory = bosstest::RecordingFactory::newInstance();
        factory->init();
        main::Main::game = main::Game::newInstance()->init();
        main::Game::resetProgress();
        MainGame::playActive = true;
        MainGame::bossDefeated = false;
        MainGame::playerBullets = tq::util::ArrayList::newInstance()->init();
        MainGame::enemyBullets = tq::util::ArrayList::newInstance()->init();
        newExplosions();
        clock = vxtest::FakeScene::newInstance()->init(9);
        scene::SceneManager::currentScene = VMPtr<ui::Scene>(clock.get());
        ui::MyObject::frameTime = 40;
    }
    void TearDown() override
    {
        player = nullptr;
        clock = nullptr;
        factory = nullptr;
        MainGame::player = nullptr;
        MainGame::explosions = nullptr;
        MainGame::playerBullets = nullptr;
        MainGame::enemyBullets = nullptr;
        main::Main::game = nullptr;
        SceneFixture::TearDown();
    }

    static void newExplosions()
    {
        VMPtr<scene::mainGame::weapon::ClsExplo> pool =
            scene::mainGame::weapon::ClsExplo::newInstance()->init();
        pool->setupItems();
        MainGame::explosions = pool;
    }
    // The saved selection and levels, then the player made as the play
    // scene makes it: the ship added at (120, 480).
    VMPtr<ClsPlayer> make(int32_t weapon, int32_t weaponLevel, int32_t support, int32_t supportLevel)
    {
        main::Game::selectedItemA = weapon;
        main::Game::selectedItemB = support;
        if (weapon >= 0 && weapon < main::Game::ITEMS_A)
            (*main::Game::itemLevelsA)[weapon] = weaponLevel;
        if (support >= 0 && support < main::Game::ITEMS_B)
            (*main::Game::itemLevelsB)[support] = supportLevel;
        factory->log.clear();
        player = ClsPlayer::newInstance()->init(VMPtr<scene::mainGame::weapon::ClsBcreator>(factory.get()));
        player->allocItems(9);
        MainGame::player = player;
        player->addAnimItem(ClsPlayer::GOB_SET, ClsPlayer::ANIM_SET, 1, -100, -100);
        player->addElement(0, 120, 480);
        return player;
    }
    // A player already flying at (x, y).
    VMPtr<ClsPlayer> playing(int32_t weapon, int32_t weaponLevel, int32_t support,
                             int32_t supportLevel, int32_t x = 120, int32_t y = 200)
    {
        make(weapon, weaponLevel, support, supportLevel);
        player->setPosition(0, x, y);
        player->setState(ClsPlayer::STATE_PLAYING);
        return player;
    }
    // One frame of the player as the scene runs it.
    void frame()
    {
        clock->elapsedFrameTime += ui::MyObject::frameTime;
        player->update();
    }
    void frames(int32_t n)
    {
        for (int32_t i = 0; i < n; i++)
            frame();
    }
    int32_t x(int32_t i) { return player->getX(i); }
    int32_t y(int32_t i) { return player->getY(i); }

    VMStatic<ClsPlayer> player;
    VMStatic<vxtest::FakeScene> clock;
    VMStatic<bosstest::RecordingFactory> factory;
};

TEST_F(ClsPlayerTest, EntersFromBelowAndPlaysOnceAboveY256)
{
    make(0, 1, 0, 1);
    ui::MyObject::frameTime = 32;
    EXPECT_EQ(player->getState(), ClsPlayer::STATE_ENTERING);
    EXPECT_EQ(player->getLives(), 3);
    EXPECT_EQ(ClsPlayer::unitDistance, R);
    frame();
    EXPECT_EQ(y(0), 475) << "5 pixels per 32 ms frame";
    EXPECT_EQ(MainGame::playerY, 480) << "the position before the move";
    EXPECT_EQ(player->direction, ClsPlayer::HEADING_UP);
    // 480 - 5 * 45 = 255: the 45th frame's move, seen by the 46th.
    frames(44);
    EXPECT_EQ(y(0), 255);
    EXPECT_EQ(player->getState(), ClsPlayer::STATE_ENTERING);
    frame();
    EXPECT_EQ(player->getState(), ClsPlayer::STATE_PLAYING);
    EXPECT_FALSE(player->isInactive(0));
    EXPECT_EQ(y(0), 250) << "the last climb";
    frame();
    EXPECT_EQ(y(0), 250) << "a playing ship only moves when steered";
    EXPECT_FALSE(player->isInvulnerable(0)) << "the first entry is not protected";
    EXPECT_EQ(player->getItemFrame(0), 1);
    EXPECT_EQ(MainGame::playerX, 120);
    EXPECT_EQ(player->getItemX(0), 120) << "the picture follows the element";
    EXPECT_EQ(player->getItemY(0), 250);
}

TEST_F(ClsPlayerTest, KeysMoveFivePixelsPerFrameOnlyWhilePlaying)
{
    make(0, 1, 0, 1);
    ui::MyObject::frameTime = 32;
    player->setPosition(0, 100, 400);
    player->moveLeft();
    player->moveUp();
    frame();
    EXPECT_EQ(x(0), 100) << "keys do nothing while entering";

    player->setPosition(0, 100, 200);
    player->setState(ClsPlayer::STATE_PLAYING);
    player->moveUp();
    player->moveLeft();
    frame();
    EXPECT_EQ(x(0), 95);
    EXPECT_EQ(y(0), 195);
    EXPECT_EQ(player->direction, ClsPlayer::HEADING_LEFT) << "the last key sets the heading";
    frame();
    EXPECT_EQ(x(0), 95) << "the velocity lasts one frame";
    player->moveDown();
    player->moveRight();
    frame();
    EXPECT_EQ(x(0), 100);
    EXPECT_EQ(y(0), 200);
}

TEST_F(ClsPlayerTest, KeysAndTouchesKeepThePlayingShipOnTheScreen)
{
    struct Case {
        const char* name;
        void (ClsPlayer::*key)();
        int32_t touchX, touchY;
        int32_t wantX, wantY;
    };
    const Case cases[] = {
        {"left", &ClsPlayer::moveLeft, -500, 200, R / 2, 200},
        {"right", &ClsPlayer::moveRight, 900, 200, 240 - R / 2, 200},
        {"up", &ClsPlayer::moveUp, 120, -700, 120, R / 2},
        {"down", &ClsPlayer::moveDown, 120, 900, 120, 320 - R / 2},
    };
    for (const Case& c : cases) {
        playing(0, 1, 0, 1);
        for (int32_t i = 0; i < 80; i++) {
            ((*player).*c.key)();
            frame();
        }
        EXPECT_EQ(x(0), c.wantX) << c.name << " key";
        EXPECT_EQ(y(0), c.wantY) << c.name << " key";

        playing(0, 1, 0, 1);
        for (int32_t i = 0; i < 80; i++) {
            player->moveTowards(0, c.touchX, c.touchY);
            frame();
        }
        EXPECT_EQ(x(0), c.wantX) << c.name << " touch";
        EXPECT_EQ(y(0), c.wantY) << c.name << " touch";
    }
}

TEST_F(ClsPlayerTest, TouchSteersTowardsThePointUnlessItIsWithinHalfTheShip)
{
    playing(0, 1, 0, 1, 100, 100);
    ui::MyObject::frameTime = 32;
    EXPECT_FALSE(player->steerTo(0, 104, 100)) << "half the 8-pixel ship away";
    EXPECT_EQ((*player->vx)[0], 0);
    EXPECT_EQ((*player->distance)[0], 4);

    // Heading by the stronger axis: (dx, dy) -> direction.
    const int32_t cases[][3] = {{0, 50, 0}, {0, -50, 1}, {50, 10, 2}, {-50, 10, 3}, {30, -30, 1}};
    for (const auto& c : cases) {
        EXPECT_TRUE(player->steerTo(0, 100 + c[0], 100 + c[1])) << c[0] << "," << c[1];
        EXPECT_EQ(player->direction, c[2]) << c[0] << "," << c[1];
    }
    player->moveTowards(0, 100, 150);
    EXPECT_EQ((*player->vy)[0], 160) << "32 ms * speed 5, in 1/32 pixel";
    EXPECT_EQ(y(0), 100) << "steering does not move";
    frame();
    EXPECT_EQ(y(0), 105);
    EXPECT_EQ((*player->vy)[0], 0);
}

TEST_F(ClsPlayerTest, EachWeaponFiresOnItsIntervalThroughItsFactoryOperation)
{
    struct Case {
        int32_t weapon, level;
        int32_t firstFrame;  // 10 ms frames: the first frame above the interval
        const char* call;
    };
    const Case cases[] = {
        {0, 1, 15, "shot 0 0"},
        {0, 2, 12, "shot 0 0"},
        {1, 3, 7, "flame 0 120 200 0"},
        {2, 1, 51, "homing 0 120 200 0"},
        {3, 2, 19, "laser 0 0"},
        {4, 3, 101, "bombs 0 120 200 0"},
    };
    for (const Case& c : cases) {
        playing(c.weapon, c.level, 0, 1);
        ui::MyObject::frameTime = 10;
        std::vector<int32_t> fired;
        for (int32_t f = 1; f <= 3 * c.firstFrame; f++) {
            size_t before = factory->log.size();
            frame();
            if (factory->log.size() > before)
                fired.push_back(f);
        }
        EXPECT_EQ(fired, (std::vector<int32_t>{c.firstFrame, 2 * c.firstFrame, 3 * c.firstFrame}))
            << "weapon " << c.weapon << " level " << c.level;
        ASSERT_FALSE(factory->log.empty());
        EXPECT_EQ(factory->log[0], c.call);
    }
}

TEST_F(ClsPlayerTest, NoFireWhileEnteringDestroyedOrCleared)
{
    make(1, 1, 0, 1);
    frames(30);
    EXPECT_TRUE(factory->log.empty()) << "entering";
    player->setState(ClsPlayer::STATE_DESTROYED);
    frames(40);
    player->setState(ClsPlayer::STATE_CLEARED);
    frames(40);
    EXPECT_TRUE(factory->log.empty());
}

TEST_F(ClsPlayerTest, DemoStateIsInvulnerableAndFires)
{
    make(0, 1, 0, 1);
    player->setState(ClsPlayer::STATE_DEMO);
    frames(10);
    EXPECT_TRUE(player->isInvulnerable(0));
    EXPECT_FALSE(factory->log.empty());
    EXPECT_EQ(player->getUnitKind(0), ClsPlayer::UNIT_SHIP);
    EXPECT_EQ(player->getUnitKind(1), ClsPlayer::UNIT_BARRIER);
}

TEST_F(ClsPlayerTest, LostShipExplodesAndReentersInvulnerableFor2000ms)
{
    playing(0, 1, 0, 1, 60, 100);
    frames(60);
    MainGame::playerBullets->add(MainGame::enemyBullets);
    player->damage(0, 1);
    frame();
    EXPECT_EQ(player->getLives(), 2);
    EXPECT_EQ(player->getState(), ClsPlayer::STATE_ENTERING);
    EXPECT_EQ(x(0), 120);
    EXPECT_EQ(y(0), 480);
    EXPECT_EQ(player->getHp(0), 1);
    EXPECT_TRUE(player->isInactive(0));
    EXPECT_EQ(MainGame::playerBullets->size(), 0) << "the main gun's shots go with the ship";
    EXPECT_EQ(MainGame::explosions->getItemFrame(0), ClsPlayer::EXPLOSION);
    EXPECT_EQ(MainGame::explosions->getItemX(0), 60);
    EXPECT_EQ(MainGame::explosions->getItemY(0), 100);

    // The first frame of the re-entry starts the 2000 ms; from the next
    // one the ship shows its protected look until they are over.
    frame();
    int32_t reentry = clock->elapsedFrameTime;
    int32_t f = 0;
    for (; player->getState() == ClsPlayer::STATE_ENTERING && f < 100; f++) {
        frame();
        EXPECT_EQ(player->getItemFrame(0), ClsPlayer::FRAME_SHIP_INVULNERABLE) << f;
        EXPECT_TRUE(player->isInvulnerable(0)) << f;
    }
    EXPECT_EQ(player->getState(), ClsPlayer::STATE_PLAYING);
    EXPECT_FALSE(player->isInactive(0));
    for (; player->isInvulnerable(0) && f < 100; f++)
        frame();
    EXPECT_EQ(clock->elapsedFrameTime - reentry, 2040) << "the first frame past 2000 ms";
    EXPECT_EQ(player->getItemFrame(0), ClsPlayer::FRAME_SHIP);
}

TEST_F(ClsPlayerTest, OtherWeaponsKeepTheirShotsWhenTheShipIsLost)
{
    playing(3, 1, 0, 1);
    MainGame::playerBullets->add(MainGame::enemyBullets);
    player->damage(0, 5);
    frame();
    EXPECT_EQ(MainGame::playerBullets->size(), 1);
}

TEST_F(ClsPlayerTest, LastLostShipEndsTheGameOnceTheShipsTimerPasses5000ms)
{
    // The ship's timer is the fire clock's, which the slowest weapon keeps
    // running: the count to game over goes on from the 840 ms it holds at
    // the loss.
    playing(4, 1, 0, 1);
    player->setLives(1);
    frames(20);
    player->damage(0, 1);
    frame();
    EXPECT_EQ(player->getState(), ClsPlayer::STATE_DESTROYED);
    EXPECT_EQ(player->getLives(), 0);
    frames(104);
    EXPECT_FALSE(player->isGameOver()) << "5000 ms exactly";
    frame();
    EXPECT_TRUE(player->isGameOver());
    EXPECT_EQ(y(0), 480) << "the lost ship stays below the screen";
}

TEST_F(ClsPlayerTest, ClearedStageFliesOffUpwardsOnceTheShipsTimerPasses4000ms)
{
    // As for the game over: the fire clock's 840 ms count towards the 4000.
    playing(4, 1, 0, 1, 120, 10);
    frames(20);
    MainGame::bossDefeated = true;
    frame();
    EXPECT_EQ(player->getState(), ClsPlayer::STATE_CLEARED);
    EXPECT_TRUE(player->isInvulnerable(0));
    frames(79);
    EXPECT_EQ(y(0), 10) << "4000 ms exactly";
    frame();
    EXPECT_EQ(y(0), 3);
    frames(20);
    EXPECT_LT(y(0), -80) << "no screen clamp while leaving";
    EXPECT_EQ(player->direction, ClsPlayer::HEADING_UP);
}

TEST_F(ClsPlayerTest, BarrierAndWingGunsGoDownForTheirRespawnTime)
{
    struct Case {
        int32_t support, level, element, respawnMs, backFrame;
        bool explodes;
    };
    const Case cases[] = {
        {0, 1, 1, 3000, ClsPlayer::FRAME_BARRIER, false},
        {0, 2, 1, 2000, ClsPlayer::FRAME_BARRIER, false},
        {0, 3, 1, 1000, ClsPlayer::FRAME_BARRIER, false},
        {5, 1, 2, 5000, ClsPlayer::FRAME_WING, true},
    };
    for (const Case& c : cases) {
        playing(0, 1, c.support, c.level);
        newExplosions();
        player->damage(c.element, 1);
        frame();
        EXPECT_TRUE(player->isInactive(c.element)) << c.support << "/" << c.level;
        EXPECT_TRUE(player->isInvulnerable(c.element));
        EXPECT_EQ(player->getItemFrame(c.element), ClsPlayer::FRAME_DOWN);
        EXPECT_EQ(MainGame::explosions->getItemFrame(0) == ClsPlayer::EXPLOSION, c.explodes);
        // The first frame counted 40 ms; back on the first frame above.
        frames(c.respawnMs / 40 - 1);
        EXPECT_TRUE(player->isInactive(c.element)) << c.support << "/" << c.level;
        EXPECT_EQ(MainGame::explosions->getItemFrame(1), 2) << "one explosion only";
        frame();
        EXPECT_FALSE(player->isInactive(c.element)) << c.support << "/" << c.level;
        EXPECT_FALSE(player->isInvulnerable(c.element));
        EXPECT_EQ(player->getHp(c.element), 1);
        EXPECT_EQ(player->getItemFrame(c.element), c.backFrame);
    }
}

TEST_F(ClsPlayerTest, BarrierRebuiltWhileDownCanBeHitAndStaysDownItsFullTime)
{
    playing(0, 1, 0, 2);
    player->damage(1, 1);
    frames(25);
    ASSERT_TRUE(player->isInvulnerable(1)) << "1000 of 2000 ms down";
    player->refreshSupport();
    EXPECT_FALSE(player->isInactive(1));
    EXPECT_FALSE(player->isInvulnerable(1)) << "the new barrier can be hit";
    frame();
    EXPECT_FALSE(player->isInvulnerable(1));
    EXPECT_EQ(player->getItemFrame(1), ClsPlayer::FRAME_BARRIER);

    // Its own count starts at its own loss, not where the old one stopped.
    player->damage(1, 1);
    frame();
    frames(2000 / 40 - 1);
    EXPECT_TRUE(player->isInactive(1));
    frame();
    EXPECT_FALSE(player->isInactive(1));
    EXPECT_FALSE(player->isInvulnerable(1));
}

TEST_F(ClsPlayerTest, HitPodIsPushedTowardsTheShip)
{
    // Heading -> where the pod trails, and the push of R / divisor back
    // towards the ship (divisor 3 * level).
    struct Case {
        void (ClsPlayer::*key)();
        int32_t level;
        int32_t dx, dy;          // pod offset before the hit
        int32_t pushX, pushY;    // unit push direction
    };
    const Case cases[] = {
        {&ClsPlayer::moveDown, 1, 0, -R, 0, 1},
        {&ClsPlayer::moveUp, 2, 0, R, 0, -1},
        {&ClsPlayer::moveRight, 1, -R, 0, 1, 0},
        {&ClsPlayer::moveLeft, 1, R, 0, -1, 0},
    };
    for (const Case& c : cases) {
        playing(0, 1, 1, c.level, 100, 100);
        EXPECT_EQ(player->podPushDivisor, 3 * c.level);
        ((*player).*c.key)();
        frames(3);  // the last frame sees the ship standing still
        ASSERT_EQ(x(1) - x(0), c.dx) << c.level << "/" << c.dx << "," << c.dy;
        ASSERT_EQ(y(1) - y(0), c.dy) << c.level << "/" << c.dx << "," << c.dy;
        int32_t q = R / (3 * c.level);
        player->damage(1, 50);
        frame();
        EXPECT_EQ(x(1) - x(0), c.dx + c.pushX * q) << c.level << "/" << c.dx << "," << c.dy;
        EXPECT_EQ(y(1) - y(0), c.dy + c.pushY * q) << c.level << "/" << c.dx << "," << c.dy;
        EXPECT_EQ(player->getHp(1), 1);
        EXPECT_FALSE(player->isInactive(1));
    }
}

TEST_F(ClsPlayerTest, SatellitesNeverGoDown)
{
    playing(0, 1, 2, 3);
    player->damage(3, 50);
    frame();
    EXPECT_EQ(player->getHp(3), 1);
    EXPECT_FALSE(player->isInactive(3));
}

TEST_F(ClsPlayerTest, PodTrailsBehindTheHeading)
{
    playing(0, 1, 1, 3, 100, 100);
    EXPECT_EQ(player->getNextItem(), 2);
    EXPECT_EQ(player->getUnitKind(1), ClsPlayer::UNIT_POD);
    // Heading -> pod offset: down 0 above, up 1 below, right 2 left of
    // the ship, left 3 right of it.
    struct Case {
        void (ClsPlayer::*key)();
        int32_t heading, dx, dy;
    };
    const Case cases[] = {
        {&ClsPlayer::moveUp, 1, 0, R},
        {&ClsPlayer::moveRight, 2, -R, 0},
        {&ClsPlayer::moveDown, 0, 0, -R},
        {&ClsPlayer::moveLeft, 3, R, 0},
    };
    for (const Case& c : cases) {
        ((*player).*c.key)();
        frame();
        frame();  // the move is seen as moving by the next frame
        EXPECT_EQ(player->getItemFrame(1), c.heading);
        EXPECT_EQ(x(1) - x(0), c.dx) << c.heading;
        EXPECT_EQ(y(1) - y(0), c.dy) << c.heading;
    }

    MainGame::playActive = false;
    player->moveLeft();
    frame();
    EXPECT_EQ(x(1), x(0)) << "the demo flight keeps the pod ahead";
    EXPECT_EQ(y(1), y(0) - R);
    EXPECT_EQ(player->getItemFrame(1), 0);
}

TEST_F(ClsPlayerTest, SatellitesCircleTheShipAtTheUnitDistance)
{
    struct Case {
        int32_t level;
        double step;
        std::vector<double> start;
    };
    const Case cases[] = {
        {1, 0.175, {0}},
        {2, 0.1, {0, 3.14}},
        {3, 0.075, {0, 2.09, 4.18}},
    };
    bool truncationMatters = false;
    for (const Case& c : cases) {
        playing(0, 1, 2, c.level, 100, 150);
        ASSERT_EQ(player->getNextItem(), 1 + c.level);
        frames(4);
        for (int32_t k = 0; k < c.level; k++) {
            // Every satellite element advances every angle once a frame.
            double a = c.start[k];
            for (int32_t n = 0; n < 4 * c.level; n++)
                a += c.step;
            EXPECT_EQ((*player->orbitAngle)[k], a) << c.level << "/" << k;
            double dx = scene::ClsMyMath::cos(a) * R;
            double dy = scene::ClsMyMath::sin(a) * R;
            // The sum is truncated, not the offset alone.
            int32_t wantX = static_cast<int32_t>(dx + 100);
            int32_t wantY = static_cast<int32_t>(dy + 150);
            EXPECT_EQ(x(k + 1), wantX) << c.level << "/" << k;
            EXPECT_EQ(y(k + 1), wantY) << c.level << "/" << k;
            if (static_cast<int32_t>(dx) + 100 != wantX && static_cast<int32_t>(dy) + 150 != wantY)
                truncationMatters = true;
        }
    }
    EXPECT_TRUE(truncationMatters) << "a satellite left of and above the ship between whole pixels";
}

TEST_F(ClsPlayerTest, WingGunsSitBesideTheShipAndFireWithIt)
{
    struct Case {
        int32_t weapon, support, level;
        int32_t side, damage;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {0, 3, 1, R, 30 * 2 / 10, "shot 0 1", "shot 0 2"},
        {0, 4, 3, R, 30 * 5 / 10, "shot 4 1", "shot 5 2"},
        {3, 4, 2, R * 3 / 2, 15 * 3 / 10, "laser 4 1", "laser 5 2"},
        {0, 6, 2, R, 30 * 3 / 10, "shot 1 1", "shot 1 2"},
    };
    for (const Case& c : cases) {
        playing(c.weapon, 1, c.support, c.level, 100, 150);
        ASSERT_EQ(player->getNextItem(), 3);
        EXPECT_EQ((*ClsPlayer::shotDamage)[1], c.damage) << c.support << "/" << c.level;
        EXPECT_EQ((*ClsPlayer::shotDamage)[2], c.damage);
        ui::MyObject::frameTime = 50;
        frames(5);
        EXPECT_EQ(x(1), 100 - c.side);
        EXPECT_EQ(x(2), 100 + c.side);
        EXPECT_EQ(y(1), 150 + R / 2);
        ASSERT_EQ(factory->log.size(), 3u) << c.support << "/" << c.level;
        EXPECT_EQ(factory->log[1], c.left);
        EXPECT_EQ(factory->log[2], c.right);

        // A gun that is down is silent through the next shot; the other
        // keeps firing.
        player->damage(1, 1);
        frame();
        ASSERT_TRUE(player->isInactive(1));
        std::string ship = factory->log[0];
        factory->log.clear();
        for (int32_t f = 0; f * 50 <= ClsPlayer::fireInterval && factory->log.empty(); f++)
            frame();
        EXPECT_EQ(factory->log, (std::vector<std::string>{ship, c.right})) << c.support << "/" << c.level;
    }
}

TEST_F(ClsPlayerTest, PickupRangeGrowsWithItsLevel)
{
    for (int32_t level : {1, 2, 3}) {
        make(0, 1, ClsPlayer::SUPPORT_PICKUP_RANGE, level);
        EXPECT_EQ(ClsPlayer::pickupRangeFactor, level + 1);
        EXPECT_EQ(player->getNextItem(), 1) << "no unit";
    }
}

TEST_F(ClsPlayerTest, SavedSelectionsAndLevelsAreBroughtIntoRange)
{
    (*main::Game::itemLevelsA)[4] = 7;
    (*main::Game::itemLevelsB)[0] = -2;
    make(9, 0, -3, 0);
    EXPECT_EQ(ClsPlayer::weaponKind, 4);
    EXPECT_EQ(ClsPlayer::weaponLevel, 3);
    EXPECT_EQ(ClsPlayer::fireInterval, 1000);
    EXPECT_EQ(ClsPlayer::supportKind, 0);
    EXPECT_EQ(ClsPlayer::supportLevel, 0);
    EXPECT_EQ(player->getNextItem(), 1) << "a support not owned has no unit";

    // A selected weapon not owned fires at level 1; a support not owned
    // has no unit until refreshSupport raises its level.
    main::Game::resetProgress();
    make(2, 0, 1, 0);
    EXPECT_EQ(ClsPlayer::weaponLevel, 1);
    EXPECT_EQ(ClsPlayer::fireInterval, 500);
    EXPECT_EQ((*ClsPlayer::shotCount)[0], 3);
    EXPECT_EQ(player->getNextItem(), 1);
    player->refreshSupport();
    EXPECT_EQ(ClsPlayer::supportLevel, 1);
    EXPECT_EQ(player->getNextItem(), 2);
    EXPECT_EQ(player->getUnitKind(1), ClsPlayer::UNIT_POD);
}

TEST_F(ClsPlayerTest, RefreshTakesTheShopsLevelsAndRebuildsTheUnits)
{
    playing(0, 1, 2, 3);
    ASSERT_EQ(player->getNextItem(), 4);
    MainGame::playerBullets->add(MainGame::enemyBullets);
    (*main::Game::itemLevelsA)[1] = 2;
    ClsPlayer::weaponKind = 1;
    player->refreshWeapon();
    EXPECT_EQ(MainGame::playerBullets->size(), 0);
    EXPECT_EQ(ClsPlayer::weaponLevel, 2);
    EXPECT_EQ(ClsPlayer::fireInterval, 60);
    EXPECT_EQ((*ClsPlayer::shotDamage)[0], 50);
    EXPECT_EQ((*ClsPlayer::shotCount)[0], 2);

    (*main::Game::itemLevelsB)[0] = 1;
    ClsPlayer::supportKind = 0;
    player->refreshSupport();
    EXPECT_EQ(player->getNextItem(), 2);
    EXPECT_EQ(player->getUnitKind(1), ClsPlayer::UNIT_BARRIER);
    EXPECT_EQ((*player->respawnTime)[1], 3000);
    EXPECT_TRUE(player->isInactive(2)) << "the old satellites are removed";
}

TEST_F(ClsPlayerTest, StoppedPlayerDoesNothing)
{
    playing(0, 1, 0, 1);
    player->setStopped(1);
    player->moveUp();
    player->damage(0, 1);
    frames(10);
    EXPECT_EQ(y(0), 200);
    EXPECT_EQ(player->getLives(), 3);
    EXPECT_TRUE(factory->log.empty());
}

} // namespace
