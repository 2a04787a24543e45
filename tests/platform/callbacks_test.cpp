#include "hal/hal.h"

#include <gtest/gtest.h>

namespace {

int events = 0;
int32_t countEvent(int32_t, int32_t, const intptr_t*)
{
    ++events;
    return 7;
}

TEST(Callbacks, EmptySlotsGetDefaults)
{
    HAL_setCallbacks(nullptr);
    const HALCallbacks& table = HAL_callbacks();
    EXPECT_EQ(table.init(1, 2, nullptr, "x", 0), 0);
    EXPECT_EQ(table.event(1, 0, nullptr), 0);
    EXPECT_EQ(table.enterVM(), nullptr);
    table.leaveVM();
    table.gc();
    table.shutdown();

    HALCallbacks given{};
    given.event = countEvent;
    HAL_setCallbacks(&given);
    EXPECT_EQ(HAL_callbacks().event(3, 0, nullptr), 7);
    EXPECT_EQ(events, 1);
    EXPECT_NE(HAL_callbacks().gc, nullptr);
    EXPECT_EQ(HAL_callbacks().init(0, 0, nullptr, "", 0), 0);
    HAL_setCallbacks(nullptr);  // keeps the table it has
    EXPECT_EQ(HAL_callbacks().event, countEvent);
}

}  // namespace
