#pragma once
// scene.mainGame.boss.ClsBoss_8: a body with five gun parts; level 2 adds
// four more, level 3 a shield over the body, level 4 a ring of eight guns on
// the shield that fire outwards. The ring guns cannot be hit and count as
// parts until the shield falls; the boss falls when no counted part is left.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_8 : public ClsBoss {
    VM_CLASS(ClsBoss_8, ClsBoss)

    static constexpr int32_t PARTS = 19;
    static constexpr int32_t RING_GUNS = 8;
    static constexpr int32_t PATTERN_TIME = 4000;
    static constexpr int32_t GOBS = generated::RP::BOSS8;
    static constexpr int32_t ANIMS = generated::RP::BOSS8_ANIMS;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_8> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_8> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    void onPartHit(int32_t i) override;
    void enter() override;
    void start() override;

    virtual void buildLevel1();
    virtual void buildLevel2();
    virtual void buildLevel3();
    virtual void buildLevel4();
    // Parts on the host's boxes of the kind, at most limit.
    virtual void attachParts(int32_t boxKind, int32_t host, int32_t limit);
    virtual void partStep(int32_t i);
    virtual void selectPattern(int32_t p);
    virtual void checkBoss();
    virtual void removeWreck(int32_t i);

    void firePart(int32_t i);

    int32_t bodyIndex = 0;
    int32_t shieldIndex = 0;
    VMField<IntArray> parent;
    // The ring guns, in the order of their boxes; -1 for a missing one.
    int32_t ringGun[RING_GUNS] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int32_t patternTimer = 0;

    VM_FIELDS(parent)
};

} // namespace scene::mainGame::boss
