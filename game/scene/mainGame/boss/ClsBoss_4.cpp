#include "scene/mainGame/boss/ClsBoss_4.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_4> ClsBoss_4::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_4>(this);
}

void ClsBoss_4::update()
{
}

void ClsBoss_4::onPartHit(int32_t)
{
}

void ClsBoss_4::damage(int32_t, int32_t)
{
}

void ClsBoss_4::enter()
{
}

void ClsBoss_4::start()
{
}

void ClsBoss_4::buildFirstSegment()
{
}

void ClsBoss_4::buildSegment(int32_t)
{
}

void ClsBoss_4::attachParts(int32_t, int32_t)
{
}

void ClsBoss_4::partStep(int32_t)
{
}

void ClsBoss_4::selectPattern(int32_t)
{
}

void ClsBoss_4::checkSegment()
{
}

int32_t ClsBoss_4::segmentOf(int32_t)
{
    return 0;
}

bool ClsBoss_4::anyAlive(int32_t)
{
    return false;
}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_4, "scene.mainGame.boss.ClsBoss_4",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_4", nullptr);
