#include "support/HalTestSupport.h"

#include "hal/HALLock.h"
#include "hal/HALThread.h"
#include "hal/hal.h"

#include "wince/clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using vxtest::CountingCallbacks;

// Records the slices slept on the virtual clock; can act at a given slice.
struct SliceLog {
    std::vector<DWORD> slices;
    std::vector<bool> heldVMLock;
    size_t actAt = 0;  // 1-based slice at which `action` runs; 0: never
    std::function<void()> action;
};
SliceLog* sliceLog = nullptr;

void recordSlice(DWORD milliseconds)
{
    sliceLog->slices.push_back(milliseconds);
    sliceLog->heldVMLock.push_back(HAL_holdsVMLock());
    if (sliceLog->slices.size() == sliceLog->actAt)
        sliceLog->action();
}

class VirtualSleep : public testing::Test {
protected:
    void SetUp() override
    {
        sliceLog = &log;
        wince::useVirtualClock(1000, nullptr);
        wince::setVirtualSleepObserver(recordSlice);
    }
    void TearDown() override
    {
        wince::setVirtualSleepObserver(nullptr);
        wince::useRealClock();
        sliceLog = nullptr;
    }

    SliceLog log;
    vxtest::MainThreadRecord main;
    CountingCallbacks callbacks;
};

TEST_F(VirtualSleep, SleepsInDoublingSlicesCutToTheRemainingTime)
{
    struct Case {
        uint32_t milliseconds;
        std::vector<DWORD> slices;
    };
    const Case cases[] = {
        {0, {}},
        {1, {1}},
        {5, {2, 3}},
        {6, {2, 4}},
        {100, {2, 4, 8, 16, 32, 38}},
    };
    for (const Case& c : cases) {
        log.slices.clear();
        log.heldVMLock.clear();
        DWORD before = GetTickCount();
        HAL_lockVM();
        HAL_lockVM();
        HAL_sleep(c.milliseconds);
        EXPECT_EQ(log.slices, c.slices) << c.milliseconds << " ms";
        EXPECT_EQ(GetTickCount() - before, c.milliseconds);
        // The VM lock is away while sleeping and back at its depth after.
        EXPECT_EQ(log.heldVMLock, std::vector<bool>(c.slices.size(), false));
        EXPECT_EQ(HAL_releaseVMLock(), 2u);
    }
    EXPECT_EQ(CountingCallbacks::enterVMCalls(), 5);
}

TEST_F(VirtualSleep, ANotifyEndsAWaitAtTheEndOfTheCurrentSlice)
{
    HALLock* lock = nullptr;
    ASSERT_EQ(HAL_createLock(&lock, true), 0);
    log.actAt = 3;
    log.action = [lock] { HAL_notifyLock(lock); };
    HAL_waitLock(lock, 100000);
    EXPECT_EQ(log.slices, (std::vector<DWORD>{2, 4, 8}));
    EXPECT_EQ(lock->head, nullptr);
    HAL_leaveLock(lock);
    HAL_deleteLock(lock);
}

TEST_F(VirtualSleep, WaitTimeOutsMapToA32BitSleep)
{
    struct Case {
        int64_t timeout;
        uint64_t slept;
    };
    const Case cases[] = {
        {7, 7},
        {0, 0xFFFFFFFFu},             // no limit: until notified
        {-5, 0xFFFFFFFFu},
        {int64_t{1} << 40, 0xFFFFFFFEu},  // high bits set: cut
        {0xFFFFFFFEll, 0xFFFFFFFEu},
    };
    HALLock* lock = nullptr;
    ASSERT_EQ(HAL_createLock(&lock, false), 0);
    for (const Case& c : cases) {
        log.slices.clear();
        HAL_enterLock(lock);
        HAL_waitLock(lock, c.timeout);
        uint64_t slept = 0;
        for (DWORD slice : log.slices)
            slept += slice;
        EXPECT_EQ(slept, c.slept) << c.timeout;
        // Timed out: no longer queued, and the lock is held again.
        EXPECT_EQ(lock->head, nullptr);
        EXPECT_EQ(lock->section.RecursionCount, 1);
        HAL_leaveLock(lock);
    }
    HAL_deleteLock(lock);
}

TEST_F(VirtualSleep, WaitRestoresBothLockDepths)
{
    HALLock* lock = nullptr;
    ASSERT_EQ(HAL_createLock(&lock, true), 0);
    HAL_enterLock(lock);
    HAL_lockVM();
    HAL_lockVM();
    log.actAt = 1;
    bool otherGotBoth = false;
    log.action = [&] {
        // Another thread can take both locks while this one waits.
        std::thread other([&] {
            HAL_lockVM();
            otherGotBoth = TryEnterCriticalSection(&lock->section) != FALSE;
            if (otherGotBoth)
                LeaveCriticalSection(&lock->section);
            HAL_unlockVM();
        });
        other.join();
    };
    HAL_waitLock(lock, 10);
    EXPECT_TRUE(otherGotBoth);
    EXPECT_EQ(lock->section.RecursionCount, 2);
    EXPECT_EQ(HAL_releaseVMLock(), 2u);
    HAL_leaveLock(lock);
    HAL_leaveLock(lock);
    HAL_deleteLock(lock);
}

}  // namespace
