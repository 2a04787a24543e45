#include <cstdlib>

#include <gtest/gtest.h>

#include "java/lang/ArithmeticException.h"
#include "java/lang/IllegalArgumentException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/util/FastRandom.h"

using tq::util::FastRandom;

namespace {

class FastRandomTest : public VMFixture {};

int32_t nextBits(const VMPtr<FastRandom>& r, int32_t bits)
{
    return r->next(bits);
}

TEST_F(FastRandomTest, OneStepFromSeedOne)
{
    VMPtr<FastRandom> r = FastRandom::newInstance()->init(1);
    EXPECT_EQ(r->nextLong(), 0x2200011);
    // The same seed through setSeed repeats the sequence; every bit is kept.
    r->setSeed(-2);
    int64_t a = r->nextLong();
    int64_t b = r->nextLong();
    r->setSeed(-2);
    EXPECT_EQ(r->nextLong(), a);
    EXPECT_EQ(r->nextLong(), b);
    uint64_t x = uint64_t(-2);
    x ^= x << 21;
    x ^= x >> 35;
    x ^= x << 4;
    EXPECT_EQ(a, int64_t(x));
}

TEST_F(FastRandomTest, ZeroStateIsAFixedPoint)
{
    VMPtr<FastRandom> r = FastRandom::newInstance()->init(0);
    EXPECT_EQ(r->nextLong(), 0);
    EXPECT_EQ(r->nextInt(), 0);
    EXPECT_EQ(r->nextInt(10), 0);
    EXPECT_EQ(r->nextFloat(), 0.0f);
    EXPECT_EQ(r->nextDouble(), 0.0);
}

TEST_F(FastRandomTest, NextTakesTheLowBitsOfAStep)
{
    struct Case {
        int32_t bits;
        int32_t expected; // of the first step from seed 1 (0x2200011)
    } cases[] = {{1, 1}, {4, 1}, {5, 0x11}, {26, 0x2200011}, {32, 0x2200011}, {63, 0x2200011},
                 {64, 0}, {65, 1}};
    for (const Case& c : cases) {
        VMPtr<FastRandom> r = FastRandom::newInstance()->init(1);
        EXPECT_EQ(nextBits(r, c.bits), c.expected) << c.bits;
    }
    for (int32_t bits : {0, -5}) {
        VMPtr<FastRandom> r = FastRandom::newInstance()->init(1);
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { nextBits(r, bits); }, "FastRandom.nextInt() numberOfBits must be positive"));
    }
}

TEST_F(FastRandomTest, NextIntOfNIsTheMagnitudeOfTheRemainder)
{
    // Against nextInt() of a twin generator, both signs of n.
    VMPtr<FastRandom> a = FastRandom::newInstance()->init(987654321);
    VMPtr<FastRandom> b = FastRandom::newInstance()->init(987654321);
    for (int32_t i = 0; i < 1000; i++) {
        int32_t n = (i % 2) ? 10 : -7;
        int32_t raw = b->nextInt();
        int32_t r = a->nextInt(n);
        EXPECT_EQ(r, std::abs(raw % n));
        EXPECT_GE(r, 0);
        EXPECT_LT(r, std::abs(n));
    }
    // n = 0: the step is taken, then the remainder divides by zero.
    EXPECT_TRUE(vmThrows<java::lang::ArithmeticException>([&] { a->nextInt(0); }, "/ by zero"));
    b->nextInt();
    EXPECT_EQ(a->nextLong(), b->nextLong());
}

TEST_F(FastRandomTest, FloatsAndDoublesLieInTheUnitInterval)
{
    VMPtr<FastRandom> r = FastRandom::newInstance()->init(42);
    for (int32_t i = 0; i < 1000; i++) {
        float f = r->nextFloat();
        double d = r->nextDouble();
        EXPECT_GE(f, 0.0f);
        EXPECT_LT(f, 1.0f);
        EXPECT_GE(d, 0.0);
        EXPECT_LT(d, 1.0);
    }
    // nextFloat is the low 24 bits of one step scaled by 2^-24.
    VMPtr<FastRandom> s = FastRandom::newInstance()->init(1);
    EXPECT_EQ(s->nextFloat(), float(0x200011) / float(1 << 24));
}

} // namespace
