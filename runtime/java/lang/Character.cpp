#include "java/lang/Character.h"

namespace java::lang {

int32_t Character::digit(char16_t ch, int32_t radix)
{
    if (radix < MIN_RADIX || radix > MAX_RADIX)
        return -1;
    int32_t value = -1;
    if (isDigit(ch))
        value = ch - 48;
    else if (isUpperCase(ch) || isLowerCase(ch))
        value = (ch & 31) + 9;
    return value < radix ? value : -1;
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Character, "java.lang.Character", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Character", nullptr);
