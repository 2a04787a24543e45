#include "wince/clock.h"
#include "wince/detail/clock.h"
#include "wince/detail/ui.h"
#include "wince/kernel.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace {

using namespace std::chrono;

// The virtual clock: on/off, virtual ticks, and the local time (as
// milliseconds since 1970 counted as if local time were UTC) at ticks 0.
std::atomic<bool> virtualOn{false};
std::atomic<uint64_t> virtualTicks{0};
std::atomic<int64_t> virtualLocalAtZero{0};
std::atomic<void (*)(DWORD)> sleepObserver{nullptr};

int64_t toMillis(const SYSTEMTIME& time)
{
    sys_days date = year{time.wYear} / month{time.wMonth} / day{time.wDay};
    return duration_cast<milliseconds>(date.time_since_epoch()).count() +
           ((time.wHour * 60 + time.wMinute) * 60 + time.wSecond) * int64_t{1000} + time.wMilliseconds;
}

SYSTEMTIME fromMillis(int64_t millis)
{
    sys_time<milliseconds> point{milliseconds{millis}};
    sys_days midnight = floor<days>(point);
    year_month_day date{midnight};
    hh_mm_ss<milliseconds> clock{point - midnight};
    SYSTEMTIME time;
    time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    time.wDayOfWeek = static_cast<WORD>(weekday{midnight}.c_encoding());
    time.wHour = static_cast<WORD>(clock.hours().count());
    time.wMinute = static_cast<WORD>(clock.minutes().count());
    time.wSecond = static_cast<WORD>(clock.seconds().count());
    time.wMilliseconds = static_cast<WORD>(clock.subseconds().count());
    return time;
}

SYSTEMTIME realLocalTime()
{
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    SYSTEMTIME time;
    time.wYear = static_cast<WORD>(local.tm_year + 1900);
    time.wMonth = static_cast<WORD>(local.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time.wDay = static_cast<WORD>(local.tm_mday);
    time.wHour = static_cast<WORD>(local.tm_hour);
    time.wMinute = static_cast<WORD>(local.tm_min);
    time.wSecond = static_cast<WORD>(std::min(local.tm_sec, 59));
    time.wMilliseconds = static_cast<WORD>(
        duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return time;
}

void copyName(WCHAR (&target)[32], const char* name)
{
    size_t i = 0;
    for (; name != nullptr && name[i] != '\0' && i < 31; ++i)
        target[i] = static_cast<unsigned char>(name[i]);
    target[i] = 0;
}

}  // namespace

bool wince_clock::sleepVirtually(DWORD milliseconds)
{
    if (!virtualOn.load(std::memory_order_acquire))
        return false;
    std::this_thread::yield();
    if (auto observer = sleepObserver.load(std::memory_order_acquire))
        observer(milliseconds);
    virtualTicks.fetch_add(milliseconds, std::memory_order_acq_rel);
    wince_ui::wake();  // timers follow virtual time
    return true;
}

// ---- Sleep: blocks the thread (virtual clock: yields, then advances) ------
void Sleep(DWORD milliseconds)
{
    if (wince_clock::sleepVirtually(milliseconds))
        return;
    if (milliseconds == INFINITE) {
        for (;;)
            std::this_thread::sleep_for(hours(24));
    }
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// ---- GetTickCount: milliseconds since the system started, wrapping at 2^32
DWORD GetTickCount()
{
    if (virtualOn.load(std::memory_order_acquire))
        return static_cast<DWORD>(virtualTicks.load(std::memory_order_acquire));
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// ---- GetLocalTime: the wall-clock time in the local zone -----------------
void GetLocalTime(SYSTEMTIME* time)
{
    if (time == nullptr)
        return;
    if (virtualOn.load(std::memory_order_acquire)) {
        int64_t ticks = static_cast<int64_t>(virtualTicks.load(std::memory_order_acquire));
        *time = fromMillis(virtualLocalAtZero.load(std::memory_order_acquire) + ticks);
        return;
    }
    *time = realLocalTime();
}

// ---- GetTimeZoneInformation: the zone's biases and whether DST is on -----
DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* info)
{
    if (info == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    *info = TIME_ZONE_INFORMATION{};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    // localtime_r has run tzset, so timezone, daylight and tzname are current.
    info->Bias = static_cast<LONG>(timezone / 60);
    copyName(info->StandardName, tzname[0]);
    copyName(info->DaylightName, tzname[1]);
    if (daylight == 0)
        return TIME_ZONE_ID_UNKNOWN;
    // Daylight bias from the zone's current offset while DST is on, else the
    // usual hour.
    LONG nowBias = static_cast<LONG>(-local.tm_gmtoff / 60);
    info->DaylightBias = local.tm_isdst > 0 ? nowBias - info->Bias : -60;
    return local.tm_isdst > 0 ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

namespace wince {

void useVirtualClock(DWORD ticks, const SYSTEMTIME* localTime)
{
    SYSTEMTIME start = localTime != nullptr ? *localTime : realLocalTime();
    virtualTicks.store(ticks, std::memory_order_release);
    virtualLocalAtZero.store(toMillis(start) - ticks, std::memory_order_release);
    virtualOn.store(true, std::memory_order_release);
    wince_ui::wake();
}

void useRealClock()
{
    virtualOn.store(false, std::memory_order_release);
    wince_ui::wake();
}

bool isVirtualClock()
{
    return virtualOn.load(std::memory_order_acquire);
}

void advanceVirtualClock(DWORD milliseconds)
{
    virtualTicks.fetch_add(milliseconds, std::memory_order_acq_rel);
    wince_ui::wake();
}

void setVirtualSleepObserver(void (*observer)(DWORD milliseconds))
{
    sleepObserver.store(observer, std::memory_order_release);
}

}  // namespace wince
