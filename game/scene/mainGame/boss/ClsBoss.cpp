#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss> ClsBoss::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel, int32_t parts)
{
    ClsPlane::init(factory);
    allocItems(parts);
    level = bossLevel;
    return VMPtr<ClsBoss>(this);
}

int32_t ClsBoss::countActiveParts()
{
    int32_t n = 0;
    for (int32_t i = 0; i < nextItem; i++) {
        if (!(*inactive)[i])
            n++;
    }
    return n;
}

int32_t ClsBoss::getHp()
{
    int32_t sum = 0;
    for (int32_t i = 0; i < capacity; i++) {
        if ((*hp)[i] > 0)
            sum += (*hp)[i];
    }
    return sum;
}

int32_t ClsBoss::getMaxHp()
{
    return maxHp;
}

} // namespace scene::mainGame::boss

VM_REGISTER_ABSTRACT_CLASS(scene::mainGame::boss::ClsBoss, "scene.mainGame.boss.ClsBoss",
                           "scene.mainGame.ClsPlane", "..\\src\\scene_mainGame_boss_ClsBoss",
                           nullptr);
