// The screen buffer run inside the real main line: drawing on the UI thread
// shows at once, flushes from another thread wait for the UI thread's next
// pass, and the buffer follows the window's size.

#include <gtest/gtest.h>

#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALScreenBuffer.h"
#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/HalTestSupport.h"
#include "support/RecordingRuntime.h"
#include "wince/testing.h"

namespace {

using vxtest::AppFolder;
using vxtest::RecordingRuntime;

struct Scene {
    HALCanvas* canvas = nullptr;
    HALScreenBuffer* buffer = nullptr;
    HALGraphics* g = nullptr;
    HWND window = nullptr;
};

// On the UI thread at boot: a current canvas with a buffer and a context.
void makeScene(Scene& s)
{
    s.window = HAL_getMainWindow();
    ASSERT_EQ(HAL_createCanvas(&s.canvas, 0), 0);
    HAL_setCurrentDisplayable(s.canvas);
    ASSERT_EQ(HAL_createScreenBuffer(s.canvas, &s.buffer), 0);
    ASSERT_EQ(HAL_createGraphicsWithScreenBuffer(&s.g, s.buffer), 0);
}

uint16_t framePixel(HWND window, int x, int y)
{
    INT width = 0;
    std::vector<uint16_t> frame = wince::windowFrame(window, &width);
    size_t at = static_cast<size_t>(y) * width + x;
    return at < frame.size() ? frame[at] : 0xDEAD;
}

TEST(ScreenBuffer, FlushOnTheUiThreadShowsAtOnceAndOthersWaitForTheNextPass)
{
    AppFolder app;
    RecordingRuntime runtime;
    Scene s;
    uint32_t presentsAtBoot = 0;
    uint8_t pendingAfterUiFlush = 9;
    runtime.onBoot([&] {
        makeScene(s);
        HAL_setColor(s.g, static_cast<int32_t>(0xFFFF0000u));
        HAL_fillRect(s.g, 0, 0, 10, 10);
        HAL_flushScreenBuffer(s.g->screen);
        presentsAtBoot = wince::windowPresents(s.window);
        pendingAfterUiFlush = s.buffer->pending;
    });
    int32_t size[2] = {0, 0};
    uint32_t presentsBefore = 0, presentsAfter = 0;
    uint16_t shown = 0;
    EXPECT_EQ(runtime.run([&] {
        ASSERT_TRUE(runtime.waitForBoot());
        // Two levels: a flush leaves one level only, so the UI thread, which
        // blits under the VM lock, stays out until both flushes are queued.
        HAL_lockVM();
        HAL_lockVM();
        presentsBefore = wince::windowPresents(s.window);
        HAL_setColor(s.g, static_cast<int32_t>(0xFF0000FFu));
        HAL_fillRect(s.g, 0, 0, 10, 10);
        HAL_flushScreenBuffer(s.buffer);
        HAL_flushScreenBufferRegion(s.buffer, 0, 0, 1, 1);
        EXPECT_EQ(s.buffer->pending, 1) << "queued for the UI thread";
        EXPECT_EQ(wince::windowPresents(s.window), presentsBefore);
        HAL_unlockVM();
        HAL_unlockVM();
        EXPECT_TRUE(runtime.settle());
        EXPECT_TRUE(vxtest::waitUntil([&] { return wince::windowPresents(s.window) > presentsBefore; }));
        EXPECT_TRUE(runtime.settle());  // a later pass blits nothing more
        presentsAfter = wince::windowPresents(s.window);
        shown = framePixel(s.window, 9, 9);
        EXPECT_EQ(HAL_getScreenBufferSize(s.buffer, &size[0], nullptr), 0);
        EXPECT_EQ(HAL_getScreenBufferSize(s.buffer, nullptr, &size[1]), 0);
        EXPECT_EQ(HAL_getScreenBufferSize(s.buffer, nullptr, nullptr), 2);
        EXPECT_TRUE(wince::injectWindowEvent(wince::WindowEvent::Close));
    }),
              0);
    EXPECT_EQ(presentsAtBoot, 1u);
    EXPECT_EQ(pendingAfterUiFlush, 0);
    EXPECT_EQ(presentsAfter, presentsBefore + 1) << "two flushes, one blit";
    EXPECT_EQ(shown, 0x001F);
    EXPECT_EQ(size[0], WINCE_DEFAULT_SCREEN_WIDTH);
    EXPECT_EQ(size[1], WINCE_DEFAULT_SCREEN_HEIGHT);
}

TEST(ScreenBuffer, FollowsTheWindowSizeAndResetsListeningClips)
{
    AppFolder app;
    RecordingRuntime runtime;
    Scene s;
    runtime.onBoot([&] {
        makeScene(s);
        HAL_setClip(s.g, 5, 5, 10, 10);
    });
    uint16_t* pixelsBefore = nullptr;
    bool samePixels = false;
    HALRect clipAfter;
    int32_t width = 0, height = 0;
    EXPECT_EQ(runtime.run([&] {
        ASSERT_TRUE(runtime.waitForBoot());
        HAL_lockVM();
        pixelsBefore = s.buffer->image->pixels;
        HAL_resizeScreenBuffer(s.buffer);  // same size: nothing changes
        samePixels = s.buffer->image->pixels == pixelsBefore && s.g->clip.width == 10;
        HAL_unlockVM();
        EXPECT_TRUE(wince::injectWindowEvent(wince::WindowEvent::Resized, 200, 100));
        EXPECT_TRUE(runtime.settle());
        HAL_lockVM();
        clipAfter = s.g->clip;
        HAL_getScreenBufferSize(s.buffer, &width, &height);
        // A buffer deleted before its context leaves the context harmless.
        EXPECT_EQ(HAL_deleteScreenBuffer(s.buffer), 0);
        HAL_fillRect(s.g, 0, 0, 200, 100);
        HAL_drawChars(s.g, u"x", 1, 0, 0);
        EXPECT_EQ(HAL_deleteGraphics(s.g), 0);
        HAL_unlockVM();
        EXPECT_TRUE(wince::injectWindowEvent(wince::WindowEvent::Close));
    }),
              0);
    EXPECT_TRUE(samePixels);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 100);
    EXPECT_EQ((std::vector<int>{clipAfter.x, clipAfter.y, clipAfter.width, clipAfter.height}),
              (std::vector<int>{0, 0, 200, 100}));
}

}  // namespace
