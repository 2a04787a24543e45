#include "game/support/HubFixture.h"

#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>

#include "engine/support/TestGameCanvas.h"
#include "hal/device.h"
#include "hal/hal.h"
#include "hal/properties.h"
#include "hal/thread.h"
#include "tq/Resources.h"
#include "vm/VMThread.h"
#include "wince/clock.h"
#include "wince/loader.h"
#include "wince/testing.h"

namespace vxtest {

namespace {

// The local time the virtual clock starts at: the game's clock, and so its
// random seed, are the same in every run.
constexpr SYSTEMTIME kStartTime{2024, 6, 5, 14, 12, 0, 0, 0};

// The held canvas thread and what the test lets it run. Each sleep of a
// frame comes in slices; the first of a frame is the one that sees the
// canvas's frame clock moved since the last one held.
struct FrameGate {
    std::mutex mutex;
    std::condition_variable changed;
    HALThread* thread = nullptr;
    const tq::TqCanvas* canvas = nullptr;
    int64_t heldFrame = std::numeric_limits<int64_t>::min();
    int32_t allowed = 0;   // frames let run and not yet begun
    bool waiting = false;  // at a frame's sleep with none allowed
    bool open = false;     // running free to its end

    void hold(HALThread* held, const tq::TqCanvas* heldCanvas)
    {
        std::lock_guard lock(mutex);
        thread = held;
        canvas = heldCanvas;
        heldFrame = std::numeric_limits<int64_t>::min();
        allowed = 0;
        waiting = false;
        open = false;
    }
    void release()
    {
        {
            std::lock_guard lock(mutex);
            open = true;
        }
        changed.notify_all();
    }
};

FrameGate gate;

// The virtual clock's sleep observer: on the held thread, the first slice of
// a frame's sleep waits until the test lets a frame run.
void holdAtFrameSleep(DWORD milliseconds)
{
    if (milliseconds == 0)
        return;
    std::unique_lock lock(gate.mutex);
    if (gate.thread == nullptr || HAL_getCurrentThread() != gate.thread ||
        gate.canvas->lastFrameTime == gate.heldFrame)
        return;
    gate.heldFrame = gate.canvas->lastFrameTime;
    while (!gate.open && gate.allowed == 0) {
        gate.waiting = true;
        gate.changed.wait(lock);
    }
    gate.waiting = false;
    if (gate.allowed > 0)
        gate.allowed--;
}

} // namespace

void HubFixture::SetUp()
{
    PackFolderTest::SetUp();
    copyPack(VX_HUB_PACK);
    HAL_loadProperties();
    wince::useVirtualClock(1000000, &kStartTime);
    HAL_resetClock();
}

void HubFixture::TearDown()
{
    EXPECT_TRUE(stopGame());
    wince::setVirtualSleepObserver(nullptr);
    gate.hold(nullptr, nullptr);
    tq::Resources::closePack();
    if (windowOpen)
        HAL_destroyMainWindow();
    wince::resetDevice();
    wince::useRealClock();
    HAL_resetClock();
    HAL_freeProperties();
}

void HubFixture::openWindow(int32_t width, int32_t height)
{
    wince::setScreenSize(width, height);
    ASSERT_TRUE(HAL_createMainWindow(GetModuleHandleW(nullptr), u"HubTest"));
    windowOpen = true;
}

void HubFixture::makeGame()
{
    if (!windowOpen)
        openWindow(main::Main::WIDTH, main::Main::HEIGHT);
    midlet = main::CommonMIDlet::newInstance()->init();
    canvas = main::CommonCanvas::newInstance()->init(VMPtr<main::CommonMIDlet>(midlet));
    thread = tq::TqCanvas::canvasThread;
    midlet->canvas = VMPtr<main::CommonCanvas>(canvas);
    midlet->main = main::Main::newInstance()->init(VMPtr<tq::TqCanvas>(canvas));
}

void HubFixture::startGame()
{
    if (!windowOpen)
        openWindow(main::Main::WIDTH, main::Main::HEIGHT);
    midlet = main::CommonMIDlet::newInstance()->init();
    midlet->startApp();
    canvas = vm_cast<main::CommonCanvas>(VMPtr<tq::TqCanvas>(midlet->canvas));
    thread = tq::TqCanvas::canvasThread;
    // The canvas thread needs the VM lock, which this thread holds, to reach
    // its first sleep.
    if (holding) {
        gate.hold(thread->vmThread->platformThread, canvas.get());
        wince::setVirtualSleepObserver(&holdAtFrameSleep);
    }
}

VMPtr<RecordingMediaManager> HubFixture::plantSound()
{
    VMPtr<RecordingMediaManager> sound = RecordingMediaManager::newInstance()->init(
        VMPtr<tq::TqCanvas>(canvas), main::Main::SOUND_SLOTS);
    main::Main::instance->mediaManager = sound;
    return sound;
}

VMPtr<RecordingMediaManager> HubFixture::soundOnLogged(int32_t id)
{
    VMPtr<RecordingMediaManager> sound = plantSound();
    main::Main::instance->soundOn(id);
    sound->calls.clear();
    return sound;
}

bool HubFixture::stopGame()
{
    if (!canvas)
        return true;
    gate.release();
    if (tq::TqCanvas::applicationState != tq::TqCanvas::STATE_STOPPING)
        canvas->requestActivityState(tq::TqCanvas::ACTIVITY_EXIT);
    return !thread || VMFixture_sleepUntil([&] { return !thread->isAlive(); });
}

bool HubFixture::frames(int32_t n)
{
    if (!holding || !thread)
        return false;
    {
        std::lock_guard lock(gate.mutex);
        gate.allowed += n;
    }
    gate.changed.notify_all();
    bool between = runFree([&] {
        if (!thread->isAlive())
            return true;
        std::lock_guard lock(gate.mutex);
        return gate.waiting && gate.allowed == 0;
    });
    std::lock_guard lock(gate.mutex);
    return between && gate.allowed == 0;
}

bool HubFixture::runUntil(const std::function<bool()>& done)
{
    if (!holding)
        return runFree(done);
    auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit || !frames(1))
            return false;
    }
    return true;
}

bool HubFixture::runFree(const std::function<bool()>& done)
{
    struct Frames : GameCanvasFixture {
        using GameCanvasFixture::runUntil;
    };
    return Frames::runUntil(done);
}

} // namespace vxtest
