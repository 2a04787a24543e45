// Touch input at its heaviest: 200 key regions registered and a full queue
// of 20 events: a whole frame of it, the latch alone (the canvas's keys,
// then every region), and one touch matched against every region and
// queued into a full ring.

#include <benchmark/benchmark.h>

#include "IdleGame.h"
#include "InVM.h"
#include "hal/hal.h"
#include "tq/TqCanvas.h"
#include "tq/input/PointerInputEventManager.h"
#include "tq/input/PointerInputKeyManager.h"
#include "tq/input/PointerInputKeyRegion.h"
#include "wince/loader.h"
#include "wince/testing.h"

namespace {

using tq::input::PointerInputEventManager;
using tq::input::PointerInputKeyManager;
using tq::input::PointerInputKeyRegion;

constexpr int32_t kRegions = 200;

VMStatic<bench::IdleCanvas>& canvas = *new VMStatic<bench::IdleCanvas>();

// The canvas (made once), 200 regions of every type over a 240 x 320
// screen (10 x 20 cells of 24 x 16, keys 1 to 63 and -1 to -64 in turn,
// every tenth a swipe), the queue enabled and empty.
VMPtr<bench::IdleCanvas> setUp()
{
    if (!canvas) {
        wince::setScreenSize(240, 320);
        HAL_createMainWindow(GetModuleHandleW(nullptr), u"touch_bench");
        VMPtr<bench::IdleMIDlet> midlet = bench::IdleMIDlet::newInstance()->init();
        canvas = bench::IdleCanvas::newInstance()->init(midlet);
        canvas->startPointerInput();
    }
    PointerInputKeyManager::removeRegions(0);
    PointerInputKeyManager::resetAll();
    for (int32_t i = 0; i < kRegions; ++i) {
        int8_t key = int8_t(i % 127 < 63 ? i % 127 + 1 : 62 - i % 127);
        int8_t type = int8_t(i % 10 == 9 ? PointerInputKeyRegion::TYPE_SWIPE : i % 2);
        VMPtr<PointerInputKeyRegion> r = PointerInputKeyRegion::newInstance()->init(type, key);
        r->x = i % 10 * 24;
        r->y = i / 10 * 16;
        r->width = 24;
        r->height = 16;
        r->stepsPerExtent = 4;
        PointerInputKeyManager::addRegion(r);
    }
    PointerInputEventManager::setEnabled(false);
    PointerInputEventManager::setEnabled(true);
    return VMPtr<bench::IdleCanvas>(canvas);
}

// A touch of the fill: a press, drags across the screen, a release.
void touch(const VMPtr<bench::IdleCanvas>& c, int32_t i)
{
    int32_t x = i * 53 % 240;
    int32_t y = i * 29 % 320;
    if (i % 20 == 0)
        c->pointerPressed(x, y);
    else if (i % 20 == 19)
        c->pointerReleased(x, y);
    else
        c->pointerDragged(x, y);
}

// One frame with 200 regions and a full queue: 20 touches arrive (the UI
// thread's share, each matched against every region), then the game-key
// latch, which latches every region after the canvas's keys, and the game
// draining the 20 events.
void BM_TouchFrameFullQueue(benchmark::State& state)
{
    InVM vm;
    VMPtr<bench::IdleCanvas> c = setUp();
    int32_t i = 0;
    for (auto _ : state) {
        for (int32_t n = 0; n < PointerInputEventManager::CAPACITY; ++n)
            touch(c, i++);
        c->latchKeys();
        int32_t drained = 0;
        while (PointerInputEventManager::nextEvent())
            drained += PointerInputEventManager::getX();
        benchmark::DoNotOptimize(drained);
    }
    state.counters["regions"] = double(PointerInputKeyManager::getRegionCount(0));
}
BENCHMARK(BM_TouchFrameFullQueue)->Unit(benchmark::kMicrosecond);

// The latch alone with 200 regions.
void BM_TouchLatchKeys(benchmark::State& state)
{
    InVM vm;
    VMPtr<bench::IdleCanvas> c = setUp();
    for (auto _ : state)
        c->latchKeys();
}
BENCHMARK(BM_TouchLatchKeys)->Unit(benchmark::kMicrosecond);

// One touch on the UI thread: matched against 200 regions, keys pressed and
// released, and queued into a full ring (each one overflows it).
void BM_TouchOneEventOnFullQueue(benchmark::State& state)
{
    InVM vm;
    VMPtr<bench::IdleCanvas> c = setUp();
    int32_t i = 1;
    for (int32_t n = 0; n < PointerInputEventManager::CAPACITY; ++n)
        touch(c, i++);
    for (auto _ : state) {
        touch(c, i++);
        if (i % 20 == 0)
            c->latchKeys(); // keeps press counts from saturating unseen
    }
    benchmark::DoNotOptimize(PointerInputEventManager::getEventCount());
}
BENCHMARK(BM_TouchOneEventOnFullQueue)->Unit(benchmark::kMicrosecond);

} // namespace

