// The integer square root against the exact floor of the square root over
// the whole int range, its refusal of negative numbers, and the polynomial
// cosine and sine at the angles whose branches differ.

#include <cfloat>
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

TEST_F(ClsMyMathTest, DistanceIsTheFloorAndCapsSquaresPastTheIntRange)
{
    const struct {
        int32_t x1, y1, x2, y2;
        int32_t distance;
    } cases[] = {
        {0, 0, 3, 4, 5},
        {3, 4, 0, 0, 5},
        {-1, -1, 1, 1, 2},
        {0, 0, 46340, 0, 46340},
        // 60000 squared does not fit an int: neither a wrapped root nor a throw.
        {-30000, 0, 30000, 0, 46340},
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 46340},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClsMyMath::distance(c.x1, c.y1, c.x2, c.y2), c.distance)
            << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
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

TEST_F(ClsMyMathTest, CosineAndSineAreTheStoredPolynomialBitForBit)
{
    // Evaluated by hand in the Horner form with the stored coefficients and
    // the short pi values; 20 is brought down by three subtractions of two pi.
    const struct {
        double x;
        double cosine;
    } cosines[] = {
        {1.0, 0.5403023058681398},
        {4.0, -0.6536436181468476},
        {6.2831853, 0.9999999999243487},
        {20.0, 0.40808203887239625},
    };
    for (const auto& c : cosines) {
        EXPECT_EQ(ClsMyMath::cos(c.x), c.cosine) << c.x;
        EXPECT_EQ(ClsMyMath::cos(-c.x), c.cosine) << -c.x;
    }
    const struct {
        double x;
        double sine;
    } sines[] = {
        {0.5, 0.4794255401793729},
        {2.0, 0.9092974260787412},
    };
    for (const auto& c : sines)
        EXPECT_EQ(ClsMyMath::sin(c.x), c.sine) << c.x;
}

TEST_F(ClsMyMathTest, CosineOfAnInfiniteOrHugeAngleEnds)
{
    for (double x : {HUGE_VAL, -HUGE_VAL}) {
        EXPECT_TRUE(std::isnan(ClsMyMath::cos(x))) << x;
        EXPECT_TRUE(std::isnan(ClsMyMath::sin(x))) << x;
    }
    // Far beyond where subtracting two pi still changes the value.
    for (double x : {1e17, -1e300, DBL_MAX, 4.5e6}) {
        double c = ClsMyMath::cos(x);
        EXPECT_TRUE(std::isfinite(c)) << x;
        EXPECT_LE(std::fabs(c), 1.0 + 1e-9) << x;
    }
}

} // namespace
