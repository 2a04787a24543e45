#pragma once
// tq.input.PointerInputKeyManager: turns touches into game keys, all
// class-wide. The game registers key regions; every touch the canvas
// receives is matched against them (before it is queued for the game) and
// the game keys the regions ask for are pressed and released on the canvas
// at once. One key state per game key that a touch holds lives in a pool of
// 128 (one per key index), packed at the front; a region bound to key 127
// keeps its own state instead and drives no game key.
//
// A region whose key has no index (TqCanvas::keyCodeToIndex) and is not 127
// is matched but presses nothing.
//
// Locks: the manager's lock guards the region list and the pool, and is held
// for the whole of a touch event, a latch and a reset. Order: the manager's
// lock before the region lock (latch of key-127 regions) and before the
// canvas's key lock (pressing and releasing game keys); the canvas never
// takes the manager's lock while holding its key lock.

#include <cstdint>

#include "java/lang/Object.h"
#include "java/util/Vector.h"
#include "tq/input/PointerInputKeyRegion.h"
#include "vm/VMArray.h"

namespace tq::input {

// The state of one held game key during a touch event.
class PointerInputKeyManager_TQC_KeyState : public virtual java::lang::Object {
    VM_CLASS(PointerInputKeyManager_TQC_KeyState, java::lang::Object)

    VMPtr<PointerInputKeyManager_TQC_KeyState> init();

    // The current event ends the hold.
    bool released = false;
    // A region asks for the key during the current event; after the event's
    // step: newly pressed by it.
    bool down = false;
    // Held by a touch before the current event.
    bool held = false;
    int8_t key = 0;
};

class PointerInputKeyManager : public virtual java::lang::Object {
    VM_CLASS(PointerInputKeyManager, java::lang::Object)

    using KeyState = PointerInputKeyManager_TQC_KeyState;
    using KeyStateArray = VMArray<KeyState, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using RegionArray = VMArray<PointerInputKeyRegion, 1>;

    static constexpr int32_t KEY_COUNT = 128;

    // Creates the pool on the first call; every call takes the viewport
    // offset.
    static void init();
    static void refreshViewport();
    // False for null or a region already registered (its flags stay).
    static bool addRegion(VMPtr<PointerInputKeyRegion> r);
    static bool removeRegion(VMPtr<PointerInputKeyRegion> r);
    // Key 0 drops the whole list and answers 0; another key removes its
    // regions and answers how many. A key outside -64..63 other than 127
    // does nothing.
    static int32_t removeRegions(int8_t key);
    // Key 0 counts every region.
    static int32_t getRegionCount(int8_t key);
    // Copies the regions of key (all for 0) into out until it is full.
    static int32_t getRegions(VMPtr<RegionArray> out, int8_t key);
    // One touch of pointer p in screen coordinates: press (true, true),
    // drag (true, false), release (false, true).
    static void onPointerEvent(int8_t p, int32_t x, int32_t y, bool isDown, bool isEdge);
    // Once a frame, after the canvas latched its keys.
    static void latchRegions();
    // After the canvas cleared its keys: forgets every held key.
    static void resetAll();
    static bool isZero(bool value);

    static inline int32_t pointerCount = 0;
    VM_STATIC(java::lang::Object, lock);
    static inline int32_t offsetX = 0;
    static inline int32_t offsetY = 0;
    VM_STATIC(java::util::Vector, regions);
    VM_STATIC(KeyStateArray, keyStates);
    VM_STATIC(IntArray, keyStateSlot);
    static inline int32_t keyStateCount = 0;

private:
    // The event on one region (position already in viewport coordinates).
    static void applyEvent(VMPtr<PointerInputKeyRegion> r, int8_t p, int32_t x, int32_t y,
                           bool isDown, bool isEdge);
    static VMPtr<KeyState> findKeyState(VMPtr<PointerInputKeyRegion> r, bool create);
    static void removeKeyState(int32_t key);
    // The region's key is wanted by the current event.
    static void askForKey(VMPtr<PointerInputKeyRegion> r);
    static void downStep(VMPtr<KeyState> s);
    static void upStep(VMPtr<KeyState> s);
    static void dropArrays(VMPtr<PointerInputKeyRegion> r);
};

} // namespace tq::input
