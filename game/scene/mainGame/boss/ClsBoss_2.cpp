#include "scene/mainGame/boss/ClsBoss_2.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_2> ClsBoss_2::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_2>(this);
}

void ClsBoss_2::update()
{}

void ClsBoss_2::onPartHit(int32_t)
{}

void ClsBoss_2::enter()
{}

void ClsBoss_2::moveDrone(int32_t)
{}

void ClsBoss_2::updatePart(int32_t)
{}

void ClsBoss_2::steerDrone(int32_t)
{}

void ClsBoss_2::phaseClock()
{}

void ClsBoss_2::layoutLevel1()
{}

void ClsBoss_2::selectPhase(int32_t)
{}

void ClsBoss_2::start()
{}

void ClsBoss_2::layoutLevel4()
{}

void ClsBoss_2::attachTurrets(int32_t)
{}

void ClsBoss_2::removeWreck(int32_t)
{}

void ClsBoss_2::sweepDrones(int32_t)
{}

void ClsBoss_2::layoutLevel2()
{}

void ClsBoss_2::layoutLevel3()
{}

void ClsBoss_2::checkDefeat()
{}

void ClsBoss_2::aimDrone(int32_t, int32_t, int32_t)
{}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_2, "scene.mainGame.boss.ClsBoss_2",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_2", nullptr);
