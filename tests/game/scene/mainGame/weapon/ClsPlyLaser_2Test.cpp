// The beam: its segments from the picture by direction, the beat on which
// it strikes, the line it reaches, when it is active and drawn, and a
// picture without length that makes no beam.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/weapon/ShotFixture.h"
#include "scene/mainGame/weapon/ClsPlyLaser_2.h"

using javax::microedition::lcdui::Image;
using scene::mainGame::weapon::ClsPlyLaser_2;

namespace {

class ClsPlyLaser_2Test : public weapontest::ShotFixture {
protected:
    void SetUp() override
    {
        ShotFixture::SetUp();
        setWeapon(3, 1);
    }
    // A beam of the ship in the player-bullet list.
    static VMPtr<ClsPlyLaser_2> beam(int32_t dir)
    {
        return into(MainGame::playerBullets, ClsPlyLaser_2::newInstance()->init(dir, 0));
    }
    static void frames(int32_t n)
    {
        for (int32_t f = 0; f < n; f++)
            step(MainGame::playerBullets);
    }
};

TEST_F(ClsPlyLaser_2Test, SegmentsRunFromTheShipToTheEdgeByDirection)
{
    // The segment picture is 8 across and 16 along a vertical beam. The first
    // segment plays animation 2 + level, the others 5 + level.
    const struct {
        int32_t level;
        int32_t dir;
        int32_t animSet;
        int32_t segLen, width, n;
        int32_t dx, dy;
    } cases[] = {
        {1, 0, 4108, 16, 8, 20, 0, -16}, {1, 1, 4105, 16, 8, 20, 0, 16},
        {1, 2, 4106, 8, 16, 30, -8, 0},  {1, 3, 4107, 8, 16, 30, 8, 0},
        {1, 4, 4108, 16, 8, 20, 0, -16}, {1, 5, 4108, 16, 8, 20, 0, -16},
        {2, 0, 4108, 16, 8, 20, 0, -16}, {2, 3, 4107, 8, 16, 30, 8, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + " direction " + std::to_string(c.dir));
        setWeapon(3, c.level);
        VMPtr<ClsPlyLaser_2> laser = beam(c.dir);
        EXPECT_EQ(laser->getAnimPlayer()->getAnimSet()->getResourceId(), c.animSet);
        EXPECT_EQ(laser->segLen, c.segLen);
        EXPECT_EQ(laser->width, c.width);
        ASSERT_EQ(laser->n, c.n);
        EXPECT_EQ(laser->segments->get(0)->getAnimation(), 2 + c.level);
        EXPECT_EQ(laser->segments->get(1)->getAnimation(), 5 + c.level);
        EXPECT_EQ(laser->segments->get(c.n - 1)->getAnimation(), 5 + c.level);
        frames(1);
        for (int32_t k : {0, 1, c.n - 1}) {
            EXPECT_EQ((*laser->segX)[k], kShipX + (k + 1) * c.dx) << k;
            EXPECT_EQ((*laser->segY)[k], kShipY + (k + 1) * c.dy) << k;
        }
        MainGame::playerBullets->clear();
    }
}

TEST_F(ClsPlyLaser_2Test, BeatsInTheFirstFramePast100Ms)
{
    const struct {
        int32_t frameTime;
        std::vector<bool> ticks;
    } cases[] = {
        {50, {false, false, true, false, false, true, false}},
        {40, {false, false, true, false, false, true, false}},
        {60, {false, true, false, true, false, true, false}},
        {101, {true, true, true, true, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("frame time " + std::to_string(c.frameTime));
        ui::MyObject::frameTime = c.frameTime;
        VMPtr<ClsPlyLaser_2> laser = beam(0);
        std::vector<bool> ticks;
        for (size_t f = 0; f < c.ticks.size(); f++) {
            laser->update(c.frameTime, 0);
            ticks.push_back(laser->ticked);
        }
        EXPECT_EQ(ticks, c.ticks);
        MainGame::playerBullets->clear();
    }
}

TEST_F(ClsPlyLaser_2Test, StrikesOnBeatsEveryPartAcrossItsWidthBetweenTheShipAndTheEdge)
{
    place(MainGame::player, 0, 120, 160);
    const struct {
        int32_t dir;
        int32_t inX, inY;
        int32_t behindX, behindY;
    } cases[] = {
        {0, 120, 50, 120, 250},
        {1, 120, 250, 120, 50},
        {2, 50, 160, 200, 160},
        {3, 200, 160, 50, 160},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("direction " + std::to_string(c.dir));
        MainGame::playerBullets->clear();
        enemies = weapontest::TargetEnemies::newInstance()->init(10);
        MainGame::enemies = enemies;
        addEnemy(c.inX, c.inY);
        addEnemy(c.behindX, c.behindY);
        VMPtr<ClsPlyLaser_2> laser = beam(c.dir);
        frames(2);
        EXPECT_EQ(hps(enemies), (std::vector<int32_t>{kPartHp, kPartHp})) << "no beat yet";
        frames(4);
        int32_t damage = stat(3, 1, 0);
        EXPECT_EQ(hps(enemies), (std::vector<int32_t>{kPartHp - 2 * damage, kPartHp}));
        EXPECT_FALSE(laser->dead) << "the beam never ends itself";
        EXPECT_EQ(MainGame::playerBullets->size(), 1);
    }
}

TEST_F(ClsPlyLaser_2Test, AVerticalBeamReachesByItsWidthAndNotTheScreenEdge)
{
    // The ship's beam is 8 wide: x 116 to 124. Part rectangles are
    // (x - 4, y - 4, 8, 8).
    addEnemy(126, 100);  // overlaps by 2 pixels
    addEnemy(128, 100);  // touches its edge only
    addEnemy(120, 3);    // its rectangle starts above the screen
    addEnemy(120, 100);  // plain in line
    beam(0);
    frames(3);
    int32_t hit = kPartHp - stat(3, 1, 0);
    EXPECT_EQ(hps(enemies), (std::vector<int32_t>{hit, kPartHp, kPartHp, hit}));
    EXPECT_EQ(enemies->hits, (std::vector<int32_t>{0, 3}));
}

TEST_F(ClsPlyLaser_2Test, ActiveAndDrawnOnlyWhileTheShipIsUpAndPlaying)
{
    const struct {
        int32_t state;
        bool shipDown;
        bool active;
    } cases[] = {
        {ClsPlayer::STATE_ENTERING, false, false}, {ClsPlayer::STATE_PLAYING, false, true},
        {ClsPlayer::STATE_CLEARED, false, false},  {ClsPlayer::STATE_DESTROYED, false, false},
        {ClsPlayer::STATE_DEMO, false, true},      {ClsPlayer::STATE_PLAYING, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + (c.shipDown ? ", ship down" : ""));
        MainGame::playerBullets->clear();
        enemies = weapontest::TargetEnemies::newInstance()->init(10);
        MainGame::enemies = enemies;
        addEnemy(kShipX, 100);
        MainGame::player->setState(c.state);
        (*MainGame::player->inactive)[0] = c.shipDown;
        VMPtr<ClsPlyLaser_2> laser = beam(0);
        frames(3);
        EXPECT_EQ(laser->active, c.active);
        EXPECT_EQ(hps(enemies)[0] < kPartHp, c.active);
        VMPtr<Image> image = Image::createImage(240, 320, false, 0);
        laser->draw(image->getGraphics());
        EXPECT_EQ(colourAt(image, kShipX, kShipY - 20) == 0xC0C0C0, c.active);
    }
}

TEST_F(ClsPlyLaser_2Test, SegmentsAnimateWhenDrawnUnlessThePlayerIsStopped)
{
    VMPtr<ClsPlyLaser_2> laser = beam(0);
    frames(1);
    VMPtr<Image> image = Image::createImage(240, 320, false, 0);
    laser->draw(image->getGraphics());
    EXPECT_EQ(laser->segments->get(0)->getElapsedTime(), 50);
    MainGame::player->setStopped(1);
    laser->draw(image->getGraphics());
    EXPECT_EQ(laser->segments->get(0)->getElapsedTime(), 50);
    EXPECT_EQ(laser->getAnimPlayer()->getElapsedTime(), 0) << "the main picture is not drawn";
}

TEST_F(ClsPlyLaser_2Test, APictureWithoutLengthMakesABeamOfNoSegmentsThatDoesNothing)
{
    // Level 3's beam picture in the test pack is empty.
    setWeapon(3, 3);
    addEnemy(kShipX, 100);
    VMPtr<ClsPlyLaser_2> laser = beam(0);
    EXPECT_EQ(laser->segLen, 0);
    EXPECT_EQ(laser->n, 0);
    frames(6);
    EXPECT_TRUE(laser->active);
    EXPECT_EQ(hps(enemies)[0], kPartHp);
    VMPtr<Image> image = Image::createImage(240, 320, false, 0);
    laser->draw(image->getGraphics());
    EXPECT_EQ(MainGame::playerBullets->size(), 1);
}

} // namespace
