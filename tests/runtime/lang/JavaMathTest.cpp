#include <cmath>
#include <limits>
#include <type_traits>

#include <gtest/gtest.h>

#include "java/lang/ArithmeticException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/JavaMath.h"

namespace {

class JavaMathTest : public VMFixture {};

constexpr int32_t IMIN = std::numeric_limits<int32_t>::min();
constexpr int64_t LMIN = std::numeric_limits<int64_t>::min();

TEST_F(JavaMathTest, ShiftCountsAreMasked)
{
    struct Case {
        int32_t value, count, shl, shr, ushr;
    };
    for (Case c : {Case{1, 33, 2, 0, 0}, Case{1, 32, 1, 1, 1},
                   Case{-1, 28, int32_t(0xF0000000), -1, 15}, Case{IMIN, 31, 0, -1, 1},
                   Case{-8, -1, 0, -1, 1}, Case{-8, 1, -16, -4, 0x7FFFFFFC}}) {
        SCOPED_TRACE(testing::Message() << c.value << " by " << c.count);
        EXPECT_EQ(vm_shl(c.value, c.count), c.shl);
        EXPECT_EQ(vm_shr(c.value, c.count), c.shr);
        EXPECT_EQ(vm_ushr(c.value, c.count), c.ushr);
    }
    EXPECT_EQ(vm_shl(int64_t(1), 65), 2);
    EXPECT_EQ(vm_shl(int64_t(1), 63), LMIN);
    EXPECT_EQ(vm_shr(LMIN, 64 + 63), -1);
    EXPECT_EQ(vm_ushr(int64_t(-1), 60), 15);
    EXPECT_EQ(vm_ushr(int64_t(-1), 0), -1);
}

TEST_F(JavaMathTest, OperandsPromoteAsJavaPromotesThem)
{
    // byte, short and char widen to int before the operation; an int meeting
    // a long becomes long.
    EXPECT_EQ(vm_ushr(int8_t(-1), 28), 15);
    EXPECT_EQ(vm_shl(char16_t(0xFFFF), 16), -65536);
    EXPECT_EQ(vm_shr(char16_t(0x8000), 15), 1);
    auto quotient = vm_div(int64_t(1) << 40, 2);
    static_assert(std::is_same_v<decltype(quotient), int64_t>);
    EXPECT_EQ(quotient, int64_t(1) << 39);
    static_assert(std::is_same_v<decltype(vm_rem(int16_t(7), int8_t(2))), int32_t>);
    static_assert(std::is_same_v<decltype(vm_shl(1, int64_t(3))), int32_t>);
    EXPECT_EQ(vm_shl(1, int64_t(35)), 8);
    EXPECT_EQ(vm_div(int16_t(-32768), int16_t(-1)), 32768);
}

TEST_F(JavaMathTest, DivisionTruncatesAndWrapsAtTheMostNegativeValue)
{
    EXPECT_EQ(vm_div(IMIN, -1), IMIN);
    EXPECT_EQ(vm_rem(IMIN, -1), 0);
    EXPECT_EQ(vm_div(LMIN, int64_t(-1)), LMIN);
    EXPECT_EQ(vm_rem(LMIN, int64_t(-1)), 0);
    EXPECT_EQ(vm_div(-7, 2), -3);
    EXPECT_EQ(vm_rem(-7, 2), -1);
    EXPECT_EQ(vm_rem(7, -2), 1);
    EXPECT_EQ(vm_div(7, -1), -7);
    EXPECT_TRUE(vmThrows<java::lang::ArithmeticException>([] { vm_div(1, 0); }, "/ by zero"));
    EXPECT_TRUE(vmThrows<java::lang::ArithmeticException>([] { vm_rem(1, 0); }, "/ by zero"));
    EXPECT_TRUE(vmThrows<java::lang::ArithmeticException>(
        [] { vm_div(int64_t(1), int64_t(0)); }, "/ by zero"));
}

TEST_F(JavaMathTest, FloatingPointToIntegerSaturates)
{
    double nan = std::nan("");
    EXPECT_EQ(vm_d2i(nan), 0);
    EXPECT_EQ(vm_d2i(1e10), 2147483647);
    EXPECT_EQ(vm_d2i(-1e10), IMIN);
    EXPECT_EQ(vm_d2i(-2.9), -2);
    EXPECT_EQ(vm_d2i(2147483647.9), 2147483647);
    EXPECT_EQ(vm_d2l(1e30), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(vm_d2l(-1e30), LMIN);
    EXPECT_EQ(vm_d2l(nan), 0);
    EXPECT_EQ(vm_f2i(3e9f), 2147483647);
    EXPECT_EQ(vm_f2i(-INFINITY), IMIN);
    EXPECT_EQ(vm_f2l(2.5f), 2);
}

} // namespace
