#pragma once
// tq.Frame: one frame of an AnimSet as a drawable. It keeps its index in the
// set and its untransformed bounding rectangle; placements, boxes and
// painting are the set's. A whole-animation Frame has the union of the
// animation's frames as its rectangle and the negated animation index, so
// only animation 0's (index 0, frame 0's data) answers frame queries.
// Frames are made only by their AnimSet.

#include <cstdint>

#include "tq/Paintable.h"

namespace tq {

class AnimSet;

namespace graphics {
class Rect;
}

class Frame : public Paintable {
    VM_CLASS(Frame, Paintable)

    static VMPtr<Frame> create() { return newInstance(); }
    // bounds: {x, y, width, height}, each cut to 16 bits.
    VMPtr<Frame> init(VMPtr<AnimSet> set, int32_t index, VMPtr<IntArray> bounds);

    int32_t getType() override;
    int32_t getHeight(int32_t transform) override;
    void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform) override;
    using Paintable::paint;
    int32_t getCollisionBoxes(int32_t transform, VMPtr<BoxArray> out, int32_t id) override;
    int32_t getCollisionRects(int32_t transform, VMPtr<IntArray> out, int32_t id) override;
    using Paintable::getCollisionRects;
    int32_t getWidth(int32_t transform) override;
    int32_t getCollisionBoxCount() override;
    int32_t getX(int32_t transform) override;
    int32_t getY(int32_t transform) override;

    // The frame index, or the animation index of a whole-animation Frame.
    virtual int32_t getIndex();
    virtual int32_t getPlacementCount();
    virtual int32_t getPlacements(int32_t transform, VMPtr<IntArray> out);
    // The untransformed rectangle at (px, py) against r; touching edges do
    // not count.
    virtual bool intersects(VMPtr<graphics::Rect> r, int32_t px, int32_t py);
    virtual void getBounds(int32_t transform, VMPtr<IntArray> out);
    virtual VMPtr<AnimSet> getAnimSet();

    int16_t height = 0;
    int16_t y = 0;
    int16_t x = 0;
    int16_t width = 0;
    int16_t index = 0;
    VMField<AnimSet> animSet;

    VM_FIELDS(animSet)
};

} // namespace tq
