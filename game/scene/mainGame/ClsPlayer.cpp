#include "scene/mainGame/ClsPlayer.h"

namespace scene::mainGame {

VMPtr<ClsPlayer> ClsPlayer::init(VMPtr<weapon::ClsBcreator> factory)
{
    ClsPlane::init(factory);
    return VMPtr<ClsPlayer>(this);
}

void ClsPlayer::update() {}

void ClsPlayer::allocItems(int32_t n)
{
    ClsPlane::allocItems(n);
}

void ClsPlayer::moveTowards(int32_t, int32_t, int32_t) {}

void ClsPlayer::addElement(int32_t elementKind, int32_t ex, int32_t ey)
{
    ClsPlane::addElement(elementKind, ex, ey);
}

void ClsPlayer::fire(int32_t) {}
void ClsPlayer::refreshSupport() {}
void ClsPlayer::updateInvulnerability() {}
bool ClsPlayer::steerTo(int32_t, int32_t, int32_t) { return false; }
void ClsPlayer::moveDown() {}
int32_t ClsPlayer::getUnitKind(int32_t) { return 0; }
void ClsPlayer::updateFireReady() {}
void ClsPlayer::moveLeft() {}
void ClsPlayer::idle() {}
void ClsPlayer::moveRight() {}
void ClsPlayer::setPosition(int32_t, int32_t, int32_t) {}
void ClsPlayer::setLives(int32_t) {}
int32_t ClsPlayer::getLives() { return 0; }
void ClsPlayer::refreshWeapon() {}
void ClsPlayer::updateState() {}

bool ClsPlayer::isGameOver()
{
    return gameOver;
}

void ClsPlayer::moveUp() {}
void ClsPlayer::updateElement(int32_t) {}
void ClsPlayer::checkDestroyed(int32_t) {}
void ClsPlayer::buildSupport(int32_t) {}
int32_t ClsPlayer::weaponStat(int32_t) { return 0; }
int32_t ClsPlayer::savedLevel(VMPtr<IntArray>, int32_t) { return 0; }
int32_t ClsPlayer::sceneClock() { return 0; }
int32_t ClsPlayer::addUnit(int32_t, int32_t, int32_t, int32_t, int32_t) { return 0; }
void ClsPlayer::addWingGuns(int32_t) {}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsPlayer, "scene.mainGame.ClsPlayer", "scene.mainGame.ClsPlane",
                  "..\\src\\scene_mainGame_ClsPlayer", nullptr);
