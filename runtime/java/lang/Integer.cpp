#include "java/lang/Integer.h"

#include "java/lang/Character.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/NumberFormatException.h"
#include "vm/VMStringLiterals.h"

namespace java::lang {

VMPtr<Integer> Integer::init(int32_t v)
{
    Object::init();
    value = v;
    return VMPtr<Integer>(this);
}

bool Integer::equals(VMPtr<Object> other)
{
    Integer* integer = dynamic_cast<Integer*>(other.get());
    return integer && integer->value == value;
}

VMPtr<String> Integer::toString()
{
    return String::valueOf(value);
}

VMPtr<String> Integer::toString(int32_t i, int32_t radix)
{
    _VM_clinit();
    return formatSigned(i, radix);
}

VMPtr<String> Integer::toHexString(int32_t i)
{
    _VM_clinit();
    static constexpr char digits[] = "0123456789abcdef";
    char16_t buffer[32];
    int32_t at = 32;
    uint32_t bits = uint32_t(i);
    do {
        buffer[--at] = char16_t(digits[bits & 15]);
        bits >>= 4;
    } while (bits != 0);
    return String::newInstance()->initFromUtf16(buffer + at, 32 - at);
}

int32_t Integer::parseInt(VMPtr<String> s, int32_t radix)
{
    return parse(s, radix, true, 0);
}

int32_t Integer::parse(VMPtr<String> s, int32_t radix, bool throwOnError, int32_t defaultValue)
{
    _VM_clinit();
    // Each failure either throws or gives the default.
    auto fail = [&](auto&& raise) -> int32_t {
        if (throwOnError)
            raise();
        return defaultValue;
    };
    auto failFormat = [&](VMPtr<String> message) {
        return fail([&] { vm_throwNew<NumberFormatException>(message); });
    };
    if (!s)
        return fail([] { vm_throwNew<NullPointerException>(); });
    if (s->count == 0)
        return failFormat(_VM_literal("empty String"));
    if (radix < Character::MIN_RADIX)
        return failFormat(_VM_literal("radix less than Character.MIN_RADIX"));
    if (radix > Character::MAX_RADIX)
        return failFormat(_VM_literal("radix greater than Character.MAX_RADIX"));

    const char16_t* chars = s->chars();
    int32_t length = s->count;
    bool negative = chars[0] == u'-';
    int32_t limit = negative ? INT32_MIN : -INT32_MAX;
    int32_t i = negative ? 1 : 0;
    if (i >= length)
        return failFormat(s);
    int32_t multmin = limit / radix;
    int32_t digit = Character::digit(chars[i++], radix);
    if (digit < 0)
        return failFormat(s);
    int32_t result = -digit;
    while (i < length) {
        digit = Character::digit(chars[i++], radix);
        if (digit < 0 || result < multmin)
            return failFormat(s);
        result *= radix;
        if (result < limit + digit)
            return failFormat(s);
        result -= digit;
    }
    return negative ? result : -result;
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Integer, "java.lang.Integer", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Integer", nullptr);
