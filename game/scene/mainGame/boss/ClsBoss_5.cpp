#include "scene/mainGame/boss/ClsBoss_5.h"

#include "main/Main.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/boss/BossParts.h"
#include "tq/util/FastRandom.h"

namespace scene::mainGame::boss {

namespace {

constexpr int32_t kLastPattern = 6;
// Items whose loss passes each pattern over.
constexpr int32_t kFiringItems[kLastPattern + 1][4] = {
    {1, 4, 5, -1}, {2, 3, 5, -1}, {1, 4, 7, 8}, {2, 3, 9, -1},
    {1, 2, 3, 4},  {5, -1, -1, -1}, {7, 8, 9, -1},
};
constexpr int32_t kBodyFrame = 1;
constexpr int32_t kPodFrame = 3;
constexpr int32_t kDroneFrame = 5;
constexpr int32_t kPartFrame = 7;
constexpr int32_t kPartWreck = 8;
constexpr int32_t kBodyWreck = 10;
constexpr int32_t kPodWreck = 12;
constexpr int32_t kFallenPart = 13;
constexpr int32_t kDroneWreck = 14;
constexpr int32_t kBodyKind = 1;
constexpr int32_t kPodKind = 2;
constexpr int32_t kPieceKind = 3;
constexpr int32_t kFirstPodPart = 7;
constexpr int32_t kDroneJitter = 40;

} // namespace

VMPtr<ClsBoss_5> ClsBoss_5::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    parent = IntArray::newArray(PARTS);
    patternTimer = PATTERN_TIME;
    parts::setPhaseCount(this, bossLevel);
    keepsRunningTotal = true;
    hideAllParts();
    return VMPtr<ClsBoss_5>(this);
}

void ClsBoss_5::start()
{
    switch (level) {
    case 1: buildBody(); break;
    case 2:
        buildBody();
        buildPod();
        break;
    case 3:
        buildBody();
        buildDrone();
        break;
    case 4:
        buildBody();
        buildPod();
        buildDrone();
        parts::setHitPoints(this, 1, BODY_PARTS, 4000);
        parts::setHitPoints(this, kFirstPodPart, kFirstPodPart + POD_PARTS - 1, 3333);
        setHp(droneIndex, 10000);
        break;
    default: break;
    }
    // The total of the parts that are there: the table's figure when every
    // point is in the data.
    maxHp = 0;
    parts::fillHitPoints(this);
}

void ClsBoss_5::buildBody()
{
    bodyIndex = nextItem;
    addAnimItem(GOBS, ANIMS, kBodyFrame, 120, -200);
    int32_t height = getItemSize1(bodyIndex);
    (*target)[0] = 120;
    (*target)[1] = height;
    addElement(0, 120, -2 * height);
    (*speed)[bodyIndex] = 3;
    (*inactive)[bodyIndex] = false;
    (*invulnerable)[bodyIndex] = true;
    attachParts(kBodyKind, bodyIndex, BODY_PARTS);
    parts::setHitPoints(this, bodyIndex + 1, nextItem - 1, 1000);
}

void ClsBoss_5::buildPod()
{
    podIndex = nextItem;
    addAnimItem(GOBS, ANIMS, kPodFrame, -1000, -1000);
    addElement(3, -1000, -1000);
    (*parent)[podIndex] = bodyIndex;
    (*inactive)[podIndex] = false;
    // Untouchable through the whole fight: only its parts take shots.
    (*invulnerable)[podIndex] = true;
    (*offsetX)[podIndex] = getItemSize2(podIndex) / 2 - getItemSize2(bodyIndex) / 2;
    (*offsetY)[podIndex] = getItemSize1(bodyIndex);
    attachParts(kPodKind, podIndex, POD_PARTS);
    parts::setHitPoints(this, podIndex + 1, nextItem - 1, 1667);
}

void ClsBoss_5::buildDrone()
{
    droneIndex = nextItem;
    addAnimItem(GOBS, ANIMS, kDroneFrame, -1000, -1000);
    addElement(3, -1000, -1000);
    (*offsetX)[droneIndex] = getItemSize2(bodyIndex) / 2 - getItemSize2(droneIndex) / 2;
    (*offsetY)[droneIndex] = getItemSize1(bodyIndex);
    (*parent)[droneIndex] = bodyIndex;
    (*inactive)[droneIndex] = false;
    (*speed)[droneIndex] = 1;
    parts::setHitPoints(this, 1, BODY_PARTS, 2000);
    setHp(droneIndex, 10000);
}

int32_t ClsBoss_5::attachParts(int32_t boxKind, int32_t host, int32_t limit)
{
    int32_t n = parts::hangParts(this, parent, GOBS, ANIMS, kPartFrame, host, boxKind, limit);
    partsLeft += n;
    return n;
}

void ClsBoss_5::update()
{
    // Nothing before start has laid the parts out.
    if (isStopped() || nextItem == 0)
        return;
    enter();
    if (state == 1) {
        if (parts::countDown(patternTimer, PATTERN_TIME))
            selectPattern(phase + 1);
        if (level > 2)
            droneStep();
    }
    parts::stepItems(this, [this](int32_t i) { partStep(i); }, [this](int32_t i) { checkBoss(i); });
}

void ClsBoss_5::enter()
{
    if (state != 0 || nextItem == 0)
        return;
    moveTowards(bodyIndex, (*target)[0], (*target)[1]);
    if (podIndex >= 0)
        parts::follow(this, parent, podIndex);
    if (droneIndex >= 0)
        parts::follow(this, parent, droneIndex);
    if ((*target)[1] < (*y)[bodyIndex]) {
        state = 1;
        for (int32_t i = 0; i < nextItem; i++) {
            if (i != bodyIndex)
                (*invulnerable)[i] = false;
        }
        if (podIndex >= 0)
            (*invulnerable)[podIndex] = true;
    }
}

void ClsBoss_5::partStep(int32_t i)
{
    if ((*kind)[i] != 1)
        return;
    parts::follow(this, parent, i);
    if (parts::shotDue(this, i))
        fireParts(i);
}

void ClsBoss_5::fireParts(int32_t i)
{
    int32_t px = (*x)[i];
    int32_t py = (*y)[i];
    VMPtr<weapon::ClsBcreator> f = bulletFactory;
    switch (phase) {
    case 0:
        if (i == 1 || i == 4)
            f->fireDirectional(1, 20, px, py, 4, false, false);
        else if (i == 5)
            f->fireAtPlayer(px, py);
        break;
    case 1:
        if (i == 2 || i == 3)
            f->fireDirectional(1, 15, px, py, 3, true, false);
        else if (i == 5)
            f->fireDirectional(1, 15, px, py, 2, false, true);
        break;
    case 2:
        if (i == 1 || i == 4)
            f->fireRingDefault(5, px, py);
        else if (i == 7 || i == 8)
            f->fireAtPlayer(px, py);
        break;
    case 3:
        if (i == 2 || i == 3)
            f->fireDirectional(1, 20, px, py, 3, false, false);
        else if (i == 9)
            f->fireAtPlayer(px, py);
        break;
    case 4:
        if (i == 1 || i == 4)
            f->fireRingDefault(5, px, py);
        else if (i == 2 || i == 3)
            f->fireEightWay(1, px, py);
        break;
    case 5:
        if (i == 5)
            f->fireDirectional(1, 20, px, py, 5, true, true);
        break;
    case 6:
        if (i == 7 || i == 8)
            f->fireAtPlayer(px, py);
        else if (i == 9)
            f->fireRingDefault(6, px, py);
        break;
    default: break;
    }
}

void ClsBoss_5::selectPattern(int32_t p)
{
    phase = parts::choosePattern(p, kLastPattern, phaseCount, [this](int32_t q) {
        const int32_t* items = kFiringItems[q];
        return parts::allOff(this, {items[0], items[1], items[2], items[3]});
    });
}

void ClsBoss_5::droneStep()
{
    int32_t d = droneIndex;
    if (d < 0 || (*inactive)[d])
        return;
    startTimer(d);
    if (isTimerExpired(d, parts::SHOT_TIME, true)) {
        int32_t dist = distanceBetween((*x)[d], (*y)[d], MainGame::playerX, MainGame::playerY);
        if (dist > 0) {
            int32_t step = frameTime * (*speed)[d];
            (*vx)[d] = step * (MainGame::playerX - (*x)[d]) / dist +
                       main::Main::random->nextInt() % kDroneJitter;
            (*vy)[d] = step * (MainGame::playerY - (*y)[d]) / dist +
                       main::Main::random->nextInt() % kDroneJitter;
        }
    }
    (*x)[d] += (*vx)[d] >> 5;
    (*y)[d] += (*vy)[d] >> 5;
}

void ClsBoss_5::onPartHit(int32_t i)
{
    int32_t k = (*kind)[i];
    if ((*hp)[i] <= 0) {
        if ((*inactive)[i] || k != 1)
            return;
        parts::partFalls(this, i, kPartWreck);
    } else if (k == 0 || k == 1 || k == 3) {
        parts::endFlash(this, i);
    }
}

void ClsBoss_5::checkDefeat()
{
    if (bossHp <= 0)
        parts::defeat(this);
}

void ClsBoss_5::checkBoss(int32_t)
{
    int32_t b = bodyIndex;
    int32_t sum = 0;
    for (int32_t i = 1; i <= BODY_PARTS && i < nextItem; i++)
        sum += (*hp)[i];
    (*hp)[b] = sum;
    if (sum <= 0 && !(*inactive)[b]) {
        parts::pieceFalls(this, b, 15);
        checkDefeat();
        setItemFrame(b, kBodyWreck);
        (*inactive)[b] = true;
        for (int32_t i = 1; i <= BODY_PARTS && i < nextItem; i++) {
            setItemFrame(i, kFallenPart);
            (*inactive)[i] = true;
        }
    }
    int32_t pod = podIndex;
    if (pod >= 0 && !(*inactive)[pod]) {
        bool podPartsGone = true;
        for (int32_t i = pod + 1; i <= pod + POD_PARTS; i++)
            podPartsGone = podPartsGone && !parts::alive(this, i);
        if (podPartsGone) {
            checkDefeat();
            setItemFrame(pod, kPodWreck);
            (*inactive)[pod] = true;
            parts::partSound();
            bulletFactory->dropMoneySlow(5, (*x)[pod], (*y)[pod]);
            for (int32_t i = pod + 1; i <= pod + POD_PARTS && i < nextItem; i++)
                setItemFrame(i, kFallenPart);
        }
    }
    int32_t drone = droneIndex;
    if (drone >= 0 && (*hp)[drone] <= 0 && !(*inactive)[drone]) {
        checkDefeat();
        setItemFrame(drone, kDroneWreck);
        (*inactive)[drone] = true;
        bulletFactory->dropMoneySlow(5, (*x)[drone], (*y)[drone]);
    }
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_5, "scene.mainGame.boss.ClsBoss_5",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_5", nullptr);
