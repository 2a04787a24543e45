#include "scene/mainGame/boss/ClsBoss_6.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_6> ClsBoss_6::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_6>(this);
}

void ClsBoss_6::update()
{
}

void ClsBoss_6::onPartHit(int32_t)
{
}

void ClsBoss_6::damage(int32_t, int32_t)
{
}

void ClsBoss_6::enter()
{
}

int32_t ClsBoss_6::getBossHp()
{
    return 0;
}

void ClsBoss_6::start()
{
}

void ClsBoss_6::buildLevel1()
{
}

void ClsBoss_6::buildLevel2()
{
}

void ClsBoss_6::buildLevel3()
{
}

void ClsBoss_6::buildLevel4()
{
}

void ClsBoss_6::attachParts(int32_t, int32_t, int32_t)
{
}

void ClsBoss_6::itemStep(int32_t)
{
}

void ClsBoss_6::selectPattern(int32_t)
{
}

void ClsBoss_6::destroyWing(int32_t)
{
}

void ClsBoss_6::checkBoss()
{
}

bool ClsBoss_6::isAlive(int32_t)
{
    return false;
}

void ClsBoss_6::fireItem(int32_t)
{
}

int32_t ClsBoss_6::cornerX(int32_t)
{
    return 0;
}

int32_t ClsBoss_6::cornerY(int32_t)
{
    return 0;
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_6, "scene.mainGame.boss.ClsBoss_6",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_6", nullptr);
