#pragma once
// tq.input.PointerInputEventManager: the engine's queue of touch events, all
// class-wide. The canvas's pointer callbacks hand every touch to addEvent on
// the UI thread; the game drains the ring with nextEvent on the canvas thread.
//
// addEvent moves the touch into viewport coordinates, filters it against the
// input rectangle and repairs the sequence of each pointer, so the game only
// ever sees press, drags, release: an outside event of a pointer that is down
// ends its touch with a release clamped to the rectangle's edge, a drag with
// the pointer up becomes a press, a release with it up is dropped, and a
// second press is preceded by a release at the last position. One pointer
// (index 0) is kept; events of any other are dropped.
//
// The ring holds 20 records, reused from setEnabled(true) to setEnabled(false).
// A full ring drops its oldest event, keeping a press or release at the front
// (a front press and its own release go together, freeing two slots).
//
// Locks: the queue lock guards the ring, enabled and the current event; the
// area lock guards the input rectangle. The two are never held together
// (addEvent leaves the area lock before queueing). The per-pointer tracking
// and the flags queueHeld and inputBlocked are written without a lock; all
// threads run under the VM lock.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace tq::input {

// One queued touch; created only by the manager.
class PointerInputEventManager_TQC_Event : public virtual java::lang::Object {
    VM_CLASS(PointerInputEventManager_TQC_Event, java::lang::Object)

    VMPtr<PointerInputEventManager_TQC_Event> init();

    // Event time minus baseTime (low 32 bits).
    int32_t time = 0;
    int8_t pointerId = 0;
    int16_t x = 0;
    // 1 pressed, 2 dragged, 3 released.
    int8_t type = 0;
    int16_t y = 0;
};

class PointerInputEventManager : public virtual java::lang::Object {
    VM_CLASS(PointerInputEventManager, java::lang::Object)

    using Event = PointerInputEventManager_TQC_Event;
    using EventArray = VMArray<Event, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using LongArray = VMArray<int64_t, 1>;
    using BoolArray = VMArray<bool, 1>;

    static constexpr int32_t CAPACITY = 20;
    static constexpr int8_t PRESSED = 1;
    static constexpr int8_t DRAGGED = 2;
    static constexpr int8_t RELEASED = 3;

    // Filters, repairs and queues one touch given in screen coordinates.
    static void addEvent(int8_t pointerId, int32_t x, int32_t y, int8_t type, int64_t time);
    static bool isEnabled();
    // Switching on makes an empty ring (a second switch-on keeps it);
    // switching off drops it. Always true.
    static bool setEnabled(bool on);
    // Takes the oldest event into the current-event getters; false when
    // none is queued, the queue is held or not enabled.
    static bool nextEvent();
    static int32_t getEventCount();
    static int32_t getX();
    static int32_t getY();
    static int8_t getType();
    static int8_t getPointerId();
    // While held, nextEvent delivers nothing; events still enter the ring.
    static void setQueueHeld(bool held);
    // While blocked, addEvent drops everything.
    static void setInputBlocked(bool blocked);
    // Queues a release for every pointer that is down, at its last position.
    static void releaseAllPointers();
    // A negative size follows the canvas's viewport. Always true.
    static bool setInputArea(int32_t x, int32_t y, int32_t width, int32_t height);
    // Follows a change of the canvas's viewport size or offset.
    static void refreshViewport();
    // The input rectangle becomes the viewport's size; the per-pointer
    // tracking starts afresh.
    static void init();
    static void reset();
    // True exactly when value is false.
    static bool isZero(bool value);

    static inline bool enabled = false;
    static inline bool queueHeld = false;
    static inline bool inputBlocked = false;
    static inline int32_t areaX = 0;
    static inline int32_t areaY = 0;
    static inline int32_t areaWidth = 0;
    static inline int32_t areaHeight = 0;
    static inline int32_t requestedWidth = -1;
    static inline int32_t requestedHeight = -1;
    static inline int32_t offsetX = 0;
    static inline int32_t offsetY = 0;
    static inline int64_t baseTime = 0;
    VM_STATIC(EventArray, events);
    static inline int32_t head = 0;
    static inline int32_t tail = CAPACITY - 1;
    static inline int32_t count = 0;
    static inline int32_t currentX = 0;
    static inline int32_t currentY = 0;
    static inline int8_t currentType = 0;
    static inline int8_t currentPointerId = 0;
    static inline int64_t currentTime = -1;
    VM_STATIC(IntArray, lastX);
    VM_STATIC(IntArray, lastY);
    VM_STATIC(LongArray, lastTime);
    VM_STATIC(BoolArray, down);
    VM_STATIC(java::lang::Object, queueLock);
    VM_STATIC(java::lang::Object, areaLock);

private:
    // Queues one event as given (no filtering) and tracks the pointer.
    static void queueEvent(int8_t pointerId, int32_t x, int32_t y, int8_t type, int64_t time);
    // Advances tail, dropping from the front when the ring is full. Queue
    // lock held.
    static void makeRoom();
    static void swapRecords(int32_t a, int32_t b);
};

} // namespace tq::input
