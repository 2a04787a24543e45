#pragma once
// scene.mainGame.boss.ClsBoss_2: the boss of stage 1. A core comes down from
// the top carrying turrets in three groups that fire in turns of 4 s; from
// level 3 two drones sweep up and down beside it (level 3) or wander and
// charge at the player (level 4). The core falls when every turret is gone;
// the boss is beaten once no hit points are left. Parts: 0 the core, 1 the
// turret of group 1, 2-3 group 2, 4-5 group 3, 6-7 the drones.

#include <cstdint>

#include "generated/AnimBoss02.h"
#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_2 : public ClsBoss {
    VM_CLASS(ClsBoss_2, ClsBoss)

    static constexpr int32_t PARTS = 8;
    static constexpr int32_t GOBS = generated::RP::BOSS02;
    static constexpr int32_t ANIMS = generated::RP::ANIM_BOSS02;
    static constexpr int32_t CORE = 0;
    static constexpr int32_t DRONE_A = 6;
    static constexpr int32_t DRONE_B = 7;
    // Places the turrets may take: 1..5.
    static constexpr int32_t FIRST_TURRET = 1;
    static constexpr int32_t LAST_TURRET = 5;
    // Element kinds.
    static constexpr int32_t KIND_CORE = 0;
    static constexpr int32_t KIND_DRONE = 3;
    // Animations of the set.
    static constexpr int32_t CORE_REST = generated::AnimBoss02::CORE_REST;
    static constexpr int32_t CORE_ANIM = generated::AnimBoss02::CORE;
    static constexpr int32_t DRONE_REST = generated::AnimBoss02::DRONE_HIT;
    static constexpr int32_t DRONE_ANIM = generated::AnimBoss02::DRONE;
    static constexpr int32_t TURRET_REST = generated::AnimBoss02::TURRET_HIT;
    static constexpr int32_t TURRET_ANIM = generated::AnimBoss02::TURRET;
    static constexpr int32_t TURRET_WRECK = generated::AnimBoss02::TURRET_WRECK;
    static constexpr int32_t CORE_WRECK = generated::AnimBoss02::CORE_WRECK;
    static constexpr int32_t DRONE_WRECK = generated::AnimBoss02::DRONE_WRECK;
    static constexpr int32_t HIT_BOX = 14;
    static constexpr int32_t SPEED = 3;
    static constexpr int32_t PHASE_TIME = 4000;
    static constexpr int32_t FIRE_TIME = 1000;
    static constexpr int32_t CHARGE_TIME = 2000;
    static constexpr int32_t WANDER_TIME = 3000;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_2> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_2> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    void onPartHit(int32_t i) override;
    void enter() override;

    virtual void moveDrone(int32_t i);
    // Follows the core and fires when the part's turn has come.
    virtual void updatePart(int32_t i);
    virtual void steerDrone(int32_t i);
    virtual void phaseClock();
    virtual void layoutLevel1();
    virtual void selectPhase(int32_t p);
    void start() override;
    virtual void layoutLevel4();
    // A turret on each box of the kind of the core's frame, in the places
    // of its group (at most the group's size); how many.
    virtual int32_t attachTurrets(int32_t boxKind);
    virtual void removeWreck(int32_t i);
    virtual void sweepDrones(int32_t limit);
    virtual void layoutLevel2();
    virtual void layoutLevel3();
    virtual void checkDefeat();

    // Velocity of drone i toward (tx, ty), kept for the period.
    void aimDrone(int32_t i, int32_t tx, int32_t ty);
    // Drone i heads for a new random point.
    void wander(int32_t i);

    int32_t wanderX = 0;
    bool dronesMoved = false;
    int32_t chargeTimer = 4000;
    int32_t wanderY = 0;
    int32_t sweepTop = 0;
    int32_t sweepBottom = 0;
    int32_t sweepY = 0;
    bool charging = false;
    VMField<IntArray> groupAlive;
    VMField<BoolArray> retargeted;
    VMField<IntArray> entryTarget;

    VM_FIELDS(groupAlive, retargeted, entryTarget)
};

} // namespace scene::mainGame::boss
