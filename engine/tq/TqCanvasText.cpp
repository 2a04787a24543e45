// Decoding of the canvas's modified UTF-8 texts.
#include "tq/TqCanvas.h"

#include "java/io/IOException.h"
#include "java/lang/Exception.h"
#include "java/lang/Integer.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq {

using java::lang::String;

VMPtr<String> TqCanvas::decodeUtf8(VMPtr<ByteArray> data, int32_t offset, int32_t length)
{
    VMPtr<String::CharArray> chars = String::CharArray::newArray(length);
    checkRange(data, offset, length);
    const uint8_t* p = length > 0 ? reinterpret_cast<const uint8_t*>(data->elements()) + offset
                                  : nullptr;
    char16_t* out = chars->elements();
    int32_t n = 0;
    int32_t i = 0;
    while (i < length && p[i] < 0x80)
        out[n++] = p[i++];
    while (i < length) {
        uint32_t b = p[i];
        switch (b >> 4) {
        case 12:
        case 13:
            if (i + 2 > length)
                return String::newInstance()->init(chars, 0, n);
            out[n++] = char16_t(((b & 0x1F) << 6) | (p[i + 1] & 0x3F));
            i += 2;
            break;
        case 14:
            if (i + 3 > length)
                return String::newInstance()->init(chars, 0, n);
            out[n++] = char16_t(((b & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
            i += 3;
            break;
        default:
            if (b < 0x80)
                out[n++] = char16_t(b);
            // A continuation byte or 0xF0..0xFF cannot lead: skipped.
            i += 1;
            break;
        }
    }
    return String::newInstance()->init(chars, 0, n);
}

} // namespace tq

namespace tq {

VMPtr<String> TqCanvas::decodeText(VMPtr<ByteArray> data, VMPtr<CharArray> offsets, int32_t index)
{
    int32_t start = (*vm_nonNull(offsets))[index];
    int32_t length = (*offsets)[index + 1] - start - ((*offsets)[0] != 0 ? 2 : 0);
    return decodeUtf8(data, start, length);
}

VMPtr<TqCanvas::StringArray> TqCanvas::readTextTable(VMPtr<java::io::DataInputStream> in,
                                                     int32_t size)
{
    int32_t n = vm_nonNull(in)->readShort();
    int32_t room = size - 2 * (n + 1);
    if (n < 0 || room < 0)
        vm_throwNew<java::io::IOException>(_VM_literal("Damaged text table"));
    VMPtr<CharArray> offsets = CharArray::newArray(n + 1);
    VMPtr<ByteArray> data = ByteArray::newArray(room);
    int32_t offset = 0;
    for (int32_t i = 0; i < n; i++) {
        (*offsets)[i] = char16_t(offset);
        int32_t length = in->readShort();
        if (length <= 0)
            continue;
        // Offsets are 16-bit: a table past 64 KB is refused, never wrapped.
        if (length > room - offset || offset + length > 0xFFFF)
            vm_throwNew<java::io::IOException>(_VM_literal("Damaged text table"));
        in->readFully(data, offset, length);
        offset += length;
    }
    (*offsets)[n] = char16_t(offset);
    VMPtr<StringArray> texts = StringArray::newArray(n);
    for (int32_t i = 0; i < n; i++)
        texts->set(i, decodeText(data, offsets, i));
    return texts;
}

} // namespace tq

namespace tq {

int32_t TqCanvas::parseIntRadix(VMPtr<String> s, int32_t defaultValue, int32_t radix)
{
    try {
        return java::lang::Integer::parseInt(s, radix);
    } catch (java::lang::Exception* notANumber) {
        VMPtr<java::lang::Exception> keep(notANumber);
        return defaultValue;
    }
}

int32_t TqCanvas::parseInt(VMPtr<String> s, int32_t defaultValue)
{
    return parseIntRadix(s, defaultValue, 10);
}

void TqCanvas::appendPaddedNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value,
                                  int32_t minDigits)
{
    insertPaddedNumber(sb, value, minDigits, vm_nonNull(sb)->length());
}

} // namespace tq
