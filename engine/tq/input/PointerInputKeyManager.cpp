#include "tq/input/PointerInputKeyManager.h"

#include "tq/TqCanvas.h"
#include "vm/VMSynchronized.h"

namespace tq::input {

namespace {

using M = PointerInputKeyManager;
using Region = PointerInputKeyRegion;

// Presses or releases a game key on the canvas; nothing without one.
void pressOnCanvas(int32_t key, bool press)
{
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    if (!canvas)
        return;
    if (press)
        canvas->pressKey(key);
    else
        canvas->releaseKey(key);
}

// The pool exists from the start, so a touch before init finds it.
void createPool()
{
    M::keyStates = M::KeyStateArray::newArray(M::KEY_COUNT);
    VMPtr<M::IntArray> slots = M::IntArray::newArray(M::KEY_COUNT);
    for (int32_t i = 0; i < M::KEY_COUNT; ++i)
        (*slots)[i] = -1;
    M::keyStateSlot = slots;
}

void initialisePointerInputKeyManager()
{
    M::pointerCount = 1;
    M::lock = java::lang::Object::newInstance();
    createPool();
}

VMPtr<Region> regionAt(const VMPtr<java::util::Vector>& list, int32_t i)
{
    return vm_cast<Region>(list->elementAt(i));
}

} // namespace

VMPtr<PointerInputKeyManager_TQC_KeyState> PointerInputKeyManager_TQC_KeyState::init()
{
    return VMPtr<PointerInputKeyManager_TQC_KeyState>(this);
}

void PointerInputKeyManager::init()
{
    _VM_clinit();
    if (!keyStates)
        createPool();
    refreshViewport();
}

void PointerInputKeyManager::refreshViewport()
{
    _VM_clinit();
    VMPtr<TqCanvas> canvas(TqCanvas::instance);
    offsetX = canvas ? canvas->getViewportOffsetX() : 0;
    offsetY = canvas ? canvas->getViewportOffsetY() : 0;
}

// ---- Region list ----

bool PointerInputKeyManager::addRegion(VMPtr<Region> r)
{
    _VM_clinit();
    if (!r)
        return false;
    VMSynchronized guard(lock);
    if (!regions)
        regions = java::util::Vector::newInstance()->init();
    VMPtr<java::util::Vector> list(regions);
    if (list->indexOf(r) >= 0)
        return false;
    list->addElement(r);
    r->pressed = Region::BoolArray::newArray(pointerCount);
    if (r->type == Region::TYPE_CAPTURE)
        r->captured = Region::BoolArray::newArray(pointerCount);
    return true;
}

void PointerInputKeyManager::dropArrays(VMPtr<Region> r)
{
    r->pressed = nullptr;
    r->captured = nullptr;
}

bool PointerInputKeyManager::removeRegion(VMPtr<Region> r)
{
    _VM_clinit();
    VMSynchronized guard(lock);
    VMPtr<java::util::Vector> list(regions);
    if (!list || !list->removeElement(r))
        return false;
    dropArrays(r);
    return true;
}

int32_t PointerInputKeyManager::removeRegions(int8_t key)
{
    _VM_clinit();
    if (!(key >= -64 && key <= 63) && key != Region::OWN_KEY)
        return 0;
    VMSynchronized guard(lock);
    VMPtr<java::util::Vector> list(regions);
    if (!list)
        return 0;
    if (key == 0) {
        regions = nullptr;
        return 0;
    }
    int32_t removed = 0;
    for (int32_t i = 0; i < list->size();) {
        VMPtr<Region> r = regionAt(list, i);
        if (r->key == key) {
            list->removeElementAt(i);
            dropArrays(r);
            ++removed;
        } else {
            ++i;
        }
    }
    return removed;
}

int32_t PointerInputKeyManager::getRegionCount(int8_t key)
{
    _VM_clinit();
    VMSynchronized guard(lock);
    VMPtr<java::util::Vector> list(regions);
    if (!list)
        return 0;
    int32_t n = 0;
    for (int32_t i = 0; i < list->size(); ++i) {
        if (key == 0 || regionAt(list, i)->key == key)
            ++n;
    }
    return n;
}

int32_t PointerInputKeyManager::getRegions(VMPtr<RegionArray> out, int8_t key)
{
    _VM_clinit();
    VMSynchronized guard(lock);
    VMPtr<java::util::Vector> list(regions);
    if (!out || !list)
        return 0;
    int32_t n = 0;
    for (int32_t i = 0; i < list->size() && n < out->length; ++i) {
        VMPtr<Region> r = regionAt(list, i);
        if (key == 0 || r->key == key)
            out->set(n++, r);
    }
    return n;
}

// ---- Key states ----

VMPtr<PointerInputKeyManager::KeyState> PointerInputKeyManager::findKeyState(VMPtr<Region> r,
                                                                             bool create)
{
    int32_t i = TqCanvas::keyCodeToIndex(r->key);
    if (i >= 0) {
        VMPtr<IntArray> slots(keyStateSlot);
        VMPtr<KeyStateArray> pool(keyStates);
        if ((*slots)[i] >= 0)
            return pool->get((*slots)[i]);
        if (!create)
            return nullptr;
        VMPtr<KeyState> s = pool->get(keyStateCount);
        if (!s) {
            s = KeyState::newInstance()->init();
            pool->set(keyStateCount, s);
        }
        s->released = false;
        s->held = false;
        s->key = r->key;
        (*slots)[i] = keyStateCount;
        ++keyStateCount;
        return s;
    }
    if (r->key == Region::OWN_KEY) {
        if (r->hasOwnState)
            return VMPtr<KeyState>(r->ownState);
        if (!create)
            return nullptr;
        VMPtr<KeyState> s(r->ownState);
        if (!s) {
            s = KeyState::newInstance()->init();
            r->ownState = s;
        }
        s->released = false;
        s->held = false;
        s->key = Region::OWN_KEY;
        r->hasOwnState = true;
        return s;
    }
    return nullptr;
}

void PointerInputKeyManager::removeKeyState(int32_t key)
{
    int32_t i = TqCanvas::keyCodeToIndex(key);
    if (i < 0)
        return;
    VMPtr<IntArray> slots(keyStateSlot);
    int32_t s = (*slots)[i];
    if (s < 0)
        return;
    --keyStateCount;
    if (s < keyStateCount) {
        // The last state in use fills the gap; the freed one waits behind.
        VMPtr<KeyStateArray> pool(keyStates);
        VMPtr<KeyState> removed = pool->get(s);
        VMPtr<KeyState> moved = pool->get(keyStateCount);
        pool->set(s, moved);
        (*slots)[TqCanvas::keyCodeToIndex(moved->key)] = s;
        pool->set(keyStateCount, removed);
    }
    (*slots)[i] = -1;
}

void PointerInputKeyManager::askForKey(VMPtr<Region> r)
{
    // A key without an index has no state: nothing to ask for.
    if (VMPtr<KeyState> s = findKeyState(r, true))
        s->down = true;
}

void PointerInputKeyManager::downStep(VMPtr<KeyState> s)
{
    s->released = s->held && !s->down;
    s->down = s->down && !s->held;
    s->held = s->held || s->down;
}

void PointerInputKeyManager::upStep(VMPtr<KeyState> s)
{
    if (s->held) {
        s->released = true;
        s->down = false;
        s->held = false;
    } else {
        s->released = false;
    }
}

// ---- Touch events ----

void PointerInputKeyManager::applyEvent(VMPtr<Region> r, int8_t p, int32_t x, int32_t y,
                                        bool isDown, bool isEdge)
{
    if (!r->enabled)
        return;
    bool isPress = isDown && isEdge;
    VMPtr<Region::BoolArray> pressed(r->pressed);
    VMPtr<Region::BoolArray> captured(r->captured);
    bool capture = r->type == Region::TYPE_CAPTURE;
    if (r->contains(x, y)) {
        // A drag into a capture region, or a release in it, does not count
        // unless that pointer was pressed inside.
        if (!(capture && !(*captured)[p] && !isPress))
            (*pressed)[p] = true;
        if (!isDown) {
            VMPtr<KeyState> s = findKeyState(r, false);
            if (s && s->held) {
                r->tapped = true;
                (*pressed)[p] = false;
            }
        }
        if (capture) {
            if (isPress)
                (*captured)[p] = true;
        } else if (r->type == Region::TYPE_HOLD) {
            if (isDown)
                askForKey(r);
        } else if (r->type == Region::TYPE_SWIPE) {
            if (isDown)
                r->swipe(x, y);
        }
    }
    if (capture) {
        if (!isDown)
            (*captured)[p] = false;
        else if ((*captured)[p])
            askForKey(r);
    } else if (r->type == Region::TYPE_SWIPE && !isDown) {
        r->lastCoord = -1;
    }
}

void PointerInputKeyManager::onPointerEvent(int8_t p, int32_t x, int32_t y, bool isDown,
                                            bool isEdge)
{
    _VM_clinit();
    if (!regions)
        return;
    x -= offsetX;
    y -= offsetY;
    // The whole event runs under the lock: a reset or a region change on the
    // canvas thread cannot come between a state's step and its key press.
    VMSynchronized guard(lock);
    VMPtr<java::util::Vector> list(regions);
    if (!list)
        return;
    VMPtr<KeyStateArray> pool(keyStates);
    for (int32_t i = 0; i < keyStateCount; ++i) {
        VMPtr<KeyState> s = pool->get(i);
        s->released = false;
        s->down = false;
    }
    for (int32_t i = 0; i < list->size(); ++i) {
        VMPtr<Region> r = regionAt(list, i);
        (*VMPtr<Region::BoolArray>(r->pressed))[p] = false;
        if (!isDown && r->type == Region::TYPE_CAPTURE)
            (*VMPtr<Region::BoolArray>(r->captured))[p] = false;
        applyEvent(r, p, x, y, isDown, isEdge);
        if (r->key == Region::OWN_KEY && r->hasOwnState) {
            VMPtr<KeyState> own(r->ownState);
            if (isDown)
                downStep(own);
            else
                upStep(own);
            r->updateOwnState();
        }
    }
    for (int32_t i = 0; i < keyStateCount; ++i) {
        if (isDown)
            downStep(pool->get(i));
        else
            upStep(pool->get(i));
    }
    for (int32_t i = 0; i < keyStateCount;) {
        VMPtr<KeyState> s = pool->get(i);
        if (s->down) {
            pressOnCanvas(s->key, true);
            ++i;
        } else if (s->released) {
            pressOnCanvas(s->key, false);
            removeKeyState(s->key);
        } else {
            ++i;
        }
    }
}

// ---- Latch and reset ----

void PointerInputKeyManager::latchRegions()
{
    _VM_clinit();
    VMSynchronized guard(lock);
    VMPtr<java::util::Vector> list(regions);
    if (!list)
        return;
    for (int32_t i = 0; i < list->size(); ++i) {
        VMPtr<Region> r = regionAt(list, i);
        r->touched = r->tapped || (*VMPtr<Region::BoolArray>(r->pressed))[0];
        r->tapped = false;
        if (r->key == Region::OWN_KEY)
            r->latch();
    }
}

void PointerInputKeyManager::resetAll()
{
    _VM_clinit();
    VMSynchronized guard(lock);
    if (keyStateCount > 0) {
        VMPtr<IntArray> slots(keyStateSlot);
        for (int32_t i = 0; i < KEY_COUNT; ++i)
            (*slots)[i] = -1;
        VMPtr<KeyStateArray> pool(keyStates);
        for (int32_t i = 0; i < keyStateCount; ++i) {
            VMPtr<KeyState> s = pool->get(i);
            if (s->held)
                pressOnCanvas(s->key, false);
        }
        keyStateCount = 0;
    }
    VMPtr<java::util::Vector> list(regions);
    if (!list)
        return;
    for (int32_t i = 0; i < list->size(); ++i) {
        VMPtr<Region> r = regionAt(list, i);
        r->touched = false;
        r->tapped = false;
        VMPtr<Region::BoolArray> pressed(r->pressed);
        VMPtr<Region::BoolArray> captured(r->captured);
        for (int32_t p = 0; p < pointerCount; ++p) {
            (*pressed)[p] = false;
            if (r->type == Region::TYPE_CAPTURE)
                (*captured)[p] = false;
        }
        if (r->key == Region::OWN_KEY) {
            r->pendingReleased = r->pendingHeld;
            r->pendingHeld = false;
            r->pendingPresses = 0;
            VMSynchronized regionGuard(Region::regionLock);
            r->ownPresses = 0;
            r->ownHeld = false;
            r->ownReleased = false;
        }
    }
}

bool PointerInputKeyManager::isZero(bool value)
{
    return !value;
}

} // namespace tq::input

VM_REGISTER_CLASS(tq::input::PointerInputKeyManager_TQC_KeyState,
                  "tq.input.PointerInputKeyManager$KeyState", "java.lang.Object",
                  "..\\src\\tq_input_PointerInputKeyManager", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(tq::input::PointerInputKeyManager,
                             "tq.input.PointerInputKeyManager", "java.lang.Object",
                             "..\\src\\tq_input_PointerInputKeyManager",
                             &tq::input::initialisePointerInputKeyManager);
