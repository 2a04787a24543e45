#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hal/thread.h"
#include "java/lang/IllegalThreadStateException.h"
#include "java/lang/InterruptedException.h"
#include "java/lang/Runtime.h"
#include "java/lang/RuntimeException.h"
#include "java/lang/Thread.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMInstance.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"

namespace vmtest {

// A thread whose run calls a body given by the test.
class Worker : public java::lang::Thread {
    VM_CLASS(Worker, java::lang::Thread)

    void run() override
    {
        ran = true;
        runner = currentThread().get();
        if (body)
            body();
    }

    std::function<void()> body;
    bool ran = false;
    java::lang::Thread* runner = nullptr;
};

// A Runnable that counts its runs.
class Counter : public virtual java::lang::Runnable {
    VM_CLASS(Counter, java::lang::Object)

    void run() override { ++runs; }
    int runs = 0;
};

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::Worker, "vmtest.Worker", "java.lang.Thread", "vmtest/Worker",
                             nullptr);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Counter, "vmtest.Counter", "java.lang.Object",
                             "vmtest/Counter", nullptr);
VM_IMPLEMENTS(vmtest::Counter, "java.lang.Runnable");

namespace {

using java::lang::InterruptedException;
using java::lang::Thread;
using vmtest::Worker;

VMPtr<Worker> newWorker(std::function<void()> body = nullptr)
{
    VMPtr<Worker> w = Worker::newInstance();
    w->init();
    w->body = std::move(body);
    return w;
}

// Waits on the thread object until its thread has ended (the run wrapper
// notifies it).
void join(const VMPtr<Thread>& t)
{
    VMSynchronized guard(t);
    for (int i = 0; i < 100 && t->isAlive(); ++i)
        t->wait(100);
    ASSERT_FALSE(t->isAlive());
}

class ThreadTest : public VMFixture {};

TEST_F(ThreadTest, UnnamedThreadsAreNumberedInCreationOrder)
{
    VMPtr<Thread> first = Thread::newInstance();
    first->init();
    VMPtr<Thread> named = Thread::newInstance();
    named->init(vmString("mine"));
    VMPtr<Thread> second = Thread::newInstance();
    second->init(VMPtr<java::lang::Runnable>(nullptr));
    VMPtr<Thread> third = Thread::newInstance();
    third->init();
    EXPECT_EQ(vmText(first->getName()), "Thread-1");
    EXPECT_EQ(vmText(named->getName()), "mine");
    EXPECT_EQ(vmText(second->getName()), "Thread-2");
    EXPECT_EQ(vmText(third->getName()), "Thread-3");
    EXPECT_EQ(vmText(first->toString()), "Thread[Thread-1,5]");
    EXPECT_EQ(first->priority, 5);
    EXPECT_EQ(first->vmThread->state, VMThread::CREATED);
    EXPECT_FALSE(first->isAlive());
}

TEST_F(ThreadTest, CurrentThreadOnTheUiThreadIsSystem)
{
    VMPtr<Thread> me = Thread::currentThread();
    ASSERT_TRUE(me);
    EXPECT_EQ(vmText(me->getName()), "System");
    EXPECT_EQ(me.get(), _VM_instance->systemThread.get());
    EXPECT_TRUE(me->isAlive());
}

TEST_F(ThreadTest, ARunnableTargetRunsOnTheNewThread)
{
    VMPtr<vmtest::Counter> counter = vmtest::Counter::newInstance();
    VMPtr<Thread> t = Thread::newInstance();
    t->init(VMPtr<java::lang::Runnable>(counter));
    t->start();
    join(t);
    EXPECT_EQ(counter->runs, 1);
    EXPECT_EQ(t->vmThread->state, VMThread::FINISHED);
}

TEST_F(ThreadTest, ASubclassRunsItsOwnRunAsTheCurrentThread)
{
    VMPtr<Worker> w = newWorker();
    w->start();
    join(w);
    EXPECT_TRUE(w->ran);
    EXPECT_EQ(w->runner, w.get());
}

TEST_F(ThreadTest, ANullTargetRunsNothingAndFinishes)
{
    VMPtr<Thread> t = Thread::newInstance();
    t->init();
    t->start();
    join(t);
    EXPECT_EQ(t->vmThread->state, VMThread::FINISHED);
}

TEST_F(ThreadTest, StartingTwiceOrAfterTheEndThrows)
{
    bool release = false;
    VMPtr<Worker> w = newWorker([&] {
        while (!release)
            Thread::sleep(2);
    });
    w->start();
    EXPECT_TRUE(vmThrows<java::lang::IllegalThreadStateException>([&] { w->start(); }));
    release = true;
    join(w);
    EXPECT_TRUE(vmThrows<java::lang::IllegalThreadStateException>([&] { w->start(); }));
    // The thread class guards it; the record ignores a second start anyway.
    w->vmThread->start();
    EXPECT_EQ(w->vmThread->state, VMThread::FINISHED);
}

TEST_F(ThreadTest, AnExceptionEscapingRunEndsOnlyThatThread)
{
    VMPtr<Worker> failing =
        newWorker([] { vm_throwNew<java::lang::RuntimeException>(vmString("boom")); });
    int laterRuns = 0;
    VMPtr<Worker> other = newWorker([&] {
        Thread::sleep(20);
        ++laterRuns;
    });
    other->start();
    ::testing::internal::CaptureStdout();
    failing->start();
    // Waiters on the failing thread's object are woken when it ends.
    join(failing);
    EXPECT_THAT(::testing::internal::GetCapturedStdout(),
                ::testing::MatchesRegex("Exception in thread \"Thread-[0-9]+\" "
                                        "java.lang.RuntimeException: boom\n    at <unknown>\n"));
    EXPECT_EQ(failing->vmThread->state, VMThread::FINISHED);
    join(other);
    EXPECT_EQ(laterRuns, 1);
}

TEST_F(ThreadTest, AnAllowedExitEndsTheThreadAndAsksTheVmToExit)
{
    java::lang::Runtime::getRuntime()->setExitAllowed(true);
    VMPtr<Worker> exiting = newWorker([] { java::lang::Runtime::getRuntime()->exit(3); });
    exiting->start();
    join(exiting);
    java::lang::Runtime::getRuntime()->setExitAllowed(false);
    EXPECT_EQ(exiting->vmThread->state, VMThread::FINISHED);
    EXPECT_EQ(_VM_instance->exitRequested, 1);
}

TEST_F(ThreadTest, SleepingZeroOrANegativeTimeOnlyYields)
{
    VMThread* me = VMThread::current();
    for (int64_t time : {int64_t{0}, int64_t{-5}}) {
        Thread::sleep(time);
        EXPECT_EQ(me->state, VMThread::RUNNING);
        EXPECT_EQ(me->sleepLock, nullptr) << "no blocking for " << time;
    }
}

TEST_F(ThreadTest, AnInterruptBeforeASleepThrowsAtOnceAndIsCleared)
{
    VMPtr<Thread> me = Thread::currentThread();
    for (int64_t time : {int64_t{0}, int64_t{10000}}) {
        me->interrupt();
        EXPECT_TRUE(vmThrows<InterruptedException>([&] { Thread::sleep(time); }));
        EXPECT_EQ(me->vmThread->interrupted, 0);
    }
    Thread::sleep(1); // no interrupt left
}

TEST_F(ThreadTest, InterruptingASleepingThreadWakesItWithInterruptedException)
{
    bool interrupted = false;
    VMPtr<Worker> w = newWorker([&] {
        try {
            Thread::sleep(60000);
        } catch (InterruptedException* caught) {
            VMPtr<InterruptedException> e(caught);
            interrupted = true;
        }
    });
    w->start();
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return w->vmThread->state == VMThread::BLOCKED; }));
    w->interrupt();
    join(w);
    EXPECT_TRUE(interrupted);
}

TEST_F(ThreadTest, InterruptingACreatedOrFinishedThreadDoesNothing)
{
    VMPtr<Thread> t = Thread::newInstance();
    t->init();
    t->interrupt();
    EXPECT_EQ(t->vmThread->interrupted, 0);
    t->start();
    join(t);
    t->interrupt();
    EXPECT_EQ(t->vmThread->interrupted, 0);
}

TEST_F(ThreadTest, CountAliveSeesRunningAndBlockedThreads)
{
    int32_t before = VMThread::countAlive();
    bool release = false;
    VMPtr<Worker> w = newWorker([&] {
        while (!release)
            Thread::sleep(2);
    });
    EXPECT_EQ(VMThread::countAlive(), before);
    w->start();
    EXPECT_EQ(VMThread::countAlive(), before + 1);
    release = true;
    join(w);
    EXPECT_EQ(VMThread::countAlive(), before);
}

// What a platform thread without a VM record found on entering the VM.
struct Stranger {
    bool done = false;
    VMThread* current = nullptr;
    VMRootList* rootList = nullptr;
};
Stranger stranger;

void strangerEntry(intptr_t)
{
    stranger.current = VMThread::current();
    stranger.rootList = _VM_currentRootList;
    stranger.done = true;
}

// The UI thread sleeps, so its record stays the last one that held the VM.
TEST_F(ThreadTest, APlatformThreadWithoutARecordEntersTheVmAsNoThread)
{
    VMThread* me = VMThread::current();
    stranger = Stranger{false, me, &me->stackScope};
    HALThread* platform = nullptr;
    ASSERT_EQ(HAL_createThread(&platform, &strangerEntry, 0), 0);
    HAL_startThread(platform);
    ASSERT_TRUE(VMFixture_sleepUntil([] { return stranger.done; }));
    HAL_deleteThread(platform);
    EXPECT_EQ(stranger.current, nullptr);
    EXPECT_EQ(stranger.rootList, nullptr);
    EXPECT_EQ(VMThread::current(), me);
}

} // namespace
