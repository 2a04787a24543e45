#pragma once
// java.lang.StringBuffer: growable text. toString hands the buffer's array to
// the new String without a copy and marks the buffer shared; the buffer then
// copies its array before it next overwrites or moves a character that the
// String can see. Appends write behind count, which no String sees, so they
// never copy.

#include <cstdint>

#include "java/lang/String.h"

namespace java::lang {

class StringBuffer : public virtual Object {
    VM_CLASS(StringBuffer, Object)

    using CharArray = String::CharArray;

    VMPtr<StringBuffer> init();
    VMPtr<StringBuffer> init(int32_t capacity);
    VMPtr<StringBuffer> init(VMPtr<String> str);
    // A NUL-terminated modified UTF-8 text.
    VMPtr<StringBuffer> init(const char* text);

    // A null String appends "null".
    VMPtr<StringBuffer> append(VMPtr<String> str);
    VMPtr<StringBuffer> append(char16_t c);
    VMPtr<StringBuffer> append(int32_t i);
    // A plain char is neither a Java char nor an int: write u'x' or a number.
    // A bool would silently become the int 1 or 0: append
    // String::valueOf(b) for "true" or "false".
    VMPtr<StringBuffer> append(char) = delete;
    VMPtr<StringBuffer> append(bool) = delete;
    VMPtr<StringBuffer> append(VMPtr<Object> obj);
    // A NUL-terminated modified UTF-8 text, or length bytes of one.
    VMPtr<StringBuffer> append(const char* text);
    VMPtr<StringBuffer> append(const char* text, int32_t length);

    // offset outside 0 .. length(): StringIndexOutOfBoundsException without a
    // message. A null String inserts "null".
    VMPtr<StringBuffer> insert(int32_t offset, VMPtr<String> str);
    VMPtr<StringBuffer> insert(int32_t offset, char16_t c);
    VMPtr<StringBuffer> insert(int32_t offset, int32_t i);
    VMPtr<StringBuffer> insert(int32_t offset, char) = delete;
    VMPtr<StringBuffer> insert(int32_t offset, bool) = delete;

    void getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst, int32_t dstBegin);
    // Pads with U+0000 when growing; a shared array is copied first.
    void setLength(int32_t newLength);
    int32_t length() const { return count; }
    int32_t capacity() const { return value->length; }
    // A String sharing this buffer's array.
    VMPtr<String> toString() override;


    VMField<CharArray> value;
    int32_t count = 0;
    bool shared = false;
    bool initialised = false;

private:
    void checkInitialised() const;
    // Grows to at least minimumCapacity: doubling plus two, clamped at the
    // largest int; leaves the buffer unshared.
    void expandCapacity(int32_t minimumCapacity);
    // Makes room for count + extra characters, or else un-shares the array,
    // before characters a String may see are moved.
    void prepareToMove(int32_t extra);
    // A private copy of the array at the same capacity.
    void copy();
    // Grows so that count + extra characters fit; OutOfMemoryError past the
    // largest int.
    void ensureRoom(int64_t extra);

    VM_FIELDS(value)
};

} // namespace java::lang
