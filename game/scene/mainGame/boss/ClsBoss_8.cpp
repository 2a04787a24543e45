#include "scene/mainGame/boss/ClsBoss_8.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_8> ClsBoss_8::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_8>(this);
}

void ClsBoss_8::update()
{
}

void ClsBoss_8::onPartHit(int32_t)
{
}

void ClsBoss_8::enter()
{
}

void ClsBoss_8::start()
{
}

void ClsBoss_8::buildLevel1()
{
}

void ClsBoss_8::buildLevel2()
{
}

void ClsBoss_8::buildLevel3()
{
}

void ClsBoss_8::buildLevel4()
{
}

void ClsBoss_8::attachParts(int32_t, int32_t, int32_t)
{
}

void ClsBoss_8::partStep(int32_t)
{
}

void ClsBoss_8::selectPattern(int32_t)
{
}

void ClsBoss_8::checkBoss()
{
}

void ClsBoss_8::removeWreck(int32_t)
{
}

bool ClsBoss_8::isAlive(int32_t)
{
    return false;
}

void ClsBoss_8::firePart(int32_t)
{
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_8, "scene.mainGame.boss.ClsBoss_8",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_8", nullptr);
