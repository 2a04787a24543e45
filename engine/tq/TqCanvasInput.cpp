// Where the canvas hands touches and its key and activity changes to the
// pointer-input managers (tq::input::PointerInputKeyManager and
// PointerInputEventManager).

#include "tq/TqCanvas.h"
#include "tq/input/PointerInputEventManager.h"
#include "tq/input/PointerInputKeyManager.h"

namespace tq {

using input::PointerInputEventManager;
using input::PointerInputKeyManager;

// Pointer callbacks (UI thread): first the key manager with pointer 0, the
// position and the canvas's key regions, then, while the event manager is
// enabled, an event of type 1 pressed, 3 released or 2 dragged.
void TqCanvas::pointerPressed(int32_t x, int32_t y)
{
    PointerInputKeyManager::onPointerEvent(0, x, y, true, true);
    if (PointerInputEventManager::isEnabled())
        PointerInputEventManager::addEvent(0, x, y, PointerInputEventManager::PRESSED, 0);
}

void TqCanvas::pointerReleased(int32_t x, int32_t y)
{
    PointerInputKeyManager::onPointerEvent(0, x, y, false, true);
    if (PointerInputEventManager::isEnabled())
        PointerInputEventManager::addEvent(0, x, y, PointerInputEventManager::RELEASED, 0);
}

void TqCanvas::pointerDragged(int32_t x, int32_t y)
{
    PointerInputKeyManager::onPointerEvent(0, x, y, true, false);
    if (PointerInputEventManager::isEnabled())
        PointerInputEventManager::addEvent(0, x, y, PointerInputEventManager::DRAGGED, 0);
}

// Loop start: the managers' static set-up.
void TqCanvas::startPointerInput()
{
    PointerInputKeyManager::init();
    PointerInputEventManager::init();
}

// After every viewport change: the managers' geometry refresh.
void TqCanvas::refreshPointerGeometry()
{
    PointerInputKeyManager::refreshViewport();
    PointerInputEventManager::refreshViewport();
}

// Loop end: every key region dropped, the event queue off and emptied.
void TqCanvas::stopPointerInput()
{
    PointerInputKeyManager::removeRegions(0);
    PointerInputEventManager::setEnabled(false);
    PointerInputEventManager::reset();
    PointerInputEventManager::setInputBlocked(false);
    PointerInputEventManager::setQueueHeld(false);
}

// After the key latch (outside the key lock).
void TqCanvas::latchKeyRegions()
{
    PointerInputKeyManager::latchRegions();
}

// After the key reset (outside the key lock).
void TqCanvas::resetKeyRegions()
{
    PointerInputKeyManager::resetAll();
}

// A suspend request: the game takes no touches until it is carried out.
void TqCanvas::holdPointerQueue()
{
    PointerInputEventManager::setQueueHeld(true);
}

// Entering the suspended state: new touches blocked, a finger that was down
// released, the releases delivered.
void TqCanvas::blockPointerInput()
{
    PointerInputEventManager::setInputBlocked(true);
    PointerInputEventManager::releaseAllPointers();
    PointerInputEventManager::setQueueHeld(false);
}

// A resume carried out.
void TqCanvas::unblockPointerInput()
{
    PointerInputEventManager::setQueueHeld(false);
    PointerInputEventManager::setInputBlocked(false);
}

} // namespace tq
