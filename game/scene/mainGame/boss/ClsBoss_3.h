#pragma once
// scene.mainGame.boss.ClsBoss_3: the boss of stage 2. Two cores come in from
// the top, take opposite corners of a rectangle 48 pixels in from the screen
// edges and circle its corners in step. From level 2 each core carries pods
// that fire in eight fixed directions in timed phases. A hit on a pod hurts
// its core as well; a fallen core takes its pods with it; the boss is
// beaten when both cores are gone. Parts: core A, core B, up to 16 pods.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_3 : public ClsBoss {
    VM_CLASS(ClsBoss_3, ClsBoss)

    static constexpr int32_t PARTS = 18;
    static constexpr int32_t GOBS = generated::RP::BOSS3;
    static constexpr int32_t ANIMS = generated::RP::BOSS3_ANIMS;
    static constexpr int32_t MARGIN = 48;
    // Places per core and box kind.
    static constexpr int32_t PODS = 4;
    // Animations of the set.
    static constexpr int32_t CORE_A_ANIM = 1;
    static constexpr int32_t CORE_B_ANIM = 3;
    static constexpr int32_t POD_ANIM = 5;
    static constexpr int32_t POD_WRECK = 6;
    static constexpr int32_t CORE_A_WRECK = 8;
    static constexpr int32_t CORE_B_WRECK = 10;
    static constexpr int32_t POD_FALLEN = 11;
    static constexpr int32_t HIT_BOX = 14;
    static constexpr int32_t SPEED = 3;
    static constexpr int32_t CORE_HP = 2500;
    static constexpr int32_t PHASE_TIME = 4000;
    static constexpr int32_t FIRE_TIME = 1000;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_3> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_3> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    // Also the pod's core.
    void damage(int32_t i, int32_t amount) override;
    void onPartHit(int32_t i) override;
    void enter() override;
    // The running total, not the sum over the parts.

    virtual void updatePart(int32_t i);
    // A pod on each box of the kind of the core's frame.
    virtual void attachPods(int32_t boxKind, int32_t core);
    virtual void phaseClock();
    virtual void layoutLevel1();
    virtual void checkCoreDestroyed(int32_t i);
    virtual void moveCores();
    virtual void selectPhase(int32_t p);
    void start() override;
    virtual void layoutLevel4();
    virtual void layoutLevel2();
    virtual void layoutLevel3();

    int32_t phaseTimer = PHASE_TIME;
    VMField<IntArray> link;
    int32_t coreB = 0;
    VMField<IntArray> fireDir;
    int32_t oddLeft = 0;
    int32_t coreA = 0;
    int32_t moveState = 1;
    int32_t margin = MARGIN;
    VMField<IntArray> cornerBR;
    VMField<IntArray> cornerTL;
    VMField<IntArray> targetB;
    int32_t evenLeft = 0;

    // Adds a core and its item at (px, py): on, untouchable,
    // linked to itself.
    void addCore(int32_t animation, int32_t px, int32_t py, int32_t direction);
    // Both cores' hit points times factor; maxHp their sum.
    void coresToMaxHp(int32_t factor);

    VM_FIELDS(link, fireDir, cornerBR, cornerTL, targetB)
};

} // namespace scene::mainGame::boss
