#include "tq/input/PointerInputEventManager.h"

#include "java/lang/System.h"
#include "tq/TqCanvas.h"
#include "vm/VMSynchronized.h"

namespace tq::input {

namespace {

using M = PointerInputEventManager;

// The canvas's viewport; empty, at 0, without a canvas.
int32_t viewportWidth()
{
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    return canvas ? canvas->getViewportWidth() : 0;
}

int32_t viewportHeight()
{
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    return canvas ? canvas->getViewportHeight() : 0;
}

// Fresh per-pointer tracking, one pointer.
void newPointerTracking()
{
    M::lastX = M::IntArray::newArray(1);
    M::lastY = M::IntArray::newArray(1);
    M::lastTime = M::LongArray::newArray(1);
    M::down = M::BoolArray::newArray(1);
}

void initialisePointerInputEventManager()
{
    M::queueLock = java::lang::Object::newInstance();
    M::areaLock = java::lang::Object::newInstance();
    M::baseTime = java::lang::System::currentTimeMillis();
    // Tracking exists from the start, so a touch before init finds it.
    newPointerTracking();
}

int32_t nextIndex(int32_t i)
{
    return (i + 1) % PointerInputEventManager::CAPACITY;
}

} // namespace

VMPtr<PointerInputEventManager_TQC_Event> PointerInputEventManager_TQC_Event::init()
{
    return VMPtr<PointerInputEventManager_TQC_Event>(this);
}

void PointerInputEventManager::addEvent(int8_t p, int32_t x, int32_t y, int8_t type, int64_t time)
{
    _VM_clinit();
    if (inputBlocked || p != 0)
        return;
    x -= offsetX;
    y -= offsetY;
    VMPtr<BoolArray> isDown(down);
    bool wasDown = (*isDown)[p];
    {
        VMSynchronized guard(areaLock);
        bool inside = x >= areaX && x < areaX + areaWidth && y >= areaY && y < areaY + areaHeight;
        if (!inside) {
            if (!wasDown)
                return;
            type = RELEASED;
            if (x < areaX)
                x = areaX;
            else if (x >= areaX + areaWidth)
                x = areaX + areaWidth - 1;
            if (y < areaY)
                y = areaY;
            else if (y >= areaY + areaHeight)
                y = areaY + areaHeight - 1;
        }
    }
    if (!wasDown) {
        if (type == RELEASED)
            return;
        if (type == DRAGGED)
            type = PRESSED;
    } else if (type == PRESSED) {
        queueEvent(p, (*VMPtr<IntArray>(lastX))[p], (*VMPtr<IntArray>(lastY))[p], RELEASED,
                   (*VMPtr<LongArray>(lastTime))[p]);
    }
    queueEvent(p, x, y, type, time);
}

void PointerInputEventManager::queueEvent(int8_t p, int32_t x, int32_t y, int8_t type,
                                          int64_t time)
{
    {
        VMSynchronized guard(queueLock);
        if (enabled) {
            makeRoom();
            ++count;
            VMPtr<Event> record = VMPtr<EventArray>(events)->get(tail);
            record->x = int16_t(x);
            record->y = int16_t(y);
            record->type = type;
            record->pointerId = p;
            record->time = int32_t(time - baseTime);
        }
    }
    (*VMPtr<BoolArray>(down))[p] = type == PRESSED || type == DRAGGED;
    (*VMPtr<IntArray>(lastX))[p] = x;
    (*VMPtr<IntArray>(lastY))[p] = y;
    (*VMPtr<LongArray>(lastTime))[p] = time;
}

void PointerInputEventManager::swapRecords(int32_t a, int32_t b)
{
    VMPtr<EventArray> ring(events);
    VMPtr<Event> first = ring->get(a);
    ring->set(a, ring->get(b));
    ring->set(b, first);
}

void PointerInputEventManager::makeRoom()
{
    tail = nextIndex(tail);
    if (count <= 0 || tail != head)
        return;
    // Full: drop the oldest event, or the oldest one behind a front release,
    // so that a pending press or release is not lost.
    VMPtr<EventArray> ring(events);
    int32_t dropped = 1;
    int32_t c = head;
    bool frontReleased = ring->get(c)->type == RELEASED;
    if (frontReleased)
        c = nextIndex(c);
    if (ring->get(c)->type == PRESSED) {
        if (ring->get(nextIndex(c))->type == RELEASED)
            dropped = 2;
        else
            swapRecords(c, nextIndex(c));
    }
    if (frontReleased) {
        if (dropped == 2)
            c = nextIndex(c);
        swapRecords(head, c);
    }
    count -= dropped;
    head = (head + dropped) % CAPACITY;
}

bool PointerInputEventManager::isEnabled()
{
    _VM_clinit();
    return enabled;
}

bool PointerInputEventManager::setEnabled(bool on)
{
    _VM_clinit();
    VMSynchronized guard(queueLock);
    if (on != enabled) {
        enabled = on;
        if (!on) {
            count = 0;
            events = nullptr;
        } else {
            VMPtr<EventArray> ring = EventArray::newArray(CAPACITY);
            for (int32_t i = CAPACITY - 1; i >= 0; --i)
                ring->set(i, Event::newInstance()->init());
            events = ring;
            reset();
        }
    }
    return true;
}

void PointerInputEventManager::reset()
{
    _VM_clinit();
    VMSynchronized guard(queueLock);
    currentTime = -1;
    count = 0;
    head = 0;
    tail = CAPACITY - 1;
    currentX = 0;
    currentY = 0;
    currentType = 0;
}

bool PointerInputEventManager::nextEvent()
{
    _VM_clinit();
    if (count < 1 || queueHeld)
        return false;
    VMSynchronized guard(queueLock);
    // The count is looked at again: a reset may have come in between.
    if (!enabled || count < 1)
        return false;
    VMPtr<Event> record = VMPtr<EventArray>(events)->get(head);
    currentX = record->x;
    currentY = record->y;
    currentType = record->type;
    currentPointerId = record->pointerId;
    currentTime = baseTime + int64_t(record->time);
    head = nextIndex(head);
    --count;
    return true;
}

int32_t PointerInputEventManager::getEventCount()
{
    _VM_clinit();
    return count;
}

int32_t PointerInputEventManager::getX()
{
    return currentX;
}

int32_t PointerInputEventManager::getY()
{
    return currentY;
}

int8_t PointerInputEventManager::getType()
{
    return currentType;
}

int8_t PointerInputEventManager::getPointerId()
{
    return currentPointerId;
}

void PointerInputEventManager::setQueueHeld(bool held)
{
    queueHeld = held;
}

void PointerInputEventManager::setInputBlocked(bool blocked)
{
    inputBlocked = blocked;
}

void PointerInputEventManager::releaseAllPointers()
{
    _VM_clinit();
    int64_t now = java::lang::System::currentTimeMillis();
    VMPtr<BoolArray> isDown(down);
    for (int32_t p = 0; p < isDown->length; ++p) {
        if ((*isDown)[p])
            queueEvent(int8_t(p), (*VMPtr<IntArray>(lastX))[p], (*VMPtr<IntArray>(lastY))[p],
                       RELEASED, now);
    }
}

bool PointerInputEventManager::setInputArea(int32_t x, int32_t y, int32_t width, int32_t height)
{
    _VM_clinit();
    VMSynchronized guard(areaLock);
    areaX = x;
    areaY = y;
    requestedWidth = width;
    requestedHeight = height;
    areaWidth = width >= 0 ? width : viewportWidth();
    areaHeight = height >= 0 ? height : viewportHeight();
    return true;
}

void PointerInputEventManager::refreshViewport()
{
    _VM_clinit();
    if (requestedWidth < 0 || requestedHeight < 0)
        setInputArea(areaX, areaY, requestedWidth, requestedHeight);
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    offsetX = canvas ? canvas->getViewportOffsetX() : 0;
    offsetY = canvas ? canvas->getViewportOffsetY() : 0;
}

void PointerInputEventManager::init()
{
    _VM_clinit();
    {
        VMSynchronized guard(areaLock);
        requestedWidth = -1;
        requestedHeight = -1;
        areaWidth = viewportWidth();
        areaHeight = viewportHeight();
    }
    newPointerTracking();
}

bool PointerInputEventManager::isZero(bool value)
{
    return !value;
}

} // namespace tq::input

VM_REGISTER_CLASS(tq::input::PointerInputEventManager_TQC_Event,
                  "tq.input.PointerInputEventManager$Event", "java.lang.Object",
                  "..\\src\\tq_input_PointerInputEventManager", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(tq::input::PointerInputEventManager,
                             "tq.input.PointerInputEventManager", "java.lang.Object",
                             "..\\src\\tq_input_PointerInputEventManager",
                             &tq::input::initialisePointerInputEventManager);
