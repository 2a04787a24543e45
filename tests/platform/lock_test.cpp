#include "support/HalTestSupport.h"

#include "hal/HALLock.h"
#include "hal/HALThread.h"
#include "hal/hal.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace {

using vxtest::waitUntil;

// A thread that waits on a lock, run through the platform's own threads.
struct Waiter {
    HALLock* lock = nullptr;
    int64_t timeout = 0;
    HALThread* thread = nullptr;
    std::atomic<bool> returned{false};
    std::atomic<uint32_t> waitedTicks{0};
};

void waitingBody(intptr_t data)
{
    auto* waiter = reinterpret_cast<Waiter*>(data);
    HAL_enterLock(waiter->lock);
    DWORD before = GetTickCount();
    HAL_waitLock(waiter->lock, waiter->timeout);
    waiter->waitedTicks = GetTickCount() - before;
    HAL_leaveLock(waiter->lock);
    waiter->returned = true;
}

bool isQueued(HALLock* lock, HALThread* thread)
{
    EnterCriticalSection(&lock->section);
    bool queued = thread->waitingOn == lock;
    LeaveCriticalSection(&lock->section);
    return queued;
}

void startWaiter(Waiter& waiter, HALLock* lock, int64_t timeout)
{
    waiter.lock = lock;
    waiter.timeout = timeout;
    ASSERT_EQ(HAL_createThread(&waiter.thread, waitingBody, reinterpret_cast<intptr_t>(&waiter)), 0);
    ASSERT_EQ(HAL_startThread(waiter.thread), 0);
    ASSERT_TRUE(waitUntil([&] { return isQueued(lock, waiter.thread); }));
}

void finish(Waiter& waiter)
{
    ASSERT_TRUE(waitUntil([&] { return waiter.returned.load(); }));
    HAL_lockVM();
    HAL_deleteThread(waiter.thread);
    HAL_unlockVM();
}

class LockTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(HAL_createLock(&lock, false), 0); }
    void TearDown() override { HAL_deleteLock(lock); }
    HALLock* lock = nullptr;
};

TEST_F(LockTest, NotifyEndsAnUnlimitedWait)
{
    Waiter waiter;
    startWaiter(waiter, lock, 0);
    HAL_notifyLock(lock);
    finish(waiter);
    EXPECT_EQ(lock->head, nullptr);
}

// Slices double, so after two seconds of waiting the current one lasts two
// seconds more; a notify must not wait for it to end.
TEST_F(LockTest, NotifyAfterALongWaitWakesAtOnce)
{
    Waiter waiter;
    startWaiter(waiter, lock, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    auto notified = std::chrono::steady_clock::now();
    HAL_notifyLock(lock);
    finish(waiter);
    EXPECT_LT(std::chrono::steady_clock::now() - notified, std::chrono::milliseconds(1000));
}

TEST_F(LockTest, WaitersWakeInTheOrderTheyBeganWaiting)
{
    Waiter waiters[3];
    for (Waiter& waiter : waiters)
        startWaiter(waiter, lock, 0);

    // One notify at a time wakes the longest waiter; the rest stay queued.
    for (int woken = 0; woken < 3; ++woken) {
        HAL_notifyLock(lock);
        finish(waiters[woken]);
        for (int later = woken + 1; later < 3; ++later)
            EXPECT_TRUE(isQueued(lock, waiters[later].thread)) << later;
    }
    HAL_notifyLock(lock);  // empty queue: nothing happens
}

TEST_F(LockTest, NotifyAllWakesEveryWaiter)
{
    Waiter waiters[3];
    for (Waiter& waiter : waiters)
        startWaiter(waiter, lock, 0);
    HAL_notifyAllLock(lock);
    EXPECT_EQ(lock->head, nullptr);
    for (Waiter& waiter : waiters)
        finish(waiter);
}

TEST_F(LockTest, AWaitWithATimeOutEndsUnnotified)
{
    Waiter waiter;
    startWaiter(waiter, lock, 60);
    finish(waiter);
    EXPECT_GE(waiter.waitedTicks.load(), 60u);
    EXPECT_EQ(lock->head, nullptr);
}

// The holder of the lock needs the VM lock to let go of it; a thread that
// holds the VM lock at depth 2 and enters the lock must not block it.
void holdingBody(intptr_t data)
{
    auto* waiter = reinterpret_cast<Waiter*>(data);
    HAL_enterLock(waiter->lock);
    waiter->returned = true;
    HAL_sleep(50);  // the other thread queues for the lock meanwhile
    HAL_leaveLock(waiter->lock);
}

TEST_F(LockTest, EnterGivesAwayEveryLevelOfTheVMLockWhileBlocked)
{
    Waiter holder;
    holder.lock = lock;
    ASSERT_EQ(HAL_createThread(&holder.thread, holdingBody, reinterpret_cast<intptr_t>(&holder)), 0);
    HAL_startThread(holder.thread);
    ASSERT_TRUE(waitUntil([&] { return holder.returned.load(); }));

    HAL_lockVM();
    HAL_lockVM();
    HAL_enterLock(lock);
    EXPECT_TRUE(HAL_holdsVMLock());
    HAL_leaveLock(lock);
    HAL_deleteThread(holder.thread);  // its body has returned: we hold the VM lock
    EXPECT_EQ(HAL_releaseVMLock(), 2u);
}

TEST(Lock, Arguments)
{
    EXPECT_EQ(HAL_createLock(nullptr, false), 2);
    HAL_enterLock(nullptr);
    HAL_leaveLock(nullptr);
    EXPECT_EQ(HAL_waitLock(nullptr, 5), nullptr);
    HAL_notifyLock(nullptr);
    HAL_notifyAllLock(nullptr);
    HAL_deleteLock(nullptr);

    HALLock* held = nullptr;
    ASSERT_EQ(HAL_createLock(&held, true), 0);
    EXPECT_EQ(held->section.RecursionCount, 1);
    HAL_leaveLock(held);
    HAL_deleteLock(held);
}

}  // namespace
