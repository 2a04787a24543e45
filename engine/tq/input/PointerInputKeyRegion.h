#pragma once
// tq.input.PointerInputKeyRegion: a touch-sensitive rectangle of the viewport
// bound to one game key, driven by PointerInputKeyManager. By type it holds
// its key while a pointer is down inside (0), holds it from a press inside
// until that pointer is released wherever it went (1), or taps it once per
// step of motion along its direction (2). Its queries answer for the frame
// the canvas last latched: the canvas's game keys, or, for key 127, a key
// state of the region's own.
//
// Locks: the matching fields (pressed, captured, tapped, touched, the pending
// own-state fields, the swipe fields) change under the key manager's lock;
// the latched own-state fields under the class-wide region lock. The order is
// the manager's lock, then the region lock; never the other way round. The
// rectangle is read without a lock.

#include <cstdint>

#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "vm/VMArray.h"

namespace tq::input {

class PointerInputKeyManager_TQC_KeyState;

class PointerInputKeyRegion : public virtual java::lang::Object {
    VM_CLASS(PointerInputKeyRegion, java::lang::Object)

    using BoolArray = VMArray<bool, 1>;

    static constexpr int8_t TYPE_HOLD = 0;
    static constexpr int8_t TYPE_CAPTURE = 1;
    static constexpr int8_t TYPE_SWIPE = 2;
    static constexpr int8_t OWN_KEY = 127;
    // Samples further apart than this start a swipe afresh.
    static constexpr int64_t SWIPE_GAP_MS = 50;

    VMPtr<PointerInputKeyRegion> init(int8_t type, int8_t key);

    // An unregistered capture region (type 1).
    static VMPtr<PointerInputKeyRegion> createKeyRegion(int8_t key, int32_t x, int32_t y,
                                                        int32_t width, int32_t height);

    // Left and top edges in, right and bottom edges out.
    virtual bool contains(int32_t px, int32_t py);
    virtual bool wasReleased();
    // The outline at the region's place on the screen, whatever translation
    // g carries, in g's colour.
    virtual void paint(VMPtr<javax::microedition::lcdui::Graphics> g);
    virtual bool wasPressed();
    virtual bool isHeld();
    virtual int32_t getPressCount();
    // Moves the pending own state into the latched one.
    virtual void latch();

    // Folds the own key state into the pending own flags after a touch
    // event. Manager lock held.
    void updateOwnState();
    // Presses and releases the key once per swipe step reached at (px, py).
    void swipe(int32_t px, int32_t py);
    // Steps of motion since the last sample; records (px, py) as the sample.
    int32_t swipeSteps(int32_t px, int32_t py);

    int32_t stepsPerExtent = 0;
    // 0 up, 1 down, 2 left, 3 right.
    int8_t direction = 0;
    int8_t type = 0;
    int8_t key = 0;
    int32_t height = 0;
    bool enabled = false;
    int32_t width = 0;
    bool touched = false;
    int32_t y = 0;
    int32_t x = 0;
    bool pendingReleased = false;
    bool ownHeld = false;
    int64_t lastTime = 0;
    // A fraction of a step, in 1/1024.
    int16_t swipeRemainder = 0;
    bool ownReleased = false;
    bool pendingHeld = false;
    VMField<PointerInputKeyManager_TQC_KeyState> ownState;
    bool tapped = false;
    int8_t pendingPresses = 0;
    VMField<BoolArray> pressed;
    bool hasOwnState = false;
    int8_t ownPresses = 0;
    VMField<BoolArray> captured;
    int32_t lastCoord = 0;

    VM_STATIC(java::lang::Object, regionLock);

    VM_FIELDS(ownState, pressed, captured)
};

// The region types' names.
class PointerInputKeyRegion_TQC_Type : public virtual java::lang::Object {
    VM_INTERFACE(PointerInputKeyRegion_TQC_Type)
};

// The swipe directions' names.
class PointerInputKeyRegion_TQC_Direction : public virtual java::lang::Object {
    VM_INTERFACE(PointerInputKeyRegion_TQC_Direction)
};

} // namespace tq::input
