// The money pick-up: its random burst, the halving of the burst, sinking,
// the pull towards the ship within range (everywhere once the stage is
// cleared), the money it adds on touching the ship, and its end.

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/weapon/ShotFixture.h"
#include "main/Game.h"
#include "scene/mainGame/weapon/ClsResources.h"

using scene::mainGame::weapon::ClsResources;

namespace {

class ClsResourcesTest : public weapontest::ShotFixture {
protected:
    // A free coin (its burst over) standing at pixel (px, py), in the
    // enemy-bullet list.
    static VMPtr<ClsResources> coinAt(int32_t px, int32_t py, int32_t speed = 60)
    {
        VMPtr<ClsResources> coin = ClsResources::newInstance()->init(px * 32, py * 32, 0, 0, speed);
        coin->phase = 1;
        return into(MainGame::enemyBullets, coin);
    }
    using Speeds = std::pair<int32_t, int32_t>;
    static Speeds speeds(VMPtr<ClsResources> coin) { return {coin->vx, coin->vy}; }
};

TEST_F(ClsResourcesTest, MadeWithEachSpeedScaledByOneTwoOrThreeAtRandom)
{
    std::set<Speeds> seen;
    for (int32_t i = 0; i < 60; i++) {
        VMPtr<ClsResources> coin = ClsResources::newInstance()->init(0, 0, 10, -10, 60);
        EXPECT_GE(coin->vx, 10);
        EXPECT_LE(coin->vx, 30);
        EXPECT_EQ(coin->vx % 10, 0);
        seen.insert(speeds(coin));
    }
    EXPECT_EQ(seen.size(), 9u) << "every pair of factors, drawn for each axis apart";
    ClsPlayer::pickupRangeFactor = 3;
    VMPtr<ClsResources> coin = ClsResources::newInstance()->init(0, 0, 10, -10, 60);
    EXPECT_TRUE(coin->isPickup());
    EXPECT_EQ(coin->value, 50);
    EXPECT_EQ(coin->phase, 0);
    EXPECT_EQ(coin->attractRange, 3 * kShipWidth);
}

TEST_F(ClsResourcesTest, SinksAtHalfTheSpeedsStepPerMillisecond)
{
    const struct {
        int32_t speed;
        int32_t fallStep;
    } cases[] = {{60, 2}, {20, 8}, {80, 2}, {100, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE("speed " + std::to_string(c.speed));
        MainGame::enemyBullets->clear();
        VMPtr<ClsResources> coin = coinAt(20, 20, c.speed);
        EXPECT_EQ(coin->fallStep, c.fallStep);
        step(MainGame::enemyBullets);
        EXPECT_EQ(speeds(coin), Speeds(0, kFrameTime * c.fallStep));
        EXPECT_EQ(coin->getY(), 20 * 32 + kFrameTime * c.fallStep);
    }
}

TEST_F(ClsResourcesTest, BurstHalvesEachFrameUntilBothSpeedsAreBelowFour)
{
    // Right beside the ship: never pulled while bursting.
    VMPtr<ClsResources> coin = coinAt(kShipX + 6, kShipY);
    coin->phase = 0;
    coin->vx = 100;
    coin->vy = -60;
    const std::vector<Speeds> expected = {{50, -30}, {25, -15}, {12, -7}, {6, -3}, {3, -1}};
    std::vector<Speeds> seen;
    std::vector<int32_t> phases;
    for (size_t i = 0; i < expected.size(); i++) {
        coin->pixelX = kShipX + 6;
        coin->pixelY = kShipY;
        coin->steer();
        seen.push_back(speeds(coin));
        phases.push_back(coin->phase);
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(phases, (std::vector<int32_t>{0, 0, 0, 0, 1}));
}

TEST_F(ClsResourcesTest, FreeCoinWithinRangeFliesToTheShip)
{
    ClsPlayer::pickupRangeFactor = 2;
    // 10 pixels below the ship, within 2 ship widths; speed 60 steps 5.
    VMPtr<ClsResources> coin = coinAt(kShipX, kShipY + 10);
    step(MainGame::enemyBullets);
    EXPECT_EQ(speeds(coin), Speeds(0, kFrameTime * 5 * -10 / 10));
    // 17 pixels away: out of range, it sinks.
    coin = coinAt(kShipX + 17, kShipY);
    step(MainGame::enemyBullets);
    EXPECT_EQ(speeds(coin), Speeds(0, kFrameTime * 2));
}

TEST_F(ClsResourcesTest, AfterTheStageIsClearedEveryCoinFliesToTheShip)
{
    MainGame::bossDefeated = true;
    VMPtr<ClsResources> coin = coinAt(20, 20);
    step(MainGame::enemyBullets);
    EXPECT_EQ(coin->attractRange, 99 * kShipWidth);
    // (100, 260) to the ship, 278 pixels.
    EXPECT_EQ(coin->dist, 278);
    EXPECT_EQ(speeds(coin), Speeds(kFrameTime * 5 * 100 / 278, kFrameTime * 5 * 260 / 278));
}

TEST_F(ClsResourcesTest, TouchingTheShipPaysOnlyInPlayAndEndsTheCoin)
{
    const struct {
        const char* what;
        int32_t px, py;
        bool playActive, shipDown;
        bool taken;
        int32_t before, money;
    } cases[] = {
        {"inside the ship", kShipX + 1, kShipY + 1, true, false, true, 0, 50},
        {"behind a menu", kShipX + 1, kShipY + 1, false, false, true, 0, 0},
        {"on the ship's edge", kShipX - 4, kShipY, true, false, false, 0, 0},
        {"through a destroyed ship", kShipX + 1, kShipY + 1, true, true, false, 0, 0},
        {"up to the most the game holds", kShipX + 1, kShipY + 1, true, false, true,
         main::Game::MAX_MONEY - 50, main::Game::MAX_MONEY},
        {"held at the most", kShipX + 1, kShipY + 1, true, false, true,
         main::Game::MAX_MONEY - 49, main::Game::MAX_MONEY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MainGame::enemyBullets->clear();
        MainGame::money = c.before;
        MainGame::playActive = c.playActive;
        (*MainGame::player->inactive)[0] = c.shipDown;
        // Standing still: well below its speed 100 (step 3) pulls nothing.
        VMPtr<ClsResources> coin = coinAt(c.px, c.py, 100);
        coin->attractRange = 0;
        step(MainGame::enemyBullets);
        EXPECT_EQ(coin->dead, c.taken);
        EXPECT_EQ(MainGame::money, c.money);
        step(MainGame::enemyBullets);
        EXPECT_EQ(MainGame::enemyBullets->size(), c.taken ? 0 : 1);
        EXPECT_EQ(MainGame::money, c.money) << "paid once";
    }
}

TEST_F(ClsResourcesTest, ACoinOnTheShipsCentreIsNotSteeredAndKeepsSinking)
{
    (*MainGame::player->inactive)[0] = true;
    VMPtr<ClsResources> coin = coinAt(kShipX, kShipY);
    step(MainGame::enemyBullets);
    EXPECT_EQ(coin->dist, 0);
    EXPECT_EQ(speeds(coin), Speeds(0, kFrameTime * 2));
    EXPECT_FALSE(coin->dead);
}

TEST_F(ClsResourcesTest, OffScreenTheCoinEndsWithoutPaying)
{
    const struct {
        int32_t px, py;
        bool onScreen;
    } cases[] = {{240, 0, true}, {0, 320, true}, {241, 100, false}, {100, 321, false},
                 {-1, 100, false}, {100, -1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.px) + ", " + std::to_string(c.py));
        MainGame::enemyBullets->clear();
        VMPtr<ClsResources> coin = coinAt(c.px, c.py);
        step(MainGame::enemyBullets);
        EXPECT_EQ(coin->dead, !c.onScreen);
        step(MainGame::enemyBullets);
        EXPECT_EQ(MainGame::enemyBullets->size(), c.onScreen ? 1 : 0);
    }
    EXPECT_EQ(MainGame::money, 0);
}

} // namespace
