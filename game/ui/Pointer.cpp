#include "ui/Pointer.h"

#include <algorithm>

#include "tq/input/PointerInputEventManager.h"

namespace ui {

using tq::graphics::CollisionBox;
using tq::input::PointerInputEventManager;
using tq::input::PointerInputKeyManager;
using tq::input::PointerInputKeyRegion;

VMPtr<Pointer> Pointer::init()
{
    Object::init();
    reset();
    return VMPtr<Pointer>(this);
}

// ---- Touch state ----

void Pointer::reset()
{
    PointerInputEventManager::setEnabled(true);
    startX = IntArray::newArray(1);
    startY = IntArray::newArray(1);
    previousX = IntArray::newArray(1);
    previousY = IntArray::newArray(1);
    currentX = IntArray::newArray(1);
    currentY = IntArray::newArray(1);
    pressed = BoolArray::newArray(1);
    released = BoolArray::newArray(1);
    offsetX = offsetY = 0;
    offsetMaxX = offsetMaxY = offsetMinX = offsetMinY = 0;
}

void Pointer::foldDrag()
{
    offsetX = std::clamp((*currentX)[0] - (*startX)[0] + offsetX, offsetMinX,
                         std::max(offsetMinX, offsetMaxX));
    offsetY = std::clamp((*currentY)[0] - (*startY)[0] + offsetY, offsetMinY,
                         std::max(offsetMinY, offsetMaxY));
}

void Pointer::processEvents()
{
    if ((*released)[0]) {
        foldDrag();
        (*startX)[0] = (*startY)[0] = 0;
        (*previousX)[0] = (*previousY)[0] = 0;
        (*currentX)[0] = (*currentY)[0] = 0;
        (*pressed)[0] = false;
        (*released)[0] = false;
    }
    for (int32_t n = 0; n < EVENTS_PER_FRAME; n++) {
        if (!PointerInputEventManager::nextEvent())
            break;
        // Only pointer 0 has a state.
        if (PointerInputEventManager::getPointerId() != 0)
            continue;
        int32_t x = PointerInputEventManager::getX();
        int32_t y = PointerInputEventManager::getY();
        switch (PointerInputEventManager::getType()) {
        case PointerInputEventManager::PRESSED:
            (*pressed)[0] = true;
            (*released)[0] = false;
            (*startX)[0] = (*previousX)[0] = (*currentX)[0] = x;
            (*startY)[0] = (*previousY)[0] = (*currentY)[0] = y;
            break;
        case PointerInputEventManager::RELEASED:
            (*pressed)[0] = false;
            (*released)[0] = true;
            [[fallthrough]];
        case PointerInputEventManager::DRAGGED:
            (*previousX)[0] = (*currentX)[0];
            (*previousY)[0] = (*currentY)[0];
            (*currentX)[0] = x;
            (*currentY)[0] = y;
            break;
        default:
            break;
        }
    }
}

void Pointer::update()
{
    processEvents();
}

int32_t Pointer::getPendingEventCount()
{
    return PointerInputEventManager::getEventCount();
}

int32_t Pointer::getX(int32_t p)
{
    return (*currentX)[p];
}

int32_t Pointer::getY(int32_t p)
{
    return (*currentY)[p];
}

int32_t Pointer::getStartX(int32_t p)
{
    return (*startX)[p];
}

int32_t Pointer::getStartY(int32_t p)
{
    return (*startY)[p];
}

int32_t Pointer::getPreviousX(int32_t p)
{
    return (*previousX)[p];
}

int32_t Pointer::getPreviousY(int32_t p)
{
    return (*previousY)[p];
}

int32_t Pointer::getDragX(int32_t p)
{
    return (*currentX)[p] - (*startX)[p];
}

int32_t Pointer::getDragY(int32_t p)
{
    return (*currentY)[p] - (*startY)[p];
}

void Pointer::setStartX(int32_t p, int32_t v)
{
    (*startX)[p] = v;
}

void Pointer::setStartY(int32_t p, int32_t v)
{
    (*startY)[p] = v;
}

void Pointer::resetX()
{
    (*startX)[0] = (*previousX)[0] = (*currentX)[0] = 0;
    offsetX = 0;
}

void Pointer::resetY()
{
    (*startY)[0] = (*previousY)[0] = (*currentY)[0] = 0;
    offsetY = 0;
}

void Pointer::setOffsetX(int32_t v)
{
    offsetX = v;
}

void Pointer::setOffsetY(int32_t v)
{
    offsetY = v;
}

void Pointer::setOffsetBounds(int32_t maxX, int32_t maxY, int32_t minX, int32_t minY)
{
    offsetMaxX = maxX;
    offsetMaxY = maxY;
    offsetMinX = minX;
    offsetMinY = minY;
}

// ---- Hit tests ----

void Pointer::setItemBoxes(VMPtr<IntTable> boxes, VMPtr<IntArray> area)
{
    VMPtr<BoxArray> made = BoxArray::newArray(boxes->length);
    for (int32_t i = 0; i < boxes->length; i++) {
        VMPtr<IntArray> row = boxes->get(i);
        VMPtr<CollisionBox> box = CollisionBox::newInstance()->init();
        box->setBounds((*row)[0], (*row)[1], (*row)[2], (*row)[3]);
        made->set(i, box);
    }
    itemBoxes = made;
    VMPtr<CollisionBox> box = CollisionBox::newInstance()->init();
    box->setBounds((*area)[0], (*area)[1], (*area)[2], (*area)[3]);
    itemArea = box;
}

int32_t Pointer::getItemAt(int32_t p)
{
    int32_t x = (*currentX)[p];
    int32_t y = (*currentY)[p];
    if (itemBoxes == nullptr || itemArea == nullptr || !itemArea->contains(x, y))
        return -1;
    for (int32_t i = 0; i < itemBoxes->length; i++) {
        if (itemBoxes->get(i)->contains(x, y))
            return i;
    }
    return -1;
}

int32_t Pointer::getHeldItem(int32_t p)
{
    return (*pressed)[p] ? getItemAt(p) : -1;
}

int32_t Pointer::getReleasedItem(int32_t p)
{
    return (*released)[p] && !(*pressed)[p] ? getItemAt(p) : -1;
}

bool Pointer::isInside(VMPtr<IntArray> rect, int32_t p)
{
    int32_t x = (*currentX)[p];
    int32_t y = (*currentY)[p];
    return (*rect)[0] <= x && x <= (*rect)[0] + (*rect)[2] && (*rect)[1] <= y &&
           y <= (*rect)[1] + (*rect)[3];
}

// ---- Direction buttons ----

void Pointer::addRegion(int8_t key, VMPtr<IntArray> rect)
{
    if ((*rect)[2] == 0 || (*rect)[3] == 0)
        return;
    VMPtr<PointerInputKeyRegion> region = PointerInputKeyRegion::createKeyRegion(
        key, (*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]);
    if (directionRegions == nullptr)
        directionRegions = RegionArray::newArray(4);
    directionRegions->set(0, region);
    PointerInputKeyManager::addRegion(region);
    directionRegions->set(0, nullptr);
}

void Pointer::removeRegions(int8_t key, VMPtr<IntArray> rect)
{
    if ((*rect)[2] == 0 || (*rect)[3] == 0)
        return;
    VMPtr<RegionArray> regions = RegionArray::newArray(PointerInputKeyManager::getRegionCount(key));
    int32_t n = PointerInputKeyManager::getRegions(regions, key);
    for (int32_t i = 0; i < n; i++) {
        VMPtr<PointerInputKeyRegion> r = regions->get(i);
        if (r->x == (*rect)[0] && r->y == (*rect)[1] && r->width == (*rect)[2] &&
            r->height == (*rect)[3])
            PointerInputKeyManager::removeRegion(r);
    }
}

void Pointer::addUpRegion(VMPtr<IntArray> rect)
{
    addRegion(KEY_UP, rect);
}

void Pointer::addDownRegion(VMPtr<IntArray> rect)
{
    addRegion(KEY_DOWN, rect);
}

void Pointer::addLeftRegion(VMPtr<IntArray> rect)
{
    addRegion(KEY_LEFT, rect);
}

void Pointer::addRightRegion(VMPtr<IntArray> rect)
{
    addRegion(KEY_RIGHT, rect);
}

void Pointer::removeUpRegions(VMPtr<IntArray> rect)
{
    removeRegions(KEY_UP, rect);
}

void Pointer::removeDownRegions(VMPtr<IntArray> rect)
{
    removeRegions(KEY_DOWN, rect);
}

void Pointer::removeLeftRegions(VMPtr<IntArray> rect)
{
    removeRegions(KEY_LEFT, rect);
}

void Pointer::removeRightRegions(VMPtr<IntArray> rect)
{
    removeRegions(KEY_RIGHT, rect);
}

void Pointer::clearRegions()
{
    PointerInputKeyManager::removeRegions(0);
    directionRegions = nullptr;
    reset();
}

} // namespace ui

VM_REGISTER_CLASS(ui::Pointer, "ui.Pointer", "java.lang.Object", "..\\src\\ui_Pointer", nullptr);
