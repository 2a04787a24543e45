#pragma once
// scene.ClsMyMath: the game's numeric routines, all static. An integer
// square root driven by a table of 16 * sqrt(i), and a cosine and sine of a
// double from a fixed even polynomial, with the short pi values the game's
// trajectories were made with.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace scene {

class ClsMyMath : public virtual java::lang::Object {
    VM_CLASS(ClsMyMath, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using DoubleArray = VMArray<double, 1>;

    static constexpr double PI = 3.14159265;

    VMPtr<ClsMyMath> init();

    // floor(sqrt(x)); a negative x throws IllegalArgumentException.
    static int32_t sqrt(int32_t x);
    // floor of the distance between two points; a squared distance past the
    // int range counts as the largest int.
    static int32_t distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Radians; not a number for an infinite or not-a-number x.
    static double cos(double x);
    // cos(x - halfPi).
    static double sin(double x);

    // floor(16 * sqrt(i)), i = 0..255.
    VM_STATIC(IntArray, sqrtTable);
    // c[k] = (-1)^(k+1) / (2k+2)!
    VM_STATIC(DoubleArray, cosCoefficients);
    static inline double twoPi = 0;
    static inline double halfPi = 0;

private:
    // 1 + t^2 (c0 + t^2 (c1 + ... + t^2 c9)).
    static double polynomial(double t);
};

} // namespace scene
