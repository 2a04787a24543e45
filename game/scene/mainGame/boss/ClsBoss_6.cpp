#include "scene/mainGame/boss/ClsBoss_6.h"

#include "scene/mainGame/boss/BossParts.h"

namespace scene::mainGame::boss {

namespace {

constexpr int32_t kLastPattern = 6;
constexpr int32_t kCoreFrame = 5;
constexpr int32_t kWingFrames[] = {1, 3};
constexpr int32_t kGunFrame = 7;
constexpr int32_t kGunWreck = 6;
constexpr int32_t kFirstWingWreck = 10;
constexpr int32_t kFallenGun = 11;
constexpr int32_t kCoreWreck = 12;
constexpr int32_t kSecondWingWreck = 14;
constexpr int32_t kWingKind = 2;
constexpr int32_t kTargetY = 96;
// Gun parts: one on each wing's box of kind 2, then two on each wing's
// boxes of kind 3.
constexpr int32_t kFrontGuns = 1;
constexpr int32_t kBackGuns = 2;
constexpr int32_t kFirstBackGun = 5;
constexpr int32_t kLastGun = 8;
constexpr int32_t kGunHp = 2500;

} // namespace

VMPtr<ClsBoss_6> ClsBoss_6::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    parent = IntArray::newArray(PARTS);
    patternTimer = PATTERN_TIME;
    parts::setPhaseCount(this, bossLevel);
    keepsRunningTotal = true;
    hideAllParts();
    return VMPtr<ClsBoss_6>(this);
}

void ClsBoss_6::start()
{
    switch (level) {
    case 1: buildLevel1(); break;
    case 2: buildLevel2(); break;
    case 3: buildLevel3(); break;
    case 4: buildLevel4(); break;
    default: return;
    }
    maxHp = bossHp;
}

void ClsBoss_6::buildLevel1()
{
    (*target)[0] = 120;
    (*target)[1] = kTargetY;
    coreIndex = nextItem;
    addAnimItem(GOBS, ANIMS, kCoreFrame, 120, kTargetY - 320);
    addElement(0, 120, kTargetY - 160);
    (*speed)[coreIndex] = 3;
    (*inactive)[coreIndex] = false;
    (*invulnerable)[coreIndex] = true;
    (*parent)[coreIndex] = coreIndex;
    setHp(coreIndex, 5000);
    bossHp = 5000;
}

void ClsBoss_6::buildLevel2()
{
    buildLevel1();
    for (int32_t f : kWingFrames) {
        int32_t w = nextItem;
        addAnimItem(GOBS, ANIMS, f, 120, -320);
        addElement(kWingKind, 120, -320);
        (*parent)[w] = coreIndex;
        (*speed)[w] = 3;
        (*inactive)[w] = false;
        (*invulnerable)[w] = true;
        setHp(w, 2500);
        (f == kWingFrames[0] ? wing1Index : wing2Index) = w;
    }
    halfWidth = getItemSize2(wing1Index) / 2;
    halfHeight = getItemSize1(wing1Index) / 2;
    setHp(coreIndex, getHp(coreIndex) * 2);
    bossHp = getHp(coreIndex);
}

void ClsBoss_6::buildLevel3()
{
    buildLevel2();
    attachParts(2, wing1Index, kFrontGuns);
    attachParts(2, wing2Index, kFrontGuns);
    parts::setHitPoints(this, wing2Index + 1, kFirstBackGun - 1, kGunHp);
    for (int32_t i : {wing1Index, wing2Index, coreIndex})
        setHp(i, getHp(i) * 2);
    bossHp = getHp(coreIndex);
}

void ClsBoss_6::buildLevel4()
{
    buildLevel3();
    attachParts(3, wing1Index, kBackGuns);
    attachParts(3, wing2Index, kBackGuns);
    parts::setHitPoints(this, kFirstBackGun, kLastGun, kGunHp);
    for (int32_t i : {wing1Index, wing2Index, coreIndex})
        setHp(i, getHp(i) * 2);
    bossHp = getHp(coreIndex);
}

void ClsBoss_6::attachParts(int32_t boxKind, int32_t wing, int32_t limit)
{
    parts::hangParts(this, parent, GOBS, ANIMS, kGunFrame, wing, boxKind, limit);
}

void ClsBoss_6::update()
{
    if (isStopped())
        return;
    // The pattern clock runs from creation, also while the boss comes on.
    if (parts::countDown(patternTimer, PATTERN_TIME))
        selectPattern(phase + 1);
    // Nothing before start has laid the parts out.
    if (nextItem == 0)
        return;
    enter();
    parts::stepItems(this, [this](int32_t i) { itemStep(i); }, [this](int32_t) { checkBoss(); });
}

void ClsBoss_6::enter()
{
    if (state != 0 || nextItem == 0)
        return;
    if (parts::bringOn(this, parent, coreIndex)) {
        state = 1;
        for (int32_t i = 0; i < nextItem; i++)
            (*invulnerable)[i] = false;
    }
}

void ClsBoss_6::itemStep(int32_t i)
{
    if ((*kind)[i] == 1)
        parts::follow(this, parent, i);
    if (parts::shotDue(this, i))
        fireItem(i);
}

int32_t ClsBoss_6::cornerX(int32_t w)
{
    return w == wing1Index ? (*x)[w] - halfWidth : (*x)[w] + halfWidth;
}

int32_t ClsBoss_6::cornerY(int32_t w)
{
    return (*y)[w] + halfHeight;
}

void ClsBoss_6::fireItem(int32_t i)
{
    int32_t px = (*x)[i];
    int32_t py = (*y)[i];
    bool core = i == coreIndex;
    bool wing = i == wing1Index || i == wing2Index;
    bool front = i == 3 || i == 4;
    bool outer = i == 5 || i == 7;
    bool inner = i == 6 || i == 8;
    VMPtr<weapon::ClsBcreator> f = bulletFactory;
    switch (phase) {
    case 0:
        if (core)
            f->fireDirectional(1, 20, px, py, 5, false, true);
        break;
    case 1:
        if (core)
            f->fireDirectional(1, 20, px, py, 3, false, false);
        else if (wing)
            f->fireDirectional(1, 20, cornerX(i), cornerY(i), 3, false, true);
        break;
    case 2:
        if (wing)
            f->fireAtPlayer(cornerX(i), cornerY(i));
        else if (front)
            f->fireRingDefault(5, px, py);
        break;
    case 3:
        if (front)
            f->fireDirectional(1, 20, px, py, 5, true, true);
        break;
    case 4:
        if (outer)
            f->fireDirectional(1, 20, px, py, 3, true, true);
        break;
    case 5:
        if (outer)
            f->fireEightWay(1, px, py);
        else if (inner)
            f->fireDirectional(1, 20, px, py, 4, false, false);
        break;
    case 6:
        if (wing)
            f->fireDirectional(1, 20, cornerX(i), cornerY(i), 3, false, false);
        else if (inner)
            f->fireRingDefault(4, px, py);
        break;
    default: break;
    }
}

void ClsBoss_6::selectPattern(int32_t p)
{
    auto gone = [this](std::initializer_list<int32_t> items) { return parts::allOff(this, items); };
    phase = parts::choosePattern(p, kLastPattern, phaseCount, [&gone](int32_t q) {
        switch (q) {
        case 1: return gone({0, 1, 2});
        case 2: return gone({1, 2, 3, 4});
        case 3: return gone({3, 4});
        case 4: return gone({5, 7});
        case 5: return gone({5, 6, 7, 8}) || gone({1, 2, 6, 8});
        default: return false;
        }
    });
}

void ClsBoss_6::damage(int32_t i, int32_t amount)
{
    damageWithParent(parent, i, amount);
}

void ClsBoss_6::onPartHit(int32_t i)
{
    int32_t k = (*kind)[i];
    if ((*hp)[i] <= 0) {
        if ((*inactive)[i])
            return;
        if (k == 1)
            parts::partFalls(this, i, kGunWreck);
        else if (k == kWingKind)
            destroyWing(i);
    } else if (k >= 0 && k <= kWingKind) {
        parts::endFlash(this, i);
    }
}

void ClsBoss_6::destroyWing(int32_t w)
{
    for (int32_t i = 0; i < nextItem; i++) {
        if (i != w && (*parent)[i] == w) {
            setItemFrame(i, kFallenGun);
            (*inactive)[i] = true;
            (*invulnerable)[i] = true;
        }
    }
    parts::bossSound(this);
    if (w == wing2Index) {
        bulletFactory->dropMoneySlow(6, (*x)[w] + halfWidth, (*y)[w]);
        setItemFrame(w, kSecondWingWreck);
    } else {
        bulletFactory->dropMoneySlow(6, (*x)[w] - halfWidth, (*y)[w]);
        setItemFrame(w, kFirstWingWreck);
    }
    (*inactive)[w] = true;
    (*invulnerable)[w] = true;
}

void ClsBoss_6::checkBoss()
{
    int32_t c = coreIndex;
    if (bossHp > 0 || (*inactive)[c])
        return;
    if (level > 1) {
        for (int32_t w : {wing1Index, wing2Index}) {
            if (w >= 0 && !(*inactive)[w])
                destroyWing(w);
        }
    }
    parts::pieceFalls(this, c, 15);
    parts::defeat(this);
    setItemFrame(c, kCoreWreck);
    (*inactive)[c] = true;
    (*invulnerable)[c] = true;
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_6, "scene.mainGame.boss.ClsBoss_6",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_6", nullptr);
