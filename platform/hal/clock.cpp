// The clock: local wall-clock milliseconds from a base taken once, advanced
// by the tick count. The tick count is carried into 64 bits, so the clock
// keeps running forward when the 32-bit counter wraps.

#include <mutex>

#include "hal/device.h"
#include "wince/kernel.h"

namespace {

std::mutex g_lock;
bool g_started = false;
int64_t g_offset = 0;     // local milliseconds minus the extended tick count
uint32_t g_lastTick = 0;  // the tick count at the last call
int64_t g_wraps = 0;      // 2^32 for every wrap seen

// Days from 1970-01-01 to the date, by the Gregorian calendar.
int64_t daysSince1970(int year, int month, int day)
{
    static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    int64_t days = 0;
    for (int y = 1970; y < year; ++y) {
        days += leap(y) ? 366 : 365;
    }
    for (int y = year; y < 1970; ++y) {
        days -= leap(y) ? 366 : 365;
    }
    int m = month >= 1 && month <= 12 ? month : 1;
    days += kDaysBefore[m - 1] + (m > 2 && leap(year) ? 1 : 0);
    return days + day - 1;
}

int64_t localMillis(const SYSTEMTIME& t)
{
    int64_t days = daysSince1970(t.wYear, t.wMonth, t.wDay);
    return (((days * 24 + t.wHour) * 60 + t.wMinute) * 60 + t.wSecond) * 1000;
}

}  // namespace

uint32_t HAL_getTickCount()
{
    return GetTickCount();
}

int64_t HAL_currentTimeMillis()
{
    std::lock_guard guard(g_lock);
    uint32_t tick = GetTickCount();
    if (g_started && tick < g_lastTick) {
        g_wraps += int64_t{1} << 32;
    }
    g_lastTick = tick;
    int64_t ticks = g_wraps + tick;
    if (!g_started) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        g_offset = localMillis(now) - ticks;
        g_started = true;
    }
    return g_offset + ticks;
}

void HAL_resetClock()
{
    std::lock_guard guard(g_lock);
    g_started = false;
    g_wraps = 0;
}

int32_t HAL_getTimeZoneOffset()
{
    TIME_ZONE_INFORMATION info{};
    switch (GetTimeZoneInformation(&info)) {
    case TIME_ZONE_ID_STANDARD:
        return -(info.Bias + info.StandardBias) * 60000;
    case TIME_ZONE_ID_DAYLIGHT:
        return -(info.Bias + info.DaylightBias) * 60000;
    case TIME_ZONE_ID_UNKNOWN:
        return -info.Bias * 60000;
    default:
        return 0;
    }
}
