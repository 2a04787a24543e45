#include "scene/ClsMyMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "java/lang/IllegalArgumentException.h"
#include "vm/VMStringLiterals.h"

namespace scene {

namespace {

constexpr double kCoefficients[10] = {
    -0.5,
    0.041666666666666664,
    -0.0013888888888888887,
    2.4801587301587298e-05,
    -2.755731922398589e-07,
    2.0876756987868096e-09,
    -1.1470745597729725e-11,
    4.779477332387385e-14,
    -1.5619206968586228e-16,
    4.1103176233121653e-19,
};

constexpr double kMaxReductionSteps = 65536;

void initialiseMath()
{
    VMPtr<ClsMyMath::IntArray> table = ClsMyMath::IntArray::newArray(256);
    // floor(16 * sqrt(i)) is the largest v with v * v <= 256 * i.
    int32_t v = 0;
    for (int32_t i = 0; i < 256; i++) {
        while ((v + 1) * (v + 1) <= 256 * i)
            v++;
        (*table)[i] = v;
    }
    ClsMyMath::sqrtTable = table;
    VMPtr<ClsMyMath::DoubleArray> c = ClsMyMath::DoubleArray::newArray(10);
    for (int32_t k = 0; k < 10; k++)
        (*c)[k] = kCoefficients[k];
    ClsMyMath::cosCoefficients = c;
    ClsMyMath::twoPi = 6.2831853;
    ClsMyMath::halfPi = 1.570796325;
}

} // namespace

VMPtr<ClsMyMath> ClsMyMath::init()
{
    Object::init();
    return VMPtr<ClsMyMath>(this);
}

int32_t ClsMyMath::sqrt(int32_t x)
{
    _VM_clinit();
    if (x < 0)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("Attemt to take the square root of negative number"));
    IntArray& table = *sqrtTable;
    if (x < 0x100)
        return table[x] >> 4;
    if (x < 0x10000) {
        int32_t guess;
        if (x < 0x400)
            guess = table[x >> 2] >> 3;
        else if (x < 0x1000)
            guess = table[x >> 4] >> 2;
        else if (x < 0x4000)
            guess = table[x >> 6] >> 1;
        else
            guess = table[x >> 8];
        int32_t xn = guess + 1;
        return xn * xn > x ? xn - 1 : xn;
    }
    int32_t xn;
    if (x < 0x1000000) {
        if (x < 0x40000)
            xn = table[x >> 10] << 1;
        else if (x < 0x100000)
            xn = table[x >> 12] << 2;
        else if (x < 0x400000)
            xn = table[x >> 14] << 3;
        else
            xn = table[x >> 16] << 4;
        xn = (xn + x / xn + 1) >> 1;
    } else {
        if (x < 0x4000000)
            xn = table[x >> 18] << 5;
        else if (x < 0x10000000)
            xn = table[x >> 20] << 6;
        else if (x < 0x40000000)
            xn = table[x >> 22] << 7;
        else
            xn = table[x >> 24] << 8;
        xn = (xn + x / xn + 1) >> 1;
        xn = (xn + x / xn + 1) >> 1;
    }
    return int64_t(xn) * xn > x ? xn - 1 : xn;
}

double ClsMyMath::polynomial(double t)
{
    DoubleArray& c = *cosCoefficients;
    double t2 = t * t;
    double sum = c[9];
    for (int32_t k = 8; k >= 0; k--)
        sum = c[k] + t2 * sum;
    return 1.0 + t2 * sum;
}

int32_t ClsMyMath::distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    // Past 46340 the square alone leaves the int range; capping the sides
    // there keeps the sum within 64 bits.
    constexpr int64_t side = 46341;
    int64_t dx = std::min(std::abs(int64_t(x2) - x1), side);
    int64_t dy = std::min(std::abs(int64_t(y2) - y1), side);
    int64_t squared = std::min<int64_t>(dx * dx + dy * dy, std::numeric_limits<int32_t>::max());
    return sqrt(int32_t(squared));
}

double ClsMyMath::cos(double x)
{
    _VM_clinit();
    if (!std::isfinite(x))
        return std::numeric_limits<double>::quiet_NaN();
    if (!(x >= 0))
        x = -x;
    if (x >= twoPi) {
        // Past a bound the step-by-step reduction would take too long (or,
        // once two pi is below half a step of x, never end).
        if (x > twoPi * kMaxReductionSteps)
            x = std::fmod(x, twoPi);
        while (x > twoPi)
            x -= twoPi;
        return -polynomial(x - PI);
    }
    if (x >= PI)
        return -polynomial(x - PI);
    return polynomial(x);
}

double ClsMyMath::sin(double x)
{
    _VM_clinit();
    return cos(x - halfPi);
}

} // namespace scene

VM_REGISTER_CLASS(scene::ClsMyMath, "scene.ClsMyMath", "java.lang.Object",
                  "..\\src\\scene_ClsMyMath", &scene::initialiseMath);
