// The whole road: the program's start-up boots the runtime with the
// application manager, which loads the test MIDlet named in the application
// folder's properties; keys, touches, activity changes and the exit then
// arrive from the window as a user gives them. Each test runs the platform's
// main line on the test thread while a second thread plays the user.

#include <thread>

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "hal/hal.h"
#include "javax/microedition/lcdui/Display.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "support/AppFolder.h"
#include "vm/VMBoot.h"
#include "wince/clock.h"
#include "wince/loader.h"
#include "wince/testing.h"

using javax::microedition::lcdui::Display;
using vxtest::CallLog;

namespace {

using Calls = std::vector<std::string>;

// Runs the program with this app.prop while user() (when given) plays on
// another thread; returns the program's exit code.
int runProgram(const std::string& appProperties, const std::function<void()>& user)
{
    vxtest::AppFolder folder;
    folder.writeAppProperties("MIDlet-Name: BootTest\n" + appProperties);
    HALCallbacks table{};
    _VM_fillCallbacks(&table);
    HAL_setCallbacks(&table);
    wince::useVirtualClock(10000, nullptr);
    std::thread player;
    if (user)
        player = std::thread(user);
    int result = HAL_main(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    if (player.joinable())
        player.join();
    wince::useRealClock();
    return result;
}

void close()
{
    wince::injectWindowEvent(wince::WindowEvent::Close);
}

TEST(Boot, TheMIDletRunsFromTheWindowsEventsUntilExit)
{
    // Shown, the canvas draws a green frame with a red corner and flushes
    // it; a pressed key reads the key states; a released key asks for a
    // serial call, which runs after that message.
    vxtest::TestMIDlet::onCanvasMade = [](const VMPtr<vxtest::TestCanvas>& made) {
        vxtest::TestCanvas* canvas = made.get(); // the MIDlet holds it
        canvas->onShow = [canvas] {
            VMPtr<javax::microedition::lcdui::Graphics> g = canvas->getGraphics();
            g->setColor(0x00FF00);
            g->fillRect(0, 0, canvas->getWidth(), canvas->getHeight());
            g->setColor(0xFF0000);
            g->fillRect(0, 0, 4, 4);
            canvas->flushGraphics();
            CallLog::add("flushed");
        };
        canvas->onKeyPressed = [canvas] {
            CallLog::add("states " + std::to_string(canvas->getKeyStates()));
        };
        canvas->onKeyReleased = [] {
            Display::getDisplay(nullptr)->callSerially(
                vxtest::TestRunnable::newInstance()->init("serial"));
            CallLog::add("asked");
        };
    };
    std::vector<uint16_t> frame;
    INT frameWidth = 0;
    int result = runProgram("MIDlet-1: Test, /icon.png, tests.TestMIDlet\n", [&] {
        ASSERT_TRUE(CallLog::waitFor("flushed"));
        frame = wince::windowFrame(HAL_getMainWindow(), &frameWidth);
        EXPECT_TRUE(wince::injectKey(VK_LEFT, true));
        EXPECT_TRUE(wince::injectKey(VK_LEFT, false));
        EXPECT_TRUE(CallLog::waitFor("run serial"));
        EXPECT_TRUE(wince::injectStylus(WM_LBUTTONDOWN, 10, 20));
        EXPECT_TRUE(wince::injectStylus(WM_MOUSEMOVE, 30, 40));
        EXPECT_TRUE(wince::injectStylus(WM_LBUTTONUP, 30, 40));
        EXPECT_TRUE(CallLog::waitFor("canvas.pointerReleased 30 40"));
        EXPECT_TRUE(wince::injectWindowEvent(wince::WindowEvent::FocusLost));
        EXPECT_TRUE(CallLog::waitFor("pauseApp"));
        EXPECT_TRUE(wince::injectWindowEvent(wince::WindowEvent::FocusGained));
        EXPECT_TRUE(CallLog::waitFor("canvas.showNotify", 2));
        close();
    });
    EXPECT_EQ(result, 0);
    ASSERT_GT(frameWidth, 10);
    ASSERT_GT(frame.size(), size_t(frameWidth) * 10);
    EXPECT_EQ(frame[0], 0xF800);                       // red corner
    EXPECT_EQ(frame[size_t(frameWidth) * 3 + 3], 0xF800);
    EXPECT_EQ(frame[size_t(frameWidth) * 9 + 9], 0x07E0); // green
    EXPECT_EQ(frame.back(), 0x07E0);
    EXPECT_EQ(CallLog::all(), (Calls{
                                  "startApp",
                                  "canvas.showNotify",
                                  "flushed",
                                  "canvas.keyPressed -3",
                                  "states 4",
                                  "canvas.keyReleased -3",
                                  "asked",
                                  "run serial",
                                  "canvas.pointerPressed 10 20",
                                  "canvas.pointerDragged 30 40",
                                  "canvas.pointerReleased 30 40",
                                  "canvas.hideNotify",
                                  "pauseApp",
                                  "startApp",
                                  "canvas.showNotify",
                                  "flushed",
                                  "destroyApp true",
                              }));
}

// A boot that cannot start a MIDlet ends the program with exit code 1.
TEST(Boot, DeclarationsThatStartNoMIDletEndTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* declaration;
        const char* error;
    };
    const Case cases[] = {
        {"MIDlet-1: Test, tests.TestMIDlet\n", "CALLBACK_UNCAUGHT_EXCEPTION"},
        {"MIDlet-1: Test, /icon.png, java.lang.Object\n", "CALLBACK_UNCAUGHT_EXCEPTION"},
        {"MIDlet-2: Test, /icon.png, tests.TestMIDlet\n", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(runProgram(c.declaration, nullptr), testing::ExitedWithCode(1), c.error)
            << c.declaration;
    }
}

} // namespace
