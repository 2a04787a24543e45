#include "scene/mainGame/ClsEnemy.h"

#include <algorithm>

#include "java/io/PrintStream.h"
#include "java/lang/System.h"
#include "scene/mainGame/ClsPlayer.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsBcreator.h"
#include "scene/mainGame/weapon/ClsExplo.h"

namespace scene::mainGame {

namespace {

// The values an enemy kind starts with; -1 leaves the slot's value as its
// previous occupant left it. The shot count at level d is
// max(shotsPerLevel * d, minShots), or left when minShots is -1.
struct KindValues {
    int32_t hpPerLevel;
    int32_t dropCount;
    int32_t speed;
    int32_t shotInterval;
    int32_t shotsPerLevel;
    int32_t minShots;
};

constexpr KindValues kKinds[] = {
    {50, 2, 4, -1, 0, -1},      {100, 3, 4, 1000, 0, 2}, {1000, 5, 3, 1500, 2, 5},
    {100, 3, 4, -1, 1, 3},      {80, 3, 5, -1, 0, -1},   {200, 3, 3, -1, 2, 6},
    {150, 3, 4, 1500, 1, 2},    {0, 2, 4, 1500, 0, 0},
};
constexpr int32_t kKindCount = 8;
constexpr int32_t kTargetKind = 7;
// The target takes this many of the ship's shots.
constexpr int32_t kTargetShots = 10;
// Directions of the factory's spreads.
constexpr int32_t kUp = 0;
constexpr int32_t kDown = 1;

} // namespace

VMPtr<ClsEnemy> ClsEnemy::init(VMPtr<weapon::ClsBcreator> factory)
{
    ClsPlane::init(factory);
    alive = 0;
    return VMPtr<ClsEnemy>(this);
}

void ClsEnemy::allocItems(int32_t n)
{
    ClsPlane::allocItems(n);
    canFire = BoolArray::newArray(n);
    leaderFlags = BoolArray::newArray(n);
    baseFrame = IntArray::newArray(n);
    dropCount = IntArray::newArray(n);
    shotParam = IntArray::newArray(n);
    counted = BoolArray::newArray(n);
    leaderPending = false;
    allocPointRing(n);
}

void ClsEnemy::allocPointRing(int32_t n)
{
    pointX = IntArray::newArray(n);
    pointY = IntArray::newArray(n);
    link = IntArray::newArray(n);
    pointIndex = -1;
}

void ClsEnemy::removeItem(int32_t i)
{
    ClsPlane::removeItem(i);
}

void ClsEnemy::moveTowards(int32_t i, int32_t tx, int32_t ty)
{
    ClsPlane::moveTowards(i, tx, ty);
}

void ClsEnemy::initEnemies()
{
    allocItems(SLOTS);
    for (int32_t i = 0; i < SLOTS; i++) {
        addItem(GOB_SET, ANIM_SET, FREE_FRAME, 0, 0);
        (*inactive)[i] = true;
    }
    nextItem = 0;
    alive = 0;
    waveAlive = 0;
}

// ---- Spawning ----

void ClsEnemy::pushPoint(int32_t px, int32_t py, int32_t param)
{
    pointIndex += 1;
    if (pointIndex >= pointX->length)
        pointIndex = 0;
    (*pointX)[pointIndex] = px;
    (*pointY)[pointIndex] = py;
    leaderPending = true;
    pointParam = param;
}

void ClsEnemy::spawn(int32_t sx, int32_t sy, int32_t enemyKind)
{
    int32_t prev = nextItem - 1;
    // A follower needs an enemy spawned before it.
    if (!leaderPending && prev < 0)
        return;
    int32_t i = 0;
    while (i < capacity && !(getItemFrame(i) == FREE_FRAME && (*hp)[i] < 1))
        i++;
    if (i == capacity)
        return;
    nextItem = i;
    (*inactive)[i] = false;
    if (leaderPending) {
        (*link)[i] = pointIndex;
        (*leaderFlags)[i] = true;
        leaderPending = false;
        setItemPosition(i, sx, sy);
    } else {
        (*link)[i] = -prev;
        (*leaderFlags)[i] = false;
        placeBehind(i, prev);
        sx = (*x)[i];
        sy = (*y)[i];
    }
    (*counted)[i] = true;
    waveAlive += 1;
    alive += 1;
    nextItem = i + 1;
    addElement(enemyKind, sx, sy);
}

void ClsEnemy::spawnUncounted(int32_t sx, int32_t sy, int32_t enemyKind)
{
    int32_t before = alive;
    spawn(sx, sy, enemyKind);
    // Nothing spawned: no count to take back.
    if (alive == before)
        return;
    (*counted)[nextItem - 1] = false;
    waveAlive -= 1;
}

void ClsEnemy::addElement(int32_t elementKind, int32_t ex, int32_t ey)
{
    ClsPlane::addElement(elementKind, ex, ey);
    int32_t e = nextItem - 1;
    int32_t d = MainGame::difficulty;
    int32_t stage = std::clamp(MainGame::stage, 0, MainGame::STAGES - 1);
    int32_t look = ey <= AREA_HEIGHT / 2 ? 4 * stage + 1 : 4 * stage + 3;
    if (elementKind == 2)
        look = HEAVY_FRAME;
    (*baseFrame)[e] = look;
    setItemFrame(e, look);
    if (elementKind >= 0 && elementKind < kKindCount) {
        const KindValues& k = kKinds[elementKind];
        (*hp)[e] = elementKind == kTargetKind ? kTargetShots * (*ClsPlayer::shotDamage)[0]
                                              : k.hpPerLevel * d;
        (*dropCount)[e] = k.dropCount;
        (*speed)[e] = k.speed;
        if (k.shotInterval >= 0)
            (*shotInterval)[e] = k.shotInterval;
        if (k.minShots >= 0)
            (*shotParam)[e] = std::max(k.shotsPerLevel * d, k.minShots);
    }
    (*invulnerable)[e] = false;
    (*inactive)[e] = false;
    (*shotClock)[e] = 0;
    if (!(*leaderFlags)[e])
        return;
    int32_t p = (*link)[e];
    setTarget(e, (*pointX)[p], (*pointY)[p]);
    if ((*vx)[e] != 0 || (*vy)[e] != 0)
        return;
    VMPtr<java::io::PrintStream> out = java::lang::System::out();
    out->println("!!!ERROR header no movement!!!");
    const char* names[] = {"iX[", "iY[", "iFinTx[", "iFinTy[", "iDist["};
    int32_t indexes[] = {e, e, p, p, e};
    int32_t values[] = {(*x)[e], (*y)[e], (*pointX)[p], (*pointY)[p], (*distance)[e]};
    for (int32_t k = 0; k < 5; k++) {
        out->print(names[k]);
        out->print(indexes[k]);
        out->print("] = ");
        out->println(values[k]);
    }
}

void ClsEnemy::reset()
{
    for (int32_t i = 0; i < capacity; i++) {
        (*leaderFlags)[i] = false;
        (*inactive)[i] = true;
    }
    pointIndex = -1;
    nextItem = 0;
}

// ---- Frame ----

void ClsEnemy::update()
{
    if (isStopped())
        return;
    for (int32_t i = 0; i < capacity; i++) {
        if (getItemFrame(i) == FREE_FRAME) {
            if ((*hp)[i] > 0)
                retire(i);
            continue;
        }
        updateShotClock(i);
        act(i);
        collideWithPlayer(i);
        if (getItemFrame(i) == FREE_FRAME || (*hp)[i] > 0)
            setItemPosition(i, (*x)[i], (*y)[i]);
        else
            destroy(i);
        animateElement(i);
    }
}

void ClsEnemy::updateShotClock(int32_t i)
{
    if ((*inactive)[i])
        return;
    (*shotClock)[i] += frameTime;
    if ((*shotClock)[i] > (*shotInterval)[i]) {
        (*canFire)[i] = true;
        (*shotClock)[i] = 0;
    } else {
        (*canFire)[i] = false;
    }
}

void ClsEnemy::act(int32_t i)
{
    int32_t ex = (*x)[i];
    int32_t ey = (*y)[i];
    int32_t shots = (*shotParam)[i];
    switch ((*kind)[i]) {
    case 2:
        descendAndHold(i);
        return;
    case 4:
        trackPlayer(i);
        return;
    case kTargetKind:
        return;
    case 1:
        if ((*canFire)[i])
            bulletFactory->fireDirectional(kDown, 80, ex, ey, shots, false, false);
        break;
    case 3:
        if ((*hp)[i] < 1)
            bulletFactory->fireDirectional(kUp, 20, ex, ey, shots, false, true);
        break;
    case 5:
        if ((*hp)[i] < 1)
            bulletFactory->fireRingDefault(shots, ex, ey);
        break;
    case 6:
        if ((*canFire)[i])
            bulletFactory->fireDirectional(kUp, 20, ex, ey, shots, false, true);
        break;
    default:
        break;
    }
    followPath(i);
}

void ClsEnemy::followPath(int32_t i)
{
    if (!(*leaderFlags)[i]) {
        int32_t j = -(*link)[i];
        if (getItemFrame(j) == FREE_FRAME) {
            // Up the chain to the first enemy still flying or to the leader
            // whose destination this one takes over. Slots are reused, so
            // the chain may turn back on itself: at most one step per slot.
            bool foundLeader = false;
            bool foundLiving = false;
            for (int32_t steps = 0; steps < capacity; steps++) {
                if ((*leaderFlags)[j]) {
                    (*hp)[j] = 0;
                    // A leader on a course of its own has no point to hand on.
                    foundLeader = (*link)[j] != NO_POINT;
                    if (foundLeader)
                        (*link)[i] = (*link)[j];
                    break;
                }
                (*link)[i] = (*link)[j];
                j = -(*link)[i];
                if (getItemFrame(j) != FREE_FRAME) {
                    foundLiving = j != i;
                    break;
                }
            }
            if (foundLiving) {
                setTarget(i, (*x)[j], (*y)[j]);
            } else {
                // Nothing left to follow: it leads itself, on the leader's
                // destination when there was one, else on its own course.
                (*leaderFlags)[i] = true;
                if (foundLeader) {
                    int32_t p = (*link)[i];
                    setTarget(i, (*pointX)[p], (*pointY)[p]);
                } else {
                    (*link)[i] = NO_POINT;
                }
            }
        }
    } else {
        int32_t halfW = getItemSize2(i) / 2;
        int32_t halfH = getItemSize1(i) / 2;
        int64_t vx2 = int64_t((*vx)[i]) * (*vx)[i];
        int64_t vy2 = int64_t((*vy)[i]) * (*vy)[i];
        bool left;
        if (vx2 <= vy2)
            left = ((*vy)[i] < 0 && (*y)[i] + halfH < 0) ||
                   ((*vy)[i] > 0 && (*y)[i] - halfH > AREA_HEIGHT);
        else
            left = ((*vx)[i] < 0 && (*x)[i] + halfW < 0) ||
                   ((*vx)[i] > 0 && (*x)[i] - halfW > AREA_WIDTH);
        if (left)
            freeSlot(i);
    }
    (*x)[i] += (*vx)[i];
    (*y)[i] += (*vy)[i];
}

void ClsEnemy::descendAndHold(int32_t i)
{
    if ((*canFire)[i])
        bulletFactory->fireDirectional(kDown, 20, (*x)[i], (*y)[i], (*shotParam)[i], false, true);
    (*vy)[i] = (*y)[i] < HOLD_Y ? frameTime * (*speed)[i] : 0;
    (*y)[i] += (*vy)[i] >> 5;
}

void ClsEnemy::trackPlayer(int32_t i)
{
    int32_t px = MainGame::playerX;
    int32_t goalY = (*pointY)[0];
    int32_t step = frameTime * (*speed)[i];
    if ((*x)[i] < px - 2)
        (*vx)[i] = step / 2;
    else if ((*x)[i] > px + 2)
        (*vx)[i] = (frameTime * -(*speed)[i]) / 2;
    else
        (*vx)[i] = 0;
    if ((*y)[i] < goalY)
        (*vy)[i] = step;
    else if ((*y)[i] > goalY)
        (*vy)[i] = -step;
    (*x)[i] += (*vx)[i] >> 5;
    (*y)[i] += (*vy)[i] >> 5;
    int32_t dy = (*y)[i] - goalY;
    if (isOffScreen(i) && (dy < 0 ? -dy : dy) <= pointParam)
        freeSlot(i);
}

bool ClsEnemy::isOffScreen(int32_t i)
{
    int32_t halfW = getItemSize2(i) / 2;
    int32_t halfH = getItemSize1(i) / 2;
    return (*x)[i] + halfW < 0 || (*x)[i] - halfW > AREA_WIDTH || (*y)[i] + halfH < 0 ||
           (*y)[i] - halfH > AREA_HEIGHT;
}

void ClsEnemy::collideWithPlayer(int32_t i)
{
    VMPtr<ClsPlayer> player = MainGame::player;
    if (player == nullptr)
        return;
    int32_t ex = (*x)[i];
    int32_t ey = (*y)[i];
    int32_t count = player->nextItem;
    if (hitRect == nullptr)
        hitRect = IntArray::newArray(5);
    VMPtr<IntArray> box = hitRect;
    for (int32_t j = 0; j < count; j++) {
        if (player->isInvulnerable(j) || player->getUnitKind(j) == ClsPlayer::UNIT_POD)
            continue;
        player->getItemBoxInto(j, 0, box);
        IntArray& r = *box;
        if (r[0] < ex && ex < r[0] + r[2] && r[1] < ey && ey < r[1] + r[3]) {
            (*hp)[i] = 0;
            player->setHp(j, player->getHp(j) - 1);
        }
    }
}

void ClsEnemy::freeSlot(int32_t i)
{
    setItemFrame(i, FREE_FRAME);
    alive -= 1;
    if ((*counted)[i]) {
        waveAlive -= 1;
        (*counted)[i] = false;
    }
}

void ClsEnemy::destroy(int32_t i)
{
    (*inactive)[i] = true;
    freeSlot(i);
    bulletFactory->dropMoneySlow((*dropCount)[i], (*x)[i], (*y)[i]);
    MainGame::explosions->explode(EXPLOSION, (*x)[i], (*y)[i]);
}

void ClsEnemy::retire(int32_t i)
{
    (*inactive)[i] = true;
    (*hp)[i] = 0;
}

void ClsEnemy::onPartHit(int32_t i)
{
    int32_t f = getItemFrame(i);
    if (f % 2 == 1)
        setItemFrame(i, f - 1);
}

int32_t ClsEnemy::getAlive()
{
    return alive;
}

int32_t ClsEnemy::getWaveAlive()
{
    return waveAlive;
}

bool ClsEnemy::isLeader(int32_t i)
{
    return (*leaderFlags)[i];
}

int32_t ClsEnemy::getLink(int32_t i)
{
    return (*link)[i];
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsEnemy, "scene.mainGame.ClsEnemy", "scene.mainGame.ClsPlane",
                  "..\\src\\scene_mainGame_ClsEnemy", nullptr);
