#include "support/HalTestSupport.h"

#include "hal/HALThread.h"
#include "hal/hal.h"

#include <gtest/gtest.h>

namespace {

using vxtest::CountingCallbacks;

struct BodyReport {
    std::atomic<bool> ran{false};
    std::atomic<bool> heldVMLock{false};
    std::atomic<intptr_t> data{0};
    std::atomic<HALThread*> record{nullptr};
    std::atomic<bool> release{false};
};
BodyReport* report = nullptr;

void reportingBody(intptr_t data)
{
    report->heldVMLock = HAL_holdsVMLock();
    report->data = HAL_getCurrentThreadData();
    report->record = HAL_getCurrentThread();
    HAL_setCurrentThreadData(HAL_getCurrentThread(), data + 1);
    report->ran = true;
}

TEST(Thread, RunsItsBodyOnceStartedHoldingTheVMLock)
{
    CountingCallbacks callbacks;
    BodyReport state;
    report = &state;
    HALThread* thread = nullptr;
    ASSERT_EQ(HAL_createThread(&thread, reportingBody, intptr_t{0x1234567890}), 0);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(thread->handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(HAL_startThread(thread), 0);
    EXPECT_EQ(HAL_startThread(thread), 0);  // a second start does nothing

    ASSERT_TRUE(vxtest::waitUntil([&] { return state.ran.load(); }));
    HAL_lockVM();
    HAL_deleteThread(thread);
    HAL_unlockVM();

    EXPECT_TRUE(state.heldVMLock);
    EXPECT_EQ(state.data, intptr_t{0x1234567890});  // pointer-sized data word
    EXPECT_EQ(state.record, thread);
    EXPECT_GE(CountingCallbacks::enterVMCalls(), 1);
    report = nullptr;
}

TEST(Thread, ArgumentsAndFlags)
{
    EXPECT_EQ(HAL_createThread(nullptr, reportingBody, 0), 2);
    EXPECT_EQ(HAL_createMainThread(nullptr), 2);
    EXPECT_EQ(HAL_startThread(nullptr), 0);
    HAL_cancelThread(nullptr);
    HAL_deleteThread(nullptr);
    EXPECT_FALSE(HAL_isThreadCancelled(nullptr));

    HALThread* thread = nullptr;
    ASSERT_EQ(HAL_createThread(&thread, reportingBody, 0), 0);
    EXPECT_FALSE(HAL_isThreadCancelled(thread));
    HAL_cancelThread(thread);
    EXPECT_TRUE(HAL_isThreadCancelled(thread));
    // Never started: deleting it frees it and ends nothing.
    HAL_deleteThread(thread);
}

TEST(Thread, MainRecordLivesInTheCallingThreadsSlot)
{
    EXPECT_EQ(HAL_getCurrentThread(), nullptr);
    EXPECT_EQ(HAL_getCurrentThreadData(), 0);
    {
        vxtest::MainThreadRecord main;
        ASSERT_NE(main.get(), nullptr);
        EXPECT_EQ(HAL_getCurrentThread(), main.get());
        EXPECT_EQ(main.get()->handle, HALThread::kMainThreadHandle);
        HAL_setCurrentThreadData(main.get(), intptr_t{-7});
        EXPECT_EQ(HAL_getCurrentThreadData(), intptr_t{-7});
    }
    EXPECT_EQ(HAL_getCurrentThread(), nullptr);
}

void blockingBody(intptr_t)
{
    report->ran = true;
    while (!report->release)
        HAL_sleep(5);
}

TEST(ThreadDeathTest, DeletingARunningThreadIsFatal)
{
    EXPECT_EXIT(
        {
            BodyReport state;
            report = &state;
            HALThread* thread = nullptr;
            HAL_createThread(&thread, blockingBody, 0);
            HAL_startThread(thread);
            vxtest::waitUntil([&] { return state.ran.load(); });
            HAL_deleteThread(thread);
        },
        testing::ExitedWithCode(1), "HAL_deleteThread\\(\\) called on thread that has not finished");
}

}  // namespace
