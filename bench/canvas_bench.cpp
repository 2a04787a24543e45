// The fixed cost of one frame of the canvas loop with an empty game: size
// and activity checks, pacing (bounds at 0, so it never sleeps), the key
// latch the game does first, painting into the viewport and the flush,
// which hands the buffer to the UI thread as the canvas thread does. With
// argument 1 each frame also pays the UI thread's share: drawing the
// 240 x 400 buffer into the window.

#include <cstdlib>

#include <benchmark/benchmark.h>

#include "IdleGame.h"
#include "InVM.h"
#include "hal/hal.h"
#include "javax/microedition/lcdui/Display.h"
#include "tq/TqCanvas.h"
#include "vm/VMEventRegistry.h"
#include "wince/loader.h"
#include "wince/testing.h"
#include "wince/user.h"

namespace {

// A game that only latches its keys.
class EmptyGameCanvas : public tq::TqCanvas {
    VM_CLASS(EmptyGameCanvas, tq::TqCanvas)

    void update() override { latchKeys(); }
    void paint(VMPtr<Graphics>) override {}
};

void BM_CanvasEmptyFrame(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    InVM vm;
    wince::setScreenSize(240, 400);
    if (!HAL_createMainWindow(GetModuleHandleW(nullptr), u"CanvasBench")) {
        state.SkipWithError("no main window");
        return;
    }
    VMPtr<bench::IdleMIDlet> midlet = bench::IdleMIDlet::newInstance()->init();
    VMPtr<EmptyGameCanvas> canvas = EmptyGameCanvas::newInstance();
    canvas->init(midlet);
    // Its own thread ends at once: the frames run here.
    VMPtr<java::lang::Thread> thread = tq::TqCanvas::canvasThread;
    canvas->requestActivityState(tq::TqCanvas::ACTIVITY_EXIT);
    while (thread->isAlive())
        java::lang::Thread::sleep(1);
    tq::TqCanvas::applicationState = tq::TqCanvas::STATE_RUNNING;
    // Shown as the platform would report it.
    auto* shown = static_cast<javax::microedition::lcdui::Displayable*>(canvas.get());
    javax::microedition::lcdui::Display::getDisplay(nullptr)->setCurrent(
        VMPtr<javax::microedition::lcdui::Displayable>(shown));
    intptr_t word = reinterpret_cast<intptr_t>(shown);
    HAL_dispatchEvent(HAL_EVENT_DISPLAYABLE_CHANGED, 1, &word);
    if (!canvas->isShown()) {
        state.SkipWithError("the canvas is not shown");
        return;
    }
    canvas->setViewport(240, 320);
    canvas->setFrameTimeBoundA(0);
    canvas->setFrameTimeBoundB(0);
    canvas->keyPressed('5');
    bool withBlit = state.range(0) != 0;
    int64_t frames = 0;
    MSG msg;
    for (auto _ : state) {
        benchmark::DoNotOptimize(canvas->runFrame());
        if (withBlit)
            HAL_flushPendingScreenBuffer(canvas->screenBuffer);
        // Each flush posts a wake-up for the UI thread; drop them now and then.
        if ((++frames & 4095) == 0) {
            state.PauseTiming();
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            }
            state.ResumeTiming();
        }
    }
    tq::TqCanvas::applicationState = tq::TqCanvas::STATE_STOPPING;
    HAL_destroyMainWindow();
}
BENCHMARK(BM_CanvasEmptyFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(EmptyGameCanvas, "bench.EmptyGameCanvas", "tq.TqCanvas", "bench",
                             nullptr);
