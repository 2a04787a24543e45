// The integer square root against the exact floor of the square root over
// the whole int range, its refusal of negative numbers, and the polynomial
// cosine and sine at the angles whose branches differ.

#include <cmath>

#include <gtest/gtest.h>

#include "java/lang/IllegalArgumentException.h"
#include "scene/ClsMyMath.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using scene::ClsMyMath;

namespace {

class ClsMyMathTest : public VMFixture {};

int64_t exactRoot(int64_t x)
{
    int64_t r = static_cast<int64_t>(std::sqrt(static_cast<double>(x)));
    while (r * r > x)
        r--;
    while ((r + 1) * (r + 1) <= x)
        r++;
    return r;
}

TEST_F(ClsMyMathTest, TableHoldsSixteenTimesTheRoot)
{
    ClsMyMath::_VM_clinit();
    ASSERT_EQ(ClsMyMath::sqrtTable->length, 256);
    const int32_t start[] = {0, 16, 22, 27, 32, 35, 39, 42, 45, 48, 50, 53, 55, 57, 59, 61, 64, 65, 67};
    for (int32_t i = 0; i < 19; i++)
        EXPECT_EQ((*ClsMyMath::sqrtTable)[i], start[i]) << i;
    const int32_t end[] = {253, 253, 254, 254, 255};
    for (int32_t i = 0; i < 5; i++)
        EXPECT_EQ((*ClsMyMath::sqrtTable)[251 + i], end[i]) << 251 + i;
}

TEST_F(ClsMyMathTest, RootIsTheFloorBelowTwoToTheTwentyFour)
{
    for (int32_t x = 0; x < (1 << 24); x++) {
        if (ClsMyMath::sqrt(x) != exactRoot(x)) {
            ADD_FAILURE() << "sqrt(" << x << ") = " << ClsMyMath::sqrt(x) << ", not "
                          << exactRoot(x);
            return;
        }
    }
}

TEST_F(ClsMyMathTest, RootIsTheFloorAroundEverySquareUpToTheLargestInt)
{
    // Both sides of each square are where a guess one off shows.
    for (int64_t k = 1; k <= 46341; k++) {
        for (int64_t x : {k * k - 1, k * k, k * k + 1}) {
            if (x > INT32_MAX)
                continue;
            if (ClsMyMath::sqrt(int32_t(x)) != exactRoot(x)) {
                ADD_FAILURE() << "sqrt(" << x << ") = " << ClsMyMath::sqrt(int32_t(x))
                              << ", not " << exactRoot(x);
                return;
            }
        }
    }
    for (int64_t x = 1 << 24; x <= INT32_MAX; x += 9973) {
        if (ClsMyMath::sqrt(int32_t(x)) != exactRoot(x)) {
            ADD_FAILURE() << "sqrt(" << x << ") = " << ClsMyMath::sqrt(int32_t(x)) << ", not "
                          << exactRoot(x);
            return;
        }
    }
}

TEST_F(ClsMyMathTest, RootAtTheRangeEdges)
{
    const struct {
        int32_t x;
        int32_t root;
    } cases[] = {
        {0, 0},         {1, 1},         {255, 15},      {256, 16},          {1023, 31},
        {1024, 32},     {65535, 255},   {65536, 256},   {(1 << 24) - 1, 4095}, {1 << 24, 4096},
        {1 << 30, 32768}, {2147395600, 46340}, {2147483647, 46340},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClsMyMath::sqrt(c.x), c.root) << c.x;
}

TEST_F(ClsMyMathTest, NegativeRootThrows)
{
    for (int32_t x : {-1, -256, INT32_MIN}) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { ClsMyMath::sqrt(x); }, "Attemt to take the square root of negative number"))
            << x;
    }
}

TEST_F(ClsMyMathTest, CosineAndSineAtTheBranchPoints)
{
    EXPECT_EQ(ClsMyMath::cos(0.0), 1.0);
    // At the literal pi the polynomial is taken at 0.
    EXPECT_EQ(ClsMyMath::cos(3.14159265), -1.0);
    EXPECT_EQ(ClsMyMath::sin(1.570796325), 1.0);
    // At two pi the reduction branch takes the polynomial at pi, close to 1.
    double atTwoPi = ClsMyMath::cos(6.2831853);
    EXPECT_NE(atTwoPi, 1.0);
    EXPECT_NEAR(atTwoPi, 1.0, 1e-8);
    // Not a number is not >= 0: negated, still not a number.
    EXPECT_TRUE(std::isnan(ClsMyMath::cos(NAN)));
}

TEST_F(ClsMyMathTest, CosineIsEvenAndFollowsTheTrueCosine)
{
    // Below two pi the polynomial and the short pi stay within 1e-8; each
    // reduction by the short two pi adds its own small error.
    const double angles[] = {0.1, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.2, 4.0, 4.7, 5.5, 6.2, 7.0, 10.0, 20.0};
    for (double a : angles) {
        double tolerance = a < 6.2831853 ? 1e-8 : 1e-6;
        EXPECT_NEAR(ClsMyMath::cos(a), std::cos(a), tolerance) << a;
        EXPECT_EQ(ClsMyMath::cos(-a), ClsMyMath::cos(a)) << a;
        EXPECT_NEAR(ClsMyMath::sin(a), std::sin(a), tolerance) << a;
    }
}

} // namespace
