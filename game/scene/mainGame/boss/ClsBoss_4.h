#pragma once
// scene.mainGame.boss.ClsBoss_4: a chain of up to four segments hanging from
// the top of the screen, one per level. Each segment is a head with seven
// parts attached to the boxes of its frame; the segments are fought one at a
// time from the tail up, and only the parts of the segment in play take
// damage and fire. Segment s holds items 8s (its head) to 8s + 7 when every
// head frame carries its seven boxes; the code finds a segment's parts by
// their parent, so a frame with fewer boxes leaves gaps, not wrong targets.

#include <cstdint>

#include "generated/RP.h"
#include "scene/mainGame/boss/ClsBoss.h"

namespace scene::mainGame::boss {

class ClsBoss_4 : public ClsBoss {
    VM_CLASS(ClsBoss_4, ClsBoss)

    static constexpr int32_t PARTS = 32;
    static constexpr int32_t SEGMENTS = 4;
    static constexpr int32_t PARTS_PER_SEGMENT = 7;
    static constexpr int32_t PATTERNS = 5;
    static constexpr int32_t PATTERN_TIME = 3000;
    static constexpr int32_t GOBS = generated::RP::BOSS4;
    static constexpr int32_t ANIMS = generated::RP::BOSS4_ANIMS;

    // Without a bullet factory, at level 1.
    VMPtr<ClsBoss_4> init() { return init(VMPtr<weapon::ClsBcreator>(), 1); }
    VMPtr<ClsBoss_4> init(VMPtr<weapon::ClsBcreator> factory, int32_t bossLevel);

    void update() override;
    void onPartHit(int32_t i) override;
    void damage(int32_t i, int32_t amount) override;
    void enter() override;
    void start() override;

    // Segment 0, then segment s after those above it.
    virtual void buildFirstSegment();
    virtual void buildSegment(int32_t s);
    // Parts on the head's boxes of the kind, at most the segment's seven.
    virtual void attachParts(int32_t boxKind, int32_t head);
    virtual void partStep(int32_t i);
    virtual void selectPattern(int32_t p);
    // Ends the segment in play once its parts are gone.
    virtual void checkSegment();

    // The segment whose head is parent; -1 for none.
    int32_t segmentOf(int32_t parentIndex);
    // Whether any part of the segment in play named in the mask is alive
    // (bit n: the part n within the segment).
    bool anyAlive(int32_t numberMask);
    int32_t& aliveOf(int32_t s) { return s == 0 ? partsLeft : segmentAlive[s - 1]; }

    int32_t patternTimer = 0;
    int32_t segment = 0;
    VMField<IntArray> parent;
    int32_t segmentHead[SEGMENTS] = {};
    // Parts alive in segments 1 to 3; segment 0 counts in partsLeft.
    int32_t segmentAlive[SEGMENTS - 1] = {};

    VM_FIELDS(parent)
};

} // namespace scene::mainGame::boss
