// The platform's main line run whole and headless: start-up with the
// property files, the boot of the runtime, the message loop with activity
// and exit, and the single-instance check.

#include <gtest/gtest.h>

#include <thread>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "hal/hal.h"
#include "support/HalTestSupport.h"
#include "support/AppFolder.h"
#include "support/RecordingRuntime.h"
#include "wince/clock.h"
#include "wince/loader.h"
#include "wince/mutex.h"
#include "wince/power.h"
#include "wince/testing.h"

namespace {

using vxtest::AppFolder;
using vxtest::RecordedEvent;
using vxtest::RecordingRuntime;

std::u16string property(int32_t (*get)(const char16_t*, int32_t, char16_t*, int32_t*),
                        std::u16string_view key)
{
    char16_t buffer[256];
    int32_t length = 256;
    if (get(key.data(), static_cast<int32_t>(key.size()), buffer, &length) != 0) {
        return u"<absent>";
    }
    return std::u16string(buffer, static_cast<size_t>(length));
}

// CreateMutexW's last error for a name (the handle is closed again): the
// name start-up holds answers ERROR_ALREADY_EXISTS.
DWORD heldMutexError(const char16_t* name)
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    DWORD error = GetLastError();
    CloseHandle(mutex);
    return error;
}

// Closes the window the way a user does, once the runtime has booted.
void bootThenClose(const RecordingRuntime& runtime)
{
    EXPECT_TRUE(runtime.waitForBoot());
    EXPECT_TRUE(wince::injectWindowEvent(wince::WindowEvent::Close));
}

TEST(Startup, NameComesFromTheLastMidletNameOfAppPropNotFromSysProp)
{
    AppFolder app;
    app.writeSysProperties("MIDlet-Name: FromSys\nos.arch: sparc\n");
    app.writeAppProperties("MIDlet-Name: First\nMIDlet-Version: 1.0\nMIDlet-Name: Second\n");
    RecordingRuntime runtime;
    HWND window = nullptr;
    std::u16string title;
    std::u16string arch;
    DWORD mutexError = 0;
    runtime.onBoot([&] {
        window = FindWindowW(u"Second", u"Second");
        arch = property(HAL_getSystemProperty, u"os.arch");
        mutexError = heldMutexError(u"Local\\Second");
    });
    EXPECT_EQ(runtime.run([&] { bootThenClose(runtime); }), 0);
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(arch, u"arm");  // the device's facts follow sys.prop
    EXPECT_EQ(mutexError, ERROR_ALREADY_EXISTS);
}

TEST(Startup, MissingMidletNameGivesThePlaceholderName)
{
    AppFolder app;
    app.writeAppProperties("MIDlet-Vendor: Nobody\n");
    RecordingRuntime runtime;
    HWND window = nullptr;
    DWORD mutexError = 0;
    runtime.onBoot([&] {
        window = FindWindowW(u"_TQ_set_your_MIDlet-Name", nullptr);
        mutexError = heldMutexError(u"Local\\_TQ_set_your_MIDlet-Name");
    });
    EXPECT_EQ(runtime.run([&] { bootThenClose(runtime); }), 0);
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(mutexError, ERROR_ALREADY_EXISTS);
}

TEST(Startup, BootGetsATenthAndNineTenthsOfTheSmallerFreeMemory)
{
    AppFolder app;
    wince::setAvailableMemory(300u << 20, 100u << 20);
    RecordingRuntime runtime;
    EXPECT_EQ(runtime.run([&] { bootThenClose(runtime); }), 0);
    wince::useRealMemory();
    EXPECT_EQ(runtime.initialLimit(), 10u << 20);
    EXPECT_EQ(runtime.maximumLimit(), 90u << 20);
    EXPECT_EQ(runtime.bootClass(), "com.tarquel.velto.AMS");
    EXPECT_NE(runtime.bootThread(), nullptr);
    // One collection after the boot, one for each settle (none here).
    EXPECT_EQ(runtime.gcCalls(), 1);
}

TEST(StartupDeathTest, BootFailuresEndTheProgramWithTheirMessage)
{
    struct Case {
        int32_t result;
        const char* message;
    };
    const Case cases[] = {
        {1, "init\\(\\) failed with CALLBACK_INITIALIZATION_FAILED error \\(probably a bad boot "
            "class name\\)\\."},
        {2, "init\\(\\) failed with CALLBACK_UNCAUGHT_EXCEPTION\\."},
        {7, "init\\(\\) failed with an unknown error!"},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                AppFolder app;
                RecordingRuntime runtime;
                runtime.setBootResult(c.result);
                HAL_main(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
            },
            ::testing::ExitedWithCode(1), c.message)
            << "boot result " << c.result;
    }
}

TEST(StartupDeathTest, WithoutADisplayOrAChosenDriverStartUpSaysWhatToSet)
{
    EXPECT_EXIT(
        {
            for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) {
                unsetenv(name);
            }
            AppFolder app;
            RecordingRuntime runtime;
            std::exit(HAL_main(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
        },
        ::testing::ExitedWithCode(1), "set DISPLAY .*or SDL_VIDEODRIVER=dummy");
}

TEST(Startup, ExitMessageEndsTheLoopWithZeroAndDropsLaterEvents)
{
    AppFolder app;
    RecordingRuntime runtime;
    runtime.onShutdown([] {
        // Too late: the exit request has begun.
        HAL_postEvent(HAL_EVENT_ACTIVE, 0, nullptr, true);
    });
    int result = runtime.run([&] {
        EXPECT_TRUE(runtime.waitForBoot());
        HAL_postExit();
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(runtime.events(), (std::vector<RecordedEvent>{{HAL_EVENT_EXIT, {}}}));
    EXPECT_EQ(runtime.shutdownCalls(), 1);
}

TEST(Startup, UiThreadEntersTheVmForEachBurstOfMessages)
{
    AppFolder app;
    RecordingRuntime runtime;
    int result = runtime.run([&] {
        ASSERT_TRUE(runtime.waitForBoot());
        // Another thread runs runtime code in between.
        std::thread other([] {
            HAL_enterVM();
            HAL_unlockVM();
        });
        other.join();
        EXPECT_TRUE(runtime.settle());
        HAL_postExit();
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(runtime.gcCallsOutsideVM(), 0);
}

TEST(Startup, DeactivationAndReactivationBecomeEventsOneAndTwo)
{
    AppFolder app;
    RecordingRuntime runtime;
    int result = runtime.run([&] {
        EXPECT_TRUE(runtime.waitForBoot());
        wince::injectWindowEvent(wince::WindowEvent::FocusLost);
        wince::injectWindowEvent(wince::WindowEvent::FocusLost);  // no change
        wince::injectWindowEvent(wince::WindowEvent::FocusGained);
        wince::injectWindowEvent(wince::WindowEvent::Minimized);
        wince::injectWindowEvent(wince::WindowEvent::Restored);
        EXPECT_TRUE(runtime.waitForEvents(4));
        // Power off while the window is active; on again.
        EXPECT_TRUE(vxtest::waitUntil([] { return wince::powerNotificationRequests() == 1; }));
        wince::injectPowerNotice(POWER_STATE_SUSPEND);
        EXPECT_TRUE(runtime.waitForEvents(5));
        wince::injectPowerNotice(POWER_STATE_ON);
        EXPECT_TRUE(runtime.waitForEvents(6));
        wince::injectWindowEvent(wince::WindowEvent::Close);
    });
    EXPECT_EQ(result, 0);
    std::vector<RecordedEvent> expected = {
        {HAL_EVENT_INACTIVE, {}}, {HAL_EVENT_ACTIVE, {}}, {HAL_EVENT_INACTIVE, {}},
        {HAL_EVENT_ACTIVE, {}},   {HAL_EVENT_INACTIVE, {}}, {HAL_EVENT_ACTIVE, {}},
        {HAL_EVENT_EXIT, {}},
    };
    EXPECT_EQ(runtime.events(), expected);
}

TEST(Startup, ClosingWhileInactiveStillEndsWithZero)
{
    AppFolder app;
    RecordingRuntime runtime;
    int result = runtime.run([&] {
        EXPECT_TRUE(runtime.waitForBoot());
        wince::injectWindowEvent(wince::WindowEvent::Minimized);
        EXPECT_TRUE(runtime.waitForEvents(1));
        wince::injectWindowEvent(wince::WindowEvent::Close);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(runtime.events({HAL_EVENT_INACTIVE, HAL_EVENT_EXIT}),
              (std::vector<RecordedEvent>{{HAL_EVENT_INACTIVE, {}}, {HAL_EVENT_EXIT, {}}}));
}

TEST(Startup, LastUrlAskedForOpensInTheBrowserAtShutdown)
{
    AppFolder app;
    RecordingRuntime runtime;
    uint8_t mustExit = 0;
    runtime.onBoot([&] {
        HAL_openURL(u"http://example.com/a", 20, &mustExit);
        HAL_openURL(u"http://example.com/b", 20, nullptr);
        EXPECT_EQ(wince::lastShellRequest(), u"");  // not yet
    });
    wince::captureShellRequests(true);
    EXPECT_EQ(runtime.run([&] { bootThenClose(runtime); }), 0);
    EXPECT_EQ(wince::lastShellRequest(), u"iexplore.exe|http://example.com/b");
    wince::captureShellRequests(false);
    EXPECT_EQ(mustExit, 1);
}

TEST(Startup, PowerThreadEndsAtOnceAtShutdown)
{
    AppFolder app;
    RecordingRuntime runtime;
    EXPECT_EQ(runtime.run([&] {
        EXPECT_TRUE(runtime.waitForBoot());
        EXPECT_TRUE(vxtest::waitUntil([] { return wince::powerNotificationRequests() == 1; }));
        wince::injectWindowEvent(wince::WindowEvent::Close);
    }),
              0);
    // No notice comes, yet the thread lets go of its request.
    EXPECT_TRUE(vxtest::waitUntil([] { return wince::powerNotificationRequests() == 0; }));
}

TEST(Startup, SecondInstanceInTheSameFolderReturnsOne)
{
    AppFolder app;
    app.writeAppProperties("MIDlet-Name: Solo\n");
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t first = fork();
    if (first == 0) {
        // The first instance: holds the name until told to stop.
        HANDLE mutex = CreateMutexW(nullptr, FALSE, u"Local\\Solo");
        char byte = mutex && GetLastError() == 0 ? 'y' : 'n';
        (void)!write(ready[1], &byte, 1);
        (void)!read(release[0], &byte, 1);
        CloseHandle(mutex);
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    RecordingRuntime runtime;
    EXPECT_EQ(runtime.run([] {}), 1);
    EXPECT_TRUE(runtime.bootClass().empty());  // never booted
    (void)!write(release[1], &byte, 1);
    int status = 0;
    waitpid(first, &status, 0);
}

TEST(Startup, ALockThatCannotBeMadeIsToldAndTheProgramRuns)
{
    AppFolder app;
    app.write("not-a-folder", "");
    vxtest::ScopedEnv runtimeFolder("XDG_RUNTIME_DIR", nullptr);
    vxtest::ScopedEnv temporaryFolder("TMPDIR", (app.path() + "/not-a-folder").c_str());
    RecordingRuntime runtime;
    ::testing::internal::CaptureStderr();
    int result = runtime.run([&] { bootThenClose(runtime); });
    std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(runtime.bootClass().empty());
    EXPECT_NE(told.find("another copy may run at the same time"), std::string::npos) << told;
}

TEST(Startup, InstancesInDifferentFoldersRunSideBySide)
{
    std::string otherFolder;
    {
        AppFolder other;
        otherFolder = other.path();
    }
    std::filesystem::create_directories(otherFolder);
    setenv("VEXALON_APP_DIR", otherFolder.c_str(), 1);
    HANDLE elsewhere = CreateMutexW(nullptr, FALSE, u"Local\\_TQ_set_your_MIDlet-Name");
    ASSERT_NE(elsewhere, nullptr);
    AppFolder app;  // points VEXALON_APP_DIR at a folder of its own
    RecordingRuntime runtime;
    EXPECT_EQ(runtime.run([&] { bootThenClose(runtime); }), 0);
    EXPECT_FALSE(runtime.bootClass().empty());
    CloseHandle(elsewhere);
    std::filesystem::remove_all(otherFolder);
}

}  // namespace
