#pragma once
// scene.mainGame.boss.ClsBoss_6: a core that carries two wings from level 2
// on, one gun part on each wing from level 3 and two more at level 4. A hit
// on a gun part also hurts its wing, a hit on a wing also hurts the core;
// the boss falls when its total hit points run out.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_6 : public ClsBoss {
    VM_CLASS(ClsBoss_6, ClsBoss)

    static constexpr int32_t PARTS = 9;
    static constexpr int32_t PATTERN_TIME = 4000;
    static constexpr int32_t GOBS = generated::RP::BOSS6;
    static constexpr int32_t ANIMS = generated::RP::BOSS6_ANIMS;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_6> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_6> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    void onPartHit(int32_t i) override;
    // Also off the item's parent when that is another item.
    void damage(int32_t i, int32_t amount) override;
    void enter() override;
    void start() override;

    virtual void buildLevel1();
    virtual void buildLevel2();
    virtual void buildLevel3();
    virtual void buildLevel4();
    // Gun parts on the wing's boxes of the kind, at most limit.
    virtual void attachParts(int32_t boxKind, int32_t wing, int32_t limit);
    virtual void itemStep(int32_t i);
    virtual void selectPattern(int32_t p);
    virtual void destroyWing(int32_t w);
    virtual void checkBoss();

    void fireItem(int32_t i);
    // The wing's outer corner, from which it fires.
    int32_t cornerX(int32_t w);
    int32_t cornerY(int32_t w);

    int32_t coreIndex = 0;
    int32_t wing1Index = -1;
    int32_t wing2Index = -1;
    VMField<IntArray> parent;
    int32_t halfWidth = 0;
    int32_t halfHeight = 0;
    int32_t patternTimer = 0;

    VM_FIELDS(parent)
};

} // namespace scene::mainGame::boss
