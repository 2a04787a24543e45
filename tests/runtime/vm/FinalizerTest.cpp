#include <string>

#include <gtest/gtest.h>

#include "com/tarquel/velto/vm/Finalizer.h"
#include "java/lang/InterruptedException.h"
#include "java/lang/RuntimeException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

namespace vmtest {

// What its finalize does, chosen by the test.
class Finalizable : public virtual java::lang::Object {
    VM_CLASS(Finalizable, java::lang::Object)

    enum Action { NOTHING, THROW_RUNTIME, THROW_INTERRUPTED, COLLECT };

    void finalize() override
    {
        ++finalizeCalls;
        order += tag;
        VMPtr<java::lang::Thread> me = java::lang::Thread::currentThread();
        onFinalizer = me && me.get() == _VM_instance->finalizer.get();
        if (action == THROW_RUNTIME)
            vm_throwNew<java::lang::RuntimeException>();
        if (action == THROW_INTERRUPTED)
            vm_throwNew<java::lang::InterruptedException>();
        if (action == COLLECT)
            _VM_collectGarbage(_VM_instance);
    }
    ~Finalizable() override { destroyed += tag; }

    char tag = '?';
    Action action = NOTHING;
    static int finalizeCalls;
    static bool onFinalizer;
    static std::string order;
    static std::string destroyed;
};
int Finalizable::finalizeCalls = 0;
bool Finalizable::onFinalizer = false;
std::string Finalizable::order;
std::string Finalizable::destroyed;

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::Finalizable, "vmtest.Finalizable", "java.lang.Object",
                             "vmtest/Finalizable", nullptr);

namespace {

using java::lang::Object;
using vmtest::Finalizable;

class FinalizerTest : public VMFixture {
protected:
    void SetUp() override { VM_SKIP_UNDER_GC_STRESS(); }
    static void collect() { _VM_collectGarbage(_VM_instance); }

    // Drops a new object awaiting finalization.
    static void dropPending(char tag, Finalizable::Action action = Finalizable::NOTHING)
    {
        VMPtr<Finalizable> f = Finalizable::newInstance();
        f->tag = tag;
        f->action = action;
        f->flags |= Object::FINALIZATION_PENDING;
    }

    static com::tarquel::velto::vm::Finalizer* finalizer() { return _VM_instance->finalizer.get(); }

    // Waits until the finalizer has gone idle again after a pass.
    static bool idle()
    {
        return VMFixture_sleepUntil([] {
            return finalizer()->idle && finalizer()->vmThread->state == VMThread::BLOCKED;
        });
    }
};

TEST_F(FinalizerTest, IsMadeAtBootNamedFinalizerAndNotStarted)
{
    ASSERT_NE(finalizer(), nullptr);
    EXPECT_EQ(vmText(finalizer()->getName()), "Finalizer");
    EXPECT_EQ(finalizer()->vmThread->state, VMThread::CREATED);
    EXPECT_EQ(_VM_instance->finalizerNotStarted, 1);
    collect();  // nothing awaits finalization: still not started
    EXPECT_EQ(finalizer()->vmThread->state, VMThread::CREATED);
}

TEST_F(FinalizerTest, FinalizeRunsOnceOnTheFinalizerThreadAndTheObjectGoesLater)
{
    Finalizable::finalizeCalls = 0;
    dropPending('a');
    collect();
    EXPECT_EQ(_VM_instance->finalizerNotStarted, 0);
    ASSERT_TRUE(VMFixture_sleepUntil([] { return Finalizable::finalizeCalls == 1; }));
    EXPECT_TRUE(Finalizable::onFinalizer);
    ASSERT_TRUE(idle());
    EXPECT_EQ(Finalizable::destroyed, "");
    collect();
    EXPECT_EQ(Finalizable::destroyed, "a");
    ASSERT_TRUE(idle());
    EXPECT_EQ(Finalizable::finalizeCalls, 1);
}

TEST_F(FinalizerTest, AnObjectWithoutItsOwnFinalizeIsOnlyMarkedFinalized)
{
    java::lang::Object* plain;
    {
        VMPtr<Object> o = Object::newInstance();
        o->flags |= Object::FINALIZATION_PENDING;
        plain = o.get();
    }
    collect();
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return (plain->flags & Object::FINALIZED) != 0; }));
    EXPECT_FALSE(plain->flags & Object::FINALIZATION_PENDING);
}

TEST_F(FinalizerTest, ARuntimeExceptionDoesNotStopThePass)
{
    Finalizable::order.clear();
    dropPending('b');
    dropPending('a', Finalizable::THROW_RUNTIME);  // newer: visited first
    collect();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return Finalizable::order.size() == 2; }));
    EXPECT_EQ(Finalizable::order, "ab");
}

TEST_F(FinalizerTest, AnInterruptedExceptionEndsThePassAndTheLoopGoesIdle)
{
    Finalizable::order.clear();
    dropPending('b');
    dropPending('a', Finalizable::THROW_INTERRUPTED);
    collect();
    ASSERT_TRUE(idle());
    EXPECT_EQ(Finalizable::order, "a");
    EXPECT_TRUE(finalizer()->isAlive());
    // The next wake runs a new pass, which reaches the rest.
    collect();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return Finalizable::order == "ab"; }));
}

TEST_F(FinalizerTest, ACollectionDuringFinalizeRestartsThePassAndSkipsFinishedObjects)
{
    Finalizable::order.clear();
    Finalizable::destroyed.clear();
    dropPending('c');
    dropPending('b', Finalizable::COLLECT);
    dropPending('a');
    collect();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return Finalizable::order.size() >= 3; }));
    ASSERT_TRUE(idle());
    EXPECT_EQ(Finalizable::order, "abc");
    // The collection inside b's finalize took a, whose finalize had run.
    EXPECT_EQ(Finalizable::destroyed, "a");
}

// a is passed over while still reachable; a collection in the yield after b's
// finalize (a helper thread queued for the VM gets in there) leaves a awaiting
// finalization behind the pass, and its wake must not be lost.
TEST_F(FinalizerTest, AnObjectLeftBehindThePassByACollectionIsStillFinalized)
{
    Finalizable::order.clear();
    dropPending('b');
    auto* held = new VMNative<Finalizable>(Finalizable::newInstance().get());
    (*held)->tag = 'a';
    (*held)->flags |= Object::FINALIZATION_PENDING;
    bool done = false;
    bool dropped = false;
    VMTestThread helper([&] {
        while (!done) {
            if (!dropped && Finalizable::order == "b") {
                *held = nullptr;
                collect();
                dropped = true;
            }
            VMThread::yield();
        }
    });
    collect();
    EXPECT_TRUE(VMFixture_sleepUntil([] { return Finalizable::order.size() == 2; }));
    done = true;
    EXPECT_TRUE(helper.join());
    EXPECT_TRUE(dropped);
    EXPECT_EQ(Finalizable::order, "ba");
    delete held;
}

TEST_F(FinalizerTest, StopWhileWaitingEndsTheThread)
{
    dropPending('a');
    collect();
    ASSERT_TRUE(idle());
    finalizer()->stop();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return !finalizer()->isAlive(); }));
    EXPECT_EQ(finalizer()->vmThread->state, VMThread::FINISHED);
}

TEST_F(FinalizerTest, AnInterruptWhileWaitingEndsTheThread)
{
    dropPending('a');
    collect();
    ASSERT_TRUE(idle());
    finalizer()->interrupt();
    ASSERT_TRUE(VMFixture_sleepUntil([] { return !finalizer()->isAlive(); }));
    EXPECT_EQ(finalizer()->stopRequested, 1);
}

} // namespace
