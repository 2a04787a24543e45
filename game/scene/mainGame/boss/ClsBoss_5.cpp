#include "scene/mainGame/boss/ClsBoss_5.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_5> ClsBoss_5::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_5>(this);
}

void ClsBoss_5::update()
{
}

void ClsBoss_5::onPartHit(int32_t)
{
}

void ClsBoss_5::enter()
{
}

int32_t ClsBoss_5::getBossHp()
{
    return 0;
}

void ClsBoss_5::start()
{
}

void ClsBoss_5::buildBody()
{
}

void ClsBoss_5::buildPod()
{
}

void ClsBoss_5::buildDrone()
{
}

int32_t ClsBoss_5::attachParts(int32_t, int32_t, int32_t)
{
    return 0;
}

void ClsBoss_5::partStep(int32_t)
{
}

void ClsBoss_5::selectPattern(int32_t)
{
}

void ClsBoss_5::droneStep()
{
}

void ClsBoss_5::checkBoss(int32_t)
{
}

bool ClsBoss_5::isAlive(int32_t)
{
    return false;
}

void ClsBoss_5::fireParts(int32_t)
{
}

void ClsBoss_5::checkDefeat()
{
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_5, "scene.mainGame.boss.ClsBoss_5",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_5", nullptr);
