#include <string>

#include <gtest/gtest.h>

#include "java/lang/IllegalStateException.h"
#include "support/VMFixture.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMInstance.h"

namespace {

std::string calls;
bool exitSeenSetByPriorityOne = false;

void record(char who, int32_t event, int32_t count, const intptr_t* words)
{
    calls += who;
    calls += std::to_string(event);
    if (count > 0)
        calls += "(" + std::to_string(words[count - 1]) + ")";
    calls += ' ';
}

template<char Who>
void listener(int32_t event, int32_t count, const intptr_t* words)
{
    record(Who, event, count, words);
}

void throwing(int32_t event, int32_t count, const intptr_t* words)
{
    record('T', event, count, words);
    if (event == 6)
        vm_throwNew<java::lang::IllegalStateException>();
}

void exitWatcher(int32_t, int32_t, const intptr_t*)
{
    exitSeenSetByPriorityOne = _VM_instance->exitRequested != 0;
}

class VMEvents : public VMFixture {
protected:
    static void SetUpTestSuite()
    {
        VMFixture::SetUpTestSuite();
        // Registered in an order that differs from the priority order.
        HAL_addEventListener(&listener<'C'>, 1u << 5 | 1u << 6, 2);
        HAL_addEventListener(&listener<'B'>, 0x7FFFFFFF, 7);  // not 0 or 2: list 1
        HAL_addEventListener(&listener<'A'>, 1u << 5, 0);
        HAL_addEventListener(&throwing, 1u << 6, 1);
        HAL_addEventListener(&listener<'D'>, 1u << 6, 1);
        HAL_addEventListener(&exitWatcher, 1u << 3, 1);
    }
    void SetUp() override { calls.clear(); }
};

TEST_F(VMEvents, ListenersAreCalledByPriorityThenRegistrationWithTheirWords)
{
    const intptr_t words[] = {7, intptr_t{1} << 40};
    EXPECT_EQ(HAL_dispatchEvent(5, 2, words), 0);
    EXPECT_EQ(calls, "A5(1099511627776) B5(1099511627776) C5(1099511627776) ");
}

TEST_F(VMEvents, OnlyListenersWithTheEventsBitAreCalled)
{
    struct Case {
        int32_t event;
        const char* expected;
    } cases[] = {
        {9, "B9 "},
        {31, ""},   // no mask has bit 31
        {40, ""},   // beyond any mask
        {-1, ""},
    };
    for (const Case& c : cases) {
        calls.clear();
        EXPECT_EQ(HAL_dispatchEvent(c.event, 0, nullptr), 0) << c.event;
        EXPECT_EQ(calls, c.expected) << c.event;
    }
}

TEST_F(VMEvents, AThrowingListenerEndsTheDispatchWithResultTwo)
{
    EXPECT_EQ(HAL_dispatchEvent(6, 0, nullptr), VM_EVENT_UNCAUGHT_EXCEPTION);
    EXPECT_EQ(calls, "B6 T6 ");  // D (after T) and C (list 2) never see it
    calls.clear();
    EXPECT_EQ(HAL_dispatchEvent(5, 0, nullptr), 0);
    EXPECT_EQ(calls, "A5 B5 C5 ");
}

TEST_F(VMEvents, TheExitEventSetsTheExitByteBeforeLaterListenersRun)
{
    _VM_instance->exitRequested = 0;
    EXPECT_EQ(HAL_dispatchEvent(3, 0, nullptr), 0);
    EXPECT_TRUE(exitSeenSetByPriorityOne);
    EXPECT_EQ(_VM_instance->exitRequested, 1);
}

TEST_F(VMEvents, WithoutTheRegistryEventsReachNobody)
{
    _VM_destroyEventRegistry();
    EXPECT_EQ(HAL_dispatchEvent(5, 0, nullptr), 0);
    HAL_addEventListener(&listener<'Z'>, 1u << 5, 0);
    _VM_createEventRegistry();
    EXPECT_EQ(HAL_dispatchEvent(5, 0, nullptr), 0);
    EXPECT_EQ(calls, "");
}

} // namespace
