// The idle timer: keeps the device awake while the game asks for it by
// resetting the system idle timer a little more often than the shortest
// power time-out.

#include <algorithm>

#include "hal/device.h"
#include "hal/window.h"
#include "wince/power.h"
#include "wince/registry.h"

namespace {

constexpr UINT_PTR kIdleTimer = 1;
constexpr uint32_t kLongestPeriod = 5000;

uint32_t g_period = 0;  // 0 until computed

// Reads each named 4-byte value (seconds) of a key into the smallest
// non-zero one.
void smallestTimeout(const char16_t* keyName, std::initializer_list<const char16_t*> names,
                     uint32_t* smallest)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const char16_t* name : names) {
        DWORD seconds = 0;
        DWORD size = sizeof(seconds);
        if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&seconds),
                             &size) == ERROR_SUCCESS &&
            size == sizeof(seconds) && seconds != 0) {
            *smallest = *smallest == 0 ? seconds : std::min<uint32_t>(*smallest, seconds);
        }
    }
    RegCloseKey(key);
}

void onIdleTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    if (window == HAL_getMainWindow() && id == kIdleTimer) {
        SystemIdleTimerReset();
    }
}

}  // namespace

uint32_t HAL_computeIdleTimerPeriod()
{
    uint32_t seconds = 0;
    smallestTimeout(u"SYSTEM\\CurrentControlSet\\Control\\Power",
                    {u"BattPowerOff", u"ExtPowerOff", u"ScreenPowerOff"}, &seconds);
    smallestTimeout(u"SYSTEM\\CurrentControlSet\\Control\\Power\\Timeouts",
                    {u"BattSuspendTimeout", u"ACSuspendTimeout"}, &seconds);
    uint64_t period = uint64_t{900} * seconds;
    return period == 0 || period > kLongestPeriod ? kLongestPeriod : static_cast<uint32_t>(period);
}

int32_t HAL_resetIdleTimer(int32_t on)
{
    HWND window = HAL_getMainWindow();
    KillTimer(window, kIdleTimer);
    if (!on) {
        return 1;
    }
    if (g_period == 0) {
        g_period = HAL_computeIdleTimerPeriod();
    }
    SystemIdleTimerReset();
    SetTimer(window, kIdleTimer, g_period, onIdleTimer);
    return 1;
}
