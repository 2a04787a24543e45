#pragma once
// scene.mainGame.weapon.ClsPlyLaser_2: the beam. A row of segments from the
// firing element to the screen edge in one direction, drawn and hurting
// only while that element is in play; it strikes every part in its line
// once per beat (the first frame past 100 ms). It never leaves the
// player-bullet list by itself: the player clears the list.

#include <cstdint>

#include "scene/mainGame/weapon/ClsBullet.h"
#include "tq/AnimPlayer.h"

namespace scene::mainGame::weapon {

class ClsPlyLaser_2 : public ClsBullet {
    VM_CLASS(ClsPlyLaser_2, ClsBullet)

    using PlayerArray = VMArray<tq::AnimPlayer, 1>;

    static constexpr int32_t BEAT = 100;

    // dir 0 up, 1 down, 2 left, 3 right (4 and 5 count as up); part: the
    // firing element.
    VMPtr<ClsPlyLaser_2> init(int32_t dir, int32_t part);

    void release() override;

    // Along a vertical beam only the horizontal extents count, along a
    // horizontal one only the vertical.
    bool overlaps(VMPtr<IntArray> a, VMPtr<IntArray> b) override;
    void update(int64_t frameTime, int32_t index) override;
    // The segments, while active.
    void draw(VMPtr<Graphics> g) override;
    // Every part in the beam's line, on a beat.
    void collide(VMPtr<ClsPlane> plane) override;

    virtual bool timerElapsed(int32_t limit, bool reset);
    // Sets ticked in the first frame past BEAT.
    virtual void beat();
    virtual void startTimer();
    // The firing element is in play and the player playing (or cleared and
    // flying on).
    virtual void checkActive();
    // Segment k plays from the given sets.
    virtual void setSegmentAnimation(int32_t k, int32_t gobSetId, int32_t animSetId);

    // Pixels along the beam of one segment.
    int32_t segLen = 0;
    VMField<IntArray> segX;
    VMField<IntArray> segOffY;
    int32_t part = 0;
    VMField<IntArray> segOffX;
    VMField<PlayerArray> segments;
    int32_t timer = 0;
    int32_t dir = 0;
    // Pixels across the beam.
    int32_t width = 0;
    // Segment count.
    int32_t n = 0;
    // This frame is a beat.
    bool ticked = false;
    VMField<IntArray> segY;
    bool timerOn = false;
    bool active = false;

    VM_FIELDS(segX, segOffY, segOffX, segments, segY)

private:
    bool vertical() const { return dir < 2; }
    // Segment length and width from the picture, the segment offsets.
    void layoutSegments();
    // The part's rectangle lies between the first segment and the screen
    // edge the beam points at.
    bool inReach(VMPtr<IntArray> rect);
};

} // namespace scene::mainGame::weapon
