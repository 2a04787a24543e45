#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "java/lang/IllegalArgumentException.h"
#include "java/util/Random.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using java::util::Random;

namespace vmtest {

// Counts seedings and can replace the generator, as the engine's FastRandom
// does.
class CountingRandom : public Random {
    VM_CLASS(CountingRandom, Random)

    VMPtr<CountingRandom> init()
    {
        Random::init();
        return VMPtr<CountingRandom>(this);
    }
    void setSeed(int64_t s) override
    {
        seeds++;
        Random::setSeed(s);
    }
    int32_t next(int32_t bits) override
    {
        if (!replaced)
            return Random::next(bits);
        return int32_t(uint32_t(fixed) >> (32 - bits));
    }

    int32_t seeds = 0;
    bool replaced = false;
    int32_t fixed = 0;
};

} // namespace vmtest

VM_REGISTER_CLASS(vmtest::CountingRandom, "vmtest.CountingRandom", "java.util.Random",
                  "vmtest/CountingRandom", nullptr);

namespace {

class RandomTest : public VMFixture {};

VMPtr<Random> seeded(int64_t seed)
{
    return Random::newInstance()->init(seed);
}

TEST_F(RandomTest, SequencesMatchTheGenerator)
{
    // setSeed(0) leaves the multiplier as the state.
    VMPtr<Random> zero = seeded(0);
    EXPECT_EQ(zero->seed, 0x5DEECE66DLL);
    EXPECT_EQ(zero->nextInt(), -1155484576);

    VMPtr<Random> r = seeded(42);
    EXPECT_EQ(r->nextInt(), -1170105035);
    EXPECT_EQ(r->nextInt(), 234785527);
    r->setSeed(42);
    EXPECT_EQ(r->nextInt(10), 0);
    EXPECT_EQ(r->nextInt(10), 3);
    EXPECT_EQ(r->nextInt(10), 8);
    r->setSeed(42);
    EXPECT_DOUBLE_EQ(r->nextDouble(), 0.7275636800328681);

    // A negative seed keeps its low 48 bits; the low half of nextLong is
    // sign-extended before the addition.
    VMPtr<Random> negative = seeded(-1);
    EXPECT_EQ(negative->seed, (int64_t(-1) ^ 0x5DEECE66DLL) & ((int64_t(1) << 48) - 1));
    EXPECT_EQ(negative->nextLong(), 4961115982468162243LL);
}

TEST_F(RandomTest, EqualSeedsGiveEqualSequences)
{
    VMPtr<Random> a = seeded(123456789);
    VMPtr<Random> b = seeded(123456789);
    for (int i = 0; i < 50; i++) {
        ASSERT_EQ(a->nextInt(), b->nextInt());
        ASSERT_EQ(a->nextInt(1000), b->nextInt(1000));
        ASSERT_EQ(a->nextLong(), b->nextLong());
        ASSERT_EQ(a->nextFloat(), b->nextFloat());
        ASSERT_EQ(a->nextDouble(), b->nextDouble());
    }
}

TEST_F(RandomTest, BoundedIntsStayInRange)
{
    VMPtr<Random> r = seeded(7);
    // A bound of 1 gives 0 and still advances the state.
    int64_t before = r->seed;
    EXPECT_EQ(r->nextInt(1), 0);
    EXPECT_NE(r->seed, before);

    // A power of two takes the top bits of next(31).
    VMPtr<Random> a = seeded(99);
    VMPtr<Random> b = seeded(99);
    EXPECT_EQ(a->nextInt(16), int32_t(uint32_t(b->nextInt()) >> 28));

    // The largest bounds reject the incomplete last block and stay in range.
    for (int32_t n : {3, 1000, 0x40000001, 0x7FFFFFFF}) {
        for (int i = 0; i < 200; i++) {
            int32_t v = r->nextInt(n);
            ASSERT_GE(v, 0);
            ASSERT_LT(v, n);
        }
    }
}

TEST_F(RandomTest, NonPositiveBoundThrowsWithoutAdvancing)
{
    VMPtr<Random> r = seeded(5);
    int64_t before = r->seed;
    for (int32_t n : {0, -1, int32_t(0x80000000)}) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>([&] { r->nextInt(n); },
                                                                    "n must be positive"));
    }
    EXPECT_EQ(r->seed, before);
}

TEST_F(RandomTest, FractionsStayBelowOne)
{
    // The largest draws give the values just below 1.0; zero draws give 0.0.
    VMPtr<vmtest::CountingRandom> r = vmtest::CountingRandom::newInstance()->init();
    r->replaced = true;
    r->fixed = int32_t(0xFFFFFFFF);
    EXPECT_LT(r->nextFloat(), 1.0f);
    EXPECT_EQ(r->nextFloat(), 1.0f - 1.0f / 16777216.0f);
    EXPECT_LT(r->nextDouble(), 1.0);
    EXPECT_EQ(r->nextDouble(), 1.0 - 1.0 / 9007199254740992.0);
    r->fixed = 0;
    EXPECT_EQ(r->nextFloat(), 0.0f);
    EXPECT_EQ(r->nextDouble(), 0.0);
}

TEST_F(RandomTest, SubclassSeedingAndGeneratorAreUsed)
{
    // The time-seeded initialiser seeds through the subclass's setSeed.
    VMPtr<vmtest::CountingRandom> r = vmtest::CountingRandom::newInstance()->init();
    EXPECT_EQ(r->seeds, 1);
    // Every derived operation draws through the replaced generator.
    r->replaced = true;
    r->fixed = 0x12345678;
    EXPECT_EQ(r->nextInt(), 0x12345678);
    EXPECT_EQ(r->nextLong(), (int64_t(0x12345678) << 32) + 0x12345678);
    EXPECT_EQ(r->nextInt(256), 0x12);
}

} // namespace
