#include "scene/mainGame/boss/ClsBoss_1.h"

namespace scene::mainGame::boss {

VMPtr<ClsBoss_1> ClsBoss_1::init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel)
{
    ClsBoss::init(factory, bossLevel, PARTS);
    hideAllParts();
    return VMPtr<ClsBoss_1>(this);
}

void ClsBoss_1::update()
{}

void ClsBoss_1::onPartHit(int32_t)
{}

void ClsBoss_1::enter()
{}

void ClsBoss_1::attack()
{}

void ClsBoss_1::followParent(int32_t)
{}

void ClsBoss_1::attachTurrets(int32_t, int32_t)
{}

void ClsBoss_1::layoutLevel1()
{}

void ClsBoss_1::collideArmWithPlayer(int32_t)
{}

void ClsBoss_1::start()
{}

void ClsBoss_1::layoutLevel4()
{}

void ClsBoss_1::layoutLevel2()
{}

void ClsBoss_1::layoutLevel3()
{}

void ClsBoss_1::checkDefeat()
{}

} // namespace scene::mainGame::boss

VM_REGISTER_CLASS(scene::mainGame::boss::ClsBoss_1, "scene.mainGame.boss.ClsBoss_1",
                  "scene.mainGame.boss.ClsBoss", "..\\src\\scene_mainGame_boss_ClsBoss_1", nullptr);
