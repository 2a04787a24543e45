// The (modified) UTF-8 codec: damaged bytes are counted and decoded alike and
// within their bounds, and every unit sequence survives an encoding round.

#include <cstdint>
#include <cstring>
#include <vector>

#include "FuzzSupport.h"
#include "vm/VMUtf8.h"

namespace {

// Encodes units into exactly the bytes they need and decodes them back.
void checkRoundTrip(const std::vector<char16_t>& units, bool modified)
{
    const int32_t count = int32_t(units.size());
    const int32_t length = _VM_utf8Length(units.data(), count, modified);
    std::vector<uint8_t> bytes(size_t(length) + 1);
    int32_t capacity = length + 1;
    int32_t processed =
        _VM_utf16ToUtf8(bytes.data(), &capacity, units.data(), count, modified, true);
    VXFUZZ_CHECK(processed == count && capacity == length, "the exact room was not enough");
    VXFUZZ_CHECK(bytes[size_t(length)] == 0, "no terminator");
    if (modified)
        VXFUZZ_CHECK(std::memchr(bytes.data(), 0, size_t(length)) == nullptr,
                     "a 0 byte in modified UTF-8");
    VXFUZZ_CHECK(_VM_utf8EqualsUtf16(bytes.data(), length, units.data(), count),
                 "the encoding does not equal its units");

    std::vector<char16_t> back(units.size());
    int32_t written = count;
    bool valid = false;
    int32_t consumed = _VM_utf8ToUtf16(back.data(), &written, bytes.data(), length, &valid);
    VXFUZZ_CHECK(valid && written == count && consumed == length, "the encoding does not decode");
    VXFUZZ_CHECK(back == units, "the round trip changed the units");

    // Too little room: whole units only, and the first left out did not fit.
    for (int32_t room : {0, 1, length / 2, length - 1}) {
        if (room < 0 || room > length)
            continue;
        std::vector<uint8_t> small(static_cast<size_t>(room));
        int32_t cap = room;
        int32_t done = _VM_utf16ToUtf8(small.data(), &cap, units.data(), count, modified, false);
        VXFUZZ_CHECK(done <= count && cap <= room, "wrote beyond the room");
        VXFUZZ_CHECK(cap == _VM_utf8Length(units.data(), done, modified),
                     "bytes written differ from the units processed");
        VXFUZZ_CHECK(cap == 0 || std::memcmp(small.data(), bytes.data(), size_t(cap)) == 0,
                     "a cut encoding differs from the whole one");
        if (done < count)
            VXFUZZ_CHECK(cap + _VM_utf8Length(&units[size_t(done)], 1, modified) > room,
                         "stopped while the next unit fit");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 16))
        return 0;
    const int32_t n = int32_t(size);

    // Counting and decoding agree on damaged input.
    bool countValid = false;
    int32_t chars = _VM_utf8CountChars(data, n, &countValid);
    VXFUZZ_CHECK(chars >= 0 && chars <= n, "character count out of range");
    std::vector<char16_t> units(static_cast<size_t>(chars));
    int32_t written = chars;
    bool valid = false;
    int32_t consumed = _VM_utf8ToUtf16(units.data(), &written, data, n, &valid);
    VXFUZZ_CHECK(consumed >= 0 && consumed <= n, "consumed more than given");
    VXFUZZ_CHECK(written <= chars, "wrote beyond the capacity");
    if (countValid) {
        VXFUZZ_CHECK(valid && written == chars, "counted text does not decode");
        VXFUZZ_CHECK(_VM_utf8EqualsUtf16(data, n, units.data(), chars),
                     "decoded text does not equal its bytes");
    } else {
        std::vector<char16_t> all(size);
        int32_t room = n;
        _VM_utf8ToUtf16(all.data(), &room, data, n, &valid);
        VXFUZZ_CHECK(!valid, "invalid text decodes as valid");
    }

    // A small capacity bounds the output.
    int32_t small = size > 0 ? data[0] % 4 : 0;
    std::vector<char16_t> few(static_cast<size_t>(small));
    int32_t capacity = small;
    _VM_utf8ToUtf16(few.data(), &capacity, data, n, &valid);
    VXFUZZ_CHECK(capacity <= small, "wrote beyond a small capacity");

    checkRoundTrip(units, true);
    checkRoundTrip(units, false);

    // The bytes read as arbitrary units, surrogates and 0 included.
    std::vector<char16_t> raw(size / 2);
    if (!raw.empty())
        std::memcpy(raw.data(), data, raw.size() * sizeof(char16_t));
    checkRoundTrip(raw, true);
    checkRoundTrip(raw, false);
    return 0;
}
