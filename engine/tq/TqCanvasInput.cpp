// Where the canvas hands touches and its key and activity changes to the
// pointer-input managers (tq::input::PointerInputKeyManager and
// PointerInputEventManager). Each body below is a call site of theirs; until
// they are linked in, touches press no game key and queue nothing.

#include "tq/TqCanvas.h"

namespace tq {

// Pointer callbacks (UI thread): first the key manager with pointer 0, the
// position and the canvas's key regions, then, while the event manager is
// enabled, an event of type 1 pressed, 3 released or 2 dragged.
void TqCanvas::pointerPressed(int32_t, int32_t) {}

void TqCanvas::pointerReleased(int32_t, int32_t) {}

void TqCanvas::pointerDragged(int32_t, int32_t) {}

// Loop start: the managers' static set-up.
void TqCanvas::startPointerInput() {}

// After every viewport change: the managers' geometry refresh.
void TqCanvas::refreshPointerGeometry() {}

// Loop end: PointerInputKeyManager::removeRegions(0); on the event manager
// setEnabled(false), reset, setInputBlocked(false), setQueueHeld(false).
void TqCanvas::stopPointerInput() {}

// After the key latch: PointerInputKeyManager::latchRegions.
void TqCanvas::latchKeyRegions() {}

// After the key reset: PointerInputKeyManager::resetAll.
void TqCanvas::resetKeyRegions() {}

// A suspend request: the event manager's setQueueHeld(true).
void TqCanvas::holdPointerQueue() {}

// Entering the suspended state: on the event manager setInputBlocked(true),
// releaseAllPointers, setQueueHeld(false).
void TqCanvas::blockPointerInput() {}

// A resume carried out: on the event manager setQueueHeld(false),
// setInputBlocked(false).
void TqCanvas::unblockPointerInput() {}

} // namespace tq
