#pragma once
// java.lang.Integer: a boxed int, and the conversions between ints and text.
// Text uses the digits "0123456789abcdefghijklmnopqrstuvwxyz"; a radix
// outside 2 .. 36 becomes 10 when converting to text.

#include <cstdint>

#include "java/lang/String.h"

namespace java::lang {

class Integer : public virtual Object {
    VM_CLASS(Integer, Object)

    VMPtr<Integer> init(int32_t value);

    int32_t hashCode() override { return value; }
    bool equals(VMPtr<Object> other) override;
    VMPtr<String> toString() override;

    static VMPtr<String> toString(int32_t i, int32_t radix);
    // Unsigned hexadecimal without leading zeros.
    static VMPtr<String> toHexString(int32_t i);
    static int32_t parseInt(VMPtr<String> s, int32_t radix);
    static int32_t parseInt(VMPtr<String> s) { return parseInt(s, 10); }
    // Parses s in radix; with throwOnError false every failure returns
    // defaultValue instead of throwing.
    static int32_t parse(VMPtr<String> s, int32_t radix, bool throwOnError, int32_t defaultValue);

    // Signed text of an integer of any width in radix (shared with Long).
    template<class T>
    static VMPtr<String> formatSigned(T i, int32_t radix);

    int32_t value = 0;
};

template<class T>
VMPtr<String> Integer::formatSigned(T i, int32_t radix)
{
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    if (radix < 2 || radix > 36)
        radix = 10;
    // Works on the value <= 0 so that the most negative value needs no
    // special case.
    char16_t buffer[sizeof(T) * 8 + 1];
    int32_t at = int32_t(sizeof buffer / sizeof buffer[0]);
    bool negative = i < 0;
    if (!negative)
        i = T(-i);
    while (i <= -radix) {
        buffer[--at] = char16_t(digits[-(i % radix)]);
        i = T(i / radix);
    }
    buffer[--at] = char16_t(digits[-i]);
    if (negative)
        buffer[--at] = u'-';
    int32_t size = int32_t(sizeof buffer / sizeof buffer[0]);
    return String::newInstance()->initFromUtf16(buffer + at, size - at);
}

} // namespace java::lang
