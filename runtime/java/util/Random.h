#pragma once
// java.util.Random: a 48-bit linear congruential generator (multiplier
// 0x5DEECE66D, increment 11) whose operations take their bits from the top of
// the state. Every derived operation draws through the virtual next, and the
// constructors seed through the virtual setSeed, so a subclass that replaces
// either changes them all.

#include <cstdint>

#include "java/lang/Object.h"

namespace java::util {

class Random : public virtual java::lang::Object {
    VM_CLASS(Random, java::lang::Object)

    // Seeded with the current time.
    VMPtr<Random> init();
    VMPtr<Random> init(int64_t seed);

    // Only the low 48 bits of seed XOR the multiplier are kept.
    virtual void setSeed(int64_t seed);
    // 0 .. n - 1; n <= 0 throws IllegalArgumentException "n must be positive".
    virtual int32_t nextInt(int32_t n);
    virtual int32_t nextInt();
    virtual int64_t nextLong();
    // In [0, 1).
    virtual float nextFloat();
    virtual double nextDouble();

    int64_t seed = 0;

protected:
    // Advances the state; its top `bits` bits (1 .. 32).
    virtual int32_t next(int32_t bits);
};

} // namespace java::util
