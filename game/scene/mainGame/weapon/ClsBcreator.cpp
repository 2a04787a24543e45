#include "scene/mainGame/weapon/ClsBcreator.h"

#include "main/Main.h"
#include "scene/ClsMyMath.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsEnemyBullet.h"
#include "scene/mainGame/weapon/ClsPlyBomb.h"
#include "scene/mainGame/weapon/ClsPlyBullet.h"
#include "scene/mainGame/weapon/ClsPlyCommon.h"
#include "scene/mainGame/weapon/ClsPlyFire.h"
#include "scene/mainGame/weapon/ClsPlyHoming.h"
#include "scene/mainGame/weapon/ClsPlyLaser_2.h"
#include "scene/mainGame/weapon/ClsPlyReactBullet.h"
#include "scene/mainGame/weapon/ClsResources.h"
#include "tq/util/FastRandom.h"
#include "vm/JavaMath.h"

namespace scene::mainGame::weapon {

namespace {

// Directions 0..7: up, down, left, right, up-left, up-right, down-left,
// down-right, as unit steps.
constexpr int32_t kDirX[8] = {0, 0, -1, 1, -1, 1, -1, 1};
constexpr int32_t kDirY[8] = {-1, 1, 0, 0, -1, -1, 1, 1};

// The main gun's and a bomb's target offset from the shot's start point by
// direction 0..5; the diagonals aim twice as far up as sideways.
constexpr int32_t kShotTargetX[6] = {0, 0, -30, 30, -30, 30};
constexpr int32_t kShotTargetY[6] = {-30, 30, 0, 0, -60, -60};

// The main gun by direction 0..5: the middle gun point (the only one at
// level 1, flanked by its two neighbours at level 3, replaced by them at
// level 2).
constexpr int32_t kGunPoint[6] = {0, 4, 6, 2, 7, 1};

constexpr double kSpreadRadiansPerDegree = 0.005555555555555556;
constexpr double kFullCircle = 6.2831853;

int32_t frameTime()
{
    return ui::MyObject::frameTime;
}

// |r % n| with the sign of r: -(n - 1) .. n - 1.
int32_t jitterOf(int32_t n)
{
    return main::Main::random->nextInt() % n;
}

// ---- The bullets the factory makes, one maker per kind ----

void addPlayerShot(VMPtr<ClsBullet> shot)
{
    MainGame::playerBullets->add(shot);
}

void addEnemyShot(VMPtr<ClsBullet> shot)
{
    MainGame::enemyBullets->add(shot);
}

} // namespace

VMPtr<ClsBcreator> ClsBcreator::init()
{
    Object::init();
    gunPoints = IntTable::newArray({8, 2});
    center = IntArray::newArray(2);
    rows = IntTable::newArray(3);
    return VMPtr<ClsBcreator>(this);
}

// ---- Aiming ----

void ClsBcreator::aim(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t speed)
{
    dist = distance(x1, y1, x2, y2);
    if (dist <= 0)
        return;
    int64_t step = ClsBullet::stepFor(speed);
    int64_t k = frameTime();
    vx = int32_t(k * (x2 - x1) * step / dist);
    vy = int32_t(k * (y2 - y1) * step / dist);
}

bool ClsBcreator::targetOf(int32_t dir, int32_t directions, int32_t x, int32_t y, int32_t& tx,
                           int32_t& ty)
{
    if (dir < 0 || dir >= directions)
        return false;
    tx = x + kDirX[dir] * TARGET_DISTANCE;
    ty = y + kDirY[dir] * TARGET_DISTANCE;
    return true;
}

int32_t ClsBcreator::distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    return ClsMyMath::distance(x1, y1, x2, y2);
}

// ---- Enemy bullets ----

void ClsBcreator::addEnemyBullet(int32_t x, int32_t y, int32_t bvx, int32_t bvy, int32_t speed)
{
    addEnemyShot(ClsEnemyBullet::newInstance()->init(x, y, bvx, bvy, speed));
}

void ClsBcreator::fireDirectional(int32_t dir, int32_t spreadDeg, int32_t x, int32_t y,
                                  int32_t count, bool withJitter, bool aimAtPlayer)
{
    int32_t tx = 0;
    int32_t ty = 0;
    if (aimAtPlayer) {
        VMPtr<ClsPlayer> player = MainGame::player;
        tx = player->getX(0);
        ty = player->getY(0);
    } else if (!targetOf(dir, 8, x, y, tx, ty)) {
        return;
    }
    fireSpread(false, 0, KIND_BULLET, spreadDeg, count, x, y, tx, ty, ENEMY_SPEED, withJitter);
}

void ClsBcreator::fireRing(int32_t count, int32_t x, int32_t y, int32_t speed)
{
    makeRing(false, count, x, y, speed);
}

void ClsBcreator::makeRing(bool money, int32_t count, int32_t x, int32_t y, int32_t speed)
{
    // No shot and no division by a count of 0.
    if (count < 1)
        return;
    double step = kFullCircle / count;
    double q = double(ClsBullet::stepFor(speed));
    int32_t k = frameTime();
    double a = 0;
    for (int32_t i = 0; i < count; i++) {
        (*spreadVx)[i] = k * vm_d2i(ClsMyMath::cos(a) * q);
        (*spreadVy)[i] = k * vm_d2i(ClsMyMath::sin(a) * q);
        if (money)
            addEnemyShot(ClsResources::newInstance()->init(x * 32, y * 32, (*spreadVx)[i],
                                                           (*spreadVy)[i], speed));
        else
            addEnemyBullet(x * 32, y * 32, (*spreadVx)[i], (*spreadVy)[i], speed);
        a += step;
    }
}

void ClsBcreator::fireAtPoint(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    fireTowards(x1, y1, x2, y2, ENEMY_SPEED);
}

void ClsBcreator::fireAtPlayer(int32_t x, int32_t y)
{
    fireTowards(x, y, MainGame::playerX, MainGame::playerY, ENEMY_SPEED);
}

void ClsBcreator::fireRingDefault(int32_t count, int32_t x, int32_t y)
{
    fireRing(count, x, y, ENEMY_SPEED);
}

void ClsBcreator::fireTowards(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t speed)
{
    aim(x1, y1, x2, y2, speed);
    addEnemyBullet(x1 * 32, y1 * 32, vx, vy, speed);
}

void ClsBcreator::fireAimed(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t speed)
{
    aim(x1, y1, x2, y2, speed);
    addEnemyBullet(x1 * 32, y1 * 32, -vx, -vy, speed);
}

void ClsBcreator::fireAimedDefault(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    fireAimed(x1, y1, x2, y2, ENEMY_SPEED);
}

void ClsBcreator::fireEightWay(int32_t dir, int32_t x, int32_t y)
{
    int32_t tx = 0;
    int32_t ty = 0;
    if (targetOf(dir, 8, x, y, tx, ty))
        fireTowards(x, y, tx, ty, ENEMY_SPEED);
}

// ---- Money ----

void ClsBcreator::dropMoneyRing(int32_t count, int32_t x, int32_t y, int32_t speed)
{
    makeRing(true, count, x, y, speed);
}

void ClsBcreator::dropMoneySlow(int32_t count, int32_t x, int32_t y)
{
    dropMoneyRing(count, x, y, 60);
}

void ClsBcreator::dropMoneyFast(int32_t count, int32_t x, int32_t y)
{
    dropMoneyRing(count, x, y, 20);
}

// ---- Spreads ----

void ClsBcreator::fireSpread(bool player, int32_t part, int32_t kind, int32_t spreadDeg,
                             int32_t count, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                             int32_t speed, bool withJitter)
{
    aim(x1, y1, x2, y2, speed);
    double step = spreadDeg * ClsMyMath::PI * kSpreadRadiansPerDegree;
    double a = count % 2 == 0 ? (-(count / 2) + 0.5) * step : -(count / 2) * step;
    for (int32_t i = 0; i < count; i++) {
        double c = ClsMyMath::cos(a);
        double s = ClsMyMath::sin(a);
        (*spreadVx)[i] = vm_d2i(vx * c - vy * s);
        (*spreadVy)[i] = vm_d2i(vy * c + vx * s);
        if (withJitter) {
            jitter = JITTER_WIDTH;
            (*spreadVx)[i] += jitterOf(JITTER_WIDTH);
            (*spreadVy)[i] += jitterOf(JITTER_WIDTH);
        }
        int32_t sx = x1 * 32;
        int32_t sy = y1 * 32;
        int32_t svx = (*spreadVx)[i];
        int32_t svy = (*spreadVy)[i];
        if (!player) {
            if (kind == KIND_BULLET)
                addEnemyBullet(sx, sy, svx, svy, speed);
        } else if (kind == KIND_FLAME) {
            addPlayerShot(ClsPlyFire::newInstance()->init(sx, sy, svx, svy, part));
        } else if (kind == KIND_HOMING) {
            addPlayerShot(ClsPlyHoming::newInstance()->init(sx, sy, svx, svy, part));
        } else if (kind == KIND_BULLET) {
            addPlayerShot(ClsPlyReactBullet::newInstance()->init(sx, sy, svx, svy));
        }
        a += step;
    }
}

void ClsBcreator::fireHomingSpread(int32_t dir, int32_t x, int32_t y, int32_t part)
{
    int32_t tx = 0;
    int32_t ty = 0;
    if (targetOf(dir, 6, x, y, tx, ty))
        fireSpread(true, part, KIND_HOMING, 15, shotCountOf(part), x, y, tx, ty, 80, false);
}

void ClsBcreator::fireReactSpread(int32_t dir, int32_t x, int32_t y, int32_t part)
{
    int32_t tx = 0;
    int32_t ty = 0;
    if (targetOf(dir, 4, x, y, tx, ty))
        fireSpread(true, part, KIND_BULLET, 10, shotCountOf(part), x, y, tx, ty, 70, true);
}

void ClsBcreator::fireFlameSpread(int32_t dir, int32_t x, int32_t y, int32_t part)
{
    int32_t tx = 0;
    int32_t ty = 0;
    if (targetOf(dir, 6, x, y, tx, ty))
        fireSpread(true, part, KIND_FLAME, 25, shotCountOf(part), x, y, tx, ty, 90, true);
}

int32_t ClsBcreator::shotCountOf(int32_t part)
{
    return (*ClsPlayer::shotCount)[part];
}

// ---- The player's main gun, bombs and laser ----

void ClsBcreator::computeGunPoints(int32_t part)
{
    VMPtr<ClsPlayer> player = MainGame::player;
    radius = player->getItemSize2(part) / 2;
    int32_t r = radius;
    int32_t d = ClsMyMath::sqrt(r * r / 2);
    int32_t cx = player->getX(part);
    int32_t cy = player->getY(part);
    (*center)[0] = cx;
    (*center)[1] = cy;
    // Clockwise from the top in steps of 45 degrees.
    const int32_t px[8] = {cx, cx + d, cx + r, cx + d, cx, cx - d, cx - r, cx - d};
    const int32_t py[8] = {cy - r, cy - d, cy, cy + d, cy + r, cy + d, cy, cy - d};
    for (int32_t k = 0; k < 8; k++) {
        VMPtr<IntArray> point = gunPoints->get(k);
        (*point)[0] = px[k];
        (*point)[1] = py[k];
    }
}

void ClsBcreator::firePlayerShot(int32_t dir, int32_t part)
{
    if (dir < 0 || dir > 5)
        return;
    computeGunPoints(part);
    int32_t middle = kGunPoint[dir];
    int32_t before = (middle + 7) % 8;
    int32_t after = (middle + 1) % 8;
    int32_t level = plyshot::level();
    if (level == 1) {
        rows->set(0, gunPoints->get(middle));
    } else if (level == 2) {
        rows->set(0, gunPoints->get(before));
        rows->set(1, gunPoints->get(after));
    } else {
        rows->set(0, gunPoints->get(before));
        rows->set(1, gunPoints->get(middle));
        rows->set(2, gunPoints->get(after));
    }
    VMPtr<IntArray> first = rows->get(0);
    fireRows(rows, (*first)[0] + kShotTargetX[dir], (*first)[1] + kShotTargetY[dir], part);
}

void ClsBcreator::fireRows(VMPtr<IntTable> chosen, int32_t tx, int32_t ty, int32_t part)
{
    VMPtr<IntArray> first = chosen->get(0);
    aim((*first)[0], (*first)[1], tx, ty, plyshot::speed());
    int32_t level = plyshot::level();
    for (int32_t i = 0; i < level; i++) {
        VMPtr<IntArray> point = chosen->get(i);
        int32_t offX = ((*point)[0] - (*center)[0]) * 32;
        int32_t offY = ((*point)[1] - (*center)[1]) * 32;
        addPlayerShot(ClsPlyBullet::newInstance()->init(offX, offY, vx, vy, part));
    }
}

void ClsBcreator::fireBombs(int32_t dir, int32_t x, int32_t y, int32_t part)
{
    if (dir < 0 || dir > 5)
        return;
    VMPtr<ClsPlayer> player = MainGame::player;
    int32_t h = player->getItemSize1(0) / 2;
    // The start on the edge of the ship's picture in the shot's direction.
    int32_t sx = x + kDirX[dir] * h;
    int32_t sy = y + kDirY[dir] * h;
    fireBomb(dir, sx, sy, sx + kShotTargetX[dir], sy + kShotTargetY[dir], part);
}

void ClsBcreator::fireBomb(int32_t dir, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                           int32_t part)
{
    aim(x1, y1, x2, y2, plyshot::speed());
    addPlayerShot(ClsPlyBomb::newInstance()->init(dir, x1 * 32, y1 * 32, vx, vy, part));
}

void ClsBcreator::fireLaser(int32_t dir, int32_t part)
{
    if (MainGame::playerBullets->size() <= part)
        addPlayerShot(ClsPlyLaser_2::newInstance()->init(dir, part));
}

void ClsBcreator::setCapacity(int32_t n)
{
    spreadVx = IntArray::newArray(n);
    spreadVy = IntArray::newArray(n);
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS(scene::mainGame::weapon::ClsBcreator, "scene.mainGame.weapon.ClsBcreator",
                  "java.lang.Object", "..\\src\\scene_mainGame_weapon_ClsBcreator", nullptr);
