#include "scene/mainGame/weapon/ClsPlyHoming.h"

#include "generated/AnimPlayerBullet.h"
#include "generated/RP.h"
#include "scene/ClsMyMath.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsPlyCommon.h"

namespace scene::mainGame::weapon {

VMPtr<ClsPlyHoming> ClsPlyHoming::init(int32_t x0, int32_t y0, int32_t vx0, int32_t vy0,
                                       int32_t part0)
{
    ClsBullet::init(x0, y0, vx0, vy0, plyshot::speed());
    setAnimation(generated::RP::PLAYER_SHOTS, generated::RP::PLAYER_SHOTS_ANIMS,
                 generated::AnimPlayerBullet::HOMING);
    part = part0;
    damage = plyshot::damageOf(part0);
    range = plyshot::level() * ClsPlayer::unitDistance;
    dist = 0;
    bestDist = -1;
    target = -1;
    targetIsBoss = false;
    delay = DELAY;
    return VMPtr<ClsPlyHoming>(this);
}

void ClsPlyHoming::update(int64_t, int32_t index)
{
    if (plyshot::removeIfDead(*this, index))
        return;
    px = x >> SUBPIXEL_SHIFT;
    py = y >> SUBPIXEL_SHIFT;
    bestDist = -1;
    target = -1;
    if (isOnScreen()) {
        VMPtr<ClsPlane> enemies = plyshot::enemies();
        VMPtr<ClsPlane> boss = plyshot::boss();
        startTimer();
        if (timerElapsed(delay, false)) {
            if (enemies)
                findTargetEnemy(enemies);
            if (boss)
                findTargetBoss(boss);
            if (target >= 0) {
                VMPtr<ClsPlane> plane = targetIsBoss ? boss : enemies;
                steerTo(plane->getX(target), plane->getY(target));
            }
        }
        plyshot::strike(*this, &ClsBullet::collide);
    } else {
        dead = true;
    }
    x += vx;
    y += vy;
}

bool ClsPlyHoming::timerElapsed(int32_t limit, bool reset)
{
    return plyshot::timerElapsed(timer, timerOn, limit, reset);
}

void ClsPlyHoming::startTimer()
{
    plyshot::startTimer(timer, timerOn);
}

int32_t ClsPlyHoming::distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    return ClsMyMath::distance(x1, y1, x2, y2);
}

void ClsPlyHoming::findTargetBoss(VMPtr<ClsPlane> plane)
{
    findTarget(plane, true);
}

void ClsPlyHoming::steerTo(int32_t tx, int32_t ty)
{
    dist = distance(px, py, tx, ty);
    if (dist <= 0)
        return;
    vx = frameTime * (tx - px) * stepPerMs / dist;
    vy = frameTime * (ty - py) * stepPerMs / dist;
}

void ClsPlyHoming::findTargetEnemy(VMPtr<ClsPlane> plane)
{
    findTarget(plane, false);
}

void ClsPlyHoming::findTarget(VMPtr<ClsPlane> plane, bool isBoss)
{
    for (int32_t i = 0; i < plane->getNextItem(); i++) {
        int32_t d = distance(px, py, plane->getX(i), plane->getY(i));
        if (d <= 0 || d >= range || plane->isInactive(i) || plane->isInvulnerable(i))
            continue;
        if (!isBoss && plane->getItemFrame(i) == FREE_FRAME)
            continue;
        if (bestDist >= 0 && d >= bestDist)
            continue;
        target = i;
        bestDist = d;
        targetIsBoss = isBoss;
    }
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyHoming,
                             "scene.mainGame.weapon.ClsPlyHoming",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyHoming", nullptr);
