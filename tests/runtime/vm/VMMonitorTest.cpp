#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IllegalMonitorStateException.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/InterruptedException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"

namespace {

using java::lang::Object;
using VMMonitor = VMFixture;

TEST_F(VMMonitor, NestedLockingByOneThreadStaysThin)
{
    VMPtr<Object> o = Object::newInstance();
    {
        VMSynchronized outer(o);
        {
            VMSynchronized inner(o);
            EXPECT_EQ(o->monitorCount, 2);
            EXPECT_EQ(o->monitorOwner, VMThread::current());
        }
        EXPECT_EQ(o->monitorCount, 1);
    }
    EXPECT_EQ(o->monitorCount, 0);
    EXPECT_EQ(o->monitorOwner, nullptr);
    EXPECT_EQ(o->monitorLock, nullptr);
}

TEST_F(VMMonitor, NotifyOnAThinMonitorHeldByTheCallerDoesNothing)
{
    VMPtr<Object> o = Object::newInstance();
    VMSynchronized guard(o);
    o->notify();
    o->notifyAll();
    EXPECT_EQ(o->monitorLock, nullptr);
    EXPECT_EQ(o->monitorCount, 1);
}

TEST_F(VMMonitor, WaitAndNotifyWithoutOwningThrowIllegalMonitorState)
{
    VMPtr<Object> o = Object::newInstance();
    VMPtr<Object> other = Object::newInstance();
    VMSynchronized holdsAnother(other);
    const std::function<void()> calls[] = {
        [&] { o->notify(); },
        [&] { o->notifyAll(); },
        [&] { o->wait(); },
        [&] { o->wait(10); },
    };
    for (const auto& call : calls)
        EXPECT_TRUE(vmThrows<java::lang::IllegalMonitorStateException>(call));
    EXPECT_EQ(o->monitorLock, nullptr);
}

TEST_F(VMMonitor, NegativeWaitTimeThrowsIllegalArgumentEvenForTheOwner)
{
    VMPtr<Object> o = Object::newInstance();
    VMSynchronized guard(o);
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>([&] { o->wait(-1); }));
    EXPECT_EQ(o->monitorCount, 1);
}

TEST_F(VMMonitor, ExceptionLeavingASynchronizedBlockReleasesTheMonitor)
{
    VMPtr<Object> o = Object::newInstance();
    EXPECT_TRUE(vmThrows<java::lang::IllegalStateException>([&] {
        VMSynchronized outer(o);
        VMSynchronized inner(o);
        vm_throwNew<java::lang::IllegalStateException>();
    }));
    EXPECT_EQ(o->monitorCount, 0);
    EXPECT_EQ(o->monitorOwner, nullptr);
}

// The exception in flight is no root until a handler holds it, so leaving an
// inflated monitor on the way out must not let another thread collect.
TEST_F(VMMonitor, AnExceptionLeavingAnInflatedMonitorSurvivesUntilItsHandler)
{
    VMPtr<Object> o = Object::newInstance();
    {
        VMSynchronized guard(o);
        o->wait(1);
    }
    ASSERT_NE(o->monitorLock, nullptr);
    bool done = false;
    VMTestThread collector([&] {
        while (!done) {
            _VM_collectGarbage(_VM_instance);
            VMThread::yield();
        }
    });
    VMWeak<java::lang::IllegalStateException> thrown;
    try {
        VMSynchronized guard(o);
        VMPtr<java::lang::IllegalStateException> e = java::lang::IllegalStateException::newInstance();
        e->init();
        thrown = e;
        VM_THROW(e);
    } catch (java::lang::IllegalStateException* caught) {
        VMPtr<java::lang::IllegalStateException> e(caught);
        EXPECT_EQ(thrown.get(), e.get());
    }
    done = true;
    EXPECT_TRUE(collector.join());
    EXPECT_EQ(o->monitorCount, 0);
}

TEST_F(VMMonitor, TimedWaitReturnsOwningTheMonitorWithItsFormerCount)
{
    VMPtr<Object> o = Object::newInstance();
    VMSynchronized outer(o);
    VMSynchronized inner(o);
    o->wait(20);
    EXPECT_NE(o->monitorLock, nullptr);
    EXPECT_EQ(o->monitorCount, 2);
    EXPECT_EQ(o->monitorOwner, VMThread::current());
}

TEST_F(VMMonitor, ContentionInflatesAndTheContenderGetsInAfterTheOwnerLeaves)
{
    VMPtr<Object> o = Object::newInstance();
    bool entered = false;
    std::optional<VMTestThread> contender;
    {
        VMSynchronized guard(o);
        contender.emplace([&] {
            VMSynchronized theirs(o);
            entered = true;
            EXPECT_EQ(o->monitorOwner, VMThread::current());
        });
        ASSERT_TRUE(VMFixture_sleepUntil([&] { return contender->started(); }));
        // The contender waits while we hold the monitor, also across sleeps.
        for (int i = 0; i < 5; ++i)
            VMThread::sleep(VMThread::current(), 5);
        EXPECT_FALSE(entered);
        EXPECT_EQ(o->monitorLock, nullptr);
    }
    EXPECT_TRUE(contender->join());
    EXPECT_TRUE(entered);
    EXPECT_NE(o->monitorLock, nullptr);
    EXPECT_EQ(o->monitorCount, 0);
    // An inflated monitor still locks and nests for one thread, also across a
    // sleep by a thread that has slept before (its sleep lock is taken only
    // for the sleep, so no lock order runs both ways between it and the
    // monitor's lock; the thread sanitizer checks this).
    {
        VMSynchronized again(o);
        VMSynchronized nested(o);
        VMThread::sleep(VMThread::current(), 1);
        EXPECT_EQ(o->monitorCount, 2);
    }
    EXPECT_EQ(o->monitorCount, 0);
}

TEST_F(VMMonitor, NotifyWakesAWaiterOnAnotherThread)
{
    VMPtr<Object> shared = Object::newInstance();
    bool ready = false;
    bool woke = false;
    int32_t countAfterWait = -1;
    VMTestThread waiter([&] {
        VMSynchronized outer(shared);
        VMSynchronized inner(shared);
        ready = true;
        while (!woke)
            shared->wait();
        countAfterWait = shared->monitorCount;
        EXPECT_EQ(shared->monitorOwner, VMThread::current());
    });
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return ready; }));
    {
        VMSynchronized guard(shared);
        // The waiter gave the monitor up completely.
        EXPECT_EQ(shared->monitorCount, 1);
        woke = true;
        shared->notify();
    }
    EXPECT_TRUE(waiter.join());
    EXPECT_EQ(countAfterWait, 2);
    EXPECT_EQ(shared->monitorCount, 0);
}

TEST_F(VMMonitor, InterruptWakesAWaiterWithInterruptedException)
{
    VMPtr<Object> shared = Object::newInstance();
    VMThread* waiterRecord = nullptr;
    bool interrupted = false;
    VMTestThread waiter([&] {
        VMSynchronized guard(shared);
        waiterRecord = VMThread::current();
        try {
            shared->wait();
        } catch (java::lang::InterruptedException* caught) {
            VMPtr<java::lang::InterruptedException> e(caught);
            interrupted = true;
            // The monitor is owned again when the exception arrives.
            EXPECT_EQ(shared->monitorOwner, VMThread::current());
        }
        EXPECT_EQ(waiterRecord->interrupted, 0);
    });
    ASSERT_TRUE(VMFixture_sleepUntil(
        [&] { return waiterRecord && waiterRecord->state == VMThread::BLOCKED; }));
    waiterRecord->interrupt();
    EXPECT_TRUE(waiter.join());
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(shared->monitorCount, 0);
}

TEST_F(VMMonitor, AnInterruptBeforeAWaitThrowsAtOnceWithTheMonitorStillOwned)
{
    VMPtr<Object> o = Object::newInstance();
    VMSynchronized guard(o);
    VMThread::current()->interrupt();
    EXPECT_TRUE(vmThrows<java::lang::InterruptedException>([&] { o->wait(60000); }));
    EXPECT_EQ(VMThread::current()->interrupted, 0);
    EXPECT_EQ(o->monitorCount, 1);
    EXPECT_EQ(o->monitorOwner, VMThread::current());
}

using VMMonitorDeathTest = VMMonitor;

TEST_F(VMMonitorDeathTest, UnlockByANonOwnerIsFatal)
{
    VMPtr<Object> o = Object::newInstance();
    EXPECT_EXIT(_VM_unlock(o.get()), ::testing::ExitedWithCode(1), "");
}

} // namespace
