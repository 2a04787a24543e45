// Decoding of the canvas's modified UTF-8 texts.
#include "tq/TqCanvas.h"

#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"

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
