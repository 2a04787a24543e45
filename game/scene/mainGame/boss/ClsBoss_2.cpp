#include "scene/mainGame/boss/ClsBoss_2.h"

#include <cstdlib>

#include "main/Main.h"
#include "scene/mainGame/boss/BossParts.h"
#include "scene/SceneManager.h"
#include "scene/mainGame/MainGame.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_2> ClsBoss_2::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    groupAlive = IntArray::newArray(3);
    entryTarget = IntArray::newArray(2);
    retargeted = BoolArray::newArray(2);
    chargeTimer = 4000;
    partsLeft = 0;
    hideAllParts();
    phase = -1;
    phaseCount = bossLevel < 2 ? 1 : 2;
    return VMPtr<ClsBoss_2>(this);
}

void ClsBoss_2::start()
{
    layoutByLevel(this);
    parts::fillHitPoints(this);
}

void ClsBoss_2::layoutLevel1()
{
    addAnimItem(GOBS, ANIMS, CORE_ANIM, 120, -480);
    int32_t h = getItemSize1(CORE);
    (*entryTarget)[0] = 120;
    (*entryTarget)[1] = (2 * h) / 3;
    placePart(CORE, KIND_CORE, 120, (h * -3) / 2, SPEED);
    attachTurrets(1);
    attachTurrets(2);
}

void ClsBoss_2::layoutLevel2()
{
    layoutLevel1();
    attachTurrets(3);
}

void ClsBoss_2::layoutLevel3()
{
    layoutLevel2();
    int32_t w = getItemSize2(CORE) / 2;
    int32_t h = (getItemSize1(CORE) * 2) / 3;
    int32_t cx = (*x)[CORE];
    int32_t cy = (*y)[CORE];
    // The drones keep their places whatever number of turrets came before.
    const int32_t side[] = {w, -w};
    for (int32_t d = 0; d < 2; d++) {
        int32_t i = DRONE_A + d;
        nextItem = i;
        addAnimItem(GOBS, ANIMS, DRONE_ANIM, cx + side[d], cy + h);
        placePart(i, KIND_DRONE, cx + side[d], cy + h, SPEED);
        (*offsetX)[i] = side[d];
        (*offsetY)[i] = h;
        (*hp)[i] = 5000;
    }
    sweepTop = h + h / 2;
    sweepBottom = 320 - h;
    sweepY = h + h / 2;
    dronesMoved = false;
}

void ClsBoss_2::layoutLevel4()
{
    layoutLevel3();
    for (int32_t i = 0; i < nextItem; i++)
        (*hp)[i] *= 2;
}

int32_t ClsBoss_2::attachTurrets(int32_t boxKind)
{
    // Group 1 is part 1, group 2 parts 2-3, group 3 parts 4-5.
    static constexpr int32_t size[] = {1, 2, 2};
    static constexpr int32_t hitPoints[] = {2000, 1500, 2500};
    if (boxKind < 1 || boxKind > 3)
        return 0;
    int32_t g = boxKind - 1;
    int32_t first = nextItem;
    int32_t n = parts::hangParts(this, VMPtr<IntArray>(), GOBS, ANIMS, TURRET_ANIM, CORE, boxKind,
                                 size[g], parts::Group::Kept);
    parts::setHitPoints(this, first, nextItem - 1, hitPoints[g]);
    partsLeft += n;
    (*groupAlive)[g] += n;
    return n;
}

void ClsBoss_2::update()
{
    if (isStopped())
        return;
    // The phase clock runs from creation, also while the boss comes on.
    phaseClock();
    // Nothing before start has laid the parts out.
    if (nextItem == 0)
        return;
    enter();
    if (state == 1) {
        chargeTimer -= frameTime;
        if (chargeTimer < 1) {
            chargeTimer = charging ? WANDER_TIME : CHARGE_TIME;
            charging = !charging;
            (*retargeted)[0] = false;
            (*retargeted)[1] = false;
        }
    }
    for (int32_t i = 0; i < nextItem; i++) {
        updatePart(i);
        if (state == 1) {
            collidePartWithPlayer(i, HIT_BOX);
            removeWreck(i);
            moveDrone(i);
            checkDefeat();
        }
        setItemPosition(i, (*x)[i], (*y)[i]);
        animateElement(i);
    }
}

void ClsBoss_2::enter()
{
    if (state != 0)
        return;
    moveTowards(CORE, (*entryTarget)[0], (*entryTarget)[1]);
    for (int32_t i = DRONE_A; i <= DRONE_B; i++) {
        (*x)[i] = (*x)[CORE] + (*offsetX)[i];
        (*y)[i] = (*y)[CORE] + (*offsetY)[i];
    }
    if ((*entryTarget)[1] < (*y)[CORE]) {
        state = 1;
        for (int32_t i = 1; i < nextItem; i++)
            (*invulnerable)[i] = false;
    }
}

void ClsBoss_2::phaseClock()
{
    VMPtr<ui::Scene> scene = scene::SceneManager::currentScene;
    if (scene == nullptr)
        return;
    work3 = scene->elapsedFrameTime;
    if (work3 - work6 > PHASE_TIME) {
        selectPhase(phase + 1);
        work6 = work3;
    }
}

void ClsBoss_2::selectPhase(int32_t p)
{
    if (partsLeft < 1)
        return;
    if (p == 0 && (*inactive)[1])
        p = 1;
    if (p == 1 && (*inactive)[2] && (*inactive)[3])
        p = 2;
    if (p == 2 && (*inactive)[4] && (*inactive)[5] && phaseCount == 2)
        p = 3;
    phase = p;
    if (p > phaseCount)
        phase = -1;
}

void ClsBoss_2::updatePart(int32_t i)
{
    if (i == DRONE_A || i == DRONE_B)
        return;
    (*x)[i] = (*x)[CORE] + (*offsetX)[i];
    (*y)[i] = (*y)[CORE] + (*offsetY)[i];
    (*partFlag)[i] = false;
    startTimer(i);
    if (isTimerExpired(i, FIRE_TIME, true)) {
        switch (phase) {
        case -1: (*partFlag)[0] = true; break;
        case 0: (*partFlag)[1] = true; break;
        case 1: (*partFlag)[2] = (*partFlag)[3] = true; break;
        case 2: (*partFlag)[4] = (*partFlag)[5] = true; break;
        default: break;
        }
    }
    if ((*inactive)[i] || !(*partFlag)[i] || state != 1)
        return;
    int32_t px = (*x)[i];
    int32_t py = (*y)[i];
    switch (i) {
    case 0:
        bulletFactory->fireDirectional(1, 20, px, py + (2 * getItemSize1(CORE)) / 5, 5, true, true);
        break;
    case 1: bulletFactory->fireDirectional(1, 20, px, py, 3, false, false); break;
    case 2:
    case 3: bulletFactory->fireRingDefault(5, px, py); break;
    case 4:
    case 5: bulletFactory->fireAtPlayer(px, py); break;
    default: break;
    }
}

void ClsBoss_2::moveDrone(int32_t i)
{
    if ((i != DRONE_A && i != DRONE_B) || (*inactive)[i])
        return;
    if (level == 3) {
        sweepDrones(dronesMoved ? sweepTop : sweepBottom);
        (*y)[i] += (*vy)[i];
        sweepY = !(*inactive)[DRONE_A] ? (*y)[DRONE_A] : (*y)[DRONE_B];
        startTimer(i);
        if (isTimerExpired(i, FIRE_TIME, true))
            bulletFactory->fireDirectional(1, 30, (*x)[i], (*y)[i], 2, false, false);
    } else if (level == 4) {
        steerDrone(i);
        dronesMoved = true;
        (*x)[i] += (*vx)[i] >> 5;
        (*y)[i] += (*vy)[i] >> 5;
    }
}

void ClsBoss_2::sweepDrones(int32_t limit)
{
    if (sweepY < limit) {
        (*vy)[DRONE_A] = (frameTime * (*speed)[DRONE_A]) >> 5;
        (*vy)[DRONE_B] = (frameTime * (*speed)[DRONE_B]) >> 5;
        dronesMoved = false;
    } else if (sweepY > limit) {
        (*vy)[DRONE_A] = -((frameTime * (*speed)[DRONE_A]) >> 5);
        (*vy)[DRONE_B] = -((frameTime * (*speed)[DRONE_B]) >> 5);
        dronesMoved = true;
    }
}

void ClsBoss_2::aimDrone(int32_t i, int32_t tx, int32_t ty)
{
    int32_t d = distanceBetween((*x)[i], (*y)[i], tx, ty);
    if (d <= 0)
        return;
    int32_t step = frameTime * (*speed)[i];
    (*vx)[i] = step * (tx - (*x)[i]) / d;
    (*vy)[i] = step * (ty - (*y)[i]) / d;
}

void ClsBoss_2::wander(int32_t i)
{
    wanderX = std::abs(random(240));
    wanderY = std::abs(random(320)) + 160;
    aimDrone(i, wanderX, wanderY);
}

void ClsBoss_2::steerDrone(int32_t i)
{
    int32_t d = i - DRONE_A;
    if (!(*retargeted)[d]) {
        (*retargeted)[d] = true;
        if (!charging) {
            wander(i);
        } else {
            aimDrone(i, MainGame::playerX, MainGame::playerY);
            (*vx)[i] += main::Main::random->nextInt() % 40;
            (*vy)[i] += main::Main::random->nextInt() % 40;
        }
    }
    if ((*x)[i] < 0 || (*x)[i] > 240 || (*y)[i] < 0 || (*y)[i] > 320)
        wander(i);
}

void ClsBoss_2::removeWreck(int32_t i)
{
    parts::removeWreck(this, i, {KIND_CORE, KIND_DRONE});
}

void ClsBoss_2::onPartHit(int32_t i)
{
    if ((*hp)[i] < 1) {
        if ((*inactive)[i])
            return;
        if ((*kind)[i] == KIND_DESTRUCTIBLE) {
            setItemFrame(i, TURRET_WRECK);
            parts::partSound();
            bulletFactory->dropMoneySlow(4, (*x)[i], (*y)[i]);
            int32_t g = (*partValue)[i] - 1;
            if (g >= 0 && g < 3)
                (*groupAlive)[g] -= 1;
            partsLeft -= 1;
            (*inactive)[i] = true;
        } else if ((*kind)[i] == KIND_DRONE) {
            setItemFrame(i, DRONE_WRECK);
            (*inactive)[i] = true;
            if (getBossHp() < 1)
                parts::defeat(this);
            parts::partSound();
            bulletFactory->dropMoneySlow(5, (*x)[i], (*y)[i]);
        }
        return;
    }
    switch ((*kind)[i]) {
    case KIND_CORE: setItemFrame(i, CORE_REST); break;
    case KIND_DESTRUCTIBLE: setItemFrame(i, TURRET_REST); break;
    case KIND_DRONE: setItemFrame(i, DRONE_REST); break;
    default: break;
    }
}

void ClsBoss_2::checkDefeat()
{
    if (partsLeft != 0 || (*inactive)[CORE])
        return;
    parts::bossSound(this);
    bulletFactory->dropMoneySlow(15, (*x)[CORE], (*y)[CORE]);
    if (getBossHp() < 1)
        parts::defeat(this);
    setItemFrame(CORE, CORE_WRECK);
    (*inactive)[CORE] = true;
    for (int32_t i = FIRST_TURRET; i <= LAST_TURRET; i++) {
        if (players->get(i) != nullptr)
            removeItem(i);
    }
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_2, "scene.mainGame.boss.ClsBoss_2",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_2", nullptr);
