#include "tq/input/PointerInputKeyRegion.h"

#include "tq/TqCanvas.h"
#include "tq/input/PointerInputKeyManager.h"
#include "vm/VMSynchronized.h"

namespace tq::input {

namespace {

void initialisePointerInputKeyRegion()
{
    PointerInputKeyRegion::regionLock = java::lang::Object::newInstance();
}


} // namespace

VMPtr<PointerInputKeyRegion> PointerInputKeyRegion::init(int8_t regionType, int8_t regionKey)
{
    Object::init();
    type = regionType;
    key = regionKey;
    enabled = true;
    lastTime = TqCanvas::currentTimeMillis();
    return VMPtr<PointerInputKeyRegion>(this);
}

VMPtr<PointerInputKeyRegion> PointerInputKeyRegion::createKeyRegion(int8_t regionKey, int32_t rx,
                                                                   int32_t ry, int32_t w,
                                                                   int32_t h)
{
    VMPtr<PointerInputKeyRegion> r = newInstance()->init(TYPE_CAPTURE, regionKey);
    r->x = rx;
    r->y = ry;
    r->width = w;
    r->height = h;
    return r;
}

bool PointerInputKeyRegion::contains(int32_t px, int32_t py)
{
    return px >= x && px < x + width && py >= y && py < y + height;
}

bool PointerInputKeyRegion::wasReleased()
{
    if (key == OWN_KEY) {
        VMSynchronized guard(regionLock);
        return ownReleased;
    }
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    return canvas && canvas->wasReleased(key);
}

void PointerInputKeyRegion::paint(VMPtr<javax::microedition::lcdui::Graphics> g)
{
    g->drawRect(x - g->getTranslateX() + PointerInputKeyManager::offsetX,
                y - g->getTranslateY() + PointerInputKeyManager::offsetY, width, height);
}

bool PointerInputKeyRegion::wasPressed()
{
    if (key == OWN_KEY)
        return getPressCount() > 0;
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    return canvas && canvas->wasPressed(key);
}

bool PointerInputKeyRegion::isHeld()
{
    if (key == OWN_KEY) {
        VMSynchronized guard(regionLock);
        return ownHeld;
    }
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    return canvas && canvas->isHeld(key);
}

int32_t PointerInputKeyRegion::getPressCount()
{
    if (key == OWN_KEY) {
        VMSynchronized guard(regionLock);
        return ownPresses;
    }
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    return canvas ? canvas->getPressCount(key) : 0;
}

void PointerInputKeyRegion::latch()
{
    VMSynchronized guard(regionLock);
    ownPresses = pendingPresses;
    pendingPresses = 0;
    ownReleased = pendingReleased;
    pendingReleased = false;
    ownHeld = pendingHeld;
}

void PointerInputKeyRegion::updateOwnState()
{
    VMPtr<PointerInputKeyManager_TQC_KeyState> s(ownState);
    if (s->down) {
        if (pendingPresses != 127)
            ++pendingPresses;
        pendingHeld = true;
        pendingReleased = false;
    } else if (s->released) {
        hasOwnState = false;
        if (pendingHeld) {
            pendingReleased = true;
            pendingHeld = false;
        }
    }
}

void PointerInputKeyRegion::swipe(int32_t px, int32_t py)
{
    int32_t n = swipeSteps(px, py);
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    for (; canvas && n > 0; --n) {
        canvas->pressKey(key);
        canvas->releaseKey(key);
    }
}

int32_t PointerInputKeyRegion::swipeSteps(int32_t px, int32_t py)
{
    bool vertical = direction == 0 || direction == 1;
    int32_t c = vertical ? py : px;
    int32_t extent = vertical ? height : width;
    int64_t now = TqCanvas::currentTimeMillis();
    int32_t n = 0;
    // An empty extent has no steps (it cannot be touched either).
    if (stepsPerExtent > 0 && extent > 0 && lastCoord >= 0 && now - lastTime <= SWIPE_GAP_MS) {
        int32_t delta = direction == 0 || direction == 2 ? lastCoord - c : c - lastCoord;
        if (delta < 0) {
            swipeRemainder = 0;
        } else if (delta > 0) {
            int32_t remainder = swipeRemainder < 0 ? -swipeRemainder : swipeRemainder;
            int32_t q = remainder * extent / stepsPerExtent;
            int32_t carry = q / 1024 + (q >= 512 ? 1 : 0);
            int32_t total = stepsPerExtent * (delta + carry);
            n = total / extent;
            swipeRemainder = int16_t(total % extent * 1024 / extent);
        }
    } else {
        swipeRemainder = 0;
    }
    lastTime = now;
    lastCoord = c;
    return n;
}

} // namespace tq::input

VM_REGISTER_CLASS_NO_CREATOR(tq::input::PointerInputKeyRegion, "tq.input.PointerInputKeyRegion",
                             "java.lang.Object", "..\\src\\tq_input_PointerInputKeyRegion",
                             &tq::input::initialisePointerInputKeyRegion);
VM_REGISTER_INTERFACE(tq::input::PointerInputKeyRegion_TQC_Type,
                      "tq.input.PointerInputKeyRegion$Type",
                      "..\\src\\tq_input_PointerInputKeyRegion", nullptr);
VM_REGISTER_INTERFACE(tq::input::PointerInputKeyRegion_TQC_Direction,
                      "tq.input.PointerInputKeyRegion$Direction",
                      "..\\src\\tq_input_PointerInputKeyRegion", nullptr);
