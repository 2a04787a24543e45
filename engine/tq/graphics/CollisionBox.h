#pragma once
// tq.graphics.CollisionBox: a hit area, an axis-aligned rectangle (type 3)
// or a circle of diameter width whose bounding square's top-left is (x, y)
// (any other type). Boxes are placed, combined, tested against points,
// rectangles and other boxes (touching rectangles do not overlap, touching
// circles do), and painted as outlines or filled shapes. The tests allocate
// nothing: the circle tests use integer squares and the rectangle-against-
// circle path reuses scratchBox.

#include <cstdint>

#include "java/lang/String.h"
#include "tq/Paintable.h"

namespace tq::graphics {

class CollisionBox : public Paintable {
    VM_CLASS(CollisionBox, Paintable)

    static constexpr int32_t RECTANGLE = 3;
    static constexpr int32_t CIRCLE = 4;

    VMPtr<CollisionBox> init();
    VMPtr<CollisionBox> initWithType(int32_t type);

    int32_t getType() override;
    int32_t getHeight(int32_t transform) override;
    // Painted moved by (dx, dy); the transform is ignored.
    void paint(VMPtr<Graphics> g, int32_t dx, int32_t dy, int32_t transform) override;
    void paint(VMPtr<Graphics> g) override;
    int32_t getCollisionBoxes(int32_t transform, VMPtr<BoxArray> boxes, int32_t id) override;
    int32_t getWidth(int32_t transform) override;
    int32_t getCollisionBoxCount() override;
    int32_t getX(int32_t transform) override;
    int32_t getY(int32_t transform) override;
    using Paintable::getCollisionRects;
    using Paintable::paint;

    virtual void setSize(int32_t w, int32_t h);
    // Nothing is clamped: disjoint boxes give an empty box.
    virtual void setToIntersection(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b);
    virtual void translate(int32_t dx, int32_t dy);
    virtual bool intersectsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh);
    virtual bool intersects(VMPtr<CollisionBox> other);
    virtual void setBoundsFrom(VMPtr<CollisionBox> other);
    virtual void setBounds(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void setPosition(int32_t x, int32_t y);
    // Position, size, id and type.
    virtual void copyTo(VMPtr<CollisionBox> other);
    // Rectangles only; sizes are not tested.
    virtual bool intersectsAt(VMPtr<CollisionBox> other, int32_t dx, int32_t dy, int32_t transform);
    virtual bool intersectsAt(VMPtr<CollisionBox> other, int32_t dx, int32_t dy);
    virtual bool containsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh);
    // Strictly inside for circles.
    virtual bool contains(int32_t px, int32_t py);
    virtual bool containsBox(VMPtr<CollisionBox> other);
    // Every field.
    virtual void copyAllTo(VMPtr<CollisionBox> other);
    virtual void setToUnion(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b);
    virtual bool isEmpty();

    // "x,y:<x>,<y>, WxH:<width>,<height>"
    VMPtr<java::lang::String> toString() override;

    static bool circleIntersectsRect(int32_t cx, int32_t cy, int32_t r, VMPtr<CollisionBox> rect);
    // The first overlapping pair (a[i] against every b[j], i first) goes to
    // hitBoxA and hitBoxB; both null without one.
    static bool findFirstIntersectingPair(int32_t countA, VMPtr<BoxArray> a, int32_t countB,
                                          VMPtr<BoxArray> b);
    // boxes when it holds n entries; else a new array of max(n, 4) boxes.
    static VMPtr<BoxArray> ensureCapacity(VMPtr<BoxArray> boxes, int32_t n);

    int32_t height = 0;
    int32_t color = 0;
    int32_t width = 0;
    int32_t id = 0;
    int32_t type = 0;
    bool useColor = false;
    int32_t y = 0;
    bool filled = false;
    int32_t x = 0;

    VM_STATIC(CollisionBox, scratchBox);
    VM_STATIC(CollisionBox, hitBoxA);
    VM_STATIC(CollisionBox, hitBoxB);
};

} // namespace tq::graphics
