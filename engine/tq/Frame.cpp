#include "tq/Frame.h"

#include "tq/AnimSet.h"
#include "tq/graphics/Rect.h"

namespace tq {

VMPtr<Frame> Frame::init(VMPtr<AnimSet> set, int32_t frameIndex, VMPtr<IntArray> bounds)
{
    Paintable::init();
    animSet = set;
    index = int16_t(frameIndex);
    x = int16_t((*bounds)[0]);
    y = int16_t((*bounds)[1]);
    width = int16_t((*bounds)[2]);
    height = int16_t((*bounds)[3]);
    return VMPtr<Frame>(this);
}

int32_t Frame::getType()
{
    return 1;
}

int32_t Frame::getWidth(int32_t transform)
{
    return (transform & 4) ? height : width;
}

int32_t Frame::getHeight(int32_t transform)
{
    return (transform & 4) ? width : height;
}

int32_t Frame::getX(int32_t transform)
{
    return AnimSet::transformX(x, y, width, height, transform);
}

int32_t Frame::getY(int32_t transform)
{
    return AnimSet::transformY(x, y, width, height, transform);
}

void Frame::paint(VMPtr<Graphics> g, int32_t px, int32_t py, int32_t transform)
{
    VMPtr<AnimSet>(animSet)->paintFrame(g, index, px, py, transform);
}

int32_t Frame::getCollisionBoxes(int32_t transform, VMPtr<BoxArray> out, int32_t id)
{
    return VMPtr<AnimSet>(animSet)->getCollisionBoxes(index, transform, out, id);
}

int32_t Frame::getCollisionRects(int32_t transform, VMPtr<IntArray> out, int32_t id)
{
    return VMPtr<AnimSet>(animSet)->getCollisionRects(index, transform, out, id);
}

int32_t Frame::getCollisionBoxCount()
{
    return index >= 0 ? VMPtr<AnimSet>(animSet)->getCollisionBoxCount(index) : 0;
}

int32_t Frame::getIndex()
{
    return index < 0 ? -int32_t(index) : index;
}

int32_t Frame::getPlacementCount()
{
    return VMPtr<AnimSet>(animSet)->getPlacementCount(index);
}

int32_t Frame::getPlacements(int32_t transform, VMPtr<IntArray> out)
{
    return VMPtr<AnimSet>(animSet)->getPlacements(index, transform, out);
}

bool Frame::intersects(VMPtr<graphics::Rect> r, int32_t px, int32_t py)
{
    int32_t fx = px + x;
    int32_t fy = py + y;
    return r->x + r->width > fx && r->y + r->height > fy && fx + width > r->x &&
           fy + height > r->y;
}

void Frame::getBounds(int32_t transform, VMPtr<IntArray> out)
{
    (*out)[0] = getX(transform);
    (*out)[1] = getY(transform);
    (*out)[2] = getWidth(transform);
    (*out)[3] = getHeight(transform);
}

VMPtr<AnimSet> Frame::getAnimSet()
{
    return VMPtr<AnimSet>(animSet);
}

} // namespace tq

VM_REGISTER_CLASS_NO_CREATOR(tq::Frame, "tq.Frame", "tq.Paintable", "..\\src\\tq_Frame", nullptr);
