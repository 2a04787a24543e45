#pragma once
// scene.mainGame.boss.ClsBoss_5: a body with five parts; level 2 adds a pod
// with three parts below it, level 3 a drone that chases the player, level
// 4 both with more hit points. The body's hit points are the sum of its
// five parts'; the boss falls when its total hit points run out.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_5 : public ClsBoss {
    VM_CLASS(ClsBoss_5, ClsBoss)

    static constexpr int32_t PARTS = 11;
    static constexpr int32_t BODY_PARTS = 5;
    static constexpr int32_t POD_PARTS = 3;
    static constexpr int32_t PATTERN_TIME = 4000;
    static constexpr int32_t GOBS = generated::RP::BOSS5;
    static constexpr int32_t ANIMS = generated::RP::BOSS5_ANIMS;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_5> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_5> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    void onPartHit(int32_t i) override;
    void enter() override;
    void start() override;

    virtual void buildBody();
    virtual void buildPod();
    virtual void buildDrone();
    // Parts on the host's boxes of the kind, at most limit of them; answers
    // how many.
    virtual int32_t attachParts(int32_t boxKind, int32_t host, int32_t limit);
    virtual void partStep(int32_t i);
    virtual void selectPattern(int32_t p);
    virtual void droneStep();
    virtual void checkBoss(int32_t i);

    void fireParts(int32_t i);
    void checkDefeat();

    int32_t bodyIndex = 0;
    int32_t podIndex = -1;
    int32_t droneIndex = -1;
    VMField<IntArray> parent;
    int32_t patternTimer = 0;

    VM_FIELDS(parent)
};

} // namespace scene::mainGame::boss
