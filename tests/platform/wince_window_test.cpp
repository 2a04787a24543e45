// The window stand-in: SDL input becomes Windows messages with Windows'
// numbers and packing, the queue keeps order across threads, timers follow
// the tick count.

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/HalTestSupport.h"
#include "wince/clock.h"
#include "wince/detail/ui.h"
#include "wince/loader.h"
#include "wince/testing.h"
#include "wince/user.h"

namespace {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> g_sent;  // messages the procedure got directly

LRESULT recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_sent.push_back({message, wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

class WindowStandIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_sent.clear();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = recordingProc;
        windowClass.lpszClassName = u"TestClass";
        ASSERT_NE(RegisterClassW(&windowClass), 0);
        window = CreateWindowExW(0, u"TestClass", u"Test", WS_VISIBLE, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        drain();  // whatever showing the window brought
        g_sent.clear();
    }

    void TearDown() override
    {
        if (IsWindow(window)) {
            DestroyWindow(window);
        }
        UnregisterClassW(u"TestClass", nullptr);
    }

    // Removes every queued message (SDL's input included), in order.
    std::vector<Seen> drain()
    {
        std::vector<Seen> seen;
        MSG msg;
        while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_PAINT) {
                seen.push_back({msg.message, msg.wParam, msg.lParam});
            }
        }
        return seen;
    }

    HWND window = nullptr;
};

LPARAM keyWord(SDL_Scancode scan, bool previous, bool up)
{
    return static_cast<LPARAM>(1u | (static_cast<uint32_t>(scan) << 16) | (previous ? 1u << 30 : 0) |
                               (up ? 1u << 31 : 0));
}

TEST_F(WindowStandIn, KeysCarryVirtualKeyScanCodeAndPreviousState)
{
    wince::injectKey('A', true);
    wince::injectKey('A', true, true);
    wince::injectKey('A', false);
    wince::injectKey(VK_UP, true);
    std::vector<Seen> expected = {
        {WM_KEYDOWN, 'A', keyWord(SDL_SCANCODE_A, false, false)},
        {WM_KEYDOWN, 'A', keyWord(SDL_SCANCODE_A, true, false)},
        {WM_KEYUP, 'A', keyWord(SDL_SCANCODE_A, true, true)},
        {WM_KEYDOWN, VK_UP, keyWord(SDL_SCANCODE_UP, false, false)},
    };
    EXPECT_EQ(drain(), expected);
    wince::injectKey(VK_UP, false);
    drain();
}

TEST_F(WindowStandIn, TranslateQueuesThePrintableCharacterOfAKey)
{
    struct Case {
        UINT vk;
        bool shift;
        WPARAM character;  // 0: none
    };
    const Case cases[] = {
        {'A', false, 'a'}, {'A', true, 'A'},  {'7', false, '7'},   {'7', true, '&'},
        {189, false, '-'}, {189, true, '_'},  {VK_SPACE, false, ' '}, {VK_RETURN, false, 0},
        {VK_ESCAPE, false, 0}, {VK_LEFT, false, 0}, {96 + 4, false, '4'},
    };
    for (const Case& c : cases) {
        if (c.shift) {
            wince::injectKey(VK_SHIFT, true);
        }
        wince::injectKey(c.vk, true);
        MSG msg;
        do {
            ASSERT_TRUE(PeekMessageW(&msg, window, 0, 0, PM_REMOVE));
        } while (msg.message != WM_KEYDOWN || msg.wParam != c.vk);
        EXPECT_EQ(TranslateMessage(&msg), c.character != 0);
        MSG character;
        bool queued = PeekMessageW(&character, window, WM_CHAR, WM_CHAR, PM_REMOVE);
        EXPECT_EQ(queued, c.character != 0) << c.vk;
        if (queued) {
            EXPECT_EQ(character.wParam, c.character) << c.vk;
            EXPECT_EQ(character.lParam, msg.lParam);
        }
        wince::injectKey(c.vk, false);
        if (c.shift) {
            wince::injectKey(VK_SHIFT, false);
        }
        drain();
    }
}

TEST_F(WindowStandIn, MouseBecomesStylusMessages)
{
    wince::injectStylus(WM_LBUTTONDOWN, 10, 20);
    wince::injectStylus(WM_MOUSEMOVE, 11, 300);
    wince::injectStylus(WM_LBUTTONUP, 239, 319);
    std::vector<Seen> expected = {
        {WM_LBUTTONDOWN, MK_LBUTTON, 10 | (20 << 16)},
        {WM_MOUSEMOVE, MK_LBUTTON, 11 | (300 << 16)},
        {WM_LBUTTONUP, 0, 239 | (319 << 16)},
    };
    EXPECT_EQ(drain(), expected);
}

TEST_F(WindowStandIn, WindowEventsBecomeActivationCloseAndSize)
{
    wince::injectWindowEvent(wince::WindowEvent::FocusLost);
    wince::injectWindowEvent(wince::WindowEvent::FocusGained);
    wince::injectWindowEvent(wince::WindowEvent::Minimized);
    wince::injectWindowEvent(wince::WindowEvent::Restored);
    wince::injectWindowEvent(wince::WindowEvent::Close);
    wince::injectWindowEvent(wince::WindowEvent::Resized, 320, 240);
    std::vector<Seen> expected = {
        {WM_ACTIVATE, WA_INACTIVE, 0},         {WM_ACTIVATE, WA_ACTIVE, 0},
        {WM_ACTIVATE, WA_INACTIVE | 0x10000, 0}, {WM_ACTIVATE, WA_ACTIVE, 0},
        {WM_CLOSE, 0, 0},                      {WM_SIZE, 0, 320 | (240 << 16)},
    };
    EXPECT_EQ(drain(), expected);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
}

TEST_F(WindowStandIn, DefaultWindowSizeIsTheScreen)
{
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 320);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
}

// SDL's video functions belong to the UI thread: a window moved or raised by
// another thread (a runtime thread switching to full screen) changes its SDL
// window only when the UI thread next looks at its input.
TEST_F(WindowStandIn, OtherThreadsReachTheSdlWindowThroughTheUiThread)
{
    std::thread other([&] {
        EXPECT_TRUE(MoveWindow(window, 0, 0, 200, 100, TRUE));
        EXPECT_TRUE(SetForegroundWindow(window));
    });
    other.join();
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_EQ(g_sent, (std::vector<Seen>{{WM_SIZE, 0, (100 << 16) | 200}}));
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window->sdl, &width, &height);
    EXPECT_EQ(width, 240);
    EXPECT_EQ(height, 320);
    drain();
    SDL_GetWindowSize(window->sdl, &width, &height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 100);
}

// Such a change wakes a UI thread that sleeps waiting for input, which then
// applies it and sleeps on.
TEST_F(WindowStandIn, AChangeFromAnotherThreadWakesTheWaitingUiThread)
{
    std::atomic<bool> applied{false};
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(MoveWindow(window, 0, 0, 200, 100, TRUE));
        applied = vxtest::waitUntil(
            [&] {
                int width = 0;
                int height = 0;
                SDL_GetWindowSize(window->sdl, &width, &height);
                return width == 200 && height == 100;
            },
            std::chrono::milliseconds(1500));
        PostMessageW(window, WM_USER, 0, 0);  // ends the wait either way
    });
    EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 10000, QS_ALLINPUT, 0), WAIT_OBJECT_0);
    other.join();
    EXPECT_TRUE(applied);
}

TEST_F(WindowStandIn, PostsFromOtherThreadsKeepTheirOrderAndWakeGetMessage)
{
    constexpr int kPerThread = 200;
    std::thread a([&] {
        for (int i = 0; i < kPerThread; ++i) {
            PostMessageW(window, WM_USER, i, 0);
        }
    });
    std::thread b([&] {
        for (int i = 0; i < kPerThread; ++i) {
            PostMessageW(window, WM_USER + 1, i, 0);
        }
    });
    WPARAM next[2] = {0, 0};
    for (int received = 0; received < 2 * kPerThread; ++received) {
        MSG msg;
        ASSERT_TRUE(GetMessageW(&msg, window, 0, 0));
        ASSERT_TRUE(msg.message == WM_USER || msg.message == WM_USER + 1);
        EXPECT_EQ(msg.wParam, next[msg.message - WM_USER]++);
    }
    a.join();
    b.join();
}

TEST_F(WindowStandIn, QuitEndsGetMessageAfterWhatWasQueuedBefore)
{
    PostMessageW(window, WM_USER, 1, 0);
    PostQuitMessage(3);
    PostMessageW(window, WM_USER, 2, 0);
    MSG msg;
    EXPECT_TRUE(GetMessageW(&msg, window, 0, 0));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_FALSE(GetMessageW(&msg, window, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_TRUE(GetMessageW(&msg, window, 0, 0));
    EXPECT_EQ(msg.wParam, 2u);
}

TEST_F(WindowStandIn, DestroyingSendsDestroyAndDropsTheWindowsMessages)
{
    PostMessageW(window, WM_USER, 1, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);  // the default procedure destroys
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_sent, (std::vector<Seen>{{WM_CLOSE, 0, 0}, {WM_DESTROY, 0, 0}}));
    EXPECT_TRUE(drain().empty());
    SetLastError(0xDEADBEEF);
    EXPECT_FALSE(PostMessageW(window, WM_USER, 2, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(WindowStandIn, TimersFollowTheTickCount)
{
    wince::useVirtualClock(1000, nullptr);
    EXPECT_EQ(SetTimer(window, 7, 100, nullptr), 7u);
    wince::advanceVirtualClock(99);
    EXPECT_TRUE(drain().empty());
    wince::advanceVirtualClock(1);
    EXPECT_EQ(drain(), (std::vector<Seen>{{WM_TIMER, 7, 0}}));
    wince::advanceVirtualClock(250);  // overdue twice, yet one message
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, window, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(drain(), (std::vector<Seen>{{WM_TIMER, 7, 0}}));
    EXPECT_TRUE(KillTimer(window, 7));
    wince::advanceVirtualClock(1000);
    EXPECT_TRUE(drain().empty());
    EXPECT_FALSE(KillTimer(window, 7));
    wince::useRealClock();
}

TEST_F(WindowStandIn, UserDataAndFinding)
{
    EXPECT_EQ(SetWindowLongW(window, GWL_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_USERDATA), 42);
    EXPECT_EQ(FindWindowW(u"testclass", nullptr), window);
    EXPECT_EQ(FindWindowW(u"OtherClass", nullptr), nullptr);
    EXPECT_TRUE(SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(window) | 1)));
    EXPECT_EQ(GetForegroundWindow(), window);
    WNDCLASSW again{};
    again.lpfnWndProc = recordingProc;
    again.lpszClassName = u"TESTCLASS";
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(RegisterClassW(&again), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
}

}  // namespace
