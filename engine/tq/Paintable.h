#pragma once
// tq.Paintable: the abstract base of everything the engine draws and tests
// for collision (Gobs, frames, animation players, collision boxes). It fixes
// the vocabulary (type code, transformed bounds, paint with a transform,
// collision boxes as objects or as int records of {x, y, width, height, id})
// and implements tiled painting and the collision test of two drawables.
// Transforms are the MIDP Sprite codes; a box id of -1 selects every box.
//
// The collision tests share static arrays (not re-entrant; the game's thread
// only) and allocate nothing once they have grown.

#include <cstdint>

#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "vm/VMArray.h"

namespace tq {

namespace graphics {
class CollisionBox;
}

class Paintable : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(Paintable, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using BoxArray = VMArray<graphics::CollisionBox, 1>;
    using Graphics = javax::microedition::lcdui::Graphics;

    VMPtr<Paintable> init() { return VMPtr<Paintable>(this); }

    // True when a box of this drawable at (x, y) intersects a box of other at
    // (ox, oy); the pair found is left in CollisionBox::hitBoxA and hitBoxB.
    virtual bool collidesWith(int32_t x, int32_t y, int32_t transform, int32_t id,
                              VMPtr<Paintable> other, int32_t ox, int32_t oy,
                              int32_t otherTransform, int32_t otherId);
    // The same on int records; the overlap (x, y, width, height, own id,
    // other id) goes to result when it is not null.
    virtual bool collidesWithRects(int32_t x, int32_t y, int32_t transform, int32_t id,
                                   VMPtr<Paintable> other, int32_t ox, int32_t oy,
                                   int32_t otherTransform, int32_t otherId, VMPtr<IntArray> result);
    // Fills the clip rectangle with copies on the drawable's grid through
    // (x, y). A drawable without a positive size draws nothing.
    virtual void paintTiled(VMPtr<Graphics> g, int32_t x, int32_t y);
    virtual int32_t getType() = 0;
    virtual int32_t getCollisionRects(int32_t transform, VMPtr<IntArray> out);
    virtual int32_t getHeight(int32_t transform) = 0;
    virtual void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform) = 0;
    virtual void paint(VMPtr<Graphics> g);
    // Fills out with the boxes of the id under the transform; the number filled.
    virtual int32_t getCollisionBoxes(int32_t transform, VMPtr<BoxArray> out, int32_t id);
    virtual int32_t getCollisionRects(int32_t transform, VMPtr<IntArray> out, int32_t id);
    virtual int32_t getWidth(int32_t transform) = 0;
    virtual int32_t getCollisionBoxCount();
    virtual int32_t getX(int32_t transform) = 0;
    virtual int32_t getY(int32_t transform) = 0;

    // Strict overlap: rectangles that only touch do not intersect, and every
    // size must be positive.
    static bool rectsIntersect(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2,
                               int32_t y2, int32_t w2, int32_t h2);

    // The collision tests' shared arrays (own side and other side).
    VM_STATIC(BoxArray, ownBoxes);
    VM_STATIC(BoxArray, otherBoxes);
    VM_STATIC(IntArray, ownRects);
    VM_STATIC(IntArray, otherRects);
};

} // namespace tq
