#pragma once
// scene.mainGame.ClsEnemy: the one plane that holds every enemy of a stage.

#include <cstdint>

#include "scene/mainGame/ClsPlane.h"

namespace scene::mainGame {

class ClsEnemy : public ClsPlane {
    VM_CLASS(ClsEnemy, ClsPlane)

    static constexpr int32_t SLOTS = 50;

    // Without a bullet factory.
    VMPtr<ClsEnemy> init() { return init(VMPtr<weapon::ClsBcreator>()); }
    VMPtr<ClsEnemy> init(VMPtr<weapon::ClsBcreator> factory);
    // Sets up the enemy slots.
    virtual void initEnemies();
};

} // namespace scene::mainGame
