#include <string>

#include <gtest/gtest.h>

#include "java/lang/Class.h"
#include "java/lang/ExceptionInInitializerError.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/NoClassDefFoundError.h"
#include "java/lang/OutOfMemoryError.h"
#include "hal/thread.h"
#include "support/VMFixture.h"
#include "vm/VMCString.h"
#include "vm/VMExitException.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMSynchronized.h"
#include "vm/VMThread.h"
#include "vm/VMUtf8.h"

namespace vmtest {

std::string initOrder;

// Uses its own static from its initialiser.
class SelfUser : public virtual java::lang::Object {
    VM_CLASS(SelfUser, java::lang::Object)
    VMPtr<SelfUser> init() { return VMPtr<SelfUser>(this); }
    static int32_t counter;
    static int32_t next()
    {
        _VM_clinit();
        return ++counter;
    }
    static void staticInit()
    {
        initOrder += "S";
        counter = 10;
        next();
    }
};
int32_t SelfUser::counter = 0;

class Parent : public virtual java::lang::Object {
    VM_CLASS(Parent, java::lang::Object)
    static void staticInit() { initOrder += "P"; }
};

class Child : public Parent {
    VM_CLASS(Child, Parent)
    static void staticInit() { initOrder += "C"; }
};

class FailsWithRuntimeException : public virtual java::lang::Object {
    VM_CLASS(FailsWithRuntimeException, java::lang::Object)
    static void staticInit() { vm_throwNew<java::lang::IllegalStateException>(); }
};

class FailsWithError : public virtual java::lang::Object {
    VM_CLASS(FailsWithError, java::lang::Object)
    static void staticInit() { vm_throwNew<java::lang::OutOfMemoryError>(); }
};

// Its base fails: the failure reaches the subclass's first use.
class ChildOfFailure : public FailsWithError {
    VM_CLASS(ChildOfFailure, FailsWithError)
    static void staticInit() { initOrder += "X"; }
};

// Its initialiser starts a second thread that uses the class while the
// initialiser is still running.
class Slow : public virtual java::lang::Object {
    VM_CLASS(Slow, java::lang::Object)
    static int32_t value;
    static void staticInit();
};
int32_t Slow::value = 0;

// A second thread that makes a static use of a class while the main thread
// runs its initialiser, and records what it found.
struct Waiter {
    HALThread* thread = nullptr;
    void (*use)() = nullptr;
    bool started = false;
    bool done = false;
    int32_t stateSeen = -1;
    int32_t valueSeen = -1;
    VMThread* record = nullptr;
    bool interruptPending = false;
    std::string thrown;  // class name and message of what the use threw
};
Waiter waiter;

void waiterEntry(intptr_t)
{
    VMThread* me = new VMThread(HAL_getCurrentThread());
    waiter.record = me;
    waiter.started = true;
    try {
        waiter.use();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> thrown(caught);
        VMCString message;
        _VM_stringToCString(thrown->getMessage(), &message);
        waiter.thrown = std::string(thrown->getClass()->name) + ": " +
                        (message.text() ? message.text() : "");
    }
    delete me;
    waiter.done = true;
}

// Sleeps in short steps until done() or about five seconds have passed.
template<class F>
void sleepUntil(F done)
{
    for (int i = 0; i < 2500 && !done(); ++i)
        VMThread::sleep(VMThread::current(), 2);
}

// Starts the waiter on use and returns once it is inside the
// class-initialisation check, having had a few turns there.
void startWaiter(void (*use)())
{
    waiter = Waiter();
    waiter.use = use;
    ASSERT_EQ(HAL_createThread(&waiter.thread, &waiterEntry, 0), 0);
    HAL_startThread(waiter.thread);
    sleepUntil([] { return waiter.started; });
    for (int i = 0; i < 5; ++i)
        VMThread::sleep(VMThread::current(), 2);
}

// Waits for the waiter to end and releases its thread.
bool joinWaiter()
{
    sleepUntil([] { return waiter.done; });
    if (!waiter.done)
        return false;
    HAL_deleteThread(waiter.thread);
    return true;
}

void Slow::staticInit()
{
    startWaiter([] {
        Slow::_VM_clinit();
        waiter.stateSeen = Slow::classRecord()->state;
        waiter.valueSeen = Slow::value;
    });
    value = 42;
}

// Its initialiser interrupts a second thread that waits for it.
class SlowInterrupted : public virtual java::lang::Object {
    VM_CLASS(SlowInterrupted, java::lang::Object)
    static int32_t value;
    static void staticInit()
    {
        startWaiter([] {
            SlowInterrupted::_VM_clinit();
            waiter.stateSeen = SlowInterrupted::classRecord()->state;
            waiter.valueSeen = SlowInterrupted::value;
            waiter.interruptPending = VMThread::current()->interrupted != 0;
        });
        // The waiter blocks on the class's monitor rather than spinning.
        sleepUntil([] { return waiter.record->state == VMThread::BLOCKED; });
        waiter.record->interrupt();
        for (int i = 0; i < 5; ++i)
            VMThread::sleep(VMThread::current(), 2);
        value = 7;
    }
};
int32_t SlowInterrupted::value = 0;

// Its initialiser fails while a second thread waits for it.
class SlowFailure : public virtual java::lang::Object {
    VM_CLASS(SlowFailure, java::lang::Object)
    static void staticInit()
    {
        startWaiter([] { SlowFailure::_VM_clinit(); });
        vm_throwNew<java::lang::IllegalStateException>();
    }
};

// Its initialiser ends with the exit unwinding, its monitor inflated.
class EndsWithExit : public virtual java::lang::Object {
    VM_CLASS(EndsWithExit, java::lang::Object)
    static VMWeak<VMExitException>* thrown; // set by the test
    static void staticInit()
    {
        {
            VMSynchronized guard(classRecord());
            classRecord()->wait(1);
        }
        VMPtr<VMExitException> exit(new VMExitException(3));
        _VM_endConstruction(exit.get());
        *thrown = exit;
        VM_THROW(exit);
    }
};
VMWeak<VMExitException>* EndsWithExit::thrown = nullptr;

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::EndsWithExit, "vmtest.EndsWithExit", "java.lang.Object",
                             "vmtest/EndsWithExit", &vmtest::EndsWithExit::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Slow, "vmtest.Slow", "java.lang.Object", "vmtest/Slow",
                             &vmtest::Slow::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::SlowInterrupted, "vmtest.SlowInterrupted", "java.lang.Object",
                             "vmtest/SlowInterrupted", &vmtest::SlowInterrupted::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::SlowFailure, "vmtest.SlowFailure", "java.lang.Object",
                             "vmtest/SlowFailure", &vmtest::SlowFailure::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::SelfUser, "vmtest.SelfUser", "java.lang.Object",
                             "vmtest/SelfUser", &vmtest::SelfUser::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Parent, "vmtest.Parent", "java.lang.Object", "vmtest/Parent",
                             &vmtest::Parent::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Child, "vmtest.Child", "vmtest.Parent", "vmtest/Child",
                             &vmtest::Child::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::FailsWithRuntimeException, "vmtest.FailsWithRuntimeException",
                             "java.lang.Object", "vmtest/FailsWithRuntimeException",
                             &vmtest::FailsWithRuntimeException::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::FailsWithError, "vmtest.FailsWithError", "java.lang.Object",
                             "vmtest/FailsWithError", &vmtest::FailsWithError::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::ChildOfFailure, "vmtest.ChildOfFailure",
                             "vmtest.FailsWithError", "vmtest/ChildOfFailure",
                             &vmtest::ChildOfFailure::staticInit);

namespace {

using java::lang::Class;
using VMClassInit = VMFixture;

TEST_F(VMClassInit, InitialiserUsingItsOwnStaticsRunsOnce)
{
    vmtest::initOrder.clear();
    EXPECT_EQ(vmtest::SelfUser::next(), 12);
    EXPECT_EQ(vmtest::SelfUser::next(), 13);
    EXPECT_EQ(vmtest::initOrder, "S");
    EXPECT_EQ(vmtest::SelfUser::classRecord()->state, Class::INITIALIZED);
    EXPECT_EQ(vmtest::SelfUser::classRecord()->initializingThread, nullptr);
}

TEST_F(VMClassInit, BaseInitialisesFirst)
{
    vmtest::initOrder.clear();
    VMPtr<vmtest::Child> child = vmtest::Child::newInstance();
    vmtest::Parent::newInstance();
    EXPECT_EQ(vmtest::initOrder, "PC");
}

// Runs f and returns the class name of what it threw.
template<class F>
std::string thrownBy(F f)
{
    try {
        f();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> thrown(caught);
        return thrown->getClass()->name;
    }
    return "nothing";
}

TEST_F(VMClassInit, RuntimeExceptionIsWrappedThenTheClassIsErroneous)
{
    try {
        vmtest::FailsWithRuntimeException::newInstance();
        FAIL() << "no exception";
    } catch (java::lang::ExceptionInInitializerError* caught) {
        VMPtr<java::lang::ExceptionInInitializerError> error(caught);
        ASSERT_FALSE(error->getException().isNull());
        EXPECT_STREQ(error->getException()->getClass()->name,
                     "java.lang.IllegalStateException");
    }
    Class* cls = vmtest::FailsWithRuntimeException::classRecord();
    EXPECT_EQ(cls->state, Class::ERRONEOUS);
    EXPECT_EQ(cls->initializingThread, nullptr);
    EXPECT_EQ(thrownBy([] { vmtest::FailsWithRuntimeException::newInstance(); }),
              "java.lang.NoClassDefFoundError");
}

TEST_F(VMClassInit, ErrorPropagatesUnchangedAndFailsTheSubclassToo)
{
    vmtest::initOrder.clear();
    EXPECT_EQ(thrownBy([] { vmtest::ChildOfFailure::newInstance(); }),
              "java.lang.OutOfMemoryError");
    EXPECT_EQ(vmtest::initOrder, "") << "the subclass's initialiser never ran";
    EXPECT_EQ(vmtest::FailsWithError::classRecord()->state, Class::ERRONEOUS);
    EXPECT_EQ(vmtest::ChildOfFailure::classRecord()->state, Class::ERRONEOUS);
    EXPECT_EQ(thrownBy([] { vmtest::FailsWithError::newInstance(); }),
              "java.lang.NoClassDefFoundError");
    EXPECT_EQ(thrownBy([] { vmtest::ChildOfFailure::newInstance(); }),
              "java.lang.NoClassDefFoundError");
}

TEST_F(VMClassInit, ThreadWaitingForAnotherThreadsInitialiserFindsTheClassInitialised)
{
    VMThread* me = VMThread::current();
    VMRef* roots = _VM_currentRootList->head;
    vmtest::Slow::_VM_clinit();
    ASSERT_TRUE(vmtest::joinWaiter());
    EXPECT_EQ(vmtest::waiter.stateSeen, Class::INITIALIZED);
    EXPECT_EQ(vmtest::waiter.valueSeen, 42);
    EXPECT_EQ(vmtest::waiter.thrown, "");
    EXPECT_EQ(VMThread::current(), me);
    EXPECT_EQ(_VM_currentRootList->head, roots);
}

TEST_F(VMClassInit, ThreadWaitingForAFailingInitialiserGetsNoClassDefFoundErrorWithTheName)
{
    EXPECT_EQ(thrownBy([] { vmtest::SlowFailure::_VM_clinit(); }),
              "java.lang.ExceptionInInitializerError");
    ASSERT_TRUE(vmtest::joinWaiter());
    EXPECT_EQ(vmtest::waiter.thrown, "java.lang.NoClassDefFoundError: vmtest.SlowFailure");
    EXPECT_EQ(vmtest::SlowFailure::classRecord()->state, Class::ERRONEOUS);
    EXPECT_EQ(vmtest::SlowFailure::classRecord()->initializingThread, nullptr);
}

TEST_F(VMClassInit, AnInterruptDoesNotEndTheWaitForAnotherThreadsInitialiser)
{
    vmtest::SlowInterrupted::_VM_clinit();
    ASSERT_TRUE(vmtest::joinWaiter());
    EXPECT_EQ(vmtest::waiter.thrown, "");
    EXPECT_EQ(vmtest::waiter.stateSeen, Class::INITIALIZED);
    EXPECT_EQ(vmtest::waiter.valueSeen, 7);
    EXPECT_TRUE(vmtest::waiter.interruptPending) << "the interrupt is kept for later";
    EXPECT_EQ(vmtest::SlowInterrupted::classRecord()->state, Class::INITIALIZED);
}

// Failing the class on the way out must not let another thread (one that is
// queued for the VM at every turn) collect the exit unwinding in flight.
TEST_F(VMClassInit, TheExitUnwindingFailsTheClassAndSurvivesToItsHandler)
{
    Class* cls = vmtest::EndsWithExit::classRecord();
    bool done = false;
    bool collected = false;
    VMTestThread helper([&] {
        while (!done) {
            if (!collected && cls->state == Class::ERRONEOUS) {
                _VM_collectGarbage(_VM_instance);
                collected = true;
            }
            VMThread::yield();
        }
    });
    VMWeak<VMExitException> thrown;
    vmtest::EndsWithExit::thrown = &thrown;
    bool caught = false;
    try {
        vmtest::EndsWithExit::_VM_clinit();
    } catch (VMExitException* unwinding) {
        VMPtr<VMExitException> exit(unwinding);
        caught = true;
        EXPECT_EQ(thrown.get(), exit.get());
    }
    done = true;
    EXPECT_TRUE(helper.join());
    EXPECT_TRUE(caught);
    EXPECT_TRUE(collected);
    EXPECT_EQ(cls->state, Class::ERRONEOUS);
}

TEST_F(VMClassInit, BootInitialisedTheCoreClasses)
{
    EXPECT_EQ(java::lang::Object::classRecord()->state, Class::INITIALIZED);
    EXPECT_EQ(Class::classRecord()->state, Class::INITIALIZED);
    EXPECT_EQ(java::lang::OutOfMemoryError::classRecord()->state, Class::INITIALIZED);
}

} // namespace
