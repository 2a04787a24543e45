#include "scene/mainGame/boss/ClsBoss_7.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_7> ClsBoss_7::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_7>(this);
}

void ClsBoss_7::update()
{
}

void ClsBoss_7::onPartHit(int32_t)
{
}

void ClsBoss_7::enter()
{
}

void ClsBoss_7::start()
{
}

void ClsBoss_7::buildBody()
{
}

void ClsBoss_7::addArm(int32_t)
{
}

void ClsBoss_7::partStep(int32_t)
{
}

void ClsBoss_7::armStep(int32_t)
{
}

void ClsBoss_7::selectPattern(int32_t)
{
}

void ClsBoss_7::checkBoss()
{
}

void ClsBoss_7::checkRemoval(int32_t)
{
}

bool ClsBoss_7::isAlive(int32_t)
{
    return false;
}

void ClsBoss_7::firePart(int32_t)
{
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_7, "scene.mainGame.boss.ClsBoss_7",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_7", nullptr);
