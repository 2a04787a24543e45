#include "scene/mainGame/boss/ClsBoss_1.h"

#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/boss/BossParts.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_1> ClsBoss_1::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    parent = IntArray::newArray(PARTS);
    cursor = 1;
    swayTimer = SWAY_TIME;
    shotTimer = 500;
    ringBase = 0;
    closing = true;
    phase = 0;
    phaseCount = bossLevel + 1;
    partsLeft = 0;
    partRect->set(0, IntArray::newArray(5));
    partRect->set(1, IntArray::newArray(5));
    armBoxes = IntArray::newArray(ARM_BOXES);
    hideAllParts();
    return VMPtr<ClsBoss_1>(this);
}

void ClsBoss_1::start()
{
    layoutByLevel(this);
    parts::fillHitPoints(this);
}

void ClsBoss_1::layoutLevel1()
{
    partA = nextItem;
    addAnimItem(GOBS, ANIMS, ARM_A, 120, -100);
    armHeight = getItemSize1(partA);
    placePart(partA, 0, 120, -armHeight, SPEED);
    partB = nextItem;
    addAnimItem(GOBS, ANIMS, ARM_B, 120, -480);
    placePart(partB, 0, 120, armHeight + 320, SPEED);
    ringBase = nextItem;
    attachTurrets(TURRET_POINTS, partA);
    attachTurrets(TURRET_POINTS, partB);
}

void ClsBoss_1::layoutLevel2()
{
    layoutLevel1();
    for (int32_t i = ringBase; i < PARTS; i++)
        (*hp)[i] *= 2;
}

void ClsBoss_1::layoutLevel3()
{
    layoutLevel2();
    for (int32_t i = ringBase; i < PARTS; i++)
        (*hp)[i] *= 2;
}

void ClsBoss_1::layoutLevel4()
{
    layoutLevel3();
    for (int32_t i = ringBase; i < PARTS; i++)
        (*hp)[i] *= 2;
}

void ClsBoss_1::attachTurrets(int32_t boxKind, int32_t arm)
{
    // Each arm has its half of the ring: the attack pairs turret j with
    // turret j + 6 across it.
    int32_t first = nextItem;
    partsLeft += parts::hangParts(this, parent, GOBS, ANIMS, TURRET, arm, boxKind, TURRETS / 2,
                                  parts::Group::Kept);
    parts::setHitPoints(this, first, nextItem - 1, TURRET_HP);
}

void ClsBoss_1::followParent(int32_t i)
{
    if ((*kind)[i] != KIND_DESTRUCTIBLE)
        return;
    parts::follow(this, parent, i);
}

void ClsBoss_1::update()
{
    // Nothing before start has laid the parts out.
    if (isStopped() || nextItem == 0)
        return;
    enter();
    if (state == 1) {
        swayTimer -= frameTime;
        if (swayTimer < 1) {
            closing = !closing;
            swayTimer = SWAY_TIME;
        }
        attack();
    }
    for (int32_t i = 0; i < nextItem; i++) {
        followParent(i);
        if (state == 1) {
            if (i != 0 && i != 1) {
                collidePartWithPlayer(i, HIT_BOX);
                collideArmWithPlayer(partA);
                collideArmWithPlayer(partB);
            }
            checkDefeat();
        }
        setItemPosition(i, (*x)[i], (*y)[i]);
        animateElement(i);
    }
}

void ClsBoss_1::enter()
{
    if (state == 0) {
        // Both arms come in at the same rate: A downwards, B upwards.
        (*vy)[partA] = frameTime * (*speed)[partA];
        (*vy)[partB] = frameTime * (*speed)[partB];
        (*y)[partA] += (*vy)[partA] >> 5;
        (*y)[partB] -= (*vy)[partB] >> 5;
        if ((*y)[partA] >= 0 && (*y)[partB] <= 320 && !(*inactive)[partA] &&
            !(*inactive)[partB]) {
            state = 1;
            for (int32_t i = ringBase; i < nextItem; i++)
                (*invulnerable)[i] = false;
        }
        return;
    }
    if ((*inactive)[partA] || (*inactive)[partB])
        return;
    int32_t sway = ((frameTime * SPEED) / 2) >> 5;
    (*y)[partA] += closing ? sway : -sway;
    (*y)[partB] += closing ? -sway : sway;
}

void ClsBoss_1::attack()
{
    shotTimer -= frameTime;
    if (shotTimer > 0)
        return;
    auto turret = [&](int32_t j) { return ringBase + j; };
    auto fireAt = [&](int32_t from, int32_t tx, int32_t ty) {
        if ((*inactive)[from])
            return;
        bulletFactory->fireAtPoint((*x)[from], (*y)[from], tx, ty);
        shotTimer = SHOT_TIME;
    };
    auto fireAcross = [&](int32_t j) {
        int32_t to = turret((j + TURRETS / 2) % TURRETS);
        fireAt(turret(j), (*x)[to], (*y)[to]);
    };
    // Phases 1 and 3 count the cursor down to the next phase.
    auto countDown = [&] {
        cursor -= 1;
        if (cursor < 0) {
            phase += 1;
            cursor = 0;
            if (phase >= phaseCount) {
                phase = 0;
                cursor = 0;
            }
        }
    };
    switch (phase) {
    case 0:
        fireAcross(cursor);
        cursor += 1;
        if (cursor > TURRETS - 1) {
            cursor = TURRETS - 1;
            phase += 1;
        }
        break;
    case 1:
        fireAcross(cursor);
        countDown();
        break;
    case 2: {
        int32_t to = PARTS - 1 - cursor;
        fireAt(turret(cursor), (*x)[to], (*y)[to]);
        cursor += 1;
        if (cursor >= TURRETS) {
            phase += 1;
            cursor = TURRETS - 1;
            if (phase >= phaseCount) {
                phase = 0;
                cursor = 0;
            }
        }
        break;
    }
    case 3:
        fireAt(turret(cursor), MainGame::playerX, MainGame::playerY);
        fireAt(turret((cursor + 3) % TURRETS), MainGame::playerX, MainGame::playerY);
        countDown();
        break;
    case 4:
        for (int32_t j = 0; j < TURRETS; j++)
            fireAcross(j);
        cursor += 1;
        if (cursor > 3) {
            phase += 1;
            cursor = 0;
            if (phase >= phaseCount) {
                cursor = 1;
                phase = 0;
            }
        }
        break;
    default:
        break;
    }
}

void ClsBoss_1::collideArmWithPlayer(int32_t arm)
{
    VMPtr<ClsPlayer> player = MainGame::player;
    VMPtr<tq::AnimPlayer> look = players->get(arm);
    if (state != 1 || player == nullptr || look == nullptr)
        return;
    int32_t boxes = look->getCollisionRects(armBoxes, HIT_BOX);
    if (boxes > ARM_BOXES / 5)
        boxes = ARM_BOXES / 5;
    VMPtr<IntArray> row = partRect->get(arm);
    for (int32_t b = 0; b < boxes; b++) {
        (*row)[0] = (*armBoxes)[5 * b] + look->getPosX();
        (*row)[1] = (*armBoxes)[5 * b + 1] + look->getPosY();
        (*row)[2] = (*armBoxes)[5 * b + 2];
        (*row)[3] = (*armBoxes)[5 * b + 3];
        VMPtr<IntArray> own = playerRect;
        for (int32_t j = 0; j < player->nextItem; j++) {
            player->getItemBoxInto(j, PLAYER_BOX, own);
            if (rectsOverlap(row, own) && player->getUnitKind(j) != 1)
                player->damage(j, 1);
        }
    }
}

void ClsBoss_1::onPartHit(int32_t i)
{
    if ((*hp)[i] < 1) {
        if (!(*inactive)[i] && (*kind)[i] == KIND_DESTRUCTIBLE) {
            setItemFrame(i, TURRET_WRECK);
            bulletFactory->dropMoneySlow(6, (*x)[i], (*y)[i]);
            parts::partSound();
            partsLeft -= 1;
            (*inactive)[i] = true;
        }
        return;
    }
    int32_t f = getItemFrame(i);
    if ((*kind)[i] == KIND_DESTRUCTIBLE && (f & 1) != 0)
        setItemFrame(i, f - 1);
}

void ClsBoss_1::checkDefeat()
{
    if (partsLeft != 0 || (*inactive)[0])
        return;
    if (getBossHp() < 1 && playerHasLives()) {
        parts::bossSound(this);
        parts::defeat(this);
    }
    setItemFrame(partA, ARM_A_WRECK);
    setItemFrame(partB, ARM_B_WRECK);
    (*inactive)[0] = true;
    for (int32_t i = 2; i < nextItem; i++) {
        setItemFrame(i, WRECK);
        (*inactive)[i] = true;
        (*invulnerable)[i] = true;
    }
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_1, "scene.mainGame.boss.ClsBoss_1",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_1", nullptr);
