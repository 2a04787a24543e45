#include "scene/mainGame/boss/ClsBoss_3.h"

#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/boss/BossParts.h"

namespace scene::mainGame::boss {

namespace {

// A pair (x, y).
VMPtr<ClsBoss::IntArray> point(int32_t px, int32_t py)
{
    VMPtr<ClsBoss::IntArray> p = ClsBoss::IntArray::newArray(2);
    (*p)[0] = px;
    (*p)[1] = py;
    return p;
}

} // namespace

VMPtr<ClsBoss_3> ClsBoss_3::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    margin = MARGIN;
    cornerBR = point(240 - margin, 320 - margin);
    cornerTL = point(margin, margin);
    targetB = point(240 - margin, margin);
    link = IntArray::newArray(PARTS);
    fireDir = IntArray::newArray(PARTS);
    phaseCount = bossLevel == 1 ? 0 : bossLevel;
    moveState = 1;
    phaseTimer = PHASE_TIME;
    partsLeft = 0;
    oddLeft = 0;
    evenLeft = 0;
    keepsRunningTotal = true;
    hideAllParts();
    return VMPtr<ClsBoss_3>(this);
}

void ClsBoss_3::start()
{
    layoutByLevel(this);
    bossHp = maxHp;
}

void ClsBoss_3::addCore(int32_t animation, int32_t px, int32_t py, int32_t direction)
{
    int32_t i = nextItem;
    addAnimItem(GOBS, ANIMS, animation, px, py);
    placePart(i, 0, px, py, SPEED);
    (*link)[i] = i;
    (*hp)[i] = CORE_HP;
    (*fireDir)[i] = direction;
}

void ClsBoss_3::coresToMaxHp(int32_t factor)
{
    (*hp)[coreA] *= factor;
    (*hp)[coreB] *= factor;
    maxHp = (*hp)[coreA] + (*hp)[coreB];
}

void ClsBoss_3::layoutLevel1()
{
    (*target)[0] = margin;
    (*target)[1] = 320 - margin;
    coreA = nextItem;
    addCore(CORE_A_ANIM, margin, -margin, 0);
    (*targetB)[0] = 240 - margin;
    (*targetB)[1] = margin;
    coreB = nextItem;
    addCore(CORE_B_ANIM, 240 - margin, margin - 320, 1);
    (*cornerTL)[0] = margin;
    (*cornerTL)[1] = margin;
    (*cornerBR)[0] = 240 - margin;
    (*cornerBR)[1] = 320 - margin;
    coresToMaxHp(1);
}

void ClsBoss_3::layoutLevel2()
{
    layoutLevel1();
    attachPods(1, coreA);
    attachPods(1, coreB);
    for (int32_t i = 2; i <= 9; i++)
        (*fireDir)[i] = (i & 1) == 0 ? 2 : 3;
    parts::setHitPoints(this, 2, 9, 625);
    coresToMaxHp(2);
}

void ClsBoss_3::layoutLevel3()
{
    layoutLevel2();
    attachPods(2, coreA);
    attachPods(2, coreB);
    static constexpr int32_t directions[] = {4, 5, 6, 7, 6, 7, 4, 5};
    for (int32_t i = 10; i <= 17; i++)
        (*fireDir)[i] = directions[i - 10];
    parts::setHitPoints(this, 10, 17, 1250);
    coresToMaxHp(2);
}

void ClsBoss_3::layoutLevel4()
{
    layoutLevel3();
    for (int32_t i = 0; i < PARTS; i++)
        (*hp)[i] *= 2;
    maxHp = (*hp)[coreA] + (*hp)[coreB];
}

void ClsBoss_3::attachPods(int32_t boxKind, int32_t core)
{
    // Four places per core and kind: kind 1 core A 2-5, core B 6-9; kind 2
    // core A 10-13, core B 14-17.
    int32_t first = nextItem;
    parts::hangParts(this, link, GOBS, ANIMS, POD_ANIM, core, boxKind, PODS, parts::Group::Kept);
    for (int32_t i = first; i < nextItem; i++) {
        if (!parts::alive(this, i))
            continue;
        partsLeft += 1;
        if ((i & 1) != 0)
            oddLeft += 1;
        else
            evenLeft += 1;
    }
}

void ClsBoss_3::damage(int32_t i, int32_t amount)
{
    damageWithParent(link, i, amount);
}

void ClsBoss_3::onPartHit(int32_t i)
{
    if ((*hp)[i] < 1) {
        if ((*inactive)[i] || (*kind)[i] != KIND_DESTRUCTIBLE)
            return;
        setItemFrame(i, POD_WRECK);
        if ((i & 1) == 0)
            evenLeft -= 1;
        else
            oddLeft -= 1;
        parts::partSound();
        bulletFactory->dropMoneySlow(4, (*x)[i], (*y)[i]);
        partsLeft -= 1;
        (*inactive)[i] = true;
        return;
    }
    int32_t f = getItemFrame(i);
    if (((*kind)[i] == 0 || (*kind)[i] == KIND_DESTRUCTIBLE) && (f & 1) != 0)
        setItemFrame(i, f - 1);
}

void ClsBoss_3::checkCoreDestroyed(int32_t i)
{
    if ((i != coreA && i != coreB) || (*hp)[i] >= 1 || (*inactive)[i])
        return;
    parts::bossSound(this);
    bulletFactory->dropMoneySlow(5, (*x)[i], (*y)[i]);
    (*invulnerable)[i] = true;
    for (int32_t j = coreA; j < nextItem; j++) {
        if (j == i) {
            setItemFrame(i, i == coreA ? CORE_A_WRECK : CORE_B_WRECK);
        } else if ((*link)[j] == i) {
            (*inactive)[j] = true;
            setItemFrame(j, POD_FALLEN);
        }
    }
    (*inactive)[i] = true;
}

void ClsBoss_3::update()
{
    // Nothing before start has laid the parts out.
    if (isStopped() || nextItem == 0)
        return;
    if (state == 1)
        phaseClock();
    enter();
    moveCores();
    if (state == 1 && (*inactive)[coreA] && (*inactive)[coreB])
        parts::defeat(this);
    for (int32_t i = 0; i < nextItem; i++) {
        updatePart(i);
        if (state == 1) {
            collidePartWithPlayer(i, HIT_BOX);
            checkCoreDestroyed(i);
        }
        setItemPosition(i, (*x)[i], (*y)[i]);
        animateElement(i);
    }
}

void ClsBoss_3::enter()
{
    if (state != 0)
        return;
    moveTowards(coreA, (*target)[0], (*target)[1]);
    if ((*target)[1] < (*y)[coreA]) {
        state = 1;
        for (int32_t i = 0; i < nextItem; i++)
            (*invulnerable)[i] = false;
    }
    moveTowards(coreB, (*targetB)[0], (*targetB)[1]);
}

void ClsBoss_3::moveCores()
{
    if (state != 1)
        return;
    int32_t low = margin;
    int32_t right = 240 - margin;
    int32_t bottom = 320 - margin;
    // Per leg: the axis (0 x, 1 y) and direction of core A; core B goes the
    // other way on the same axis.
    static constexpr int32_t axis[] = {0, 1, 0, 1};
    static constexpr int32_t sign[] = {-1, -1, 1, 1};
    int32_t leg = moveState & 3;
    bool moving = false;
    const int32_t cores[] = {coreA, coreB};
    for (int32_t c = 0; c < 2; c++) {
        int32_t i = cores[c];
        int32_t dir = c == 0 ? sign[leg] : -sign[leg];
        int32_t pos = axis[leg] == 0 ? (*x)[i] : (*y)[i];
        int32_t high = axis[leg] == 0 ? right : bottom;
        bool reached = dir < 0 ? pos <= low : pos >= high;
        int32_t v = reached ? 0 : dir * frameTime * (*speed)[i];
        (*vx)[i] = axis[leg] == 0 ? v : 0;
        (*vy)[i] = axis[leg] == 1 ? v : 0;
        moving = moving || v != 0;
    }
    if (!moving)
        moveState = (moveState + 1) & 3;
    for (int32_t i : cores) {
        (*x)[i] += (*vx)[i] >> 5;
        (*y)[i] += (*vy)[i] >> 5;
    }
}

void ClsBoss_3::phaseClock()
{
    phaseTimer -= frameTime;
    if (phaseTimer < 1) {
        selectPhase(phase + 1);
        phaseTimer = PHASE_TIME;
    }
}

void ClsBoss_3::selectPhase(int32_t p)
{
    if (partsLeft < 1) {
        if (level == 4)
            phase = 3;
        return;
    }
    if (p == 1 && oddLeft < 1)
        p = 2;
    phase = p;
    if (p >= phaseCount)
        phase = 0;
}

void ClsBoss_3::updatePart(int32_t i)
{
    bool core = i == coreA || i == coreB;
    if (!core)
        parts::follow(this, link, i);
    if (state != 1)
        return;
    startTimer(i);
    if (!isTimerExpired(i, FIRE_TIME, true) || (*inactive)[i])
        return;
    bool even = (i & 1) == 0;
    int32_t shots = (core ? 1 : 0) + (phase == 0 && even ? 1 : 0) + (phase == 1 && !even ? 1 : 0) +
                    (phase == 2 ? 1 : 0) + (phase == 3 && core ? 1 : 0);
    for (int32_t s = 0; s < shots; s++)
        bulletFactory->fireEightWay((*fireDir)[i], (*x)[i], (*y)[i]);
    if (phase == 3 && core)
        bulletFactory->fireDirectional(0, 20, (*x)[i], (*y)[i], 2, false, true);
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_3, "scene.mainGame.boss.ClsBoss_3",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_3", nullptr);
