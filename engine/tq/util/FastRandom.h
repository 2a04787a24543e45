#pragma once
// tq.util.FastRandom: a java.util.Random whose every operation draws from a
// 64-bit xorshift step (<< 21, >>> 35, << 4). Results take the LOW bits of
// the step. A state of 0 stays 0 until it is seeded again.

#include <cstdint>

#include "java/util/Random.h"

namespace tq::util {

class FastRandom : public java::util::Random {
    VM_CLASS(FastRandom, java::util::Random)

    // Seeded with the current time in milliseconds.
    VMPtr<FastRandom> init();
    VMPtr<FastRandom> init(int64_t seed);

    // Every bit of seed becomes the state.
    void setSeed(int64_t seed) override;
    // |nextInt() % n| (remainder with the dividend's sign): 0 .. |n| - 1.
    // n == 0 takes the step, then throws ArithmeticException "/ by zero".
    int32_t nextInt(int32_t n) override;
    // The low 32 bits of nextLong().
    int32_t nextInt() override;
    // One xorshift step; the new state.
    int64_t nextLong() override;
    float nextFloat() override;
    double nextDouble() override;

    // The low (bits & 63) bits of one step; bits < 1 throws
    // IllegalArgumentException, 64 gives 0.
    int32_t next(int32_t bits) override;

    int64_t state = 0;
};

} // namespace tq::util
