#include "scene/mainGame/boss/ClsBoss.h"

#include "main/Main.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsBullet.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss> ClsBoss::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel, int32_t parts)
{
    ClsPlane::init(factory);
    target = IntArray::newArray(2);
    playerRect = IntArray::newArray(5);
    level = bossLevel;
    allocItems(parts);
    return VMPtr<ClsBoss>(this);
}

void ClsBoss::allocItems(int32_t n)
{
    ClsPlane::allocItems(n);
    offsetX = IntArray::newArray(n);
    offsetY = IntArray::newArray(n);
    partFlag = BoolArray::newArray(n);
    partValue = IntArray::newArray(n);
    partRect = IntTable::newArray(n);
}

void ClsBoss::removeItem(int32_t i)
{
    ClsPlane::removeItem(i);
    (*partFlag)[i] = false;
    (*partValue)[i] = 0;
}

void ClsBoss::damage(int32_t i, int32_t amount)
{
    (*hp)[i] -= amount;
    bossHp -= amount;
}

void ClsBoss::damageWithParent(VMPtr<IntArray> parent, int32_t i, int32_t amount)
{
    ClsBoss::damage(i, amount);
    int32_t p = (*parent)[i];
    if (p != i)
        (*hp)[p] -= amount;
}

void ClsBoss::collidePartWithPlayer(int32_t i, int32_t boxKind)
{
    VMPtr<ClsPlayer> player = MainGame::player;
    if ((*inactive)[i] || player == nullptr)
        return;
    VMPtr<IntArray> own = playerRect;
    for (int32_t j = 0; j < player->nextItem; j++) {
        if (player->isInvulnerable(j))
            continue;
        player->getItemBoxInto(j, PLAYER_BOX, own);
        if (partRect->get(i) == nullptr)
            partRect->set(i, IntArray::newArray(5));
        VMPtr<IntArray> part = partRect->get(i);
        getItemBoxInto(i, boxKind, part);
        if (rectsOverlap(part, own) && player->getUnitKind(j) != 1)
            player->setHp(j, player->getHp(j) - 1);
    }
}

bool ClsBoss::rectsOverlap(VMPtr<IntArray> a, VMPtr<IntArray> b)
{
    // An empty rectangle (a missing box reads as all zero) covers nothing.
    if ((*a)[2] <= 0 || (*a)[3] <= 0 || (*b)[2] <= 0 || (*b)[3] <= 0)
        return false;
    return (*a)[0] < (*b)[0] + (*b)[2] && (*a)[1] < (*b)[1] + (*b)[3] &&
           (*a)[0] + (*a)[2] > (*b)[0] && (*a)[1] + (*a)[3] > (*b)[1];
}

int32_t ClsBoss::countActiveParts()
{
    int32_t n = 0;
    for (int32_t i = 0; i < nextItem; i++) {
        if (!(*inactive)[i])
            n++;
    }
    activeParts = n;
    return n;
}

int32_t ClsBoss::getPartsLeft()
{
    return partsLeft;
}

int32_t ClsBoss::getBossHp()
{
    if (keepsRunningTotal)
        return bossHp;
    int32_t sum = 0;
    for (int32_t i = 0; i < capacity; i++) {
        if ((*hp)[i] > 0)
            sum += (*hp)[i];
    }
    return sum;
}

int32_t ClsBoss::random(int32_t n)
{
    return main::Main::nextRandomAbs() % n;
}

void ClsBoss::enter()
{
    if (state != 0)
        return;
    moveTowards(0, (*target)[0], (*target)[1]);
    if ((*target)[1] < (*y)[0]) {
        state = 1;
        for (int32_t i = 1; i < nextItem; i++)
            (*invulnerable)[i] = false;
    }
}

int32_t ClsBoss::getMaxHp()
{
    return maxHp;
}

void ClsBoss::clearBullets(VMPtr<tq::util::ArrayList> list)
{
    for (int32_t i = list->size() - 1; i >= 0; i--) {
        VMPtr<weapon::ClsBullet> bullet = vm_cast<weapon::ClsBullet>(list->get(i));
        if (bullet != nullptr && !bullet->isPickup())
            bullet->setDead(true);
    }
}

void ClsBoss::hideAllParts()
{
    for (int32_t i = 0; i < capacity; i++) {
        (*inactive)[i] = true;
        (*invulnerable)[i] = false;
    }
}

bool ClsBoss::playerHasLives()
{
    return MainGame::player != nullptr && MainGame::player->getLives() > 0;
}

void ClsBoss::placePart(int32_t i, int32_t elementKind, int32_t px, int32_t py, int32_t partSpeed)
{
    addElement(elementKind, px, py);
    (*speed)[i] = partSpeed;
    (*inactive)[i] = false;
    (*invulnerable)[i] = true;
}

int32_t ClsBoss::readAttachPoints(int32_t part, int32_t boxKind, VMPtr<IntArray> out)
{
    VMPtr<tq::AnimPlayer> player = players->get(part);
    if (player == nullptr)
        return 0;
    int32_t count = player->getCollisionRects(out, boxKind);
    return count < out->length / 5 ? count : out->length / 5;
}

} // namespace scene::mainGame::boss

VM_REGISTER_ABSTRACT_CLASS(scene::mainGame::boss::ClsBoss, "scene.mainGame.boss.ClsBoss",
                           "scene.mainGame.ClsPlane", "..\\src\\scene_mainGame_boss_ClsBoss",
                           nullptr);
