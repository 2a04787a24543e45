// The UI thread's message loop at rest: it sleeps until input, a message
// posted by another thread or a due timer wakes it, active or in the
// background. Wake-ups are the UI thread's voluntary context switches.

#include <gtest/gtest.h>

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/HalTestSupport.h"
#include "support/RecordingRuntime.h"
#include "wince/testing.h"

namespace {

using vxtest::AppFolder;
using vxtest::RecordingRuntime;

constexpr UINT kGcMessage = 1023;
constexpr auto kRest = std::chrono::milliseconds(500);

std::atomic<int> g_ticks{0};

void countTick(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_ticks;
}

TEST(MessageLoop, SleepsWhileIdleAndWakesForPostsAndTimers)
{
    struct Case {
        const char* name;
        bool active;
        UINT timerPeriod;  // 0: no timer
    };
    const Case cases[] = {
        {"active", true, 0},
        {"active with a 50 ms timer", true, 50},
        {"inactive", false, 0},
        {"inactive with a 50 ms timer", false, 50},
    };
    AppFolder app;
    RecordingRuntime runtime;
    std::atomic<long> uiThread{0};
    runtime.onBoot([&] { uiThread = static_cast<long>(::syscall(SYS_gettid)); });
    int result = runtime.run([&] {
        ASSERT_TRUE(runtime.waitForBoot());
        HWND window = HAL_getMainWindow();
        for (const Case& c : cases) {
            if (!c.active && HAL_isApplicationActive()) {
                wince::injectWindowEvent(wince::WindowEvent::Minimized);
                ASSERT_TRUE(runtime.waitForEvents(1));
            }
            ASSERT_EQ(HAL_isApplicationActive(), c.active) << c.name;
            ASSERT_TRUE(runtime.settle());
            g_ticks = 0;
            if (c.timerPeriod) {
                SetTimer(window, 7, c.timerPeriod, countTick);  // from this thread
            }
            long before = vxtest::voluntaryWakeups(uiThread);
            std::this_thread::sleep_for(kRest);
            long woke = vxtest::voluntaryWakeups(uiThread) - before;
            int ticks = g_ticks;
            KillTimer(window, 7);
            // Each tick wakes the thread once or twice (the timer, then its
            // message); a loop that looks every few milliseconds wakes a
            // hundred times.
            EXPECT_LE(woke, 2 * ticks + 5) << c.name << ": " << ticks << " ticks";
            if (c.timerPeriod) {
                EXPECT_GE(ticks, 3) << c.name;  // the timer bounds the sleep
            }
            // A message posted from this thread wakes the sleeping loop.
            int collections = runtime.gcCalls();
            ASSERT_TRUE(PostMessageW(window, kGcMessage, 0, 0));
            EXPECT_TRUE(vxtest::waitUntil([&] { return runtime.gcCalls() > collections; }))
                << c.name;
        }
        wince::injectWindowEvent(wince::WindowEvent::Close);
    });
    EXPECT_EQ(result, 0);
}

}  // namespace
