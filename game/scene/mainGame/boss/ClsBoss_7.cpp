#include "scene/mainGame/boss/ClsBoss_7.h"

#include "scene/ClsMyMath.h"
#include "scene/mainGame/boss/BossParts.h"

namespace scene::mainGame::boss {

namespace {

constexpr double kStartAngle = 1.57;
constexpr double kArmSteps[ClsBoss_7::ARMS] = {-0.04, 0.02, 0.03};
constexpr int32_t kBodyFrame = 1;
constexpr int32_t kArmFrame = 3;
constexpr int32_t kGunFrame = 5;
constexpr int32_t kGunWreck = 6;
constexpr int32_t kBodyWreck = 8;
constexpr int32_t kFallen = 9;
constexpr int32_t kArmKind = 2;
constexpr int32_t kTargetY = 128;
constexpr int32_t kGunHp = 1000;

} // namespace

VMPtr<ClsBoss_7> ClsBoss_7::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    VMPtr<DoubleArray> angles = DoubleArray::newArray(ARMS);
    VMPtr<DoubleArray> steps = DoubleArray::newArray(ARMS);
    for (int32_t a = 0; a < ARMS; a++) {
        (*angles)[a] = kStartAngle;
        (*steps)[a] = kArmSteps[a];
    }
    armAngle = angles;
    armSpeed = steps;
    armRadius = IntArray::newArray(ARMS);
    parent = IntArray::newArray(PARTS);
    patternTimer = PATTERN_TIME;
    phaseCount = PATTERNS;
    hideAllParts();
    return VMPtr<ClsBoss_7>(this);
}

void ClsBoss_7::start()
{
    if (level < 1 || level > ARMS + 1)
        return;
    buildBody();
    for (int32_t n = 0; n < level - 1; n++)
        addArm(n);
    parts::fillHitPoints(this);
}

void ClsBoss_7::buildBody()
{
    (*target)[0] = 120;
    (*target)[1] = kTargetY;
    bodyIndex = nextItem;
    addAnimItem(GOBS, ANIMS, kBodyFrame, 120, kTargetY - 320);
    addElement(0, 120, kTargetY - 320);
    (*speed)[bodyIndex] = 3;
    (*inactive)[bodyIndex] = false;
    (*invulnerable)[bodyIndex] = true;
    int32_t first = nextItem;
    partsLeft += parts::hangParts(this, parent, GOBS, ANIMS, kGunFrame, bodyIndex, 1, GUN_PARTS);
    parts::setHitPoints(this, first, nextItem - 1, kGunHp);
}

void ClsBoss_7::addArm(int32_t n)
{
    if (n == 0)
        bodyWidth = getItemSize2(bodyIndex);
    int32_t a = nextItem;
    armIndex[n] = a;
    addAnimItem(GOBS, ANIMS, kArmFrame, 120, -320);
    addElement(kArmKind, 120, -320);
    (*parent)[a] = bodyIndex;
    (*inactive)[a] = false;
    (*invulnerable)[a] = true;
    int32_t width = getItemSize2(a);
    (*armRadius)[n] = n == 0 ? width / 2 + bodyWidth / 2 : (*armRadius)[n - 1] + 2 * width;
    for (int32_t i = bodyIndex + 1; i <= GUN_PARTS && i < nextItem; i++)
        (*hp)[i] *= 2;
}

void ClsBoss_7::update()
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
    parts::stepItems(
        this,
        [this](int32_t i) {
            partStep(i);
            armStep(i);
        },
        [this](int32_t i) {
            checkRemoval(i);
            checkBoss();
        });
}

void ClsBoss_7::enter()
{
    if (state != 0 || nextItem == 0)
        return;
    if (parts::bringOn(this, parent, bodyIndex)) {
        state = 1;
        for (int32_t i = 0; i < nextItem; i++) {
            if (i != bodyIndex)
                (*invulnerable)[i] = false;
        }
    }
}

void ClsBoss_7::armStep(int32_t i)
{
    if ((*kind)[i] != kArmKind || armIndex[0] < 0)
        return;
    int32_t bx = (*x)[bodyIndex];
    int32_t by = (*y)[bodyIndex];
    for (int32_t j = armIndex[0]; j < nextItem && j - armIndex[0] < ARMS; j++) {
        int32_t a = j - armIndex[0];
        if (state == 1)
            (*armAngle)[a] += (*armSpeed)[a];
        double angle = (*armAngle)[a];
        double radius = (*armRadius)[a];
        (*x)[j] = int32_t(ClsMyMath::cos(angle) * radius + bx);
        (*y)[j] = int32_t(ClsMyMath::sin(angle) * radius + by);
    }
}

void ClsBoss_7::partStep(int32_t i)
{
    if ((*kind)[i] != 1)
        return;
    parts::follow(this, parent, i);
    if (parts::shotDue(this, i))
        firePart(i);
}

void ClsBoss_7::firePart(int32_t i)
{
    int32_t px = (*x)[i];
    int32_t py = (*y)[i];
    VMPtr<weapon::ClsBcreator> f = bulletFactory;
    switch (phase) {
    case 0:
        if (i == 1 || i == 2 || i == 4 || i == 5)
            f->fireAtPlayer(px, py);
        break;
    case 1:
        if (i == 1)
            f->fireDirectional(1, 20, px, py, 4, false, false);
        else if (i == 4)
            f->fireDirectional(0, 20, px, py, 4, false, false);
        break;
    case 2:
        if (i == 2)
            f->fireDirectional(2, 20, px, py, 4, false, false);
        else if (i == 5)
            f->fireDirectional(3, 20, px, py, 4, false, false);
        break;
    case 3:
        if (i == 3)
            f->fireRingDefault(8, px, py);
        break;
    default: break;
    }
}

void ClsBoss_7::selectPattern(int32_t p)
{
    phase = parts::choosePattern(p, PATTERNS - 1, PATTERNS - 1, [this](int32_t q) {
        switch (q) {
        case 0: return parts::allOff(this, {1, 2, 4, 5});
        case 1: return parts::allOff(this, {1, 4});
        case 2: return parts::allOff(this, {2, 5});
        default: return parts::allOff(this, {3});
        }
    });
}

void ClsBoss_7::onPartHit(int32_t i)
{
    if ((*kind)[i] != 1)
        return;
    if ((*hp)[i] <= 0) {
        if ((*inactive)[i])
            return;
        parts::partFalls(this, i, kGunWreck);
        partsLeft -= 1;
    } else {
        parts::endFlash(this, i);
    }
}

void ClsBoss_7::checkBoss()
{
    int32_t b = bodyIndex;
    if (partsLeft != 0 || (*inactive)[b])
        return;
    parts::pieceFalls(this, b, 15);
    parts::defeat(this);
    setItemFrame(b, kBodyWreck);
    for (int32_t i = 0; i < nextItem; i++) {
        if (i != b && players->get(i) != nullptr)
            setItemFrame(i, kFallen);
    }
    (*inactive)[b] = true;
}

void ClsBoss_7::checkRemoval(int32_t i)
{
    parts::removeWreck(this, i, {0});
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_7, "scene.mainGame.boss.ClsBoss_7",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_7", nullptr);
