#include "scene/mainGame/weapon/ClsResources.h"

#include <cstdlib>

#include "generated/AnimEnemyBullet.h"
#include "generated/RP.h"
#include "main/Game.h"
#include "main/Main.h"
#include "scene/ClsMyMath.h"
#include "scene/mainGame/MainGame.h"
#include "tq/util/FastRandom.h"

namespace scene::mainGame::weapon {

VMPtr<ClsResources> ClsResources::init(int32_t x0, int32_t y0, int32_t vx0, int32_t vy0,
                                       int32_t speed)
{
    VMPtr<tq::util::FastRandom> random = main::Main::random;
    int32_t r1 = random->nextInt();
    int32_t r2 = random->nextInt();
    ClsBullet::init(x0, y0, (2 + r1 % 2) * vx0, (2 + r2 % 2) * vy0, speed);
    setAnimation(generated::RP::ENEMY_BULLET, generated::RP::ENEMY_BULLET_ANIMS,
                 generated::AnimEnemyBullet::COIN);
    value = VALUE;
    phase = 0;
    fallStep = stepPerMs / 2;
    pickup = true;
    attractRange = ClsPlayer::pickupRangeFactor * MainGame::player->getItemSize2(0);
    return VMPtr<ClsResources>(this);
}

void ClsResources::update(int64_t, int32_t index)
{
    VMPtr<ClsPlayer> player = MainGame::player;
    if (MainGame::bossDefeated)
        attractRange = CLEARED_RANGE * player->getItemSize2(0);
    if (dead) {
        MainGame::enemyBullets->remove(index);
        return;
    }
    pixelY = y >> SUBPIXEL_SHIFT;
    pixelX = x >> SUBPIXEL_SHIFT;
    steer();
    x += vx;
    y += vy;
    if (pixelY < 0 || pixelY > SCREEN_HEIGHT || pixelX < 0 || pixelX > SCREEN_WIDTH) {
        dead = true;
        return;
    }
    VMPtr<IntArray> ship = ownHitRect();
    player->getItemBoxInto(0, 0, ship);
    bool inside = (*ship)[0] < pixelX && pixelX < (*ship)[0] + (*ship)[2] && (*ship)[1] < pixelY &&
                  pixelY < (*ship)[1] + (*ship)[3];
    if (!inside || player->isInactive(0))
        return;
    // Behind the menus the coin is taken but pays nothing.
    if (MainGame::playActive)
        MainGame::money = main::Game::addMoney(MainGame::money, value);
    dead = true;
}

void ClsResources::steer()
{
    VMPtr<ClsPlayer> player = MainGame::player;
    playerX = player->getX(0);
    playerY = player->getY(0);
    int32_t dx = playerX - pixelX;
    int32_t dy = playerY - pixelY;
    dist = ClsMyMath::distance(pixelX, pixelY, playerX, playerY);
    int32_t k = frameTime;
    if (0 < dist && dist < attractRange && phase == 1) {
        vx = k * stepPerMs * dx / dist;
        vy = k * stepPerMs * dy / dist;
    } else if (phase == 0) {
        vx /= 2;
        vy /= 2;
        if (std::abs(vx) < SETTLE_SPEED && std::abs(vy) < SETTLE_SPEED)
            phase = 1;
    } else {
        vx = 0;
        vy = k * fallStep;
    }
}

} // namespace scene::mainGame::weapon

VM_REGISTER_CLASS_NO_CREATOR(scene::mainGame::weapon::ClsResources,
                             "scene.mainGame.weapon.ClsResources",
                             "scene.mainGame.weapon.ClsBullet",
                             "..\\src\\scene_mainGame_weapon_ClsResources", nullptr);
