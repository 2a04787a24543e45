#include "scene/mainGame/boss/ClsBoss_8.h"

#include "scene/mainGame/boss/BossParts.h"

namespace scene::mainGame::boss {

namespace {

constexpr int32_t kLastPattern = 5;
constexpr int32_t kUnusedShieldFrame = 9;
constexpr int32_t kShieldFrame = 3;
constexpr int32_t kBodyFrame = 1;
constexpr int32_t kGunFrame = 5;
constexpr int32_t kGunWreck = 6;
constexpr int32_t kRingGunAlive = 4;
constexpr int32_t kBodyWreck = 8;
constexpr int32_t kShieldWreck = 10;
constexpr int32_t kFallen = 11;
constexpr int32_t kShieldKind = 2;
constexpr int32_t kTargetY = 96;
// Places: five guns on the body's boxes of kind 1, four on those of kind
// 2, then the ring guns on the shield's boxes of kind 3.
constexpr int32_t kFirstGun = 2;
constexpr int32_t kFrontGuns = 5;
constexpr int32_t kSecondGun = 7;
constexpr int32_t kBackGuns = 4;
constexpr int32_t kLastGun = 10;
constexpr int32_t kFirstRingGun = 11;

} // namespace

VMPtr<ClsBoss_8> ClsBoss_8::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    parent = IntArray::newArray(PARTS);
    phaseCount = bossLevel == 4 ? 5 : 4;
    bossHp = 0;
    partsLeft = 0;
    hideAllParts();
    patternTimer = PATTERN_TIME;
    return VMPtr<ClsBoss_8>(this);
}

void ClsBoss_8::start()
{
    switch (level) {
    case 1: buildLevel1(); break;
    case 2: buildLevel2(); break;
    case 3: buildLevel3(); break;
    case 4: buildLevel4(); break;
    default: return;
    }
    parts::fillHitPoints(this);
}

void ClsBoss_8::buildLevel1()
{
    shieldIndex = nextItem;
    addAnimItem(GOBS, ANIMS, kUnusedShieldFrame, 0, 0);
    addElement(0, 0, 0);
    (*target)[0] = 120;
    (*target)[1] = kTargetY;
    bodyIndex = nextItem;
    addAnimItem(GOBS, ANIMS, kBodyFrame, 120, kTargetY - 320);
    addElement(0, 120, kTargetY - 160);
    (*speed)[bodyIndex] = 3;
    (*inactive)[bodyIndex] = false;
    (*invulnerable)[bodyIndex] = true;
    attachParts(1, bodyIndex, kFrontGuns);
    parts::setHitPoints(this, bodyIndex + 1, nextItem - 1, 1000);
}

void ClsBoss_8::buildLevel2()
{
    buildLevel1();
    attachParts(2, bodyIndex, kBackGuns);
    parts::setHitPoints(this, kSecondGun, nextItem - 1, 1250);
}

void ClsBoss_8::buildLevel3()
{
    buildLevel2();
    int32_t s = shieldIndex;
    (*x)[s] = 120;
    (*y)[s] = kTargetY - 160;
    setItemPosition(s, (*x)[s], (*y)[s]);
    (*parent)[s] = bodyIndex;
    (*speed)[s] = 3;
    (*kind)[s] = kShieldKind;
    (*inactive)[s] = false;
    (*invulnerable)[s] = true;
    setHp(s, 10000);
    setItemFrame(s, kShieldFrame);
}

void ClsBoss_8::buildLevel4()
{
    buildLevel3();
    for (int32_t i = kFirstGun; i <= kLastGun && i < nextItem; i++)
        (*hp)[i] *= 2;
    (*hp)[shieldIndex] *= 2;
    int32_t first = nextItem;
    attachParts(3, shieldIndex, RING_GUNS);
    for (int32_t j = 0; j < RING_GUNS; j++) {
        int32_t i = first + j;
        ringGun[j] = i < nextItem && players->get(i) != nullptr ? i : -1;
    }
}

void ClsBoss_8::attachParts(int32_t boxKind, int32_t host, int32_t limit)
{
    partsLeft += parts::hangParts(this, parent, GOBS, ANIMS, kGunFrame, host, boxKind, limit);
}

void ClsBoss_8::update()
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
    parts::stepItems(this, [this](int32_t i) { partStep(i); },
                     [this](int32_t i) {
                         removeWreck(i);
                         checkBoss();
                     });
}

void ClsBoss_8::enter()
{
    if (state != 0 || nextItem == 0)
        return;
    if (parts::bringOn(this, parent, bodyIndex)) {
        state = 1;
        for (int32_t i = kFirstGun; i <= kLastGun && i < nextItem; i++)
            (*invulnerable)[i] = false;
        (*invulnerable)[shieldIndex] = false;
    }
}

void ClsBoss_8::partStep(int32_t i)
{
    if ((*kind)[i] != 1)
        return;
    parts::follow(this, parent, i);
    if (parts::shotDue(this, i))
        firePart(i);
}

void ClsBoss_8::firePart(int32_t i)
{
    int32_t px = (*x)[i];
    int32_t py = (*y)[i];
    VMPtr<weapon::ClsBcreator> f = bulletFactory;
    switch (phase) {
    case 0:
        if (i >= 2 && i <= 4)
            f->fireDirectional(1, 20, px, py, 2, false, false);
        break;
    case 1:
        if (i >= 4 && i <= 6)
            f->fireAtPlayer(px, py);
        break;
    case 2:
        if (i == 5 || i == 6)
            f->fireRingDefault(5, px, py);
        else if (i == 7 || i == 10)
            f->fireAtPlayer(px, py);
        break;
    case 3:
        if (i == 2 || i == 3)
            f->fireDirectional(1, 20, px, py, 3, true, false);
        else if (i == 8 || i == 9)
            f->fireDirectional(1, 20, px, py, 2, true, false);
        break;
    case 4:
        if (i == 7 || i == 10)
            f->fireDirectional(1, 20, px, py, 3, false, false);
        else if (i == 8 || i == 9)
            f->fireDirectional(1, 15, px, py, 2, false, false);
        break;
    case 5:
        for (int32_t j = 0; j < RING_GUNS; j++) {
            // Away from the gun across the ring; nothing without one.
            int32_t across = ringGun[(j + RING_GUNS / 2) % RING_GUNS];
            if (ringGun[j] == i && across >= 0)
                f->fireAimedDefault(px, py, (*x)[across], (*y)[across]);
        }
        break;
    default: break;
    }
}

void ClsBoss_8::selectPattern(int32_t p)
{
    auto gone = [this](std::initializer_list<int32_t> items) { return parts::allOff(this, items); };
    phase = parts::choosePattern(p, kLastPattern, phaseCount, [&](int32_t q) {
        switch (q) {
        case 0: return gone({2, 3, 4});
        case 1: return gone({4, 5, 6});
        case 2: return gone({5, 6, 7, 10});
        case 3: return gone({2, 3, 8, 9});
        case 4: return gone({7, 8, 9, 10});
        default: return gone({shieldIndex});
        }
    });
}

void ClsBoss_8::onPartHit(int32_t i)
{
    int32_t k = (*kind)[i];
    if ((*hp)[i] <= 0) {
        if ((*inactive)[i])
            return;
        if (k == 1) {
            parts::partFalls(this, i, kGunWreck);
            partsLeft -= 1;
        } else if (k == kShieldKind) {
            setItemFrame(i, kShieldWreck);
            parts::pieceFalls(this, i, 4);
            for (int32_t g : ringGun) {
                if (g >= 0) {
                    setItemFrame(g, kFallen);
                    partsLeft -= 1;
                }
            }
            (*inactive)[i] = true;
        }
        return;
    }
    if (k == 1 || k == kShieldKind)
        parts::endFlash(this, i);
    if (k == kShieldKind) {
        for (int32_t g : ringGun) {
            if (g >= 0)
                setItemFrame(g, kRingGunAlive);
        }
    }
}

void ClsBoss_8::checkBoss()
{
    int32_t b = bodyIndex;
    if (partsLeft != 0 || (*inactive)[b])
        return;
    parts::pieceFalls(this, b, 15);
    parts::defeat(this);
    setItemFrame(b, kBodyWreck);
    (*inactive)[b] = true;
    for (int32_t i = b + 1; i <= kLastGun && i < nextItem; i++) {
        if (players->get(i) != nullptr)
            setItemFrame(i, kFallen);
    }
}

void ClsBoss_8::removeWreck(int32_t i)
{
    parts::removeWreck(this, i, {0, 3});
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_8, "scene.mainGame.boss.ClsBoss_8",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_8", nullptr);
