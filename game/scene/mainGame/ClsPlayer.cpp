#include "scene/mainGame/ClsPlayer.h"

#include <algorithm>
#include <cstdlib>

#include "global/GameGlobals.h"
#include "main/Game.h"
#include "scene/ClsMyMath.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsBcreator.h"
#include "scene/mainGame/weapon/ClsExplo.h"
#include "vm/JavaMath.h"

namespace scene::mainGame {

namespace {

// Columns of the weapon table.
constexpr int32_t kDamageColumn = 0;
constexpr int32_t kIntervalColumn = 1;
constexpr int32_t kCountColumn = 2;
constexpr int32_t kWeapons = main::Game::ITEMS_A;
constexpr int32_t kSupports = main::Game::ITEMS_B;
constexpr int32_t kMaxLevel = main::Game::MAX_ITEM_LEVEL;

// Per support level 1..3.
constexpr int32_t kBarrierRespawn[] = {3000, 2000, 1000};
constexpr int32_t kWingDamageTenths[] = {2, 3, 5};
constexpr int32_t kWingRespawn = 5000;
constexpr int32_t kPodShotCount = 3;
constexpr int32_t kUnitShotDamage = 30;
// Satellite places and steps by level.
constexpr double kOrbitStart[3][3] = {{0, 0, 0}, {0, 3.14, 0}, {0, 2.09, 4.18}};
constexpr double kOrbitStep[] = {0.175, 0.1, 0.075};
// Shot direction of the left and right wing gun by kind 3..6.
constexpr int32_t kWingDirLeft[] = {0, 4, 2, 1};
constexpr int32_t kWingDirRight[] = {0, 5, 3, 1};
// Weapon kinds by the factory operation they fire.
enum Weapon { SHOT, FLAME, HOMING, LASER, BOMBS };

} // namespace

VMPtr<ClsPlayer> ClsPlayer::init(VMPtr<weapon::ClsBcreator> factory)
{
    ClsPlane::init(factory);
    main::Game::_VM_clinit();
    podPushDivisor = 3;
    invulnerableTime = INVULNERABLE_MS;
    weaponKind = std::clamp(main::Game::selectedItemA, 0, kWeapons - 1);
    // The weapon table has rows for levels 1..3 only.
    weaponLevel = std::max(savedLevel(main::Game::itemLevelsA, weaponKind), 1);
    fireInterval = weaponStat(kIntervalColumn);
    supportKind = std::clamp(main::Game::selectedItemB, 0, kSupports - 1);
    supportLevel = savedLevel(main::Game::itemLevelsB, supportKind);
    direction = HEADING_DOWN;
    pickupRangeFactor = 1;
    lives = START_LIVES;
    lastX = 0;
    lastY = 0;
    gameOver = false;
    fireReady = false;
    moving = false;
    orbitAngle = DoubleArray::newArray(SATELLITES_MAX);
    return VMPtr<ClsPlayer>(this);
}

void ClsPlayer::allocItems(int32_t n)
{
    ClsPlane::allocItems(n);
    offsetX = IntArray::newArray(n);
    offsetY = IntArray::newArray(n);
    respawnTime = IntArray::newArray(n);
    unitKind = IntArray::newArray(n);
    shotDir = IntArray::newArray(n);
    shotDamage = IntArray::newArray(n);
    shotCount = IntArray::newArray(n);
}

// ---- Values from the save and the tables ----

int32_t ClsPlayer::savedLevel(VMPtr<IntArray> levels, int32_t k)
{
    if (levels == nullptr || k < 0 || k >= levels->length)
        return 0;
    return std::clamp((*levels)[k], 0, kMaxLevel);
}

int32_t ClsPlayer::weaponStat(int32_t column)
{
    global::GameGlobals::_VM_clinit();
    VMPtr<IntTable> levels = global::GameGlobals::weaponStats->get(weaponKind);
    VMPtr<IntArray> row = levels->get(weaponLevel - 1);
    return (*row)[column];
}

int32_t ClsPlayer::sceneClock()
{
    return SceneManager::currentScene->elapsedFrameTime;
}

void ClsPlayer::refreshWeapon()
{
    MainGame::playerBullets->clear();
    weaponKind = std::clamp(weaponKind, 0, kWeapons - 1);
    weaponLevel = std::max(savedLevel(main::Game::itemLevelsA, weaponKind), 1);
    fireInterval = weaponStat(kIntervalColumn);
    (*shotCount)[0] = weaponStat(kCountColumn);
    (*shotDamage)[0] = weaponStat(kDamageColumn);
}

void ClsPlayer::refreshSupport()
{
    supportKind = std::clamp(supportKind, 0, kSupports - 1);
    supportLevel = std::max(savedLevel(main::Game::itemLevelsB, supportKind), 1);
    pickupRangeFactor = 1;
    buildSupport(supportKind);
}

// ---- Elements ----

void ClsPlayer::addElement(int32_t elementKind, int32_t ex, int32_t ey)
{
    ClsPlane::addElement(elementKind, ex, ey);
    if (nextItem - 1 != 0)
        return;
    (*speed)[0] = SHIP_SPEED;
    (*inactive)[0] = false;
    (*hp)[0] = 1;
    (*unitKind)[0] = UNIT_SHIP;
    (*offsetX)[0] = 0;
    (*offsetY)[0] = 0;
    (*shotDamage)[0] = weaponStat(kDamageColumn);
    (*shotCount)[0] = weaponStat(kCountColumn);
    (*shotDir)[0] = 0;
    unitDistance = getItemSize2(0);
    buildSupport(supportKind);
}

int32_t ClsPlayer::addUnit(int32_t animSetId, int32_t itemFrame, int32_t ux, int32_t uy,
                           int32_t unit)
{
    addItem(GOB_SET, animSetId, itemFrame, ux, uy);
    int32_t e = nextItem - 1;
    (*hp)[e] = 1;
    (*unitKind)[e] = unit;
    (*inactive)[e] = false;
    // A unit rebuilt while its predecessor was down starts fresh.
    (*invulnerable)[e] = false;
    (*timerActive)[e] = false;
    (*timerElapsed)[e] = 0;
    (*offsetX)[e] = 0;
    (*offsetY)[e] = 0;
    return e;
}

void ClsPlayer::addWingGuns(int32_t k)
{
    int32_t r = unitDistance;
    int32_t side = k == 4 && weaponKind == LASER ? r * 3 / 2 : r;
    int32_t count = weaponStat(kCountColumn);
    int32_t damage = (*shotDamage)[0] * kWingDamageTenths[supportLevel - 1] / 10;
    for (int32_t s = -1; s <= 1; s += 2) {
        int32_t e = addUnit(ANIM_SET, FRAME_WING, (*x)[0] + s * side, (*y)[0] + r / 2, k);
        (*offsetX)[e] = s * side;
        (*offsetY)[e] = r / 2;
        (*respawnTime)[e] = kWingRespawn;
        (*shotCount)[e] = count;
        (*shotDamage)[e] = damage;
        (*shotDir)[e] = s < 0 ? kWingDirLeft[k - UNIT_WING_FIRST] : kWingDirRight[k - UNIT_WING_FIRST];
    }
}

void ClsPlayer::buildSupport(int32_t k)
{
    for (int32_t i = 1; i < nextItem; i++)
        removeItem(i);
    nextItem = 1;
    // A support item not owned has no unit.
    if (supportLevel < 1 || supportLevel > kMaxLevel)
        return;
    int32_t r = unitDistance;
    int32_t level = supportLevel;
    if (k == UNIT_BARRIER) {
        int32_t e = addUnit(ANIM_SET, FRAME_BARRIER, -100, -100, UNIT_BARRIER);
        (*respawnTime)[e] = kBarrierRespawn[level - 1];
    } else if (k == UNIT_POD) {
        int32_t e = addUnit(POD_ANIM_SET_1 + level - 1, 0, 0, -r, UNIT_POD);
        podPushDivisor = 3 * level;
        (*offsetY)[e] = -r;
        (*shotCount)[e] = kPodShotCount;
        (*shotDamage)[e] = kUnitShotDamage;
        (*shotDir)[e] = 0;
    } else if (k == UNIT_SATELLITE) {
        for (int32_t s = 0; s < level; s++) {
            int32_t e = addUnit(ANIM_SET, FRAME_SATELLITE, 0, -r, UNIT_SATELLITE);
            (*shotDamage)[e] = kUnitShotDamage;
        }
        for (int32_t s = 0; s < level; s++)
            (*orbitAngle)[s] = kOrbitStart[level - 1][s];
        orbitStep = kOrbitStep[level - 1];
    } else if (k >= UNIT_WING_FIRST && k <= UNIT_WING_LAST) {
        addWingGuns(k);
    } else if (k == SUPPORT_PICKUP_RANGE) {
        pickupRangeFactor = level + 1;
    }
}

int32_t ClsPlayer::getUnitKind(int32_t i)
{
    return (*unitKind)[i];
}

void ClsPlayer::setPosition(int32_t i, int32_t px, int32_t py)
{
    (*x)[i] = px;
    (*y)[i] = py;
}

void ClsPlayer::setLives(int32_t n)
{
    lives = n;
}

int32_t ClsPlayer::getLives()
{
    return lives;
}

bool ClsPlayer::isGameOver()
{
    return gameOver;
}

void ClsPlayer::idle() {}

// ---- Steering ----

void ClsPlayer::steerKey(int32_t heading, int32_t dx, int32_t dy)
{
    if (state != STATE_PLAYING)
        return;
    direction = heading;
    int32_t step = frameTime * (*speed)[0];
    if (dx != 0)
        (*vx)[0] = dx * step;
    if (dy != 0)
        (*vy)[0] = dy * step;
    moving = true;
}

void ClsPlayer::moveUp()
{
    steerKey(HEADING_UP, 0, -1);
}

void ClsPlayer::moveDown()
{
    steerKey(HEADING_DOWN, 0, 1);
}

void ClsPlayer::moveLeft()
{
    steerKey(HEADING_LEFT, -1, 0);
}

void ClsPlayer::moveRight()
{
    steerKey(HEADING_RIGHT, 1, 0);
}

void ClsPlayer::moveTowards(int32_t i, int32_t tx, int32_t ty)
{
    steerTo(i, tx, ty);
}

bool ClsPlayer::steerTo(int32_t i, int32_t tx, int32_t ty)
{
    int32_t dx = tx - (*x)[i];
    int32_t dy = ty - (*y)[i];
    int32_t d = ClsMyMath::sqrt(dx * dx + dy * dy);
    (*distance)[i] = d;
    if (d <= getItemSize2(0) / 2)
        return false;
    int32_t step = frameTime * (*speed)[i];
    (*vx)[i] = step * dx / d;
    (*vy)[i] = step * dy / d;
    if (std::abs((*vx)[i]) > std::abs((*vy)[i]))
        direction = (*vx)[i] < 1 ? HEADING_LEFT : HEADING_RIGHT;
    else
        direction = (*vy)[i] < 1 ? HEADING_UP : HEADING_DOWN;
    moving = true;
    return true;
}

// ---- Frame ----

void ClsPlayer::update()
{
    if (isStopped())
        return;
    if (MainGame::bossDefeated)
        setState(STATE_CLEARED);
    moving = (*x)[0] != lastX || (*y)[0] != lastY;
    lastX = (*x)[0];
    lastY = (*y)[0];
    updateState();
    updateInvulnerability();
    MainGame::playerX = (*x)[0];
    MainGame::playerY = (*y)[0];
    updateFireReady();
    for (int32_t i = 0; i < nextItem; i++) {
        updateElement(i);
        checkDestroyed(i);
        setItemPosition(i, (*x)[i], (*y)[i]);
        animateElement(i);
    }
}

void ClsPlayer::updateState()
{
    switch (state) {
    case STATE_ENTERING:
        if (lives < START_LIVES) {
            (*invulnerable)[0] = true;
            setItemFrame(0, FRAME_SHIP_INVULNERABLE);
        }
        direction = HEADING_UP;
        (*vy)[0] = -(frameTime * (*speed)[0]);
        if ((*y)[0] < PLAYING_Y) {
            state = STATE_PLAYING;
            (*inactive)[0] = false;
        }
        break;
    case STATE_CLEARED:
        (*invulnerable)[0] = true;
        startTimer(0);
        if (isTimerExpired(0, FLY_OFF_MS, false)) {
            direction = HEADING_UP;
            (*vy)[0] = -(frameTime * (*speed)[0]);
        }
        break;
    case STATE_DESTROYED:
        startTimer(0);
        if (isTimerExpired(0, GAME_OVER_MS, false))
            gameOver = true;
        break;
    case STATE_DEMO:
        (*invulnerable)[0] = true;
        break;
    default:
        break;
    }
}

void ClsPlayer::updateInvulnerability()
{
    int32_t clock = sceneClock();
    if ((*invulnerable)[0] && clock - invulnerableSince > invulnerableTime) {
        (*invulnerable)[0] = false;
        setItemFrame(0, FRAME_SHIP);
        invulnerableSince = clock;
    }
}

void ClsPlayer::updateFireReady()
{
    if (state != STATE_PLAYING && state != STATE_DEMO)
        return;
    startTimer(0);
    fireReady = isTimerExpired(0, fireInterval, true);
}

void ClsPlayer::fire(int32_t i)
{
    if (!fireReady || (*inactive)[i] || (state != STATE_PLAYING && state != STATE_DEMO))
        return;
    int32_t dir = (*shotDir)[i];
    switch (weaponKind) {
    case SHOT: bulletFactory->firePlayerShot(dir, i); break;
    case FLAME: bulletFactory->fireFlameSpread(dir, (*x)[i], (*y)[i], i); break;
    case HOMING: bulletFactory->fireHomingSpread(dir, (*x)[i], (*y)[i], i); break;
    case LASER: bulletFactory->fireLaser(dir, i); break;
    case BOMBS: bulletFactory->fireBombs(dir, (*x)[i], (*y)[i], i); break;
    default: break;
    }
}

void ClsPlayer::updateElement(int32_t i)
{
    if (i == 0) {
        fire(0);
        (*x)[0] += (*vx)[0] >> 5;
        (*y)[0] += (*vy)[0] >> 5;
        if (state == STATE_PLAYING) {
            int32_t w = getItemSize2(0);
            int32_t h = getItemSize1(0);
            if ((*x)[0] - w / 2 < 0)
                (*x)[0] = w / 2;
            if ((*x)[0] + w / 2 > SCREEN_WIDTH)
                (*x)[0] = SCREEN_WIDTH - w / 2;
            if ((*y)[0] - h / 2 < 0)
                (*y)[0] = h / 2;
            if ((*y)[0] + h / 2 > SCREEN_HEIGHT)
                (*y)[0] = SCREEN_HEIGHT - h / 2;
        }
        (*vx)[0] = 0;
        (*vy)[0] = 0;
        return;
    }
    int32_t unit = (*unitKind)[i];
    if (unit != UNIT_POD || moving) {
        (*x)[i] = (*x)[0] + (*offsetX)[i];
        (*y)[i] = (*y)[0] + (*offsetY)[i];
    }
    if (unit == UNIT_SATELLITE) {
        for (int32_t k = 0; k < SATELLITES_MAX; k++) {
            (*orbitAngle)[k] += orbitStep;
            double a = (*orbitAngle)[k];
            (*x)[k + 1] = vm_d2i(ClsMyMath::cos(a) * unitDistance + (*x)[0]);
            (*y)[k + 1] = vm_d2i(ClsMyMath::sin(a) * unitDistance + (*y)[0]);
        }
    } else if (unit >= UNIT_WING_FIRST && unit <= UNIT_WING_LAST) {
        fire(i);
    } else if (unit == UNIT_POD) {
        static constexpr int32_t trail[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
        (*offsetX)[i] = trail[direction][0] * unitDistance;
        (*offsetY)[i] = trail[direction][1] * unitDistance;
        if (getItemFrame(i) != direction) {
            (*x)[i] = (*x)[0] + (*offsetX)[i];
            (*y)[i] = (*y)[0] + (*offsetY)[i];
            setItemFrame(i, direction);
        }
        if (!MainGame::playActive) {
            (*x)[i] = (*x)[0];
            (*y)[i] = (*y)[0] - unitDistance;
            setItemFrame(i, 0);
        }
    }
}

void ClsPlayer::checkDestroyed(int32_t i)
{
    if ((*hp)[i] > 0)
        return;
    int32_t unit = (*unitKind)[i];
    if (unit == UNIT_SHIP) {
        MainGame::explosions->explode(EXPLOSION, (*x)[0], (*y)[0]);
        if (weaponKind == SHOT)
            MainGame::playerBullets->clear();
        (*inactive)[0] = true;
        (*x)[0] = RESPAWN_X;
        (*y)[0] = RESPAWN_Y;
        (*hp)[0] = 1;
        lives -= 1;
        state = lives < 1 ? STATE_DESTROYED : STATE_ENTERING;
        return;
    }
    if (unit == UNIT_POD) {
        // Pushed towards the ship instead of destroyed.
        int32_t q = unitDistance / podPushDivisor;
        if ((*offsetX)[i] == 0)
            (*y)[i] += (*offsetY)[i] < 1 ? q : -q;
        else if ((*offsetY)[i] == 0)
            (*x)[i] += (*offsetX)[i] > 0 ? -q : q;
        (*hp)[i] = 1;
        return;
    }
    if (unit == UNIT_SATELLITE) {
        (*hp)[i] = 1;
        return;
    }
    bool wing = unit >= UNIT_WING_FIRST && unit <= UNIT_WING_LAST;
    if (wing && !(*inactive)[i])
        MainGame::explosions->explode(EXPLOSION, (*x)[i], (*y)[i]);
    // Barrier and wing guns stay down for their respawn time.
    (*inactive)[i] = true;
    (*invulnerable)[i] = true;
    setItemFrame(i, FRAME_DOWN);
    startTimer(i);
    if (isTimerExpired(i, (*respawnTime)[i], true)) {
        (*inactive)[i] = false;
        (*invulnerable)[i] = false;
        (*hp)[i] = 1;
        setItemFrame(i, wing ? FRAME_WING : FRAME_BARRIER);
    }
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsPlayer, "scene.mainGame.ClsPlayer", "scene.mainGame.ClsPlane",
                  "..\\src\\scene_mainGame_ClsPlayer", nullptr);
