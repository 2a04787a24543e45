// The canvas thread: the wait for the first show, the frame loop, frame
// pacing, the application-state notices and the suspend/resume machine.

#include <algorithm>

#include "java/lang/InterruptedException.h"
#include "java/lang/System.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"

namespace tq {

using java::lang::Thread;

// ---- Thread body ----

void TqCanvas::run()
{
    // A canvas stopped before its first show ends its thread here.
    while (!started) {
        if (applicationState == STATE_STOPPING)
            return;
        sleep(50);
    }
    startPointerInput();
    sizeChangePending = false;
    refreshScreenSize();
    applicationState = STATE_RUNNING;
    applicationStateChanged(0);

    while (applicationState != STATE_STOPPING) {
        if (!runFrame())
            return;
    }
    stopPointerInput();
    instance = nullptr;
}

bool TqCanvas::runFrame()
{
    processSizeChange();
    processPauseResume();
    if (!isShown()) {
        sleep(100);
        resetTiming = true;
    } else {
        updateFrameTiming();
        processPendingCallbacks();
        update();
        if (applicationState == STATE_STOPPING)
            return false;
        if (mediaManager && isShown()) {
            VMPtr<java::lang::Runnable> tick =
                vm_cast<java::lang::Runnable>(VMPtr<MediaManager>(mediaManager));
            if (tick)
                tick->run();
            if (applicationState == STATE_STOPPING)
                return false;
        }
        if (isShown()) {
            clearBorders = refreshRequested;
            refreshRequested = false;
            renderFrame(getGraphics());
            flushGraphics();
        }
    }
    VMThread::yield();
    return true;
}

void TqCanvas::processSizeChange()
{
    if (!sizeChangePending)
        return;
    refreshScreenSize();
    applicationStateChanged(4);
    sizeChangePending = false;
}

void TqCanvas::renderFrame(VMPtr<Graphics> g)
{
    if (!g) {
        refreshRequested = true;
        return;
    }
    int32_t vw = viewportWidth;
    int32_t vh = viewportHeight;
    int32_t vx = viewportOffsetX;
    int32_t vy = viewportOffsetY;
    if (vw != screenWidth || vh != screenHeight) {
        if (clearBorders) {
            g->setColor(int32_t(0xFF000000u));
            uint32_t m = uint32_t(screenHeight - vh + 1) / 2;
            if (m != 0) {
                if (vy > 0)
                    g->fillRect(0, 0, screenWidth, vy);
                g->fillRect(0, screenHeight - int32_t(m), screenWidth, int32_t(m));
            }
            m = uint32_t(screenWidth - vw + 1) / 2;
            if (m != 0) {
                if (vx > 0)
                    g->fillRect(0, vy, vx, vh);
                g->fillRect(screenWidth - int32_t(m), vy, int32_t(m), vh);
            }
        }
        g->translate(vx, vy);
    }
    clipToViewport(g);
    paint(g);
}

// ---- Frame pacing ----

void TqCanvas::updateFrameTiming()
{
    int64_t now = java::lang::System::currentTimeMillis();
    if (resetTiming) {
        frameTime = reportedFrameTime(minFrameTime);
        resetTiming = false;
        frameBudget = 0;
        lastFrameTime = now;
        return;
    }
    int32_t elapsed = int32_t(now - lastFrameTime);
    int32_t frame = std::max(elapsed, minFrameTime);
    elapsed = std::max(elapsed, 0);
    int32_t owed = std::clamp(frame - elapsed, -250, 250);
    frameBudget = std::clamp(frameBudget + owed, -500, 500);
    if (frameBudget > 40) {
        // A stall counts as one frame of the maximum length, so the budget a
        // settled loop carries never turns a stall into a long sleep.
        int32_t stall = elapsed - std::min(elapsed, maxFrameTime);
        frameBudget += elapsed - stall;
        sleep(frameBudget / 8);
        now = java::lang::System::currentTimeMillis();
        frameBudget -= std::max(int32_t(now - lastFrameTime) - stall, 0);
    }
    frameTime = reportedFrameTime(std::min(frame, maxFrameTime));
    lastFrameTime = now;
}

void TqCanvas::recomputeFrameTimeBounds()
{
    minFrameTime = std::max(0, std::min(frameTimeBoundA, frameTimeBoundB));
    maxFrameTime = std::max(1, std::max(frameTimeBoundA, frameTimeBoundB));
}

void TqCanvas::sleep(int32_t ms)
{
    if (ms <= 0)
        return;
    if (ms >= 50)
        VMThread::yield();
    try {
        Thread::sleep(ms);
    } catch (java::lang::InterruptedException* caught) {
        VMPtr<java::lang::InterruptedException> ignored(caught);
    }
}

// ---- Notices and activity requests ----

void TqCanvas::requestRefresh()
{
    refreshRequested = true;
}

void TqCanvas::showNotify()
{
    requestActivityState(ACTIVITY_RESUME);
    started = true;
}

void TqCanvas::hideNotify()
{
    requestActivityState(ACTIVITY_SUSPEND);
}

void TqCanvas::sizeChanged(int32_t, int32_t)
{
    requestRefresh();
    sizeChangePending = true;
}

void TqCanvas::requestActivityState(int32_t request)
{
    if (applicationState == STATE_STOPPING)
        return;
    if (request == ACTIVITY_EXIT) {
        applicationStateChanged(ACTIVITY_EXIT);
        return;
    }
    if (request != ACTIVITY_SUSPEND && request != ACTIVITY_RESUME) {
        applicationStateChanged(request);
        return;
    }
    // Requests before the loop runs are dropped.
    if (applicationState != STATE_RUNNING)
        return;
    if (mediaManager)
        VMPtr<MediaManager>(mediaManager)->stopChannel(-1);
    if (request == ACTIVITY_SUSPEND)
        holdPointerQueue();
    VMPtr<Thread> lock = canvasThread;
    if (lock) {
        VMSynchronized guard(lock);
        requestedActivity = request;
        activityRequestTime = java::lang::System::currentTimeMillis();
    } else {
        requestedActivity = request;
        activityRequestTime = java::lang::System::currentTimeMillis();
    }
}

void TqCanvas::applicationStateChanged(int32_t state)
{
    if (state == 3) {
        if (applicationState != STATE_STOPPING) {
            shutdown();
            VMPtr<MIDlet>(midlet)->notifyDestroyed();
        }
    } else if (state >= 0 && state <= 2) {
        refreshRequested = true;
        resetTiming = true;
        resetKeys();
    }
}

// Every request passes through the suspended state; a resume is carried
// out once it is RESUME_SETTLE_MS old and the canvas is shown. The waits end
// when a suspend request arrives or the canvas stops.
void TqCanvas::processPauseResume()
{
    for (;;) {
        if (requestedActivity == ACTIVITY_NONE)
            return;
        if (activityState != ACTIVITY_SUSPEND) {
            blockPointerInput();
            applicationStateChanged(1);
            activityState = ACTIVITY_SUSPEND;
        }
        VMPtr<Thread> lock = canvasThread;
        if (!lock)
            return;
        {
            VMSynchronized guard(lock);
            if (requestedActivity == ACTIVITY_SUSPEND)
                requestedActivity = ACTIVITY_NONE;
        }
        while (requestedActivity == ACTIVITY_RESUME && !isShown()) {
            if (applicationState == STATE_STOPPING)
                return;
            sleep(50);
        }
        while (requestedActivity == ACTIVITY_RESUME && isShown()) {
            if (applicationState == STATE_STOPPING)
                return;
            int64_t now = java::lang::System::currentTimeMillis();
            if (int32_t(now - activityRequestTime) < RESUME_SETTLE_MS) {
                sleep(250);
                continue;
            }
            bool resume = false;
            {
                VMSynchronized guard(lock);
                if (requestedActivity == ACTIVITY_RESUME) {
                    requestedActivity = ACTIVITY_NONE;
                    resume = true;
                }
            }
            if (resume) {
                applicationStateChanged(2);
                unblockPointerInput();
                activityState = ACTIVITY_RESUME;
                applicationStateChanged(5);
            }
        }
    }
}

void TqCanvas::shutdown()
{
    applicationState = STATE_STOPPING;
    canvasThread = nullptr;
    Resources::closePack();
    if (mediaManager)
        VMPtr<MediaManager>(mediaManager)->close();
}

bool TqCanvas::openUrl(VMPtr<java::lang::String> url)
{
    if (mediaManager)
        VMPtr<MediaManager>(mediaManager)->stopChannel(-1);
    if (VMPtr<MIDlet>(midlet)->platformRequest(url))
        requestActivityState(ACTIVITY_EXIT);
    return true;
}

bool TqCanvas::openUrlAlias(VMPtr<java::lang::String> url)
{
    return openUrl(url);
}

} // namespace tq
