#include <string>

#include <gtest/gtest.h>

#include "java/lang/Thread.h"
#include "support/VMFixture.h"
#include "vm/VMArray.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

namespace vmtest {

// Logs its destruction by tag; holds one reference field.
class Tracked : public virtual java::lang::Object {
    VM_CLASS(Tracked, java::lang::Object)

    ~Tracked() override { destroyed += tag; }

    static VMPtr<Tracked> make(char tag, VMPtr<Tracked> next = nullptr)
    {
        VMPtr<Tracked> t = newInstance();
        t->tag = tag;
        t->next = next;
        return t;
    }

    static std::string destroyed;
    char tag = '?';
    VMField<Tracked> next;

    VM_FIELDS(next)
};
std::string Tracked::destroyed;

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::Tracked, "vmtest.Tracked", "java.lang.Object",
                             "vmtest/Tracked", nullptr);

namespace {

using java::lang::Object;
using vmtest::Tracked;

class VMCollector : public VMFixture {
protected:
    void SetUp() override { Tracked::destroyed.clear(); }
    static void collect() { _VM_collectGarbage(_VM_instance); }
};

// Room for a large object graph, made without a collection per allocation
// even in stress mode (which would make building it quadratic); the limits
// and the stress mode come back at the end.
class LargeHeap {
public:
    LargeHeap() : saved_(_VM_getHeapState())
    {
        VMHeapState roomy = saved_;
        roomy.currentLimit = roomy.maximumLimit = 1024u << 20;
        _VM_setHeapState(roomy);
        _VM_setCollectOnEveryAllocation(false);
    }
    ~LargeHeap()
    {
        VMHeapState now = _VM_getHeapState();
        now.currentLimit = saved_.currentLimit;
        now.maximumLimit = saved_.maximumLimit;
        _VM_setHeapState(now);
        _VM_setCollectOnEveryAllocation(VMFixture_gcStress());
    }
    // The stress mode again, for the collections under test.
    static void restoreStress() { _VM_setCollectOnEveryAllocation(VMFixture_gcStress()); }

private:
    VMHeapState saved_;
};

TEST_F(VMCollector, AnUnrootedObjectDies)
{
    VM_SKIP_UNDER_GC_STRESS();
    uint32_t before = _VM_instance->collectionCounter;
    Tracked::make('a');
    collect();
    EXPECT_EQ(Tracked::destroyed, "a");
    EXPECT_EQ(_VM_instance->collectionCounter, before + 1);
}

TEST_F(VMCollector, ARootedChainLives)
{
    VMPtr<Tracked> head = Tracked::make('a', Tracked::make('b', Tracked::make('c')));
    collect();
    EXPECT_EQ(Tracked::destroyed, "");
    head->next->next = nullptr;
    collect();
    EXPECT_EQ(Tracked::destroyed, "c");
}

VM_STATIC(Tracked, held);

TEST_F(VMCollector, StaticAndNativeReferencesAreRoots)
{
    VMNative<Tracked> native;
    held = Tracked::make('s');
    native = Tracked::make('n');
    collect();
    EXPECT_EQ(Tracked::destroyed, "");
    held = nullptr;
    native = nullptr;
    collect();
    EXPECT_EQ(Tracked::destroyed.size(), 2u);
}

TEST_F(VMCollector, ACycleDies)
{
    {
        VMPtr<Tracked> a = Tracked::make('a');
        a->next = Tracked::make('b', a);
    }
    collect();
    EXPECT_EQ(Tracked::destroyed.size(), 2u);
}

TEST_F(VMCollector, AnObjectUnderConstructionSurvivesWithWhatItReferences)
{
    Tracked* building;
    {
        VMPtr<Tracked> t = Tracked::make('a', Tracked::make('b'));
        t->flags |= Object::UNDER_CONSTRUCTION;
        building = t.get();
    }
    collect();
    EXPECT_EQ(Tracked::destroyed, "");
    _VM_endConstruction(building);
    collect();
    EXPECT_EQ(Tracked::destroyed.size(), 2u);
}

TEST_F(VMCollector, WeakReferencesToDeadObjectsAreCleared)
{
    VMWeak<Tracked> weakToDead;
    VMWeak<Tracked> weakToLive;
    VMPtr<Tracked> live = Tracked::make('l');
    weakToDead = Tracked::make('d');
    weakToLive = live;
    collect();
    EXPECT_TRUE(weakToDead.isNull());
    EXPECT_EQ(weakToLive.get(), live.get());
    EXPECT_EQ(Tracked::destroyed, "d");
}

TEST_F(VMCollector, AnObjectKeptOnlyForFinalizationSurvivesButItsWeakReferenceIsCleared)
{
    VMWeak<Tracked> weak;
    Tracked* pending;
    {
        VMPtr<Tracked> t = Tracked::make('p', Tracked::make('q'));
        t->flags |= Object::FINALIZATION_PENDING;
        weak = t;
        pending = t.get();
    }
    // The finalizer must not take the object away from this test.
    _VM_instance->finalizerNotStarted = 0;
    collect();
    EXPECT_TRUE(weak.isNull());
    EXPECT_EQ(Tracked::destroyed, "");
    EXPECT_EQ(_VM_instance->finalizableObjectsSeen, 1);
    EXPECT_FALSE(pending->flags & Object::MARKED);
    pending->flags &= ~Object::FINALIZATION_PENDING;
    collect();
    EXPECT_EQ(Tracked::destroyed.size(), 2u);
    EXPECT_EQ(_VM_instance->finalizableObjectsSeen, 0);
}

TEST_F(VMCollector, ALocalOfASleepingThreadSurvives)
{
    bool holding = false;
    bool release = false;
    VMTestThread sleeper([&] {
        VMPtr<Tracked> mine = Tracked::make('m');
        holding = true;
        while (!release)
            VMThread::sleep(VMThread::current(), 5);
    });
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return holding; }));
    collect();
    EXPECT_EQ(Tracked::destroyed, "");
    release = true;
    EXPECT_TRUE(sleeper.join());
    collect();
    EXPECT_EQ(Tracked::destroyed, "m");
}

TEST_F(VMCollector, NothingIsCollectedBeforeTheBootHasReachedItsFirstCollection)
{
    uint32_t before = _VM_instance->collectionCounter;
    _VM_instance->bootPhase = VM_PHASE_FIRST_COLLECTION - 1;
    Tracked::make('a');
    collect();
    _VM_instance->bootPhase = VM_PHASE_BOOT_CLASS;
    EXPECT_EQ(Tracked::destroyed, "");
    EXPECT_EQ(_VM_instance->collectionCounter, before);
    collect();
    EXPECT_EQ(Tracked::destroyed, "a");
}

TEST_F(VMCollector, AFinishedThreadsRecordGoesWithItsThreadObject)
{
    VMThread* record;
    {
        VMPtr<java::lang::Thread> t = java::lang::Thread::newInstance();
        t->init();
        record = t->vmThread;
        t->start();
        ASSERT_TRUE(VMFixture_sleepUntil([&] { return !t->isAlive(); }));
        collect();
        EXPECT_EQ(t->vmThread, record) << "a record owned by a live reference stays";
    }
    auto listed = [&] {
        for (VMListNode* n = VMList_first(&_VM_instance->threadList); n; n = VMList_next(n))
            if (VMList_value(n) == record)
                return true;
        return false;
    };
    EXPECT_TRUE(listed());
    collect();
    EXPECT_FALSE(listed());
}

TEST_F(VMCollector, StressModeCollectsOnEveryAllocation)
{
    if (!_VM_setCollectOnEveryAllocation(true))
        GTEST_SKIP() << "stress mode exists in debug builds only";
    uint32_t before = _VM_instance->collectionCounter;
    {
        VMPtr<Tracked> head = Tracked::make('a');
        Tracked::make('x');
        head->next = Tracked::make('b');
        EXPECT_EQ(Tracked::destroyed, "x");
        EXPECT_EQ(head->next->tag, 'b');
    }
    _VM_setCollectOnEveryAllocation(false);
    EXPECT_GE(_VM_instance->collectionCounter, before + 3);
}

} // namespace

// Marking follows a chain of any length without using the C stack per link.
TEST_F(VMCollector, AChainOfAMillionObjectsIsMarkedAndThenFreed)
{
    constexpr size_t kLength = 1000000;
    LargeHeap heap;
    VMPtr<Tracked> head;
    for (size_t i = 0; i < kLength; ++i)
        head = Tracked::make('c', head);
    LargeHeap::restoreStress();
    collect();
    EXPECT_EQ(Tracked::destroyed, "");
    head = nullptr;
    collect();
    EXPECT_EQ(Tracked::destroyed.size(), kLength);
}

// An array of more elements than the mark stack holds, deeper than marking
// traces directly: what does not fit on the stack is found again by a walk
// of the objects, with everything it references.
TEST_F(VMCollector, AnArrayWiderThanTheMarkStackIsTracedWhole)
{
    constexpr int32_t kWidth = 300000;
    constexpr int32_t kDepth = 64;
    using ObjectArray = VMArray<Object>;
    LargeHeap heap;
    VMPtr<VMArray<Tracked>> wide = VMArray<Tracked>::newArray(kWidth);
    for (int32_t i = 0; i < kWidth; ++i)
        wide->set(i, Tracked::make('e', Tracked::make('f')));
    VMPtr<ObjectArray> outer = ObjectArray::newArray(1);
    outer->set(0, wide);
    for (int32_t level = 1; level < kDepth; ++level) {
        VMPtr<ObjectArray> above = ObjectArray::newArray(1);
        above->set(0, outer);
        outer = above;
    }
    wide = nullptr;
    LargeHeap::restoreStress();
    collect();
    EXPECT_EQ(Tracked::destroyed, "");
    VMPtr<Object> at = outer;
    for (int32_t level = 0; level < kDepth; ++level)
        at = vm_cast<ObjectArray>(at)->get(0);
    wide = vm_cast<VMArray<Tracked>>(at);
    for (int32_t i = 0; i < kWidth; ++i)
        ASSERT_EQ(wide->get(i)->next->tag, 'f') << i;
    wide = nullptr;
    at = nullptr;
    outer = nullptr;
    collect();
    EXPECT_EQ(Tracked::destroyed.size(), 2u * kWidth);
}
