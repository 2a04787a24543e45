#pragma once
// scene.mainGame.boss.ClsBoss_1: the boss of stage 0. Two arms close in from
// the top and the bottom of the screen and sway; the turrets they carry are
// its destructible parts and fire across the ring and at the player in
// phases whose number grows with the level. Beaten when every turret is
// gone. Parts: the upper arm, the lower arm, then the turrets on the boxes
// of kind 1 of each arm's frame (at most the 12 places left).

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_1 : public ClsBoss {
    VM_CLASS(ClsBoss_1, ClsBoss)

    static constexpr int32_t PARTS = 14;
    static constexpr int32_t TURRETS = 12;
    static constexpr int32_t GOBS = generated::RP::BOSS1;
    static constexpr int32_t ANIMS = generated::RP::BOSS1_ANIMS;
    // Animations of the set.
    static constexpr int32_t ARM_A = 1;
    static constexpr int32_t ARM_B = 3;
    static constexpr int32_t TURRET = 5;
    static constexpr int32_t TURRET_WRECK = 6;
    static constexpr int32_t ARM_A_WRECK = 8;
    static constexpr int32_t ARM_B_WRECK = 10;
    static constexpr int32_t WRECK = 11;
    // Box kinds: the turrets' attachment points, the hit areas.
    static constexpr int32_t TURRET_POINTS = 1;
    static constexpr int32_t HIT_BOX = 14;
    static constexpr int32_t SPEED = 3;
    static constexpr int32_t TURRET_HP = 417;
    static constexpr int32_t SWAY_TIME = 2000;
    static constexpr int32_t SHOT_TIME = 600;
    // Ints of the buffer an arm's hit boxes are read into.
    static constexpr int32_t ARM_BOXES = 30;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_1> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_1> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    void onPartHit(int32_t i) override;
    void enter() override;

    // The turrets' fire of the current phase.
    virtual void attack();
    virtual void followParent(int32_t i);
    // A turret on each box of the kind of the arm's frame.
    virtual void attachTurrets(int32_t boxKind, int32_t arm);
    virtual void layoutLevel1();
    // The arm's hit boxes against every player element.
    virtual void collideArmWithPlayer(int32_t arm);
    void start() override;
    virtual void layoutLevel4();
    virtual void layoutLevel2();
    virtual void layoutLevel3();
    virtual void checkDefeat();

    VMField<IntArray> parent;
    int32_t cursor = 1;
    int32_t partA = 0;
    int32_t partB = 0;
    int32_t swayTimer = SWAY_TIME;
    int32_t shotTimer = 500;
    int32_t ringBase = 0;
    int32_t armHeight = 0;
    bool closing = true;
    // The arms' hit boxes of the frame, read every frame.
    VMField<IntArray> armBoxes;

    VM_FIELDS(parent, armBoxes)
};

} // namespace scene::mainGame::boss
