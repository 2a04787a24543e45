#include <gtest/gtest.h>

#include <cstdlib>

#include "java/lang/IllegalStateException.h"
#include "java/lang/String.h"
#include "support/VMFixture.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMThread.h"

namespace {

using VMBoot = VMFixture;

TEST_F(VMBoot, BootWithoutAClassStopsAtTheBootClassStep)
{
    VMInstance* vm = _VM_instance;
    EXPECT_EQ(vm->bootPhase, VM_PHASE_BOOT_CLASS);
    EXPECT_EQ(vm->finalizerNotStarted, 1);
    EXPECT_EQ(vm->uiThread, VMThread::current());
    // The UI thread's record came first, the finalizer's after it.
    EXPECT_EQ(VMList_value(vm->threadList.last), vm->uiThread);
    ASSERT_TRUE(vm->finalizer);
    EXPECT_EQ(VMList_value(VMList_first(&vm->threadList)), vm->finalizer->vmThread);
    EXPECT_EQ(vm->finalizer->vmThread->state, VMThread::CREATED);
    ASSERT_TRUE(vm->systemThread);
    EXPECT_EQ(vm->systemThread->vmThread, vm->uiThread);
    EXPECT_EQ(vm->uiThread->threadObject, vm->systemThread.get());
    EXPECT_EQ(_VM_currentRootList, &vm->uiThread->stackScope);
    EXPECT_TRUE(_VM_getHeapState().accountingOn);
}

TEST_F(VMBoot, LiteralsAreInternedOncePerText)
{
    VMPtr<java::lang::String> a = _VM_literal("hello");
    VMPtr<java::lang::String> b = _VM_literal("hello");
    VMPtr<java::lang::String> other = _VM_literal("hello!");
    EXPECT_EQ(a.get(), b.get());
    EXPECT_NE(a.get(), other.get());
    EXPECT_EQ(a->length(), 5);
    EXPECT_EQ(a->charAt(4), u'o');
    EXPECT_TRUE(_VM_literal(nullptr).isNull());

    // The native scope holds the literal.
    bool held = false;
    for (VMRef* ref = _VM_getNativeScope()->roots().head; ref; ref = ref->link())
        held = held || ref->objectPart() == a.objectPart();
    EXPECT_TRUE(held);
}

TEST_F(VMBoot, YieldWhileDisabledKeepsTheLock)
{
    VMThread::disableYield();
    VMThread::yield();
    EXPECT_EQ(VMThread::current(), _VM_instance->uiThread);
    VMThread::enableYield();
    VMThread::yield();
    EXPECT_EQ(VMThread::current(), _VM_instance->uiThread);
    EXPECT_EQ(_VM_currentRootList, &_VM_instance->uiThread->stackScope);
}

TEST_F(VMBoot, SleepGivesTheThreadBackRunning)
{
    VMThread* me = VMThread::current();
    VMThread::sleep(me, 5);
    EXPECT_EQ(me->state, VMThread::RUNNING);
    EXPECT_EQ(me->waitLock, nullptr);
    EXPECT_EQ(VMThread::current(), me);
    VMThread::sleep(me, -1);
    EXPECT_EQ(VMThread::current(), me);
}

using VMBootDeathTest = VMBoot;

TEST_F(VMBootDeathTest, FatalErrorExitsWithStatusOne)
{
    EXPECT_EXIT(_VM_fatalError("Monitor state is invalid in _VM_unlock()!"),
                ::testing::ExitedWithCode(1), "");
}

} // namespace

namespace vmtest {

intptr_t entryArgumentSeen = 0;

class BootClass : public virtual java::lang::Object {
    VM_CLASS(BootClass, java::lang::Object)
    static void start(intptr_t argument) { entryArgumentSeen = argument; }
};

class FailingBootClass : public virtual java::lang::Object {
    VM_CLASS(FailingBootClass, java::lang::Object)
    static void start(intptr_t) { vm_throwNew<java::lang::IllegalStateException>(); }
};

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::BootClass, "vmtest.BootClass", "java.lang.Object",
                             "vmtest/BootClass", nullptr);
VM_REGISTER_ENTRY_POINT(vmtest::BootClass, &vmtest::BootClass::start);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::FailingBootClass, "vmtest.FailingBootClass",
                             "java.lang.Object", "vmtest/FailingBootClass", nullptr);
VM_REGISTER_ENTRY_POINT(vmtest::FailingBootClass, &vmtest::FailingBootClass::start);

namespace {

// Each boot runs in a process of its own.
TEST(VMBootClassDeathTest, BootResults)
{
    EXPECT_EXIT(
        {
            int32_t result = VMFixture_start("vmtest.BootClass", 42);
            std::exit(result == 0 && vmtest::entryArgumentSeen == 42 &&
                              _VM_instance->bootPhase == VM_PHASE_BOOT_CLASS
                          ? 0
                          : 3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(VMFixture_start("vmtest.NoSuchClass")), ::testing::ExitedWithCode(2), "");
    EXPECT_EXIT(std::exit(VMFixture_start("java.lang.Object")), ::testing::ExitedWithCode(2), "");
    EXPECT_EXIT(std::exit(VMFixture_start("vmtest.FailingBootClass")),
                ::testing::ExitedWithCode(2), "");
}

} // namespace
