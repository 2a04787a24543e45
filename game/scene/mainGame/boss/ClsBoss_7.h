#pragma once
// scene.mainGame.boss.ClsBoss_7: a body with five gun parts; from level 2 on
// one to three arms circle it on growing radii. Hits on the arms never
// destroy them; the boss falls when its five parts are gone.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_7 : public ClsBoss {
    VM_CLASS(ClsBoss_7, ClsBoss)

    using DoubleArray = VMArray<double, 1>;

    static constexpr int32_t PARTS = 9;
    static constexpr int32_t ARMS = 3;
    static constexpr int32_t GUN_PARTS = 5;
    static constexpr int32_t PATTERNS = 4;
    static constexpr int32_t PATTERN_TIME = 4000;
    static constexpr int32_t GOBS = generated::RP::BOSS7;
    static constexpr int32_t ANIMS = generated::RP::BOSS7_ANIMS;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_7> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_7> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    void onPartHit(int32_t i) override;
    void enter() override;
    void start() override;

    virtual void buildBody();
    virtual void addArm(int32_t n);
    virtual void partStep(int32_t i);
    // Every arm moves on its circle, once for each arm item visited.
    virtual void armStep(int32_t i);
    virtual void selectPattern(int32_t p);
    virtual void checkBoss();
    virtual void checkRemoval(int32_t i);

    void firePart(int32_t i);

    VMField<DoubleArray> armAngle;
    VMField<DoubleArray> armSpeed;
    VMField<IntArray> armRadius;
    VMField<IntArray> parent;
    int32_t bodyIndex = 0;
    int32_t armIndex[ARMS] = {-1, -1, -1};
    int32_t bodyWidth = 0;
    int32_t patternTimer = 0;

    VM_FIELDS(armAngle, armSpeed, armRadius, parent)
};

} // namespace scene::mainGame::boss
