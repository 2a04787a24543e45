#include "java/lang/StringBuffer.h"

#include <climits>
#include <cstring>

#include "java/lang/NullPointerException.h"
#include "java/lang/OutOfMemoryError.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "java/lang/System.h"
#include "vm/VMBoot.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMUtf8.h"

namespace java::lang {

// ---- Construction ----

VMPtr<StringBuffer> StringBuffer::init(int32_t capacity)
{
    Object::init();
    count = 0;
    shared = false;
    value = CharArray::newArray(capacity);
    initialised = true;
    return VMPtr<StringBuffer>(this);
}

VMPtr<StringBuffer> StringBuffer::init()
{
    return init(16);
}

VMPtr<StringBuffer> StringBuffer::init(VMPtr<String> str)
{
    init(vm_nonNull(str)->count + 16);
    return append(str);
}

VMPtr<StringBuffer> StringBuffer::init(const char* text)
{
    int32_t length = int32_t(std::strlen(text));
    init(length + 16);
    return append(text, length);
}

// ---- Capacity ----

void StringBuffer::checkInitialised() const
{
    if (!initialised)
        _VM_fatalError("Using StringBuffer without initialization!");
}

void StringBuffer::expandCapacity(int32_t minimumCapacity)
{
    int32_t newCapacity = (value->length + 1) * 2;
    if (newCapacity < 0)
        newCapacity = INT32_MAX;
    else if (minimumCapacity > newCapacity)
        newCapacity = minimumCapacity;
    VMPtr<CharArray> grown = CharArray::newArray(newCapacity);
    System::arraycopy(value, 0, grown, 0, count);
    value = grown;
    shared = false;
}

void StringBuffer::ensureRoom(int64_t extra)
{
    int64_t needed = int64_t(count) + extra;
    if (needed > INT32_MAX)
        vm_throwNew<OutOfMemoryError>();
    if (needed > value->length)
        expandCapacity(int32_t(needed));
}

void StringBuffer::copy()
{
    VMPtr<CharArray> copied = CharArray::newArray(value->length);
    System::arraycopy(value, 0, copied, 0, count);
    value = copied;
    shared = false;
}

void StringBuffer::prepareToMove(int32_t extra)
{
    if (int64_t(count) + extra > value->length)
        ensureRoom(extra);
    else if (shared)
        copy();
}

// ---- Appending ----

VMPtr<StringBuffer> StringBuffer::append(VMPtr<String> str)
{
    VMPtr<StringBuffer> self(this);
    checkInitialised();
    if (!str)
        str = String::valueOf(VMPtr<Object>());
    int32_t len = str->count;
    ensureRoom(len);
    str->getChars(0, len, value, count);
    count += len;
    return self;
}

VMPtr<StringBuffer> StringBuffer::append(char16_t c)
{
    VMPtr<StringBuffer> self(this);
    checkInitialised();
    ensureRoom(1);
    value->elements()[count++] = c;
    return self;
}

VMPtr<StringBuffer> StringBuffer::append(int32_t i)
{
    return append(String::valueOf(i));
}

VMPtr<StringBuffer> StringBuffer::append(VMPtr<Object> obj)
{
    return append(String::valueOf(obj));
}

VMPtr<StringBuffer> StringBuffer::append(const char* text)
{
    return append(text, int32_t(std::strlen(text)));
}

VMPtr<StringBuffer> StringBuffer::append(const char* text, int32_t length)
{
    VMPtr<StringBuffer> self(this);
    checkInitialised();
    bool valid = true;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text);
    int32_t chars = _VM_utf8CountChars(bytes, length, &valid);
    ensureRoom(chars);
    int32_t room = value->length - count;
    _VM_utf8ToUtf16(value->elements() + count, &room, bytes, length, &valid);
    count += chars;
    return self;
}

// ---- Inserting ----

VMPtr<StringBuffer> StringBuffer::insert(int32_t offset, VMPtr<String> str)
{
    VMPtr<StringBuffer> self(this);
    if (offset < 0 || offset > count)
        vm_throwNew<StringIndexOutOfBoundsException>();
    if (!str)
        str = String::valueOf(VMPtr<Object>());
    int32_t len = str->count;
    prepareToMove(len);
    System::arraycopy(value, offset, value, offset + len, count - offset);
    str->getChars(0, len, value, offset);
    count += len;
    return self;
}

VMPtr<StringBuffer> StringBuffer::insert(int32_t offset, char16_t c)
{
    VMPtr<StringBuffer> self(this);
    prepareToMove(1);
    System::arraycopy(value, offset, value, offset + 1, count - offset);
    (*value)[offset] = c;
    count++;
    return self;
}

VMPtr<StringBuffer> StringBuffer::insert(int32_t offset, int32_t i)
{
    return insert(offset, String::valueOf(i));
}

// ---- Reading and truncating ----

void StringBuffer::getChars(int32_t srcBegin, int32_t srcEnd, VMPtr<CharArray> dst,
                            int32_t dstBegin)
{
    if (srcBegin < 0)
        vm_throwNew<StringIndexOutOfBoundsException>(srcBegin);
    if (srcEnd < 0 || srcEnd > count)
        vm_throwNew<StringIndexOutOfBoundsException>(srcEnd);
    if (srcBegin > srcEnd)
        vm_throwNew<StringIndexOutOfBoundsException>(_VM_literal("srcBegin > srcEnd"));
    System::arraycopy(value, srcBegin, dst, dstBegin, srcEnd - srcBegin);
}

void StringBuffer::setLength(int32_t newLength)
{
    VMPtr<StringBuffer> self(this);
    if (newLength < 0)
        vm_throwNew<StringIndexOutOfBoundsException>(newLength);
    if (newLength > value->length)
        expandCapacity(newLength);
    if (newLength > count) {
        if (shared)
            copy();
        char16_t* chars = value->elements();
        for (int32_t i = count; i < newLength; i++)
            chars[i] = 0;
        count = newLength;
        return;
    }
    count = newLength;
    if (shared) {
        if (newLength >= 1) {
            copy();
        } else {
            value = CharArray::newArray(16);
            shared = false;
        }
    }
}

VMPtr<String> StringBuffer::toString()
{
    VMPtr<String> text = String::newInstance()->initShared(0, count, value);
    shared = true;
    return text;
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::StringBuffer, "java.lang.StringBuffer", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_lang_StringBuffer", nullptr);
