// How often the UI thread wakes while the program idles: the message loop
// runs with nothing to do, first active, then in the background, and the
// thread's voluntary context switches are read from /proc. Runs headless with
// SDL_VIDEODRIVER=dummy, or on a display.

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "hal/hal.h"
#include "support/HalTestSupport.h"
#include "wince/loader.h"
#include "wince/testing.h"

namespace {

std::atomic<long> g_uiThread{0};

int32_t boot(uint32_t, uint32_t, HALThread*, const char*, intptr_t)
{
    g_uiThread = static_cast<long>(::syscall(SYS_gettid));
    return 0;
}

double perSecond(long thread, std::chrono::milliseconds span)
{
    long before = vxtest::voluntaryWakeups(thread);
    std::this_thread::sleep_for(span);
    double woke = static_cast<double>(vxtest::voluntaryWakeups(thread) - before);
    return woke * 1000.0 / static_cast<double>(span.count());
}

}  // namespace

int main()
{
    std::string folder = (std::filesystem::temp_directory_path() / "vexalon-idle-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    setenv("VEXALON_APP_DIR", folder.c_str(), 1);
    HALCallbacks table{};
    table.init = boot;
    HAL_setCallbacks(&table);
    constexpr auto kSpan = std::chrono::milliseconds(3000);
    double active = 0;
    double inactive = 0;
    std::atomic<bool> failed{false};
    std::thread driver([&] {
        while (g_uiThread == 0 && !failed) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (failed) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        active = perSecond(g_uiThread, kSpan);
        wince::injectWindowEvent(wince::WindowEvent::Minimized);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        inactive = perSecond(g_uiThread, kSpan);
        HAL_postExit();
    });
    int result = HAL_main(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    failed = g_uiThread == 0;
    driver.join();
    std::filesystem::remove_all(folder);
    std::printf("UI thread wake-ups per second while idle: active %.1f, inactive %.1f\n", active,
                inactive);
    return result;
}
