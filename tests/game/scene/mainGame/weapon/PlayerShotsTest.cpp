// The player's straight shots and missiles: damage and speed from the
// weapon table, the main gun riding with the ship, the point and box tests
// against the enemies and the boss, the flame's life, the homing missile's
// choice of target, and when each kind leaves the player-bullet list.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/weapon/ShotFixture.h"
#include "javax/microedition/lcdui/Image.h"
#include "scene/mainGame/weapon/ClsPlyBomb.h"
#include "scene/mainGame/weapon/ClsPlyBullet.h"
#include "scene/mainGame/weapon/ClsPlyFire.h"
#include "scene/mainGame/weapon/ClsPlyHoming.h"
#include "scene/mainGame/weapon/ClsPlyLaser_2.h"
#include "scene/mainGame/weapon/ClsPlyReactBullet.h"
#include "scene/mainGame/weapon/ClsResources.h"

using namespace scene::mainGame::weapon;

namespace {

class PlayerShotsTest : public weapontest::ShotFixture {
protected:
    enum Kind { MAIN_GUN, FLAME, HOMING, REACT };

    // A shot of the kind standing still at pixel (px, py), in the
    // player-bullet list.
    VMPtr<ClsBullet> shotAt(Kind kind, int32_t px, int32_t py, int32_t part = 0)
    {
        VMPtr<ClsBullet> shot;
        switch (kind) {
        case MAIN_GUN:
            shot = ClsPlyBullet::newInstance()->init((px - kShipX) * 32, (py - kShipY) * 32, 0, 0,
                                                     part);
            break;
        case FLAME:
            shot = ClsPlyFire::newInstance()->init(px * 32, py * 32, 0, 0, part);
            break;
        case HOMING:
            shot = ClsPlyHoming::newInstance()->init(px * 32, py * 32, 0, 0, part);
            break;
        case REACT:
            shot = ClsPlyReactBullet::newInstance()->init(px * 32, py * 32, 0, 0);
            break;
        }
        return into(MainGame::playerBullets, shot);
    }
    static std::string name(Kind kind)
    {
        const char* names[] = {"main gun", "flame", "homing", "react"};
        return names[kind];
    }
    // Frames of the player-bullet list.
    static void fly(int32_t frames)
    {
        for (int32_t f = 0; f < frames; f++)
            step(MainGame::playerBullets);
    }
};

TEST_F(PlayerShotsTest, UnitShotsDealTheirUnitsDamageAndTheReactingShotAlways30)
{
    // A support unit's shots deal its own damage.
    (*ClsPlayer::shotDamage)[2] = 7;
    EXPECT_EQ(ClsPlyFire::newInstance()->init(0, 0, 0, 0, 2)->damage, 7);
    // The reacting shot: 30 at speed 70, whatever the table says.
    setWeapon(4, 3);
    VMPtr<ClsPlyReactBullet> react = ClsPlyReactBullet::newInstance()->init(0, 0, 0, 0);
    EXPECT_EQ(react->damage, 30);
    EXPECT_EQ(react->stepPerMs, 320 / 70);
}

TEST_F(PlayerShotsTest, TheShipsVolleyTakesItsCountDamageAndSpeedFromTheWeaponTable)
{
    VMPtr<ClsPlayer> player = MainGame::player;
    VMPtr<ClsBcreator> factory = ClsBcreator::newInstance()->init();
    factory->setCapacity(10);
    player->bulletFactory = factory;
    player->fireReady = true;
    for (int32_t kind = 0; kind < 5; kind++) {
        for (int32_t level = 1; level <= 3; level++) {
            SCOPED_TRACE("item " + std::to_string(kind) + " level " + std::to_string(level));
            MainGame::playerBullets->clear();
            setWeapon(kind, level);
            player->fire(0);
            // The main gun fires a row per level; flames and missiles the
            // table's count; one beam, one bomb.
            int32_t count = kind == 0 ? level : kind < 3 ? stat(kind, level, 2) : 1;
            ASSERT_EQ(MainGame::playerBullets->size(), count);
            for (int32_t i = 0; i < count; i++) {
                VMPtr<ClsBullet> shot = vm_cast<ClsBullet>(MainGame::playerBullets->get(i));
                const bool kindMatches[] = {
                    dynamic_cast<ClsPlyBullet*>(shot.get()) != nullptr,
                    dynamic_cast<ClsPlyFire*>(shot.get()) != nullptr,
                    dynamic_cast<ClsPlyHoming*>(shot.get()) != nullptr,
                    dynamic_cast<ClsPlyLaser_2*>(shot.get()) != nullptr,
                    dynamic_cast<ClsPlyBomb*>(shot.get()) != nullptr,
                };
                EXPECT_TRUE(kindMatches[kind]) << i;
                EXPECT_EQ(shot->damage, stat(kind, level, 0)) << i;
                if (kind != 3) {
                    EXPECT_EQ(shot->stepPerMs, 320 / stat(kind, level, 3)) << i;
                }
            }
        }
    }
}

TEST_F(PlayerShotsTest, KindsWithTheSharedDrawingPaintTheirPictureAtTheirPixel)
{
    using javax::microedition::lcdui::Image;
    // The pack's pictures are 8 x 8 around their point, light grey.
    const struct {
        const char* name;
        VMPtr<ClsBullet> (*make)();
    } cases[] = {
        {"main gun", [] { return VMPtr<ClsBullet>(ClsPlyBullet::newInstance()->init(0, 0, 0, 0, 0)); }},
        {"bomb", [] { return VMPtr<ClsBullet>(ClsPlyBomb::newInstance()->init(0, 0, 0, 0, 0, 0)); }},
        {"homing", [] { return VMPtr<ClsBullet>(ClsPlyHoming::newInstance()->init(0, 0, 0, 0, 0)); }},
        {"react", [] { return VMPtr<ClsBullet>(ClsPlyReactBullet::newInstance()->init(0, 0, 0, 0)); }},
        {"coin", [] { return VMPtr<ClsBullet>(ClsResources::newInstance()->init(0, 0, 0, 0, 10)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VMPtr<ClsBullet> shot = c.make();
        shot->x = 50 * 32;
        shot->y = 60 * 32;
        VMPtr<Image> image = Image::createImage(240, 320, false, 0);
        shot->draw(image->getGraphics());
        EXPECT_EQ(colourAt(image, 50, 60), 0xC0C0C0);
        EXPECT_EQ(colourAt(image, 40, 50), 0);
    }
}

TEST_F(PlayerShotsTest, MainGunShotRidesWithTheShip)
{
    VMPtr<ClsPlyBullet> shot = into(MainGame::playerBullets,
                                    ClsPlyBullet::newInstance()->init(3 * 32, -10 * 32, 5, -200, 0));
    step(MainGame::playerBullets);
    EXPECT_EQ(shot->getX(), kShipX * 32 + 3 * 32 + 5);
    EXPECT_EQ(shot->getY(), kShipY * 32 - 10 * 32 - 200);
    // The ship moves 10 pixels right and 20 up: the shot moves with it, on
    // top of its own flight.
    place(MainGame::player, 0, kShipX + 10, kShipY - 20);
    step(MainGame::playerBullets);
    EXPECT_EQ(shot->getX(), (kShipX + 10) * 32 + 3 * 32 + 10);
    EXPECT_EQ(shot->getY(), (kShipY - 20) * 32 - 10 * 32 - 400);
}

TEST_F(PlayerShotsTest, PointShotsHitOnlyTheFirstPartUnderThemAndLeaveAtTheNextUpdate)
{
    for (Kind kind : {MAIN_GUN, REACT}) {
        SCOPED_TRACE(name(kind));
        MainGame::playerBullets->clear();
        enemies = weapontest::TargetEnemies::newInstance()->init(10);
        MainGame::enemies = enemies;
        addEnemy(120, 100);
        addEnemy(121, 101);
        VMPtr<ClsBullet> shot = shotAt(kind, 120, 100);
        step(MainGame::playerBullets);
        int32_t damage = kind == REACT ? 30 : stat(0, 1, 0);
        EXPECT_EQ(hps(enemies), (std::vector<int32_t>{kPartHp - damage, kPartHp}));
        EXPECT_EQ(enemies->hits, std::vector<int32_t>{0});
        EXPECT_TRUE(shot->dead);
        EXPECT_EQ(MainGame::playerBullets->size(), 1) << "drawn once more";
        step(MainGame::playerBullets);
        EXPECT_EQ(MainGame::playerBullets->size(), 0);
        EXPECT_EQ(hps(enemies)[0], kPartHp - damage) << "a dead shot hits nothing";
    }
}

TEST_F(PlayerShotsTest, EveryKindDiesOffScreenAndLeavesOneUpdateLater)
{
    const struct {
        int32_t px, py;
        bool onScreen;
    } cases[] = {
        {240, 320, true}, {0, 0, true},     {241, 100, false},
        {100, 321, false}, {-1, 100, false}, {100, -1, false},
    };
    for (Kind kind : {MAIN_GUN, FLAME, HOMING, REACT}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(name(kind) + " at " + std::to_string(c.px) + ", " + std::to_string(c.py));
            MainGame::playerBullets->clear();
            VMPtr<ClsBullet> shot = shotAt(kind, c.px, c.py);
            step(MainGame::playerBullets);
            EXPECT_EQ(shot->dead, !c.onScreen);
            EXPECT_EQ(MainGame::playerBullets->size(), 1);
            step(MainGame::playerBullets);
            EXPECT_EQ(MainGame::playerBullets->size(), c.onScreen ? 1 : 0);
        }
    }
}

TEST_F(PlayerShotsTest, TheBossIsHitOnlyInARealPlayButTheReactingShotAlwaysHitsIt)
{
    const struct {
        Kind kind;
        bool playActive;
        bool hits;
    } cases[] = {
        {MAIN_GUN, true, true}, {MAIN_GUN, false, false}, {FLAME, true, true},
        {FLAME, false, false},  {HOMING, true, true},     {HOMING, false, false},
        {REACT, true, true},    {REACT, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(name(c.kind) + (c.playActive ? " in play" : " behind a menu"));
        MainGame::playerBullets->clear();
        boss = weapontest::TargetBoss::newInstance();
        boss->init(VMPtr<ClsBcreator>(), 1, 2);
        MainGame::boss1 = boss;
        addPart(boss, 100, 100);
        MainGame::playActive = c.playActive;
        shotAt(c.kind, 100, 100);
        step(MainGame::playerBullets);
        EXPECT_EQ(boss->hits.size(), c.hits ? 1u : 0u);
    }
}

TEST_F(PlayerShotsTest, EnemiesAreTestedOnlyWhileTheManagerCountsSomeAlive)
{
    addEnemy(100, 100);
    enemies->alive = 0;
    VMPtr<ClsBullet> shot = shotAt(MAIN_GUN, 100, 100);
    step(MainGame::playerBullets);
    EXPECT_FALSE(shot->dead);
    EXPECT_EQ(hps(enemies), std::vector<int32_t>{kPartHp});
}

TEST_F(PlayerShotsTest, FlameBurnsEveryPartUnderItsBoxAndLeavesAtTheNextUpdate)
{
    setWeapon(1, 2);
    addEnemy(100, 100);
    addEnemy(110, 100);
    addEnemy(140, 100);
    // The flame's picture has a 24 x 24 box around its point.
    VMPtr<ClsBullet> flame = shotAt(FLAME, 100, 100);
    step(MainGame::playerBullets);
    int32_t burnt = kPartHp - stat(1, 2, 0);
    EXPECT_EQ(hps(enemies), (std::vector<int32_t>{burnt, burnt, kPartHp}));
    EXPECT_TRUE(flame->dead);
    EXPECT_FALSE(vm_cast<ClsPlyFire>(flame)->animationEnded()) << "still burning";
    step(MainGame::playerBullets);
    EXPECT_EQ(MainGame::playerBullets->size(), 0);
}

TEST_F(PlayerShotsTest, FlameLivesAsLongAsItsAnimationWhichOnlyItsDrawingAdvances)
{
    using javax::microedition::lcdui::Image;
    VMPtr<Image> image = Image::createImage(240, 320, false, 0);
    VMPtr<ClsPlyFire> flame = vm_cast<ClsPlyFire>(shotAt(FLAME, 100, 100));
    // The flame's animation lasts 200 ms: four drawn frames of 50 ms.
    for (int32_t frame = 0; frame < 10; frame++) {
        step(MainGame::playerBullets);
        ASSERT_FALSE(flame->dead) << "updates alone never end it";
    }
    MainGame::player->setStopped(1);
    for (int32_t frame = 0; frame < 6; frame++)
        flame->draw(image->getGraphics());
    step(MainGame::playerBullets);
    EXPECT_FALSE(flame->dead) << "drawing while paused does not advance it";
    MainGame::player->setStopped(0);
    for (int32_t frame = 0; frame < 3; frame++) {
        flame->draw(image->getGraphics());
        step(MainGame::playerBullets);
        EXPECT_FALSE(flame->dead) << frame;
    }
    flame->draw(image->getGraphics());
    step(MainGame::playerBullets);
    EXPECT_TRUE(flame->dead);
    EXPECT_EQ(MainGame::playerBullets->size(), 1);
}

TEST_F(PlayerShotsTest, MissileFliesStraightForItsFirst250MsThenTurnsToTheNearestPart)
{
    setWeapon(2, 1);
    // Range: level 1 times the unit distance.
    ClsPlayer::unitDistance = 100;
    addEnemy(160, 150);
    VMPtr<ClsPlyHoming> missile = vm_cast<ClsPlyHoming>(shotAt(HOMING, 100, 200));
    missile->vx = 0;
    missile->vy = -32;
    // Five frames of 50 ms make 250 ms: not yet past the delay.
    fly(5);
    EXPECT_EQ(missile->getX(), 100 * 32);
    EXPECT_EQ(missile->getY(), 200 * 32 - 5 * 32);
    EXPECT_EQ(missile->target, -1);
    // The sixth frame is past it: the missile faces the part at (160, 150)
    // from (100, 195), 75 pixels away, at 50 ms * stepPerMs per pixel.
    fly(1);
    EXPECT_EQ(missile->target, 0);
    EXPECT_FALSE(missile->targetIsBoss);
    EXPECT_EQ(missile->bestDist, 75);
    int32_t step = 320 / stat(2, 1, 3);
    EXPECT_EQ(missile->vx, 50 * 60 * step / 75);
    EXPECT_EQ(missile->vy, 50 * -45 * step / 75);
    EXPECT_EQ(missile->getX(), 100 * 32 + missile->vx);
}

TEST_F(PlayerShotsTest, MissileChoosesTheNearestPartInRangeThatCanBeHit)
{
    setWeapon(2, 2);
    ClsPlayer::unitDistance = 40; // range 2 * 40
    enum Change { NONE, NEARER_BOSS_PART, INACTIVE, UNTOUCHABLE, FREE_SLOT, AT_RANGE, ALL_OUT };
    const struct {
        const char* what;
        Change change;
        int32_t target;
        bool isBoss;
    } cases[] = {
        {"the nearest enemy", NONE, 1, false},
        {"a nearer boss part", NEARER_BOSS_PART, 0, true},
        {"not an inactive part", INACTIVE, 0, false},
        {"not an untouchable part", UNTOUCHABLE, 0, false},
        {"not a free enemy slot", FREE_SLOT, 0, false},
        {"not a part exactly at the range", AT_RANGE, 2, false},
        {"none: the course is kept", ALL_OUT, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MainGame::playerBullets->clear();
        enemies = weapontest::TargetEnemies::newInstance()->init(10);
        MainGame::enemies = enemies;
        boss = weapontest::TargetBoss::newInstance();
        boss->init(VMPtr<ClsBcreator>(), 1, 2);
        MainGame::boss1 = boss;
        // From the missile at (100, 200): 50, 30 and 79 pixels.
        addEnemy(100, 150);
        addEnemy(130, 200);
        addEnemy(100, 121);
        switch (c.change) {
        case NONE: break;
        case NEARER_BOSS_PART: addPart(boss, 100, 180); break;
        case INACTIVE: (*enemies->inactive)[1] = true; break;
        case UNTOUCHABLE: enemies->setInvulnerable(1, true); break;
        case FREE_SLOT: enemies->setItemFrame(1, 34); break;
        case AT_RANGE:
            place(enemies, 0, 100, 120);
            (*enemies->inactive)[1] = true;
            break;
        case ALL_OUT:
            for (int32_t i = 0; i < 3; i++)
                (*enemies->inactive)[i] = true;
            break;
        }
        VMPtr<ClsPlyHoming> missile = vm_cast<ClsPlyHoming>(shotAt(HOMING, 100, 200));
        missile->vx = 3;
        missile->vy = -5;
        for (int32_t frame = 0; frame < 6; frame++) {
            missile->setX(100 * 32);
            missile->setY(200 * 32);
            step(MainGame::playerBullets);
        }
        EXPECT_EQ(missile->target, c.target);
        EXPECT_EQ(missile->targetIsBoss, c.isBoss);
        if (c.target < 0) {
            EXPECT_EQ(missile->vx, 3);
            EXPECT_EQ(missile->vy, -5);
        }
    }
}

TEST_F(PlayerShotsTest, MissileNeitherChoosesNorSteersToItsOwnPoint)
{
    setWeapon(2, 1);
    ClsPlayer::unitDistance = 100;
    addEnemy(100, 150);
    addEnemy(100, 200);
    VMPtr<ClsPlyHoming> missile = ClsPlyHoming::newInstance()->init(100 * 32, 200 * 32, 3, -5, 0);
    missile->px = 100;
    missile->py = 200;
    missile->findTargetEnemy(enemies);
    EXPECT_EQ(missile->target, 0) << "the part 0 pixels away is skipped";
    missile->steerTo(100, 200);
    EXPECT_EQ(missile->dist, 0);
    EXPECT_EQ(missile->vx, 3);
    EXPECT_EQ(missile->vy, -5);
}

} // namespace
