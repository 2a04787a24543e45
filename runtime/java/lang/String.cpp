#include "java/lang/String.h"

#include <cstring>

#include "hal/string.h"
#include "java/io/UnsupportedEncodingException.h"
#include "java/lang/Character.h"
#include "java/lang/Double.h"
#include "java/lang/Float.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/Integer.h"
#include "java/lang/Long.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "java/lang/System.h"
#include "vm/VMBoot.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMUtf8.h"

namespace java::lang {

namespace {

[[noreturn]] void throwIndex(int32_t index)
{
    vm_throwNew<StringIndexOutOfBoundsException>(index);
}

// IndexOutOfBoundsException whose message is only the decimal number.
[[noreturn]] void throwBareIndex(int32_t number)
{
    vm_throwNew<IndexOutOfBoundsException>(Integer::toString(number, 10));
}

// Checks a window of an array argument in the order offset, count, end,
// raising the failing number.
template<class Array>
void checkWindow(int32_t from, int32_t n, const VMPtr<Array>& array, void (*raise)(int32_t))
{
    if (from < 0)
        raise(from);
    if (n < 0)
        raise(n);
    if (from > vm_nonNull(array)->length - n)
        raise(from + n);
}

// Checks the range begin .. end - 1 of a text of count characters in the
// order begin, end, then their order (raising end - begin).
void checkRange(int32_t begin, int32_t end, int32_t count)
{
    if (begin < 0)
        throwIndex(begin);
    if (end > count)
        throwIndex(end);
    if (begin > end)
        throwIndex(end - begin);
}

[[noreturn]] void throwBadUtf8()
{
    vm_throwNew<RuntimeException>(_VM_literal("Improperly formatted UTF-8 string."));
}

} // namespace

// ---- Construction ----

VMPtr<String> String::init()
{
    Object::init();
    value = CharArray::newArray(0);
    offset = 0;
    count = 0;
    return VMPtr<String>(this);
}

VMPtr<String> String::init(VMPtr<CharArray> chars, int32_t from, int32_t n)
{
    Object::init();
    checkWindow(from, n, chars, throwIndex);
    VMPtr<CharArray> copy = CharArray::newArray(n);
    System::arraycopy(chars, from, copy, 0, n);
    value = copy;
    offset = 0;
    count = n;
    return VMPtr<String>(this);
}

VMPtr<String> String::init(VMPtr<ByteArray> bytes, int32_t from, int32_t n,
                           VMPtr<String> encoding)
{
    Object::init();
    checkWindow(from, n, bytes, throwBareIndex);
    if (!encoding)
        vm_throwNew<NullPointerException>();
    const uint8_t* in = reinterpret_cast<const uint8_t*>(bytes->elements()) + from;
    if (encoding->equalsCString("UTF-8") || encoding->equalsCString("UTF8")) {
        bool valid = true;
        int32_t chars = _VM_utf8CountChars(in, n, &valid);
        if (!valid)
            throwBadUtf8();
        VMPtr<CharArray> decoded = CharArray::newArray(chars);
        int32_t written = chars;
        _VM_utf8ToUtf16(decoded->elements(), &written, in, n, &valid);
        if (!valid)
            throwBadUtf8();
        value = decoded;
        count = written;
    } else if (encoding->equalsCString("ISO-8859-1") || encoding->equalsCString("ISO8859_1") ||
               encoding->equalsCString("US-ASCII") || encoding->equalsCString("ASCII")) {
        VMPtr<CharArray> decoded = CharArray::newArray(n);
        char16_t* out = decoded->elements();
        for (int32_t i = 0; i < n; i++)
            out[i] = char16_t(uint8_t(in[i]));
        value = decoded;
        count = n;
    } else {
        vm_throwNew<java::io::UnsupportedEncodingException>(encoding);
    }
    offset = 0;
    return VMPtr<String>(this);
}

VMPtr<String> String::init(VMPtr<ByteArray> bytes, int32_t from, int32_t n)
{
    return init(bytes, from, n, _VM_literal("UTF-8"));
}

VMPtr<String> String::init(VMPtr<ByteArray> bytes)
{
    return init(bytes, 0, vm_nonNull(bytes)->length, _VM_literal("UTF-8"));
}

VMPtr<String> String::init(VMPtr<StringBuffer> buffer)
{
    Object::init();
    vm_nonNull(buffer)->shared = true;
    value = buffer->value;
    offset = 0;
    count = buffer->count;
    return VMPtr<String>(this);
}

VMPtr<String> String::initShared(int32_t from, int32_t n, VMPtr<CharArray> chars)
{
    Object::init();
    value = chars;
    offset = from;
    count = n;
    return VMPtr<String>(this);
}

VMPtr<String> String::initFromUtf16(const char16_t* units, int32_t n)
{
    Object::init();
    VMPtr<CharArray> copy = CharArray::newArray(n);
    if (n > 0)
        std::memcpy(copy->elements(), units, size_t(n) * sizeof(char16_t));
    value = copy;
    offset = 0;
    count = n;
    return VMPtr<String>(this);
}

VMPtr<String> String::initFromUtf8(const char* bytes, int32_t n)
{
    Object::init();
    bool valid = true;
    const uint8_t* in = reinterpret_cast<const uint8_t*>(bytes);
    int32_t chars = _VM_utf8CountChars(in, n, &valid);
    VMPtr<CharArray> decoded = CharArray::newArray(chars);
    int32_t written = chars;
    _VM_utf8ToUtf16(decoded->elements(), &written, in, n, &valid);
    value = decoded;
    offset = 0;
    count = written;
    return VMPtr<String>(this);
}

VMPtr<String> String::_VM_init(const HALString* text)
{
    Object::init();
    int32_t n = 0;
    if (HAL_getStringLength(text, &n) != 0)
        _VM_fatalError("HAL_getStringLength() failed in String::_VM_init().");
    VMPtr<CharArray> chars = CharArray::newArray(n);
    if (n > 0 && HAL_getStringCharacters(text, chars->elements()) != 0)
        _VM_fatalError("HAL_getStringCharacters() failed in String::_VM_init().");
    value = chars;
    offset = 0;
    count = n;
    return VMPtr<String>(this);
}

VMPtr<String> String::newFromCString(const char* text)
{
    return newInstance()->initFromUtf8(text, int32_t(std::strlen(text)));
}

// ---- Reading ----

char16_t String::charAt(int32_t index)
{
    if (index < 0 || index >= count)
        throwIndex(index);
    return chars()[index];
}

void String::getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst, int32_t dstBegin)
{
    checkRange(srcBegin, srcEnd, count);
    System::arraycopy(value, offset + srcBegin, dst, dstBegin, srcEnd - srcBegin);
}

bool String::equals(VMPtr<Object> other)
{
    if (other.get() == static_cast<Object*>(this))
        return true;
    String* text = dynamic_cast<String*>(other.get());
    if (!text || text->count != count)
        return false;
    return count == 0 ||
           std::memcmp(chars(), text->chars(), size_t(count) * sizeof(char16_t)) == 0;
}

bool String::equalsIgnoreCase(VMPtr<String> other)
{
    if (!other || other->count != count)
        return false;
    return regionMatches(true, 0, other, 0, count);
}

bool String::regionMatches(bool ignoreCase, int32_t toffset, VMPtr<String> other,
                           int32_t ooffset, int32_t len)
{
    if (ooffset < 0 || toffset < 0)
        return false;
    if (int64_t(toffset) > int64_t(count) - len ||
        int64_t(ooffset) > int64_t(vm_nonNull(other)->count) - len)
        return false;
    const char16_t* a = chars() + toffset;
    const char16_t* b = other->chars() + ooffset;
    for (int32_t i = 0; i < len; i++) {
        if (a[i] == b[i])
            continue;
        if (ignoreCase && Character::toUpperCase(a[i]) == Character::toUpperCase(b[i]))
            continue;
        return false;
    }
    return true;
}

bool String::startsWith(VMPtr<String> prefix, int32_t toffset)
{
    if (toffset < 0 || toffset > count - vm_nonNull(prefix)->count)
        return false;
    return prefix->count == 0 || std::memcmp(chars() + toffset, prefix->chars(),
                                             size_t(prefix->count) * sizeof(char16_t)) == 0;
}

int32_t String::hashCode()
{
    uint32_t h = 0;
    const char16_t* c = count ? chars() : nullptr;
    for (int32_t i = 0; i < count; i++)
        h = 31 * h + c[i];
    return int32_t(h);
}

int32_t String::indexOf(int32_t ch, int32_t fromIndex)
{
    if (fromIndex < 0)
        fromIndex = 0;
    for (int32_t i = fromIndex; i < count; i++) {
        if (chars()[i] == ch)
            return i;
    }
    return -1;
}

int32_t String::lastIndexOf(int32_t ch, int32_t fromIndex)
{
    if (fromIndex >= count)
        fromIndex = count - 1;
    for (int32_t i = fromIndex; i >= 0; i--) {
        if (chars()[i] == ch)
            return i;
    }
    return -1;
}

// ---- Derived texts ----

VMPtr<String> String::substring(int32_t beginIndex, int32_t endIndex)
{
    checkRange(beginIndex, endIndex, count);
    if (beginIndex == 0 && endIndex == count)
        return VMPtr<String>(this);
    return newInstance()->initShared(offset + beginIndex, endIndex - beginIndex, value);
}

template<class Map>
VMPtr<String> String::mapFrom(int32_t keep, Map map)
{
    VMPtr<String> self(this);
    VMPtr<CharArray> out = CharArray::newArray(count);
    System::arraycopy(value, offset, out, 0, keep);
    const char16_t* in = chars();
    char16_t* to = out->elements();
    for (int32_t i = keep; i < count; i++)
        to[i] = map(in[i]);
    return newInstance()->initShared(0, count, out);
}

VMPtr<String> String::replace(char16_t oldChar, char16_t newChar)
{
    if (oldChar == newChar)
        return VMPtr<String>(this);
    int32_t first = indexOf(oldChar, 0);
    if (first < 0)
        return VMPtr<String>(this);
    return mapFrom(first, [=](char16_t c) { return c == oldChar ? newChar : c; });
}

VMPtr<String> String::toLowerCase()
{
    int32_t first = 0;
    while (first < count && Character::toLowerCase(chars()[first]) == chars()[first])
        first++;
    if (first == count)
        return VMPtr<String>(this);
    return mapFrom(first, [](char16_t c) { return Character::toLowerCase(c); });
}

VMPtr<String> String::trim()
{
    int32_t begin = 0, end = count;
    while (begin < end && chars()[begin] <= u' ')
        begin++;
    while (end > begin && chars()[end - 1] <= u' ')
        end--;
    if (begin == 0 && end == count)
        return VMPtr<String>(this);
    return substring(begin, end);
}

VMPtr<String> String::toString()
{
    return VMPtr<String>(this);
}

// ---- valueOf ----

VMPtr<String> String::valueOf(bool b)
{
    return b ? _VM_literal("true") : _VM_literal("false");
}

VMPtr<String> String::valueOf(char16_t c)
{
    return newInstance()->initFromUtf16(&c, 1);
}

VMPtr<String> String::valueOf(int32_t i)
{
    return Integer::toString(i, 10);
}

VMPtr<String> String::valueOf(int64_t l)
{
    return Long::toString(l, 10);
}

VMPtr<String> String::valueOf(float f)
{
    return Float::toString(f);
}

VMPtr<String> String::valueOf(double d)
{
    return Double::toString(d);
}

VMPtr<String> String::valueOf(VMPtr<Object> obj)
{
    if (!obj)
        return _VM_literal("null");
    return obj->toString();
}

// ---- Byte texts of the VM ----

bool String::equalsCString(const char* text)
{
    int32_t remaining = int32_t(std::strlen(text));
    const uint8_t* cursor = reinterpret_cast<const uint8_t*>(text);
    const char16_t* c = count ? chars() : nullptr;
    int32_t i = 0;
    while (remaining > 0) {
        bool valid = true;
        char16_t unit = _VM_utf8DecodeChar(&remaining, &cursor, &valid);
        if (!valid || i >= count || unit != c[i])
            return false;
        i++;
    }
    return i == count;
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::String, "java.lang.String", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_lang_String", nullptr);
