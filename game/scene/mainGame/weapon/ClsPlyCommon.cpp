#include "scene/mainGame/weapon/ClsPlyCommon.h"

#include "scene/mainGame/MainGame.h"

namespace scene::mainGame::weapon::plyshot {

namespace {
constexpr int32_t SPEED_COLUMN = 3;
}

int32_t speed()
{
    return ClsPlayer::weaponStat(SPEED_COLUMN);
}

int32_t damageOf(int32_t part)
{
    return (*ClsPlayer::shotDamage)[part];
}

int32_t level()
{
    return ClsPlayer::weaponLevel;
}

VMPtr<ClsPlane> enemies()
{
    VMPtr<ClsEnemy> all = MainGame::enemies;
    return all->getAlive() > 0 ? VMPtr<ClsPlane>(all) : VMPtr<ClsPlane>();
}

VMPtr<ClsPlane> boss(bool anyPlay)
{
    if ((anyPlay || MainGame::playActive) && MainGame::countActiveBossParts() > 0)
        return MainGame::getBoss();
    return VMPtr<ClsPlane>();
}

bool removeIfDead(ClsBullet& shot, int32_t index)
{
    if (!shot.dead)
        return false;
    MainGame::playerBullets->remove(index);
    return true;
}

bool flyStraight(ClsBullet& shot)
{
    shot.y += shot.vy;
    shot.x += shot.vx;
    if (shot.isOnScreen())
        return true;
    shot.dead = true;
    return false;
}

void strike(ClsBullet& shot, void (ClsBullet::*test)(VMPtr<ClsPlane>), bool anyPlay)
{
    if (VMPtr<ClsPlane> all = enemies())
        (shot.*test)(all);
    if (VMPtr<ClsPlane> stageBoss = boss(anyPlay))
        (shot.*test)(stageBoss);
}

bool timerElapsed(int32_t& timer, bool& timerOn, int32_t limit, bool reset)
{
    if (!timerOn)
        return false;
    timer += ui::MyObject::frameTime;
    if (timer <= limit)
        return false;
    if (reset)
        timerOn = false;
    return true;
}

void startTimer(int32_t& timer, bool& timerOn)
{
    if (timerOn)
        return;
    timer = 0;
    timerOn = true;
}

} // namespace scene::mainGame::weapon::plyshot
