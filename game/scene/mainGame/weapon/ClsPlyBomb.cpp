#include "scene/mainGame/weapon/ClsPlyBomb.h"

#include "generated/RP.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsPlyCommon.h"

namespace scene::mainGame::weapon {

namespace {
// The bomb's AnimSet by direction: up, down, left, right.
constexpr int32_t ANIM_SETS[] = {
    generated::RP::PLAYER_BOMB_UP_ANIMS, generated::RP::PLAYER_BOMB_DOWN_ANIMS,
    generated::RP::PLAYER_BOMB_LEFT_ANIMS, generated::RP::PLAYER_BOMB_RIGHT_ANIMS};
} // namespace

VMPtr<ClsPlyBomb> ClsPlyBomb::init(int32_t dir0, int32_t x0, int32_t y0, int32_t vx0, int32_t vy0,
                                   int32_t part0)
{
    ClsBullet::init(x0, y0, vx0, vy0, plyshot::speed());
    // Up-left and up-right (and anything beyond) fly the upward picture.
    if (dir0 < 0 || dir0 > 3)
        dir0 = 0;
    setAnimation(generated::RP::PLAYER_BOMB, ANIM_SETS[dir0], 0);
    part = part0;
    damage = plyshot::damageOf(part0);
    timer = 0;
    fuse = FUSE;
    exploded = false;
    blastPending = false;
    dir = dir0;
    return VMPtr<ClsPlyBomb>(this);
}

void ClsPlyBomb::update(int64_t frameTime, int32_t index)
{
    anim->update(int32_t(frameTime));
    if (plyshot::removeIfDead(*this, index))
        return;
    if (anim->getLoopsLeft() == 0) {
        dead = true;
        return;
    }
    if (!exploded) {
        x += vx;
        y += vy;
        startTimer();
        if (timerElapsed(fuse, false)) {
            exploded = true;
            blastPending = true;
        }
        if (!isOnScreen()) {
            dead = true;
            return;
        }
        if (VMPtr<ClsPlane> enemies = plyshot::enemies())
            impact(enemies);
        if (VMPtr<ClsPlane> boss = plyshot::boss())
            impact(boss);
        return;
    }
    // Exploding: standing still, the screen's edges no longer count.
    if (blastPending) {
        anim->setAnimation(plyshot::level());
        blastPending = false;
    }
    if (VMPtr<ClsPlane> enemies = plyshot::enemies())
        blast(enemies);
    if (VMPtr<ClsPlane> boss = plyshot::boss())
        blastBoss(boss);
}

void ClsPlyBomb::blast(VMPtr<ClsPlane> plane)
{
    // The box test, but the explosion goes on.
    bool wasDead = dead;
    collide(plane);
    dead = wasDead;
}

bool ClsPlyBomb::timerElapsed(int32_t limit, bool reset)
{
    return plyshot::timerElapsed(timer, timerOn, limit, reset);
}

void ClsPlyBomb::startTimer()
{
    plyshot::startTimer(timer, timerOn);
}

void ClsPlyBomb::blastBoss(VMPtr<ClsPlane> plane)
{
    blast(plane);
}

void ClsPlyBomb::impact(VMPtr<ClsPlane> plane)
{
    // The box test, a hit setting the bomb off instead of ending it.
    bool wasDead = dead;
    collide(plane);
    if (dead && !wasDead) {
        exploded = true;
        blastPending = true;
    }
    dead = wasDead;
    // Cleared once after all parts, not after each: collide rewrites the box
    // before every part it tests, so the result is the same.
    for (int32_t k = 0; k < box->length; k++)
        (*box)[k] = 0;
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsPlyBomb,
                             "scene.mainGame.weapon.ClsPlyBomb",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsPlyBomb", nullptr);
