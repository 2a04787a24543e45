#pragma once
// Java integer and conversion semantics, for every class that needs them.
//
// Plain + - * already wrap at 32 and 64 bits (the build uses -fwrapv). What
// C++ leaves undefined or different is here:
//   shifts      the count is masked (& 31 for int, & 63 for long);
//   >>>         the unsigned shift of a signed value;
//   / and %     INT_MIN / -1 is INT_MIN, INT_MIN % -1 is 0, and a zero
//               divisor throws ArithmeticException ("/ by zero");
//   d2i, d2l    NaN becomes 0, values beyond the range saturate.

#include <cstdint>
#include <limits>
#include <type_traits>

[[noreturn]] void _VM_throwDivideByZero();

inline int32_t vm_shl(int32_t a, int32_t n) { return int32_t(uint32_t(a) << (n & 31)); }
inline int64_t vm_shl(int64_t a, int32_t n) { return int64_t(uint64_t(a) << (n & 63)); }
inline int32_t vm_shr(int32_t a, int32_t n) { return a >> (n & 31); }
inline int64_t vm_shr(int64_t a, int32_t n) { return a >> (n & 63); }
inline int32_t vm_ushr(int32_t a, int32_t n) { return int32_t(uint32_t(a) >> (n & 31)); }
inline int64_t vm_ushr(int64_t a, int32_t n) { return int64_t(uint64_t(a) >> (n & 63)); }

template<class T>
inline T vm_div(T a, T b)
{
    static_assert(std::is_same_v<T, int32_t> || std::is_same_v<T, int64_t>);
    if (b == 0)
        _VM_throwDivideByZero();
    if (b == -1)
        return T(0 - a); // wraps for the most negative value
    return a / b;
}

template<class T>
inline T vm_rem(T a, T b)
{
    static_assert(std::is_same_v<T, int32_t> || std::is_same_v<T, int64_t>);
    if (b == 0)
        _VM_throwDivideByZero();
    if (b == -1)
        return 0;
    return a % b;
}

// Floating point to integer as Java converts it.
template<class I, class F>
inline I vm_toInteger(F value)
{
    static_assert(std::is_same_v<I, int32_t> || std::is_same_v<I, int64_t>);
    if (value != value)
        return 0;
    if (value >= F(std::numeric_limits<I>::max()))
        return std::numeric_limits<I>::max();
    if (value <= F(std::numeric_limits<I>::min()))
        return std::numeric_limits<I>::min();
    return I(value);
}
inline int32_t vm_d2i(double value) { return vm_toInteger<int32_t>(value); }
inline int64_t vm_d2l(double value) { return vm_toInteger<int64_t>(value); }
inline int32_t vm_f2i(float value) { return vm_toInteger<int32_t>(value); }
inline int64_t vm_f2l(float value) { return vm_toInteger<int64_t>(value); }
