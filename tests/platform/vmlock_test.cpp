#include "support/HalTestSupport.h"

#include "hal/hal.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

using vxtest::CountingCallbacks;

TEST(VMLock, IsReentrantAndReleasesEveryLevelAroundABlockingCall)
{
    CountingCallbacks callbacks;
    EXPECT_FALSE(HAL_holdsVMLock());
    HAL_lockVM();
    HAL_lockVM();
    HAL_lockVM();
    EXPECT_TRUE(HAL_holdsVMLock());
    HAL_unlockVM();
    EXPECT_TRUE(HAL_holdsVMLock());

    uint32_t depth = HAL_releaseVMLock();
    EXPECT_EQ(depth, 2u);
    EXPECT_FALSE(HAL_holdsVMLock());
    // Another thread gets in while the levels are given away.
    std::thread other([] {
        HAL_lockVM();
        HAL_unlockVM();
    });
    other.join();
    HAL_restoreVMLock(depth);
    EXPECT_EQ(CountingCallbacks::enterVMCalls(), 1);

    HAL_unlockVM();
    EXPECT_TRUE(HAL_holdsVMLock());
    HAL_unlockVM();
    EXPECT_FALSE(HAL_holdsVMLock());
    EXPECT_EQ(HAL_releaseVMLock(), 0u);
}

TEST(VMLock, YieldKeepsTheDepthAndCallsEnterVM)
{
    CountingCallbacks callbacks;
    HAL_lockVM();
    HAL_lockVM();
    HAL_yield();
    EXPECT_EQ(CountingCallbacks::enterVMCalls(), 1);
    EXPECT_EQ(HAL_releaseVMLock(), 2u);
    // Without the lock a yield only gives up the processor.
    HAL_yield();
    EXPECT_FALSE(HAL_holdsVMLock());
    EXPECT_EQ(CountingCallbacks::enterVMCalls(), 1);
}

// Two threads that only yield must take turns: once both are in, the lock
// alternates strictly between them.
struct Alternation {
    std::mutex mutex;
    std::vector<int> order;
    std::atomic<int> arrived{0};
};
Alternation* alternation = nullptr;
constexpr int kRounds = 200;

void yieldingBody(intptr_t id)
{
    alternation->arrived.fetch_add(1);
    // Wait, yielding, until the other thread is queued for the lock too.
    while (alternation->arrived.load() < 2)
        HAL_yield();
    for (int i = 0; i < kRounds; ++i) {
        {
            std::lock_guard<std::mutex> guard(alternation->mutex);
            alternation->order.push_back(static_cast<int>(id));
        }
        HAL_yield();
    }
}

TEST(VMLock, ThreadsThatOnlyYieldAlternate)
{
    Alternation state;
    alternation = &state;
    HALThread* a = nullptr;
    HALThread* b = nullptr;
    ASSERT_EQ(HAL_createThread(&a, yieldingBody, 1), 0);
    ASSERT_EQ(HAL_createThread(&b, yieldingBody, 2), 0);
    HAL_startThread(a);
    HAL_startThread(b);
    ASSERT_TRUE(vxtest::waitUntil([&] {
        std::lock_guard<std::mutex> guard(state.mutex);
        return state.order.size() == 2 * kRounds;
    }));
    HAL_lockVM();  // both bodies have returned once this is held
    HAL_deleteThread(a);
    HAL_deleteThread(b);
    HAL_unlockVM();

    // After a short start the two ids alternate; neither runs twice in a row.
    int repeats = 0;
    for (size_t i = 1; i < state.order.size(); ++i)
        repeats += state.order[i] == state.order[i - 1];
    std::string sequence;
    for (int id : state.order)
        sequence += static_cast<char>('0' + id);
    EXPECT_LE(repeats, 2) << "a yielding thread kept the lock: " << sequence;
    alternation = nullptr;
}

TEST(VMLockDeathTest, UnlockWithoutHoldingIsFatal)
{
    EXPECT_EXIT(HAL_unlockVM(), testing::ExitedWithCode(1), "does not hold the VM lock");
}

}  // namespace
