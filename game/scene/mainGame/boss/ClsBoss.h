#pragma once
// scene.mainGame.boss.ClsBoss: the base of the stage bosses, a plane whose
// elements are the boss's parts.

#include <cstdint>

#include "scene/mainGame/ClsPlane.h"

namespace scene::mainGame::boss {

class ClsBoss : public ClsPlane {
    VM_ABSTRACT_CLASS(ClsBoss, ClsPlane)

    VMPtr<ClsBoss> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel, int32_t parts);

    using ClsPlane::getHp;
    // Added parts not inactive.
    virtual int32_t countActiveParts();
    // Sum of the positive hit points of all the places, added or not.
    virtual int32_t getHp();
    virtual int32_t getMaxHp();
    // Brings the boss on: its parts for its level, maxHp.
    virtual void start() = 0;

    int32_t level = 0;
    int32_t maxHp = 0;
};

} // namespace scene::mainGame::boss
