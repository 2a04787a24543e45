#include "tq/graphics/CollisionBox.h"

#include <algorithm>
#include <cstdlib>

#include "java/lang/StringBuffer.h"

namespace tq::graphics {

using java::lang::StringBuffer;

namespace {

void initialiseCollisionBox()
{
    CollisionBox::scratchBox = CollisionBox::newInstance()->init();
}

int64_t square(int64_t v)
{
    return v * v;
}

} // namespace

VMPtr<CollisionBox> CollisionBox::init()
{
    return initWithType(RECTANGLE);
}

VMPtr<CollisionBox> CollisionBox::initWithType(int32_t boxType)
{
    Paintable::init();
    type = boxType;
    return VMPtr<CollisionBox>(this);
}

int32_t CollisionBox::getType()
{
    return type;
}

int32_t CollisionBox::getHeight(int32_t)
{
    return height;
}

int32_t CollisionBox::getWidth(int32_t)
{
    return width;
}

int32_t CollisionBox::getX(int32_t)
{
    return x;
}

int32_t CollisionBox::getY(int32_t)
{
    return y;
}

void CollisionBox::paint(VMPtr<Graphics> g, int32_t dx, int32_t dy, int32_t)
{
    x += dx;
    y += dy;
    try {
        paint(g);
    } catch (...) {
        x -= dx;
        y -= dy;
        throw;
    }
    x -= dx;
    y -= dy;
}

void CollisionBox::paint(VMPtr<Graphics> g)
{
    if (width < 1 || height < 1)
        return;
    int32_t saved = 0;
    if (useColor) {
        saved = g->getARGBColor();
        g->setColor(color);
    }
    if (type == CIRCLE) {
        if (filled)
            g->fillArc(x, y, width - 1, height - 1, 0, 360);
        else
            g->drawArc(x, y, width - 1, height - 1, 0, 360);
    } else if (filled) {
        g->fillRect(x, y, width, height);
    } else {
        g->drawRect(x, y, width - 1, height - 1);
    }
    if (useColor)
        g->setColor(saved);
}

int32_t CollisionBox::getCollisionBoxes(int32_t, VMPtr<BoxArray> boxes, int32_t wanted)
{
    int32_t count = width >= 1 && height >= 1 && (wanted < 0 || wanted == id) ? 1 : 0;
    if (count == 1 && boxes->length >= 1)
        copyTo(boxes->get(0));
    return count;
}

int32_t CollisionBox::getCollisionBoxCount()
{
    return width > 0 && height > 0 ? 1 : 0;
}

void CollisionBox::setSize(int32_t w, int32_t h)
{
    width = w;
    height = h;
}

void CollisionBox::setToIntersection(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b)
{
    int32_t left = std::max(a->x, b->x);
    int32_t top = std::max(a->y, b->y);
    int32_t right = std::min(a->x + a->width, b->x + b->width);
    int32_t bottom = std::min(a->y + a->height, b->y + b->height);
    x = left;
    y = top;
    width = right - left;
    height = bottom - top;
    type = RECTANGLE;
}

void CollisionBox::setToUnion(VMPtr<CollisionBox> a, VMPtr<CollisionBox> b)
{
    int32_t left = std::min(a->x, b->x);
    int32_t top = std::min(a->y, b->y);
    int32_t right = std::max(a->x + a->width, b->x + b->width);
    int32_t bottom = std::max(a->y + a->height, b->y + b->height);
    x = left;
    y = top;
    width = right - left;
    height = bottom - top;
    type = RECTANGLE;
}

void CollisionBox::translate(int32_t dx, int32_t dy)
{
    x += dx;
    y += dy;
}

bool CollisionBox::intersectsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh)
{
    if (type == RECTANGLE)
        return rx + rw > x && ry + rh > y && x + width > rx && y + height > ry && rw > 0 && rh > 0 &&
               width >= 1 && height >= 1;
    VMPtr<CollisionBox> scratch(scratchBox);
    scratch->x = rx;
    scratch->y = ry;
    scratch->width = rw;
    scratch->height = rh;
    int32_t r = width >> 1;
    return circleIntersectsRect(x + r, y + r, r, scratch);
}

bool CollisionBox::intersects(VMPtr<CollisionBox> other)
{
    if (type == RECTANGLE && other->type == RECTANGLE)
        return other->x + other->width > x && other->y + other->height > y &&
               x + width > other->x && y + height > other->y && width > 0 && height > 0 &&
               other->width > 0 && other->height > 0;
    if (type == RECTANGLE) {
        int32_t r = other->width >> 1;
        return circleIntersectsRect(other->x + r, other->y + r, r, VMPtr<CollisionBox>(this));
    }
    if (other->type == RECTANGLE) {
        int32_t r = width >> 1;
        return circleIntersectsRect(x + r, y + r, r, other);
    }
    int32_t r1 = other->width >> 1;
    int32_t r2 = width >> 1;
    int64_t dx = int64_t(x + r2) - (other->x + r1);
    int64_t dy = int64_t(y + r2) - (other->y + r1);
    return square(dx) + square(dy) <= square(int64_t(r1) + r2);
}

bool CollisionBox::circleIntersectsRect(int32_t cx, int32_t cy, int32_t r, VMPtr<CollisionBox> rect)
{
    int32_t hw = rect->width >> 1;
    int32_t hh = rect->height >> 1;
    int64_t dx = std::llabs(int64_t(cx) - (rect->x + hw));
    int64_t dy = std::llabs(int64_t(cy) - (rect->y + hh));
    if (dx > int64_t(hw) + r || dy > int64_t(hh) + r)
        return false;
    if (dx > hw && dy > hh)
        return square(dx - hw) + square(dy - hh) <= square(r);
    return true;
}

void CollisionBox::setBoundsFrom(VMPtr<CollisionBox> other)
{
    setBounds(other->x, other->y, other->width, other->height);
}

void CollisionBox::setBounds(int32_t bx, int32_t by, int32_t w, int32_t h)
{
    x = bx;
    y = by;
    width = w;
    height = h;
}

void CollisionBox::setPosition(int32_t px, int32_t py)
{
    x = px;
    y = py;
}

void CollisionBox::copyTo(VMPtr<CollisionBox> other)
{
    other->x = x;
    other->y = y;
    other->width = width;
    other->height = height;
    other->id = id;
    other->type = type;
}

void CollisionBox::copyAllTo(VMPtr<CollisionBox> other)
{
    copyTo(other);
    other->filled = filled;
    other->color = color;
    other->useColor = useColor;
}

bool CollisionBox::intersectsAt(VMPtr<CollisionBox> other, int32_t dx, int32_t dy, int32_t transform)
{
    int32_t ax = dx + getX(transform);
    int32_t ay = dy + getY(transform);
    return other->x + other->width > ax && other->y + other->height > ay &&
           ax + getWidth(transform) > other->x && ay + getHeight(transform) > other->y;
}

bool CollisionBox::intersectsAt(VMPtr<CollisionBox> other, int32_t dx, int32_t dy)
{
    return intersectsAt(other, dx, dy, 0);
}

bool CollisionBox::containsRect(int32_t rx, int32_t ry, int32_t rw, int32_t rh)
{
    return x <= rx && y <= ry && rx + rw <= x + width && ry + rh <= y + height && rw >= 1 &&
           rh >= 1 && width > 0 && height > 0;
}

bool CollisionBox::contains(int32_t px, int32_t py)
{
    if (type == RECTANGLE)
        return width >= 1 && height >= 1 && x <= px && px < x + width && y <= py &&
               py < y + height;
    int32_t r = width >> 1;
    int64_t dx = int64_t(px) - x - r;
    int64_t dy = int64_t(py) - y - r;
    return square(dx) + square(dy) < square(r);
}

bool CollisionBox::containsBox(VMPtr<CollisionBox> other)
{
    return other->x >= x && other->y >= y && x + width >= other->x + other->width &&
           y + height >= other->y + other->height && other->width > 0 && other->height > 0 &&
           width >= 1 && height >= 1;
}

bool CollisionBox::isEmpty()
{
    return width <= 0 || height <= 0;
}

VMPtr<java::lang::String> CollisionBox::toString()
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("x,y:");
    text->append(x)->appendCString(",")->append(y)->appendCString(", WxH:")->append(width);
    return text->appendCString(",")->append(height)->toString();
}

bool CollisionBox::findFirstIntersectingPair(int32_t countA, VMPtr<BoxArray> a, int32_t countB,
                                             VMPtr<BoxArray> b)
{
    for (int32_t i = 0; i < countA; i++) {
        VMPtr<CollisionBox> first = a->get(i);
        for (int32_t j = 0; j < countB; j++) {
            VMPtr<CollisionBox> second = b->get(j);
            if (first->intersects(second)) {
                hitBoxA = first;
                hitBoxB = second;
                return true;
            }
        }
    }
    hitBoxA = nullptr;
    hitBoxB = nullptr;
    return false;
}

VMPtr<Paintable::BoxArray> CollisionBox::ensureCapacity(VMPtr<BoxArray> boxes, int32_t n)
{
    if (boxes && boxes->length >= n)
        return boxes;
    // Every entry of a new array is a box, so callers filling by index never
    // meet an empty one.
    VMPtr<BoxArray> grown = BoxArray::newArray(std::max(n, 4));
    for (int32_t i = 0; i < grown->length; i++)
        grown->set(i, newInstance()->init());
    return grown;
}

} // namespace tq::graphics

VM_REGISTER_CLASS(tq::graphics::CollisionBox, "tq.graphics.CollisionBox", "tq.Paintable",
                  "..\\src\\tq_graphics_CollisionBox", &tq::graphics::initialiseCollisionBox);
