#pragma once
// java.lang.Character: classification and case mapping over Latin-1 only; no
// character above 255 is a letter, a digit or changed by a case mapping.

#include <cstdint>

#include "java/lang/Object.h"

namespace java::lang {

class Character : public virtual Object {
    VM_ABSTRACT_CLASS(Character, Object)

    static constexpr int32_t MIN_RADIX = 2;
    static constexpr int32_t MAX_RADIX = 36;

    static bool isLowerCase(char16_t ch)
    {
        return (ch >= 97 && ch <= 122) || (ch >= 223 && ch <= 246) || (ch >= 248 && ch <= 255);
    }
    static bool isUpperCase(char16_t ch)
    {
        return (ch >= 65 && ch <= 90) || (ch >= 192 && ch <= 214) || (ch >= 216 && ch <= 222);
    }
    static bool isDigit(char16_t ch) { return ch >= 48 && ch <= 57; }
    static char16_t toLowerCase(char16_t ch) { return isUpperCase(ch) ? char16_t(ch + 32) : ch; }
    // 223 and 255 have no upper-case form here and stay unchanged.
    static char16_t toUpperCase(char16_t ch)
    {
        return isLowerCase(ch) && ch != 223 && ch != 255 ? char16_t(ch - 32) : ch;
    }
    // The value of ch as a digit of radix, or -1. Letters count from 10 by
    // their low five bits, the Latin-1 letters included.
    static int32_t digit(char16_t ch, int32_t radix);
};

} // namespace java::lang
