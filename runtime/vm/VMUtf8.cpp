#include "vm/VMUtf8.h"

#include "java/lang/String.h"
#include "vm/VMCString.h"
#include "vm/VMHeap.h"

namespace {

int32_t encodedLength(char16_t unit, bool modified)
{
    if (unit == 0)
        return modified ? 2 : 1;
    if (unit <= 0x7F)
        return 1;
    if (unit <= 0x7FF)
        return 2;
    return 3;
}

bool isContinuation(uint8_t b)
{
    return (b & 0xC0) == 0x80;
}

constexpr char16_t kReplacement = 0x0080;

} // namespace

int32_t _VM_utf8EncodeChar(char16_t unit, int32_t remaining, uint8_t** cursor, bool modified)
{
    if (remaining <= 0)
        return remaining;
    int32_t needed = encodedLength(unit, modified);
    if (needed > remaining)
        return remaining - needed;
    uint8_t* out = *cursor;
    switch (needed) {
    case 1:
        out[0] = static_cast<uint8_t>(unit);
        break;
    case 2:
        out[0] = static_cast<uint8_t>(0xC0 | (unit >> 6));
        out[1] = static_cast<uint8_t>(0x80 | (unit & 0x3F));
        break;
    default:
        out[0] = static_cast<uint8_t>(0xE0 | (unit >> 12));
        out[1] = static_cast<uint8_t>(0x80 | ((unit >> 6) & 0x3F));
        out[2] = static_cast<uint8_t>(0x80 | (unit & 0x3F));
        break;
    }
    *cursor = out + needed;
    return remaining - needed;
}

int32_t _VM_utf8Length(const char16_t* units, int32_t count, bool modified)
{
    int32_t total = 0;
    for (int32_t i = 0; i < count; ++i)
        total += encodedLength(units[i], modified);
    return total;
}

int32_t _VM_utf16ToUtf8(uint8_t* output, int32_t* capacity, const char16_t* units, int32_t count,
                        bool modified, bool terminate)
{
    int32_t room = *capacity - (terminate ? 1 : 0);
    uint8_t* cursor = output;
    int32_t processed = 0;
    while (processed < count && room > 0) {
        int32_t left = _VM_utf8EncodeChar(units[processed], room, &cursor, modified);
        if (left < 0)
            break;
        room = left;
        ++processed;
    }
    int32_t written = static_cast<int32_t>(cursor - output);
    if (terminate && *capacity > 0)
        *cursor = 0;
    *capacity = written;
    return processed;
}

char16_t _VM_utf8DecodeChar(int32_t* remaining, const uint8_t** cursor, bool* valid)
{
    *valid = true;
    if (--*remaining < 0)
        return kReplacement;
    const uint8_t* at = *cursor;
    uint8_t b = *at++;
    if (b < 0x80) {
        *cursor = at;
        return b;
    }
    if (isContinuation(b) || (b & 0xF0) == 0xF0) {
        *valid = false;
        return 0;
    }
    if ((b & 0xE0) == 0xC0) {
        if (--*remaining < 0) {
            *cursor = at;
            return kReplacement;
        }
        uint8_t b2 = *at++;
        *cursor = at;
        if (!isContinuation(b2))
            return kReplacement;
        return static_cast<char16_t>(((b & 0x1F) << 6) + (b2 & 0x3F));
    }
    *remaining -= 2;
    if (*remaining < 0) {
        *cursor = at;
        return kReplacement;
    }
    uint8_t b2 = *at++;
    uint8_t b3 = *at++;
    *cursor = at;
    if (!isContinuation(b2) || !isContinuation(b3))
        return kReplacement;
    return static_cast<char16_t>(((b & 0x0F) << 12) + ((b2 & 0x3F) << 6) + (b3 & 0x3F));
}

int32_t _VM_utf8ToUtf16(char16_t* output, int32_t* capacity, const uint8_t* bytes, int32_t count,
                        bool* valid)
{
    const uint8_t* cursor = bytes;
    int32_t remaining = count;
    int32_t written = 0;
    *valid = true;
    while (remaining > 0 && written < *capacity && *valid)
        output[written++] = _VM_utf8DecodeChar(&remaining, &cursor, valid);
    *capacity = written;
    return static_cast<int32_t>(cursor - bytes);
}

int32_t _VM_utf8CountChars(const uint8_t* bytes, int32_t count, bool* valid)
{
    *valid = true;
    int32_t chars = 0;
    int32_t at = 0;
    while (at < count) {
        uint8_t b = bytes[at];
        if (b < 0x80) {
            at += 1;
        } else if ((b & 0xE0) == 0xC0) {
            at += 2;
        } else if ((b & 0xF0) == 0xE0) {
            at += 3;
        } else {
            *valid = false;
            break;
        }
        ++chars;
    }
    return chars;
}

bool _VM_utf8EqualsUtf16(const uint8_t* bytes, int32_t byteCount, const char16_t* units,
                         int32_t unitCount)
{
    const uint8_t* cursor = bytes;
    int32_t remaining = byteCount;
    int32_t matched = 0;
    bool valid = true;
    while (remaining > 0 && matched < unitCount) {
        if (_VM_utf8DecodeChar(&remaining, &cursor, &valid) != units[matched] || !valid)
            return false;
        ++matched;
    }
    return remaining <= 0 && matched == unitCount;
}

void _VM_stringToCString(const VMPtr<java::lang::String>& string, VMCString* out)
{
    if (!string) {
        out->assign(nullptr);
        return;
    }
    int32_t count = string->length();
    int32_t room = count * 3 + 1;
    uint8_t* bytes = static_cast<uint8_t*>(_VM_new(static_cast<uint32_t>(room)));
    uint8_t* cursor = bytes;
    for (int32_t i = 0; i < count; ++i)
        room = _VM_utf8EncodeChar(string->charAt(i), room, &cursor, true);
    *cursor = 0;
    try {
        out->assign(reinterpret_cast<const char*>(bytes));
    } catch (...) {
        _VM_free(bytes);
        throw;
    }
    _VM_free(bytes);
}
