// The bullet base and the enemy bullet: the point test's strict borders and
// one part per test against the box test's every overlapping part, parts
// that cannot be hit, the step of a speed (0 guarded), the screen bounds
// with both edges inside and still tested against the player, and a dead
// bullet's last drawing before it leaves its list.

#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/weapon/WeaponFixture.h"
#include "javax/microedition/lcdui/Image.h"
#include "scene/mainGame/weapon/ClsEnemyBullet.h"
#include "scene/mainGame/weapon/ClsPlyReactBullet.h"

using scene::mainGame::weapon::ClsBullet;
using scene::mainGame::weapon::ClsEnemyBullet;

namespace {

class ClsBulletTest : public weapontest::WeaponFixture {
protected:
    // A still enemy bullet at pixel (px, py).
    static VMPtr<ClsEnemyBullet> bulletAt(int32_t px, int32_t py)
    {
        return ClsEnemyBullet::newInstance()->init(px * 32, py * 32, 0, 0, 80);
    }
};

TEST_F(ClsBulletTest, PointTestHitsOnlyStrictlyInsideThePartRectangle)
{
    // The part's rectangle is (96, 96, 8, 8).
    const struct {
        int32_t px, py;
        bool hit;
    } cases[] = {
        {100, 100, true}, {97, 97, true},   {103, 103, true},
        {96, 100, false}, {104, 100, false}, {100, 96, false}, {100, 104, false},
    };
    for (const auto& c : cases) {
        VMPtr<weapontest::TargetPlane> plane = targets({{100, 100}});
        VMPtr<ClsEnemyBullet> bullet = bulletAt(c.px, c.py);
        bullet->hitTest(plane);
        EXPECT_EQ(bullet->dead, c.hit) << c.px << "," << c.py;
        EXPECT_EQ(plane->getHp(0), c.hit ? kPartHp - 1 : kPartHp) << c.px << "," << c.py;
        EXPECT_EQ(plane->hits, c.hit ? std::vector<int32_t>{0} : std::vector<int32_t>{});
        std::vector<int32_t> rect(bullet->getHitRect()->elements(),
                                  bullet->getHitRect()->elements() + 4);
        EXPECT_EQ(rect, (std::vector<int32_t>{96, 96, 8, 8}));
    }
}

TEST_F(ClsBulletTest, PointTestHitsTheLowestPartAndTheBoxTestEveryOverlappingPart)
{
    // Parts 1 and 2 both lie under the bullet at (100, 100); part 0 does not.
    VMPtr<weapontest::TargetPlane> plane = targets({{50, 50}, {101, 101}, {99, 99}});
    VMPtr<ClsEnemyBullet> point = bulletAt(100, 100);
    point->damage = 7;
    point->hitTest(plane);
    EXPECT_EQ(hps(plane), (std::vector<int32_t>{100, 93, 100}));
    EXPECT_EQ(plane->hits, std::vector<int32_t>{1});

    plane->hits.clear();
    VMPtr<ClsEnemyBullet> box = bulletAt(100, 100);
    box->damage = 7;
    box->collide(plane);
    EXPECT_TRUE(box->dead);
    EXPECT_EQ(hps(plane), (std::vector<int32_t>{100, 86, 93}));
    EXPECT_EQ(plane->hits, (std::vector<int32_t>{1, 2}));

    // The box test does not ask whether the bullet is already dead.
    box->collide(plane);
    EXPECT_EQ(hps(plane), (std::vector<int32_t>{100, 79, 86}));
    // The point test does: a dead bullet hits nothing.
    point->hitTest(plane);
    EXPECT_EQ(hps(plane), (std::vector<int32_t>{100, 79, 86}));
}

TEST_F(ClsBulletTest, InactiveAndInvulnerablePartsAreNeverHit)
{
    VMPtr<weapontest::TargetPlane> plane = targets({{100, 100}, {100, 100}});
    (*plane->inactive)[0] = true;
    plane->setInvulnerable(1, true);
    VMPtr<ClsEnemyBullet> point = bulletAt(100, 100);
    point->hitTest(plane);
    VMPtr<ClsEnemyBullet> box = bulletAt(100, 100);
    box->collide(plane);
    EXPECT_FALSE(point->dead);
    EXPECT_FALSE(box->dead);
    EXPECT_EQ(hps(plane), (std::vector<int32_t>{100, 100}));
    EXPECT_EQ(plane->hits, std::vector<int32_t>{});
}

TEST_F(ClsBulletTest, BoxTestNeedsABoxInTheBulletsFrame)
{
    VMPtr<weapontest::TargetPlane> plane = targets({{100, 100}});
    VMPtr<ClsEnemyBullet> bullet = bulletAt(100, 100);
    // Animation 1 of the pack starts on a frame without a collision box.
    bullet->setAnimation(ClsEnemyBullet::GOB_SET, ClsEnemyBullet::ANIM_SET, 1);
    bullet->collide(plane);
    EXPECT_FALSE(bullet->dead);
    EXPECT_EQ(plane->getHp(0), kPartHp);
}

TEST_F(ClsBulletTest, RectanglesOverlapOnlyAcrossTheirBorders)
{
    const struct {
        std::vector<int32_t> b;
        bool overlap;
    } cases[] = {
        {{5, 5, 10, 10}, true},
        {{10, 0, 10, 10}, false},  // touching on the right
        {{-10, 0, 10, 10}, false}, // on the left
        {{0, 10, 10, 10}, false},  // below
        {{0, -10, 10, 10}, false}, // above
        {{9, 9, 1, 1}, true},
    };
    VMPtr<ClsEnemyBullet> bullet = bulletAt(0, 0);
    VMPtr<ClsBullet::IntArray> a = ClsBullet::IntArray::newArray(5);
    (*a)[2] = 10;
    (*a)[3] = 10;
    for (const auto& c : cases) {
        VMPtr<ClsBullet::IntArray> b = ClsBullet::IntArray::newArray(5);
        for (int32_t k = 0; k < 4; k++)
            (*b)[k] = c.b[k];
        EXPECT_EQ(bullet->overlaps(a, b), c.overlap) << c.b[0] << "," << c.b[1];
    }
}

TEST_F(ClsBulletTest, StepPerMsOfASpeedAndASpeedOfZero)
{
    const struct {
        int32_t speed, step;
    } cases[] = {{80, 4}, {70, 4}, {40, 8}, {1, 320}, {321, 0}, {0, 320}, {-5, 320}};
    for (const auto& c : cases) {
        VMPtr<ClsEnemyBullet> bullet = ClsEnemyBullet::newInstance()->init(0, 0, 0, 0, c.speed);
        EXPECT_EQ(bullet->stepPerMs, c.step) << c.speed;
        EXPECT_EQ(bullet->damage, 1);
        EXPECT_FALSE(bullet->isPickup());
    }
}

TEST_F(ClsBulletTest, EnemyBulletStaysOnScreenUpToBothEdgesAndLeavesItsListAUpdateAfterDying)
{
    // Positions in 1/32 pixel; each bullet moves by (0, 0).
    const struct {
        int32_t x, y;
        bool onScreen;
    } cases[] = {
        {0, 0, true},
        {240 * 32 + 31, 160 * 32, true},
        {120 * 32, 320 * 32 + 31, true},
        {241 * 32, 160 * 32, false},
        {120 * 32, 321 * 32, false},
        {-1, 160 * 32, false},  // pixel -1: the shift rounds down
        {120 * 32, -1, false},
    };
    // The player's ship far from every case: nothing is hit.
    VMPtr<scene::mainGame::ClsPlayer> player = MainGame::player;
    addPart(player, 60, 60);
    for (const auto& c : cases) {
        VMPtr<ClsEnemyBullet> bullet = ClsEnemyBullet::newInstance()->init(c.x, c.y, 0, 0, 80);
        MainGame::enemyBullets->add(bullet);
        bullet->update(kFrameTime, 0);
        EXPECT_EQ(bullet->dead, !c.onScreen) << c.x << "," << c.y;
        EXPECT_EQ(MainGame::enemyBullets->size(), 1);
        bullet->update(kFrameTime, 0);
        EXPECT_EQ(MainGame::enemyBullets->size(), c.onScreen ? 1 : 0) << c.x << "," << c.y;
        MainGame::enemyBullets->clear();
    }
}

TEST_F(ClsBulletTest, EnemyBulletOnTheLastColumnOrRowStillHitsThePlayer)
{
    // The ship's rectangle (234, 314, 8, 8) reaches past both screen edges.
    VMPtr<scene::mainGame::ClsPlayer> player = MainGame::player;
    addPart(player, 238, 318);
    const struct {
        int32_t px, py;
        bool hit;
    } cases[] = {
        {240, 316, true}, {236, 320, true}, {240, 320, true},
        {241, 316, false}, {236, 321, false},  // off screen: dead without a test
    };
    for (const auto& c : cases) {
        player->setHp(0, kPartHp);
        VMPtr<ClsEnemyBullet> bullet = bulletAt(c.px, c.py);
        MainGame::enemyBullets->add(bullet);
        bullet->update(kFrameTime, 0);
        EXPECT_TRUE(bullet->dead) << c.px << "," << c.py;
        EXPECT_EQ(player->getHp(0), c.hit ? kPartHp - 1 : kPartHp) << c.px << "," << c.py;
        MainGame::enemyBullets->clear();
    }
}

TEST_F(ClsBulletTest, EnemyBulletMovesByItsStepsAndTakesOneHitPointFromThePlayer)
{
    VMPtr<scene::mainGame::ClsPlayer> player = MainGame::player;
    addPart(player, 120, 200);
    player->setHp(0, 5);
    // One pixel right and ten down per frame, whatever the frame time.
    VMPtr<ClsEnemyBullet> bullet =
        ClsEnemyBullet::newInstance()->init(118 * 32, 180 * 32, 32, 320, 80);
    MainGame::enemyBullets->add(bullet);
    bullet->update(999, 0);
    EXPECT_EQ(bullet->getX(), 119 * 32);
    EXPECT_EQ(bullet->getY(), 190 * 32);
    EXPECT_FALSE(bullet->dead);
    bullet->update(1, 0);
    EXPECT_TRUE(bullet->dead);
    EXPECT_EQ(player->getHp(0), 4);
}

TEST_F(ClsBulletTest, DeadBulletIsDrawnOnceMoreAtItsLastPlace)
{
    using javax::microedition::lcdui::Image;
    VMPtr<scene::mainGame::ClsPlayer> player = MainGame::player;
    addPart(player, 100, 100);
    VMPtr<ClsEnemyBullet> bullet = bulletAt(100, 100);
    MainGame::enemyBullets->add(bullet);
    bullet->update(kFrameTime, 0);
    ASSERT_TRUE(bullet->dead);
    EXPECT_EQ(player->getHp(0), kPartHp - 1);

    VMPtr<Image> image = Image::createImage(240, 320, false, 0);
    bullet->draw(image->getGraphics());
    VMPtr<ClsBullet::IntArray> rgb = ClsBullet::IntArray::newArray(1);
    image->getRGB(rgb, 0, 1, 100, 100, 1, 1);
    EXPECT_EQ((*rgb)[0] & 0xFFFFFF, 0xC0C0C0) << "the pack's grey picture";
    EXPECT_EQ(MainGame::enemyBullets->size(), 1);
    bullet->update(kFrameTime, 0);
    EXPECT_EQ(MainGame::enemyBullets->size(), 0);
}

TEST_F(ClsBulletTest, KindsWithoutADrawingOfTheirOwnDrawTheirPicture)
{
    using javax::microedition::lcdui::Image;
    VMPtr<Image> image = Image::createImage(240, 320, false, 0);
    VMPtr<ClsBullet> shot =
        scene::mainGame::weapon::ClsPlyReactBullet::newInstance()->init(50 * 32, 60 * 32, 0, 0);
    shot->draw(image->getGraphics());
    VMPtr<ClsBullet::IntArray> rgb = ClsBullet::IntArray::newArray(1);
    image->getRGB(rgb, 0, 1, 50, 60, 1, 1);
    EXPECT_EQ((*rgb)[0] & 0xFFFFFF, 0xC0C0C0);
}

} // namespace
