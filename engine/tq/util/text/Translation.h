#pragma once
// tq.util.text.Translation: the texts of one language by text identifier (an
// index from 0), read from one resource: an unsigned 16-bit count n, then n
// times a signed 16-bit byte length and that many bytes of modified UTF-8.
// The bytes stay in one block and are decoded on demand into a caller's
// StringBuffer; decodeAll turns them into Strings once and drops the bytes.
// Offsets into the block are 16-bit while the resource is below 64 KiB.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "vm/VMArray.h"

namespace tq::util::text {

class Translation : public virtual java::lang::Object {
    VM_CLASS(Translation, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using CharArray = VMArray<char16_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using StringArray = VMArray<java::lang::String, 1>;
    using String = java::lang::String;
    using StringBuffer = java::lang::StringBuffer;

    // Reads the table from a resource of length bytes. A count or a length
    // that does not fit the resource, or a negative length, throws
    // IOException; the stream's own exceptions pass through. The table is
    // left unchanged by a failed load.
    VMPtr<Translation> load(VMPtr<java::io::DataInputStream> stream, int32_t length);

    // Start and byte length of a text in the byte form; an identifier
    // outside the table throws IndexOutOfBoundsException.
    int32_t getOffset(int32_t id);
    int32_t getLength(int32_t id);

    // Inserts the characters of bytes[offset .. offset + length) into out
    // from position at on. A lead byte decides the form alone (continuation
    // bytes are taken unchecked, also past length); a byte that cannot lead
    // gives U+0000. A range or a sequence reaching outside bytes throws
    // IndexOutOfBoundsException before out changes.
    static void decodeUtf8(VMPtr<ByteArray> bytes, int32_t offset, int32_t length,
                           VMPtr<StringBuffer> out, int32_t at);

    // Decodes every text into a String and drops the bytes; once only.
    virtual void decodeAll();
    virtual VMPtr<StringBuffer> insertText(int32_t id, VMPtr<StringBuffer> out, int32_t at);
    virtual VMPtr<StringBuffer> appendText(int32_t id, VMPtr<StringBuffer> out);
    // The buffer ends holding exactly the text.
    virtual VMPtr<StringBuffer> getText(int32_t id, VMPtr<StringBuffer> out);
    // Texts of at most 128 bytes are built in the shared buffer.
    virtual VMPtr<String> getString(int32_t id);

    VMField<CharArray> offsets16;
    VMField<ByteArray> data;
    VMField<StringArray> texts;
    int32_t count = 0;
    VMField<IntArray> offsets32;

    VM_STATIC(StringBuffer, sharedBuffer);

private:
    void checkId(int32_t id);

public:
    VM_FIELDS(offsets16, data, texts, offsets32)
};

} // namespace tq::util::text
