// Device services: the clock, the time zone, the idle-timer period,
// resource files, console output and commands.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "hal/HALString.h"
#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/HalTestSupport.h"
#include "wince/clock.h"
#include "wince/testing.h"
#include "wince/user.h"

namespace {

using vxtest::AppFolder;

SYSTEMTIME localTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0,
                     WORD second = 0)
{
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

class Clock : public ::testing::Test {
protected:
    void TearDown() override
    {
        wince::useRealClock();
        HAL_resetClock();
    }
};

TEST_F(Clock, LocalTimeInMillisecondsSince1970)
{
    struct Case {
        SYSTEMTIME time;
        int64_t millis;
    };
    const Case cases[] = {
        {localTime(1970, 1, 1), 0},
        {localTime(1970, 1, 2), 86'400'000},
        {localTime(2000, 3, 1), 951'868'800'000},
        {localTime(2000, 2, 29, 23, 59, 59), 951'868'799'000},
        {localTime(2100, 3, 1), 4'107'542'400'000},  // 2100 is no leap year
        {localTime(2038, 1, 19, 3, 14, 8), 2'147'483'648'000},
    };
    for (const Case& c : cases) {
        wince::useVirtualClock(123456, &c.time);
        HAL_resetClock();
        EXPECT_EQ(HAL_currentTimeMillis(), c.millis) << c.time.wYear << "-" << c.time.wMonth;
    }
}

TEST_F(Clock, AdvancesWithTheTicksAndKeepsGoingAcrossTheirWrap)
{
    SYSTEMTIME start = localTime(2026, 12, 10, 12);
    wince::useVirtualClock(0xFFFFF000u, &start);
    HAL_resetClock();
    int64_t first = HAL_currentTimeMillis();
    wince::advanceVirtualClock(1000);
    EXPECT_EQ(HAL_currentTimeMillis() - first, 1000);
    wince::advanceVirtualClock(0x2000);  // the 32-bit tick count wraps
    EXPECT_LT(GetTickCount(), 0x2000u);
    EXPECT_EQ(HAL_currentTimeMillis() - first, 1000 + 0x2000);
    wince::advanceVirtualClock(5);
    EXPECT_EQ(HAL_currentTimeMillis() - first, 1005 + 0x2000);
}

TEST(TimeZone, OffsetIsHowFarLocalTimeIsAheadOfUtc)
{
    vxtest::ScopedTZ tz("UTC0");
    struct Case {
        const char* tz;
        int32_t offset;
    };
    const Case cases[] = {{"UTC0", 0}, {"JST-9", 9 * 3600000}, {"HST10", -10 * 3600000}};
    for (const Case& c : cases) {
        tz.set(c.tz);
        EXPECT_EQ(HAL_getTimeZoneOffset(), c.offset) << c.tz;
    }
}

TEST(IdleTimer, PeriodIsNineTenthsOfTheShortestTimeoutAtMostFiveSeconds)
{
    const char16_t* power = u"SYSTEM\\CurrentControlSet\\Control\\Power";
    const char16_t* timeouts = u"SYSTEM\\CurrentControlSet\\Control\\Power\\Timeouts";
    struct Case {
        DWORD battPowerOff;
        DWORD screenPowerOff;
        DWORD acSuspend;
        uint32_t period;
    };
    const Case cases[] = {
        {60, 60, 60, 5000}, {4, 60, 0, 3600}, {0, 0, 0, 5000}, {30, 0, 3, 2700}, {0, 5, 0, 4500},
    };
    for (const Case& c : cases) {
        wince::clearRegistry();
        wince::setRegistryDword(HKEY_LOCAL_MACHINE, power, u"BattPowerOff", c.battPowerOff);
        wince::setRegistryDword(HKEY_LOCAL_MACHINE, power, u"ScreenPowerOff", c.screenPowerOff);
        wince::setRegistryDword(HKEY_LOCAL_MACHINE, timeouts, u"ACSuspendTimeout", c.acSuspend);
        EXPECT_EQ(HAL_computeIdleTimerPeriod(), c.period)
            << c.battPowerOff << " " << c.screenPowerOff << " " << c.acSuspend;
    }
    wince::clearRegistry();
    EXPECT_EQ(HAL_computeIdleTimerPeriod(), 5000u);  // no values at all
    wince::resetRegistry();
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.write("rsc/RP1part0.rp", "0123456789");
        HAL_loadProperties();
    }
    void TearDown() override { HAL_freeProperties(); }
    AppFolder app;
};

TEST_F(Resources, OpenSizeAndReadAtOffsets)
{
    HALResource* resource = nullptr;
    ASSERT_EQ(HAL_openResource(&resource, u"RP1part0.rp", 11), 0);
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(HAL_getResourceSize(resource), 10);
    char buffer[8] = {};
    int32_t count = 4;
    EXPECT_EQ(HAL_readResource(resource, buffer, 3, &count), 0);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(std::string(buffer, 4), "3456");
    count = 8;  // more than remains
    EXPECT_EQ(HAL_readResource(resource, buffer, 7, &count), 0);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(std::string(buffer, 3), "789");
    count = 4;
    EXPECT_EQ(HAL_readResource(resource, buffer, -1, &count), 7);
    HAL_closeResource(resource);
}

TEST_F(Resources, NamesAreLookedUpWithoutRegardToCase)
{
    HALResource* resource = nullptr;
    ASSERT_EQ(HAL_openResource(&resource, u"rp1PART0.RP", 11), 0);
    EXPECT_EQ(HAL_getResourceSize(resource), 10);
    HAL_closeResource(resource);
}

TEST_F(Resources, MissingFilesAndBadArguments)
{
    HALResource* resource = reinterpret_cast<HALResource*>(1);
    EXPECT_EQ(HAL_openResource(&resource, u"missing.rp", 10), 4);
    EXPECT_EQ(resource, nullptr);
    EXPECT_EQ(HAL_openResource(&resource, u"RP1part0.rp", 5), 4);  // only "RP1pa"
    EXPECT_EQ(HAL_openResource(nullptr, u"RP1part0.rp", 11), 2);
    EXPECT_EQ(HAL_openResource(&resource, nullptr, 11), 2);
    EXPECT_EQ(HAL_openResource(&resource, u"RP1part0.rp", 0), 2);
    EXPECT_EQ(HAL_getResourceSize(nullptr), -1);
    int32_t count = 1;
    char byte;
    EXPECT_EQ(HAL_readResource(nullptr, &byte, 0, &count), 2);
}

// Names are resolved inside the resource folder only: a way out, a path from
// the root or a NUL inside the counted name is refused as not found.
TEST_F(Resources, NamesThatLeaveTheFolderAreRefused)
{
    app.write("secret.txt", "beside rsc");
    app.write("rsc/sub/inner.rp", "in");
    app.write("rsc/..dots", "a name, not a way out");
    const std::u16string refused[] = {
        u"..\\secret.txt",
        u"../secret.txt",
        u"sub\\..\\..\\secret.txt",
        u"sub/../../secret.txt",
        u"..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\etc\\hostname",
        u"\\etc\\hostname",
        u"/etc/hostname",
        u"..",
        std::u16string(u"RP1part0.rp\0.txt", 16),
    };
    for (const std::u16string& name : refused) {
        HALResource* resource = reinterpret_cast<HALResource*>(1);
        EXPECT_EQ(HAL_openResource(&resource, name.data(), int32_t(name.size())), 4)
            << std::string(name.begin(), name.end());
        EXPECT_EQ(resource, nullptr);
    }
    for (const char16_t* name : {u"sub\\inner.rp", u"sub/inner.rp", u"..dots"}) {
        HALResource* resource = nullptr;
        std::u16string_view text(name);
        EXPECT_EQ(HAL_openResource(&resource, name, int32_t(text.size())), 0)
            << std::string(text.begin(), text.end());
        HAL_closeResource(resource);
    }
}

// Sizes are read in 64 bits: a file too large for an int is refused rather
// than given a wrapped size (sparse files, nothing is written).
TEST_F(Resources, FilesTooLargeForAnIntSizeAreRefused)
{
    struct Case {
        const char* name;
        off_t size;
        int32_t status;
    };
    const Case cases[] = {
        {"largest.rp", off_t(INT32_MAX), 0},
        {"two-gigabytes.rp", off_t(INT32_MAX) + 1, 4},
        {"wraps-to-three.rp", (off_t(1) << 32) + 3, 4},
    };
    for (const Case& c : cases) {
        app.write(std::string("rsc/") + c.name, "");
        ASSERT_EQ(::truncate((app.path() + "/rsc/" + c.name).c_str(), c.size), 0) << c.name;
        std::u16string name(c.name, c.name + std::strlen(c.name));
        HALResource* resource = nullptr;
        EXPECT_EQ(HAL_openResource(&resource, name.data(), int32_t(name.size())), c.status)
            << c.name;
        if (c.status == 0) {
            EXPECT_EQ(HAL_getResourceSize(resource), INT32_MAX);
            HAL_closeResource(resource);
        } else {
            EXPECT_EQ(resource, nullptr) << c.name;
        }
    }
}

TEST(Console, LineFeedFlushesStandardOutput)
{
    AppFolder folder;
    std::string file = folder.path() + "/out.txt";
    std::fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    ASSERT_TRUE(std::freopen(file.c_str(), "w", stdout));
    auto contents = [&] {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    EXPECT_EQ(HAL_writeConsole('h'), 0);
    EXPECT_EQ(HAL_writeConsole('i'), 0);
    EXPECT_EQ(contents(), "");  // still buffered
    EXPECT_EQ(HAL_writeConsole('\n'), 0);
    EXPECT_EQ(contents(), "hi\n");
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
}

TEST(DeviceSdks, AbsentLibrariesLeaveTheirFeaturesOff)
{
    EXPECT_FALSE(HAL_probeSamsungSdk());
    EXPECT_FALSE(HAL_isOpticalMouseAvailable());
    EXPECT_FALSE(HAL_setOpticalMouseMode(1));
    EXPECT_FALSE(HAL_isKeyFromWheel(VK_UP, 0));
    EXPECT_FALSE(HAL_establishDataConnection());
    EXPECT_FALSE(HAL_isDataConnectionUp());
    EXPECT_EQ(HAL_releaseDataConnection(), 0);
    EXPECT_FALSE(HAL_probeHtcSensor());
    HAL_closeHtcSensor();
}

TEST(Commands, HoldTheirLabel)
{
    HALCommand* command = nullptr;
    EXPECT_EQ(HAL_createCommand(&command, u"Back", 4, 2, 1), 0);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(std::u16string(command->label->characters()), u"Back");
    EXPECT_EQ(command->type, 2);
    EXPECT_EQ(command->priority, 1);
    EXPECT_EQ(HAL_deleteCommand(command), 0);
    EXPECT_EQ(HAL_createCommand(&command, nullptr, 4, 2, 1), 2);
    EXPECT_EQ(HAL_deleteCommand(nullptr), 2);
}

}  // namespace
