#include "tq/Paintable.h"

#include "tq/Gob.h"
#include "tq/graphics/CollisionBox.h"

namespace tq {

using graphics::CollisionBox;

bool Paintable::collidesWith(int32_t x, int32_t y, int32_t transform, int32_t id,
                             VMPtr<Paintable> other, int32_t ox, int32_t oy,
                             int32_t otherTransform, int32_t otherId)
{
    int32_t p = getCollisionBoxCount();
    int32_t q = other->getCollisionBoxCount();
    if (p < 1 || q < 1) {
        CollisionBox::hitBoxA = nullptr;
        CollisionBox::hitBoxB = nullptr;
        return false;
    }
    VMPtr<BoxArray> own = CollisionBox::ensureCapacity(VMPtr<BoxArray>(ownBoxes), p);
    ownBoxes = own;
    VMPtr<BoxArray> theirs = CollisionBox::ensureCapacity(VMPtr<BoxArray>(otherBoxes), q);
    otherBoxes = theirs;
    int32_t c1 = getCollisionBoxes(transform, own, id);
    for (int32_t i = 0; i < c1; i++)
        own->get(i)->translate(x, y);
    int32_t c2 = other->getCollisionBoxes(otherTransform, theirs, otherId);
    for (int32_t i = 0; i < c2; i++)
        theirs->get(i)->translate(ox, oy);
    return CollisionBox::findFirstIntersectingPair(c1, own, c2, theirs);
}

namespace {

// The array when it holds n ints, else a new one of exactly n.
VMPtr<Paintable::IntArray> atLeast(VMPtr<Paintable::IntArray> array, int32_t n)
{
    if (!array || array->length < n)
        return Paintable::IntArray::newArray(n);
    return array;
}

void moveRecords(const VMPtr<Paintable::IntArray>& rects, int32_t count, int32_t dx, int32_t dy)
{
    for (int32_t i = 0; i < count; i++) {
        (*rects)[i * 5] += dx;
        (*rects)[i * 5 + 1] += dy;
    }
}

} // namespace

bool Paintable::collidesWithRects(int32_t x, int32_t y, int32_t transform, int32_t id,
                                  VMPtr<Paintable> other, int32_t ox, int32_t oy,
                                  int32_t otherTransform, int32_t otherId, VMPtr<IntArray> result)
{
    int32_t p = getCollisionBoxCount();
    int32_t q = other->getCollisionBoxCount();
    if (p < 1 || q < 1)
        return false;
    VMPtr<IntArray> own = atLeast(VMPtr<IntArray>(ownRects), p * 5);
    ownRects = own;
    VMPtr<IntArray> theirs = atLeast(VMPtr<IntArray>(otherRects), q * 5);
    otherRects = theirs;
    int32_t c1 = getCollisionRects(transform, own, id);
    moveRecords(own, c1, x, y);
    int32_t c2 = other->getCollisionRects(otherTransform, theirs, otherId);
    moveRecords(theirs, c2, ox, oy);
    return Gob::intersectRects(c1, own, c2, theirs, result);
}

void Paintable::paintTiled(VMPtr<Graphics> g, int32_t x, int32_t y)
{
    int32_t cx = g->getClipX();
    int32_t cy = g->getClipY();
    int32_t right = cx + g->getClipWidth();
    int32_t bottom = cy + g->getClipHeight();
    int32_t w = getWidth(0);
    int32_t h = getHeight(0);
    if (w <= 0 || h <= 0)
        return;
    int32_t sx = x + getX(0);
    int32_t sy = y + getY(0);
    if (sx < cx)
        sx = cx - (cx - sx) % w;
    if (sy < cy)
        sy = cy - (cy - sy) % h;
    // 64-bit steps: a tile at the int range's end must not wrap back.
    for (int64_t ty = sy; ty < bottom; ty += h) {
        for (int64_t tx = sx; tx < right; tx += w)
            paint(g, int32_t(tx), int32_t(ty), 0);
    }
}

int32_t Paintable::getCollisionRects(int32_t transform, VMPtr<IntArray> out)
{
    return getCollisionRects(transform, out, -1);
}

void Paintable::paint(VMPtr<Graphics> g)
{
    paint(g, 0, 0, 0);
}

int32_t Paintable::getCollisionBoxes(int32_t, VMPtr<BoxArray>, int32_t)
{
    return 0;
}

int32_t Paintable::getCollisionRects(int32_t, VMPtr<IntArray>, int32_t)
{
    return 0;
}

int32_t Paintable::getCollisionBoxCount()
{
    return 0;
}

bool Paintable::rectsIntersect(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2,
                               int32_t y2, int32_t w2, int32_t h2)
{
    return x2 + w2 > x1 && y2 + h2 > y1 && x1 + w1 > x2 && y1 + h1 > y2 && w1 > 0 && h1 > 0 &&
           w2 > 0 && h2 > 0;
}

} // namespace tq

VM_REGISTER_ABSTRACT_CLASS(tq::Paintable, "tq.Paintable", "java.lang.Object", "..\\src\\tq_Paintable",
                           nullptr);
