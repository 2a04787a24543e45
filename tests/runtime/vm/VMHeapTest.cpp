#include <algorithm>
#include <chrono>
#include <vector>

#include <gtest/gtest.h>

#include "hal/callbacks.h"
#include "hal/memory.h"
#include "hal/thread.h"
#include "java/lang/OutOfMemoryError.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMArray.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

namespace {

using Clock = std::chrono::steady_clock;

uint32_t kindOf(const void* block)
{
    return static_cast<const uint32_t*>(block)[-1] >> 30;
}

uint32_t sizeOf(const void* block)
{
    return static_cast<const uint32_t*>(block)[-1] & ((1u << 30) - 1);
}

// What the hook and the enter-VM callback saw during one request.
struct Observed {
    int collections = 0;
    int enterCalls = 0;
    std::vector<int> enterCallsAtCollection;
    Clock::time_point lastCollection;
};
Observed observed;

void countingCollect(VMInstance*)
{
    ++observed.collections;
    observed.enterCallsAtCollection.push_back(observed.enterCalls);
    observed.lastCollection = Clock::now();
}

void* countingEnterVM()
{
    ++observed.enterCalls;
    return VMThread::enterVM();
}

// Runs a test with exact heap limits and no used bytes, a collect hook that
// frees nothing and an enter-VM callback that counts the lock hand-overs;
// restores everything afterwards, keeping the bytes still in use counted.
class VMHeapLimits : public VMFixture {
protected:
    void SetUp() override
    {
        saved_ = _VM_getHeapState();
        savedCallbacks_ = HAL_callbacks();
        HALCallbacks counting = savedCallbacks_;
        counting.enterVM = &countingEnterVM;
        HAL_setCallbacks(&counting);
        savedHook_ = _VM_setCollectHook(&countingCollect);
        observed = Observed();
        VM_SKIP_UNDER_GC_STRESS();
    }

    void TearDown() override
    {
        VMHeapState now = _VM_getHeapState();
        VMHeapState restored = saved_;
        restored.used += now.used;
        _VM_setHeapState(restored);
        _VM_setCollectHook(savedHook_);
        HAL_setCallbacks(&savedCallbacks_);
        VMThread::current()->reportingOutOfMemory = 0;
    }

    static void limits(uint32_t minimum, uint32_t current, uint32_t maximum)
    {
        _VM_setHeapState({1, 0, minimum, current, maximum});
    }

private:
    VMHeapState saved_{};
    HALCallbacks savedCallbacks_{};
    VMCollectHook savedHook_ = nullptr;
};

TEST_F(VMHeapLimits, RequestAboveTheLimitCollectsOnceAndDoublesTheNeed)
{
    uint32_t other = HAL_getAllocatedBytes();
    limits(100 + other, 100 + other, 1000 + other);

    void* block = _VM_malloc(116, true);  // needs 120 bytes with its header

    EXPECT_EQ(observed.collections, 1);
    EXPECT_EQ(observed.enterCalls, 0) << "no yield or sleep after the first collection";
    VMHeapState state = _VM_getHeapState();
    EXPECT_EQ(state.currentLimit, 240u + 2 * other);
    EXPECT_EQ(state.used, 120u);
    EXPECT_EQ(sizeOf(block), 120u);
    EXPECT_EQ(kindOf(block), 0u);
    _VM_free(block);
    EXPECT_EQ(_VM_getHeapState().used, 0u);
}

TEST_F(VMHeapLimits, LimitMovesDownToTwiceTheNeedWithinTheBounds)
{
    uint32_t other = HAL_getAllocatedBytes();
    limits(50 + other, 10 + other, 1000 + other);  // below the need of 24 bytes
    void* block = _VM_malloc(20, true);
    EXPECT_EQ(_VM_getHeapState().currentLimit, 50u + other) << "raised to the minimum";
    _VM_free(block);

    limits(10, 10, 300 + other);
    block = _VM_malloc(196, true);
    EXPECT_EQ(_VM_getHeapState().currentLimit, 300u + other) << "lowered to the maximum";
    _VM_free(block);
}

TEST_F(VMHeapLimits, RequestThatNeverFitsCollectsThreeTimesThenThrows)
{
    limits(0, 0, 0);
    Clock::time_point start = Clock::now();
    bool thrown = false;
    try {
        _VM_malloc(64, true);
    } catch (java::lang::OutOfMemoryError* caught) {
        VMPtr<java::lang::OutOfMemoryError> error(caught);
        thrown = true;
        EXPECT_TRUE(error->getMessage().isNull());
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(observed.collections, 3);
    // Nothing before the second collection, one yield after it, the sleep
    // after the third.
    EXPECT_EQ(observed.enterCallsAtCollection, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(observed.enterCalls, 2);
    EXPECT_GE(Clock::now() - observed.lastCollection, std::chrono::milliseconds(9));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
    // The error itself was built from the reserve, and only the error: the
    // next request is held to the limit again, collects and is refused.
    EXPECT_EQ(VMThread::current()->reportingOutOfMemory, 0);
    EXPECT_TRUE(vmThrows<java::lang::OutOfMemoryError>([] { _VM_malloc(64, true); }));
    EXPECT_EQ(observed.collections, 6);
}

// A program that catches the error and goes on allocating stays within the
// limit, and the collector keeps reclaiming what it drops.
using VMHeapRecovery = VMFixture;

TEST_F(VMHeapRecovery, CaughtOutOfMemoryErrorLeavesTheLimitEnforced)
{
    using Bytes = VMArray<int8_t, 1>;
    const VMHeapState saved = _VM_getHeapState();
    const uint32_t ceiling = HAL_getAllocatedBytes() + saved.used + (8u << 20);
    _VM_setHeapState({1, saved.used, ceiling, ceiling, ceiling});

    EXPECT_TRUE(vmThrows<java::lang::OutOfMemoryError>([] { Bytes::newArray(16 << 20); }));
    const uint32_t collectionsBefore = _VM_instance->collectionCounter;
    uint64_t highest = 0;
    for (int i = 0; i < 40; ++i) {
        VMPtr<Bytes> dropped = Bytes::newArray(1 << 20);
        highest = std::max<uint64_t>(highest, uint64_t(HAL_getAllocatedBytes()) + _VM_getHeapState().used);
    }
    EXPECT_LE(highest, ceiling);
    EXPECT_GE(_VM_instance->collectionCounter - collectionsBefore, 4u);
    EXPECT_EQ(VMThread::current()->reportingOutOfMemory, 0);

    VMHeapState restored = saved;
    restored.used = _VM_getHeapState().used;
    _VM_setHeapState(restored);
}

// The sleep of the last retry neither throws nor consumes a pending interrupt:
// the request fails with OutOfMemoryError and the interrupt waits for the
// thread's own next sleep or wait.
TEST_F(VMHeapLimits, APendingInterruptOutlivesTheRetriesOfARefusedRequest)
{
    limits(0, 0, 0);
    VMThread* me = VMThread::current();
    me->interrupt();
    EXPECT_TRUE(vmThrows<java::lang::OutOfMemoryError>([] { _VM_malloc(64, true); }));
    EXPECT_EQ(observed.collections, 3);
    EXPECT_EQ(me->interrupted, 1);
    me->interrupted = 0;
}

TEST_F(VMHeapLimits, RequestTooLargeForTheSizeFieldThrowsWithoutTruncating)
{
    EXPECT_THROW(_VM_malloc(0x40000000u, true), java::lang::OutOfMemoryError*);
    EXPECT_THROW(_VM_malloc(0xFFFFFFFFu, true), java::lang::OutOfMemoryError*);
}

TEST_F(VMHeapLimits, FreeMemoryCountsThePlatformBytes)
{
    limits(100, 100, 100000);
    void* platform = HAL_malloc(1000);
    ASSERT_NE(platform, nullptr);
    void* block = _VM_malloc(96, true);
    EXPECT_EQ(_VM_getFreeMemory(), 100000u - HAL_getAllocatedBytes() - 100u);
    EXPECT_EQ(_VM_getTotalMemory(), 100000u);
    _VM_free(block);
    HAL_free(platform);
}

TEST_F(VMHeapLimits, BlockMadeBeforeAccountingIsFreedWithoutTouchingUsed)
{
    limits(1000, 1000, 1000);
    _VM_endHeapAccounting();
    void* early = _VM_malloc(40, false);
    EXPECT_EQ(kindOf(early), 2u);
    _VM_initHeap(1000, 1000);
    void* counted = _VM_malloc(40, true);
    EXPECT_EQ(_VM_getHeapState().used, 44u);
    _VM_free(early);
    EXPECT_EQ(_VM_getHeapState().used, 44u);
    _VM_free(counted);
    EXPECT_EQ(_VM_getHeapState().used, 0u);
    _VM_free(nullptr);
}

TEST_F(VMHeapLimits, BlocksAreAlignedForAnyType)
{
    for (uint32_t size : {1u, 3u, 8u, 13u, 100u}) {
        void* block = _VM_malloc(size, true);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % alignof(std::max_align_t), 0u) << size;
        _VM_free(block);
    }
}

// A thread record whose entry in the thread list cannot be allocated leaves
// the calling thread's record, data word and root list as they were.
TEST_F(VMHeapLimits, ThreadRecordRefusedHalfWayLeavesTheCurrentThreadIntact)
{
    VMThread* me = VMThread::current();
    VMRootList* roots = _VM_currentRootList;
    VMListNode* newest = VMList_first(&_VM_instance->threadList);
    uint32_t other = HAL_getAllocatedBytes();
    uint32_t room = other + uint32_t(sizeof(VMThread)) + 4;  // the record, not its list node
    limits(room, room, room);
    bool refused = false;
    try {
        new VMThread(HAL_getCurrentThread());
    } catch (java::lang::OutOfMemoryError*) {
        refused = true;  // no local reference: the current list must be checked first
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(_VM_currentRootList, roots);
    EXPECT_EQ(VMThread::current(), me);
    EXPECT_EQ(HAL_getCurrentThreadData(), reinterpret_cast<intptr_t>(me));
    EXPECT_EQ(VMList_first(&_VM_instance->threadList), newest);
}

using VMHeapLimitsDeathTest = VMHeapLimits;

TEST_F(VMHeapLimitsDeathTest, RequestThatCannotThrowEndsTheProcess)
{
    EXPECT_EXIT(
        {
            limits(0, 0, 0);
            _VM_malloc(64, false);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST_F(VMHeapLimitsDeathTest, OversizedRequestThatCannotThrowEndsTheProcess)
{
    EXPECT_EXIT(_VM_malloc(0x40000000u, false), ::testing::ExitedWithCode(1), "");
}

} // namespace
