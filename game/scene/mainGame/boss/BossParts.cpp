#include "scene/mainGame/boss/BossParts.h"

#include <algorithm>

#include "main/Main.h"
#include "scene/mainGame/MainGame.h"

namespace scene::mainGame::boss::parts {

int32_t readPoints(ClsBoss* boss, int32_t host, int32_t boxKind, int32_t limit,
                   VMPtr<IntArray> points)
{
    int32_t n = boss->readAttachPoints(host, boxKind, points);
    return std::clamp(std::min(n, limit), 0, boss->capacity - boss->nextItem);
}

int32_t addPart(ClsBoss* boss, int32_t gobs, int32_t anims, int32_t animation, int32_t host,
                int32_t ox, int32_t oy, int32_t boxKind, Group group)
{
    int32_t i = boss->nextItem;
    int32_t px = (*boss->x)[host] + ox;
    int32_t py = (*boss->y)[host] + oy;
    boss->addAnimItem(gobs, anims, animation, px, py);
    boss->addElement(1, px, py);
    (*boss->offsetX)[i] = ox;
    (*boss->offsetY)[i] = oy;
    (*boss->inactive)[i] = false;
    if (group == Group::Kept)
        (*boss->partValue)[i] = boxKind;
    (*boss->invulnerable)[i] = true;
    return i;
}

int32_t hangParts(ClsBoss* boss, VMPtr<IntArray> parent, int32_t gobs, int32_t anims,
                  int32_t animation, int32_t host, int32_t boxKind, int32_t places, Group group)
{
    int32_t first = boss->nextItem;
    VMPtr<IntArray> points = IntArray::newArray(POINT_BUFFER);
    int32_t n = readPoints(boss, host, boxKind, places, points);
    for (int32_t k = 0; k < n; k++) {
        int32_t i = addPart(boss, gobs, anims, animation, host, (*points)[k * POINT_INTS],
                            (*points)[k * POINT_INTS + 1], boxKind, group);
        if (parent != nullptr)
            (*parent)[i] = host;
    }
    boss->setNextItem(std::min(first + places, boss->capacity));
    return n;
}

void setPhaseCount(ClsBoss* boss, int32_t level)
{
    static constexpr int32_t byLevel[] = {1, 3, 5, 6};
    if (level >= 1 && level <= 4)
        boss->phaseCount = byLevel[level - 1];
}

void removeWreck(ClsBoss* boss, int32_t i, std::initializer_list<int32_t> kinds)
{
    if (!(*boss->inactive)[i] || boss->players->get(i) == nullptr ||
        boss->getItemFrame(i) == (*boss->elementFrame)[i])
        return;
    for (int32_t k : kinds) {
        if ((*boss->kind)[i] == k) {
            boss->removeItem(i);
            return;
        }
    }
}

void setHitPoints(ClsBoss* boss, int32_t from, int32_t to, int32_t value)
{
    for (int32_t i = std::max(from, 0); i <= to && i < boss->nextItem; i++) {
        if (boss->players->get(i) != nullptr)
            (*boss->hp)[i] = value;
    }
}

void follow(ClsBoss* boss, VMPtr<IntArray> parent, int32_t i)
{
    int32_t p = (*parent)[i];
    (*boss->x)[i] = (*boss->x)[p] + (*boss->offsetX)[i];
    (*boss->y)[i] = (*boss->y)[p] + (*boss->offsetY)[i];
}

bool countDown(int32_t& timer, int32_t reload)
{
    timer -= ui::MyObject::frameTime;
    if (timer > 0)
        return false;
    timer = reload;
    return true;
}

bool alive(ClsBoss* boss, int32_t i)
{
    return i >= 0 && i < boss->nextItem && !(*boss->inactive)[i];
}

bool allOff(ClsBoss* boss, std::initializer_list<int32_t> items)
{
    for (int32_t i : items) {
        if (alive(boss, i))
            return false;
    }
    return true;
}

bool shotDue(ClsBoss* boss, int32_t i)
{
    if (boss->state != 1)
        return false;
    (*boss->partFlag)[i] = false;
    boss->startTimer(i);
    return boss->isTimerExpired(i, SHOT_TIME, true) && !(*boss->inactive)[i];
}

bool bringOn(ClsBoss* boss, VMPtr<IntArray> parent, int32_t anchor)
{
    for (int32_t i = 0; i < boss->nextItem; i++) {
        if (i != anchor)
            follow(boss, parent, i);
    }
    boss->moveTowards(anchor, (*boss->target)[0], (*boss->target)[1]);
    return (*boss->target)[1] < (*boss->y)[anchor];
}

void partFalls(ClsBoss* boss, int32_t i, int32_t wreck)
{
    boss->setItemFrame(i, wreck);
    partSound();
    boss->bulletFactory->dropMoneySlow(4, (*boss->x)[i], (*boss->y)[i]);
    (*boss->inactive)[i] = true;
}

void pieceFalls(ClsBoss* boss, int32_t i, int32_t coins)
{
    bossSound(boss);
    boss->bulletFactory->dropMoneySlow(coins, (*boss->x)[i], (*boss->y)[i]);
}

void endFlash(ClsBoss* boss, int32_t i)
{
    int32_t f = boss->getItemFrame(i);
    if (f % 2 == 1)
        boss->setItemFrame(i, f - 1);
}

void defeat(ClsBoss* boss)
{
    if (ClsBoss::playerHasLives()) {
        MainGame::bossDefeated = true;
        boss->clearBullets(MainGame::enemyBullets);
    }
}

void partSound()
{
    main::Main::playEffect(0);
}

void bossSound(ClsBoss* boss)
{
    main::Main::playEffect(1 + boss->random(2));
}

void fillHitPoints(ClsBoss* boss)
{
    int32_t sum = 0;
    for (int32_t i = 0; i < boss->nextItem; i++)
        sum += (*boss->hp)[i];
    boss->maxHp += sum;
    boss->bossHp = boss->maxHp;
}

} // namespace scene::mainGame::boss::parts
