#pragma once
// java.lang.String: immutable text, a window (offset, count) onto an array of
// UTF-16 characters. Several Strings may share one array: substring and trim
// hand out windows onto the receiver's array, and a String made from a
// StringBuffer takes the buffer's array (the buffer copies before it next
// changes a character the String can see).
//
// Indexes are relative to the window. Errors of indexes throw
// StringIndexOutOfBoundsException ("String index out of range: " and the
// number) unless noted. A null String or array argument throws
// NullPointerException, except where null has a meaning of its own.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

struct HALString;

namespace java::lang {

class StringBuffer;

class String : public virtual Object {
    VM_CLASS(String, Object)

    using CharArray = VMArray<char16_t, 1>;
    using ByteArray = VMArray<int8_t, 1>;

    // The empty text.
    VMPtr<String> init();
    // A copy of count characters of value from offset.
    VMPtr<String> init(VMPtr<CharArray> value, int32_t offset, int32_t count);
    // Bytes decoded with the named encoding: "UTF-8" or "UTF8" (modified
    // UTF-8), "ISO-8859-1", "ISO8859_1", "US-ASCII" or "ASCII" (one character
    // per byte). Names are matched exactly.
    VMPtr<String> init(VMPtr<ByteArray> bytes, int32_t offset, int32_t length,
                       VMPtr<String> encoding);
    VMPtr<String> init(VMPtr<ByteArray> bytes, int32_t offset, int32_t length);
    VMPtr<String> init(VMPtr<ByteArray> bytes);
    // Takes the buffer's array without a copy and marks the buffer shared.
    VMPtr<String> init(VMPtr<StringBuffer> buffer);
    // The sharing constructor: stores the three unchanged, no copy, no check.
    VMPtr<String> initShared(int32_t offset, int32_t count, VMPtr<CharArray> value);
    VMPtr<String> initFromUtf16(const char16_t* units, int32_t count);
    // Modified UTF-8; invalid input is not reported.
    VMPtr<String> initFromUtf8(const char* bytes, int32_t length);
    // The characters of a platform string; a failing platform call is fatal.
    VMPtr<String> _VM_init(const HALString* text);

    // A String of a NUL-terminated modified UTF-8 text.
    static VMPtr<String> newFromCString(const char* text);

    int32_t length() const { return count; }
    char16_t charAt(int32_t index);
    // Copies the characters srcBegin .. srcEnd - 1 to dst from dstBegin.
    void getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst, int32_t dstBegin);

    bool equals(VMPtr<Object> other) override;
    bool equalsIgnoreCase(VMPtr<String> other);
    bool regionMatches(bool ignoreCase, int32_t toffset, VMPtr<String> other, int32_t ooffset,
                       int32_t len);
    bool startsWith(VMPtr<String> prefix, int32_t toffset);
    bool startsWith(VMPtr<String> prefix) { return startsWith(prefix, 0); }
    // h = 31 * h + c over the characters, wrapping at 32 bits.
    int32_t hashCode() override;

    int32_t indexOf(int32_t ch, int32_t fromIndex);
    int32_t indexOf(int32_t ch) { return indexOf(ch, 0); }
    int32_t lastIndexOf(int32_t ch, int32_t fromIndex);
    int32_t lastIndexOf(int32_t ch) { return lastIndexOf(ch, count - 1); }

    VMPtr<String> substring(int32_t beginIndex, int32_t endIndex);
    VMPtr<String> substring(int32_t beginIndex) { return substring(beginIndex, count); }
    VMPtr<String> replace(char16_t oldChar, char16_t newChar);
    VMPtr<String> toLowerCase();
    VMPtr<String> trim();
    VMPtr<String> toString() override;

    // "true" and "false" are the interned literals.
    static VMPtr<String> valueOf(bool b);
    static VMPtr<String> valueOf(char16_t c);
    static VMPtr<String> valueOf(int32_t i);
    static VMPtr<String> valueOf(int64_t l);
    static VMPtr<String> valueOf(float f);
    static VMPtr<String> valueOf(double d);
    // The interned "null" for null, else obj.toString().
    static VMPtr<String> valueOf(VMPtr<Object> obj);
    // A plain char is neither a Java char nor an int (write u'x' or a number),
    // and a bare pointer would become a boolean.
    static VMPtr<String> valueOf(char) = delete;
    template<class T>
    static VMPtr<String> valueOf(T*) = delete;

    // True when the characters equal the NUL-terminated modified UTF-8 text.
    bool equalsCString(const char* text);


    // The first character of the window.
    const char16_t* chars() { return value->elements() + offset; }

    VMField<CharArray> value;
    int32_t offset = 0;
    int32_t count = 0;

private:
    // A new String over a fresh array whose leading `keep` characters are the
    // receiver's and whose others come from map.
    template<class Map>
    VMPtr<String> mapFrom(int32_t keep, Map map);

    VM_FIELDS(value)
};

} // namespace java::lang
