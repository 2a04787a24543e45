#include "scene/mainGame/boss/ClsBoss_3.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_3> ClsBoss_3::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_3>(this);
}

void ClsBoss_3::update()
{}

void ClsBoss_3::damage(int32_t, int32_t)
{}

void ClsBoss_3::onPartHit(int32_t)
{}

void ClsBoss_3::enter()
{}

int32_t ClsBoss_3::getBossHp()
{
    return 0;
}

void ClsBoss_3::updatePart(int32_t)
{}

void ClsBoss_3::attachPods(int32_t, int32_t)
{}

void ClsBoss_3::phaseClock()
{}

void ClsBoss_3::layoutLevel1()
{}

void ClsBoss_3::checkCoreDestroyed(int32_t)
{}

void ClsBoss_3::moveCores()
{}

void ClsBoss_3::selectPhase(int32_t)
{}

void ClsBoss_3::start()
{}

void ClsBoss_3::layoutLevel4()
{}

void ClsBoss_3::layoutLevel2()
{}

void ClsBoss_3::layoutLevel3()
{}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_3, "scene.mainGame.boss.ClsBoss_3",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_3", nullptr);
