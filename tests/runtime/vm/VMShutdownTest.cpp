#include <gtest/gtest.h>

#include "hal/callbacks.h"
#include "hal/device.h"
#include "hal/thread.h"
#include "java/lang/InterruptedException.h"
#include "support/VMFixture.h"
#include "vm/VMBoot.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

namespace {

int eventsSeen = 0;
void countEvent(int32_t, int32_t, const intptr_t*)
{
    ++eventsSeen;
}

// A thread that sleeps in short steps until released, counting the
// interrupts it swallows; when stopOnInterrupt it ends at the first.
struct Sleeper {
    bool release = false;
    bool stopOnInterrupt = false;
    int interrupts = 0;
    VMThread* record = nullptr;
    HALThread* platform = nullptr;
    VMTestThread thread{[this] {
        record = VMThread::current();
        platform = HAL_getCurrentThread();
        while (!release) {
            try {
                VMThread::sleep(VMThread::current(), 10);
            } catch (java::lang::InterruptedException* caught) {
                VMPtr<java::lang::InterruptedException> e(caught);
                ++interrupts;
                release = release || stopOnInterrupt;
            }
        }
    }};
};

using VMShutdown = VMFixture;

TEST_F(VMShutdown, WithNoOtherThreadItTearsDownWithoutWaiting)
{
    VMInstance* vm = _VM_instance;
    HAL_addEventListener(&countEvent, 1u << 5, 1);
    _VM_shutdown(vm);
    EXPECT_EQ(VMThread::current()->sleepLock, nullptr) << "it slept";
    EXPECT_FALSE(_VM_getHeapState().accountingOn);
    EXPECT_TRUE(vm->finalizer.isNull());
    EXPECT_TRUE(vm->systemThread.isNull());
    EXPECT_EQ(HAL_dispatchEvent(5, 0, nullptr), 0);
    EXPECT_EQ(eventsSeen, 0);
    VMThread::enableYield();
}

TEST_F(VMShutdown, ARunningFinalizerIsAskedToStop)
{
    {
        VMPtr<java::lang::Object> o = java::lang::Object::newInstance();
        o->flags |= java::lang::Object::FINALIZATION_PENDING;
    }
    _VM_collectGarbage(_VM_instance);
    VMThread* finalizer = _VM_instance->finalizer->vmThread;
    ASSERT_TRUE(finalizer->isAlive());
    _VM_shutdown(_VM_instance);
    EXPECT_EQ(finalizer->state, VMThread::FINISHED);
    EXPECT_EQ(finalizer->interrupted, 0) << "it needed an interrupt";
    VMThread::enableYield();
}

TEST_F(VMShutdown, AThreadThatEndsOnInterruptIsInterruptedButNotCancelled)
{
    Sleeper sleeper;
    sleeper.stopOnInterrupt = true;
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return sleeper.record != nullptr; }));
    _VM_shutdown(_VM_instance);
    EXPECT_EQ(sleeper.interrupts, 1);
    EXPECT_FALSE(HAL_isThreadCancelled(sleeper.platform));
    EXPECT_TRUE(sleeper.thread.join());
    VMThread::enableYield();
}

TEST_F(VMShutdown, AThreadThatIgnoresEverythingIsGivenUpOnAfterAllThreeWaits)
{
    Sleeper sleeper;
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return sleeper.record != nullptr; }));
    uint32_t start = HAL_getTickCount();
    _VM_shutdown(_VM_instance);
    uint32_t elapsed = HAL_getTickCount() - start;
    EXPECT_GE(elapsed, 550u);  // 250 + 250 + 100 ms
    EXPECT_EQ(sleeper.interrupts, 1);
    EXPECT_FALSE(_VM_getHeapState().accountingOn);
    sleeper.release = true;
    EXPECT_TRUE(sleeper.thread.join());
    VMThread::enableYield();
}

TEST_F(VMShutdown, TheShutdownCallbackDestroysTheInstance)
{
    HALCallbacks table{};
    _VM_fillCallbacks(&table);
    table.shutdown();
    EXPECT_EQ(_VM_instance, nullptr);
}

} // namespace
