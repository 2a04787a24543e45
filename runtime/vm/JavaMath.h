#pragma once
// Java integer and conversion semantics, for every class that needs them.
//
// Plain + - * already wrap at 32 and 64 bits (the build uses -fwrapv). What
// C++ leaves undefined or different is here:
//   promotion   an operation is long when an operand is long, else int;
//   shifts      the count is masked (& 31 for int, & 63 for long);
//   >>>         the unsigned shift of a signed value;
//   / and %     INT_MIN / -1 is INT_MIN, INT_MIN % -1 is 0, and a zero
//               divisor throws ArithmeticException ("/ by zero");
//   d2i, d2l    NaN becomes 0, values beyond the range saturate.

#include <cstdint>
#include <limits>
#include <type_traits>

[[noreturn]] void _VM_throwDivideByZero();

// The type of a Java integer operation: long when an operand is long, else
// int (byte, short and char promote to int).
template<class A, class B = int32_t>
using vm_promoted_t = std::enable_if_t<std::is_integral_v<A> && std::is_integral_v<B>,
                                       std::conditional_t<(sizeof(A) > 4 || sizeof(B) > 4),
                                                          int64_t, int32_t>>;

// Shifts take the type of the value; the count is masked to its width.
template<class A, class N>
inline vm_promoted_t<A> vm_shl(A a, N n)
{
    using T = vm_promoted_t<A>;
    using U = std::make_unsigned_t<T>;
    return T(U(T(a)) << (int(n) & (sizeof(T) * 8 - 1)));
}
template<class A, class N>
inline vm_promoted_t<A> vm_shr(A a, N n)
{
    using T = vm_promoted_t<A>;
    return T(a) >> (int(n) & (sizeof(T) * 8 - 1));
}
template<class A, class N>
inline vm_promoted_t<A> vm_ushr(A a, N n)
{
    using T = vm_promoted_t<A>;
    using U = std::make_unsigned_t<T>;
    return T(U(T(a)) >> (int(n) & (sizeof(T) * 8 - 1)));
}

template<class A, class B>
inline vm_promoted_t<A, B> vm_div(A a, B b)
{
    using T = vm_promoted_t<A, B>;
    if (b == 0)
        _VM_throwDivideByZero();
    if (T(b) == -1)
        return T(0 - std::make_unsigned_t<T>(T(a))); // wraps for the most negative value
    return T(a) / T(b);
}

template<class A, class B>
inline vm_promoted_t<A, B> vm_rem(A a, B b)
{
    using T = vm_promoted_t<A, B>;
    if (b == 0)
        _VM_throwDivideByZero();
    if (T(b) == -1)
        return 0;
    return T(a) % T(b);
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
