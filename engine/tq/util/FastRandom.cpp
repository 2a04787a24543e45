#include "tq/util/FastRandom.h"

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/System.h"
#include "vm/JavaMath.h"
#include "vm/VMStringLiterals.h"

namespace tq::util {

VMPtr<FastRandom> FastRandom::init()
{
    Random::init();
    setSeed(java::lang::System::currentTimeMillis());
    return VMPtr<FastRandom>(this);
}

VMPtr<FastRandom> FastRandom::init(int64_t seed)
{
    Random::init(seed);
    setSeed(seed);
    return VMPtr<FastRandom>(this);
}

void FastRandom::setSeed(int64_t seed)
{
    state = seed;
}

int64_t FastRandom::nextLong()
{
    uint64_t x = uint64_t(state);
    x ^= x << 21;
    x ^= x >> 35;
    x ^= x << 4;
    state = int64_t(x);
    return state;
}

int32_t FastRandom::next(int32_t bits)
{
    if (bits < 1)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("FastRandom.nextInt() numberOfBits must be positive"));
    uint64_t mask = (uint64_t{1} << (bits & 63)) - 1;
    return int32_t(uint32_t(uint64_t(nextLong()) & mask));
}

int32_t FastRandom::nextInt()
{
    return int32_t(uint32_t(uint64_t(nextLong())));
}

int32_t FastRandom::nextInt(int32_t n)
{
    int32_t r = vm_rem(nextInt(), n);
    return r < 0 ? -r : r;
}

float FastRandom::nextFloat()
{
    return float(next(24)) * (1.0f / float(1 << 24));
}

double FastRandom::nextDouble()
{
    int64_t high = int64_t(next(26)) << 27;
    return double(high + next(27)) * (1.0 / double(int64_t{1} << 53));
}

} // namespace tq::util

VM_REGISTER_CLASS(tq::util::FastRandom, "tq.util.FastRandom", "java.util.Random",
                  "..\\src\\tq_util_FastRandom", nullptr);
