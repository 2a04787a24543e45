#include "scene/mainGame/ClsEnemy.h"

namespace scene::mainGame {

VMPtr<ClsEnemy> ClsEnemy::init(VMPtr<weapon::ClsBcreator> factory)
{
    ClsPlane::init(factory);
    alive = 0;
    return VMPtr<ClsEnemy>(this);
}

void ClsEnemy::update() {}
void ClsEnemy::removeItem(int32_t i) { ClsPlane::removeItem(i); }
void ClsEnemy::allocItems(int32_t n) { ClsPlane::allocItems(n); }
void ClsEnemy::moveTowards(int32_t i, int32_t tx, int32_t ty) { ClsPlane::moveTowards(i, tx, ty); }
void ClsEnemy::addElement(int32_t elementKind, int32_t ex, int32_t ey)
{
    ClsPlane::addElement(elementKind, ex, ey);
}
void ClsEnemy::onPartHit(int32_t) {}
int32_t ClsEnemy::getAlive() { return alive; }
void ClsEnemy::retire(int32_t) {}
void ClsEnemy::trackPlayer(int32_t) {}
void ClsEnemy::updateShotClock(int32_t) {}
void ClsEnemy::pushPoint(int32_t, int32_t, int32_t) {}
void ClsEnemy::initEnemies() { allocItems(SLOTS); }
void ClsEnemy::followPath(int32_t) {}
void ClsEnemy::destroy(int32_t) {}
int32_t ClsEnemy::getWaveAlive() { return waveAlive; }
void ClsEnemy::spawn(int32_t, int32_t, int32_t) {}
void ClsEnemy::allocPointRing(int32_t) {}
void ClsEnemy::descendAndHold(int32_t) {}
void ClsEnemy::reset() {}
void ClsEnemy::spawnUncounted(int32_t, int32_t, int32_t) {}
bool ClsEnemy::isLeader(int32_t) { return false; }
int32_t ClsEnemy::getLink(int32_t) { return 0; }
void ClsEnemy::act(int32_t) {}
void ClsEnemy::collideWithPlayer(int32_t) {}
void ClsEnemy::freeSlot(int32_t) {}
bool ClsEnemy::isOffScreen(int32_t) { return false; }

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsEnemy, "scene.mainGame.ClsEnemy", "scene.mainGame.ClsPlane",
                  "..\\src\\scene_mainGame_ClsEnemy", nullptr);
