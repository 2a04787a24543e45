#include "java/util/Random.h"

#include "hal/device.h"
#include "java/lang/IllegalArgumentException.h"
#include "vm/JavaMath.h"
#include "vm/VMStringLiterals.h"

namespace java::util {

namespace {

constexpr int64_t kMultiplier = 0x5DEECE66DLL;
constexpr int64_t kIncrement = 0xBLL;
constexpr int64_t kMask = (int64_t{1} << 48) - 1;

} // namespace

VMPtr<Random> Random::init()
{
    return init(HAL_currentTimeMillis());
}

VMPtr<Random> Random::init(int64_t s)
{
    Object::init();
    setSeed(s);
    return VMPtr<Random>(this);
}

void Random::setSeed(int64_t s)
{
    seed = (s ^ kMultiplier) & kMask;
}

int32_t Random::next(int32_t bits)
{
    seed = int64_t(uint64_t(seed) * uint64_t(kMultiplier) + uint64_t(kIncrement)) & kMask;
    return int32_t(vm_ushr(seed, 48 - bits));
}

int32_t Random::nextInt()
{
    return next(32);
}

int32_t Random::nextInt(int32_t n)
{
    if (n <= 0)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("n must be positive"));
    if ((n & -n) == n)
        return int32_t((int64_t(n) * next(31)) >> 31);
    int32_t bits;
    int32_t val;
    do {
        bits = next(31);
        val = bits % n;
        // Rejects the incomplete last block of the 2^31 range: the sum wraps.
    } while (int32_t(uint32_t(bits) - uint32_t(val) + uint32_t(n - 1)) < 0);
    return val;
}

int64_t Random::nextLong()
{
    int64_t high = vm_shl(int64_t(next(32)), 32);
    return high + int64_t(next(32));
}

float Random::nextFloat()
{
    return float(next(24)) / float(1 << 24);
}

double Random::nextDouble()
{
    int64_t high = vm_shl(int64_t(next(26)), 27);
    return double(high + next(27)) * (1.0 / double(int64_t{1} << 53));
}

} // namespace java::util

VM_REGISTER_CLASS(java::util::Random, "java.util.Random", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_util_Random", nullptr);
