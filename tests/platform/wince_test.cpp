// Conformance of the Windows CE stand-in's kernel functions, as the platform
// layer relies on them.

#include "wince/clock.h"
#include "wince/testing.h"
#include "wince/wince.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kSentinel = 0xDEADBEEFu;

std::atomic<int> runs{0};

DWORD countingRoutine(LPVOID parameter)
{
    runs.fetch_add(1);
    return static_cast<DWORD>(reinterpret_cast<uintptr_t>(parameter));
}

TEST(WinceThread, SuspendedThreadRunsOnlyAfterResume)
{
    runs = 0;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, countingRoutine, reinterpret_cast<LPVOID>(uintptr_t{42}),
                                 CREATE_SUSPENDED, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(runs.load(), 0);

    EXPECT_EQ(ResumeThread(thread), 1u);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ResumeThread(thread), 0u);  // already running: nothing happens
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(runs.load(), 1);
    EXPECT_TRUE(CloseHandle(thread));
}

TEST(WinceThread, ClosingANeverResumedThreadRunsNothing)
{
    runs = 0;
    HANDLE thread = CreateThread(nullptr, 0, countingRoutine, nullptr, CREATE_SUSPENDED, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(CloseHandle(thread));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(runs.load(), 0);
}

TEST(WinceEvent, AutoResetLetsOneWaitThroughAndASetWakesAWaiter)
{
    HANDLE automatic = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    HANDLE manual = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(automatic, nullptr);
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);  // cleared itself
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);  // stays set
    EXPECT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

    std::thread setter([automatic] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        SetEvent(automatic);
    });
    EXPECT_EQ(WaitForSingleObject(automatic, INFINITE), WAIT_OBJECT_0);
    setter.join();

    // On the virtual clock a timed wait passes virtual time instead of blocking.
    wince::useVirtualClock(500, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 40), WAIT_TIMEOUT);
    EXPECT_EQ(GetTickCount(), 540u);
    wince::useRealClock();

    EXPECT_TRUE(CloseHandle(automatic));
    EXPECT_TRUE(CloseHandle(manual));
    EXPECT_FALSE(SetEvent(automatic));
    EXPECT_EQ(CreateEventW(nullptr, FALSE, FALSE, u"named"), nullptr);
}

TEST(WinceHandle, StaleAndForeignHandlesAreRefused)
{
    HANDLE thread = CreateThread(nullptr, 0, countingRoutine, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(CloseHandle(thread));

    int notAnObject = 0;
    for (HANDLE bad : {thread, static_cast<HANDLE>(&notAnObject), static_cast<HANDLE>(nullptr),
                       INVALID_HANDLE_VALUE}) {
        SetLastError(kSentinel);
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_EQ(WaitForSingleObject(bad, 0), WAIT_FAILED);
        EXPECT_EQ(ResumeThread(bad), 0xFFFFFFFFu);
    }
    SetLastError(kSentinel);
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(WinceError, LastErrorBelongsToEachThread)
{
    SetLastError(kSentinel);
    std::thread other([] {
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
        SetLastError(ERROR_ALREADY_EXISTS);
    });
    other.join();
    EXPECT_EQ(GetLastError(), kSentinel);
}

TEST(WinceCriticalSection, IsReentrantAndExcludesOtherThreads)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_EQ(section.RecursionCount, 2);
    EXPECT_EQ(section.OwnerThread, GetCurrentThreadId());

    bool otherGotIn = true;
    std::thread([&] { otherGotIn = TryEnterCriticalSection(&section) != FALSE; }).join();
    EXPECT_FALSE(otherGotIn);

    LeaveCriticalSection(&section);
    std::thread([&] { otherGotIn = TryEnterCriticalSection(&section) != FALSE; }).join();
    EXPECT_FALSE(otherGotIn);  // still held once
    LeaveCriticalSection(&section);
    EXPECT_EQ(section.OwnerThread, 0u);
    std::thread([&] {
        otherGotIn = TryEnterCriticalSection(&section) != FALSE;
        if (otherGotIn)
            LeaveCriticalSection(&section);
    }).join();
    EXPECT_TRUE(otherGotIn);
    DeleteCriticalSection(&section);
}

TEST(WinceTls, SlotsHoldOneValuePerThread)
{
    DWORD slot = TlsCall(TLS_FUNCALLOC, 0);
    ASSERT_NE(slot, TLS_OUT_OF_INDEXES);
    int mine = 0;
    EXPECT_EQ(TlsGetValue(slot), nullptr);
    EXPECT_TRUE(TlsSetValue(slot, &mine));
    std::thread([slot] {
        EXPECT_EQ(TlsGetValue(slot), nullptr);
        int theirs = 0;
        TlsSetValue(slot, &theirs);
    }).join();
    EXPECT_EQ(TlsGetValue(slot), &mine);
    EXPECT_EQ(TlsCall(TLS_FUNCFREE, slot), static_cast<DWORD>(TRUE));

    SetLastError(kSentinel);
    EXPECT_FALSE(TlsSetValue(slot, &mine));  // freed
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(TlsGetValue(TLS_MINIMUM_AVAILABLE), nullptr);
    EXPECT_EQ(TlsCall(TLS_FUNCFREE, slot), static_cast<DWORD>(FALSE));
}

TEST(WinceTls, RunsOutOfSlotsCleanly)
{
    std::vector<DWORD> slots;
    for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;)
        slots.push_back(slot);
    EXPECT_LE(slots.size(), TLS_MINIMUM_AVAILABLE);
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    for (DWORD slot : slots)
        EXPECT_TRUE(TlsFree(slot));
    DWORD again = TlsAlloc();
    EXPECT_NE(again, TLS_OUT_OF_INDEXES);
    TlsFree(again);
}

TEST(WinceClock, VirtualClockAdvancesOnlyThroughSleep)
{
    SYSTEMTIME start{};
    start.wYear = 2008;
    start.wMonth = 12;
    start.wDay = 31;
    start.wHour = 23;
    start.wMinute = 59;
    start.wSecond = 59;
    start.wMilliseconds = 500;
    wince::useVirtualClock(0xFFFFFF00u, &start);
    EXPECT_TRUE(wince::isVirtualClock());
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
    Sleep(0x100 + 600);  // returns at once, wraps the tick count
    EXPECT_EQ(GetTickCount(), 600u);

    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 2009);
    EXPECT_EQ(now.wMonth, 1);
    EXPECT_EQ(now.wDay, 1);
    EXPECT_EQ(now.wDayOfWeek, 4);  // a Thursday
    EXPECT_EQ(now.wHour, 0);
    EXPECT_EQ(now.wMinute, 0);
    EXPECT_EQ(now.wSecond, 0);
    EXPECT_EQ(now.wMilliseconds, 356);

    wince::advanceVirtualClock(1000);
    EXPECT_EQ(GetTickCount(), 1600u);
    wince::useRealClock();
    EXPECT_FALSE(wince::isVirtualClock());
}

TEST(WinceClock, RealClockMovesWithSleep)
{
    DWORD before = GetTickCount();
    Sleep(30);
    EXPECT_GE(GetTickCount() - before, 30u);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_GE(now.wYear, 2024);
    EXPECT_TRUE(now.wMonth >= 1 && now.wMonth <= 12);
    EXPECT_LT(now.wMilliseconds, 1000);
}

TEST(WinceTimeZone, ReportsTheZonesBiases)
{
    TIME_ZONE_INFORMATION info{};
    DWORD kind = GetTimeZoneInformation(&info);
    ASSERT_NE(kind, TIME_ZONE_ID_INVALID);
    EXPECT_GE(info.Bias, -14 * 60);
    EXPECT_LE(info.Bias, 12 * 60);
    EXPECT_EQ(info.StandardBias, 0);
    if (kind == TIME_ZONE_ID_UNKNOWN) {
        EXPECT_EQ(info.DaylightBias, 0);
    }
    EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
}

TEST(WinceMemory, FiguresFitA32BitDevice)
{
    MEMORYSTATUS status{};
    GlobalMemoryStatus(&status);
    EXPECT_EQ(status.dwLength, sizeof(MEMORYSTATUS));
    EXPECT_LE(status.dwMemoryLoad, 100u);
    for (DWORD figure : {status.dwTotalPhys, status.dwAvailPhys, status.dwTotalPageFile, status.dwAvailPageFile,
                         status.dwTotalVirtual, status.dwAvailVirtual})
        EXPECT_LT(figure, 0x80000000u);
    EXPECT_GT(status.dwAvailPhys, 0u);
    EXPECT_GT(status.dwAvailVirtual, 0u);
    EXPECT_LE(status.dwAvailVirtual, status.dwTotalVirtual);
    EXPECT_LE(status.dwAvailPhys, status.dwTotalPhys);

    EXPECT_GT(HeapCompact(GetProcessHeap(), 0), 0u);
    EXPECT_EQ(HeapCompact(nullptr, 0), 0u);
    EXPECT_FALSE(SHCloseApps(1 << 20));
}

// A large amount of free heap is given back only once it has stayed free
// for ten seconds; one that is used again within them stays with the heap.
// Run in a fresh process, whose heap is mostly in use.
void compactOnlyWhatStaysFree()
{
    constexpr size_t kBlock = 32 << 10; // below the mmap threshold, above tcache
    ASSERT_LT(mallinfo2().fordblks, size_t(4) << 20) << "the test needs a mostly used heap";
    std::vector<void*> blocks(1024);
    auto allocate = [&] {
        for (void*& block : blocks) {
            block = std::malloc(kBlock);
            std::memset(block, 1, kBlock);
        }
    };
    auto release = [&] {
        for (void* block : blocks)
            std::free(block);
    };
    allocate();
    void* pin = std::malloc(kBlock); // keeps the top of the heap in use
    wince::useVirtualClock(0x40000000u, nullptr);
    auto after = [](DWORD ms) {
        wince::advanceVirtualClock(ms);
        return HeapCompact(GetProcessHeap(), 0);
    };
    after(1000);
    after(1000);
    uint32_t trims = wince::heapTrims();

    release();
    EXPECT_GE(after(1000), 32u << 20); // the free bytes, as the largest block
    after(4000);
    after(4000);
    allocate();
    after(4000);
    EXPECT_EQ(wince::heapTrims(), trims) << "used again before ten seconds";

    release();
    after(1000);
    after(500);
    after(9000);
    EXPECT_EQ(wince::heapTrims(), trims);
    after(1000);
    EXPECT_EQ(wince::heapTrims(), trims + 1);
    after(1000);
    EXPECT_EQ(wince::heapTrims(), trims + 1) << "given back once";

    std::free(pin);
    wince::useRealClock();
}

TEST(WinceMemoryDeathTest, HeapCompactGivesBackOnlyWhatStaysFree)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer's allocator stands in for glibc's heap";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            compactOnlyWhatStaysFree();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(WinceCom, NestedInitialisationIsCountedPerThread)
{
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    std::thread([] {
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        CoUninitialize();
    }).join();
    CoUninitialize();
    CoUninitialize();
    CoUninitialize();  // one too many: ignored
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
    EXPECT_TRUE(FAILED(CoInitializeEx(nullptr, 0x2)));
}

}  // namespace
