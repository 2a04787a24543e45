// The platform stand-in's UTF-8 and UTF-16 conversions, against a decoder
// and an encoder written here from the table of well-formed UTF-8 byte
// sequences: any bytes decode alike (each byte that starts no well-formed
// sequence is one U+FFFD), any units encode alike (a lone surrogate is
// U+FFFD), and well-formed text survives a round. The wide line reader gives
// the same text in pieces of any size.

#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzSupport.h"
#include "wince/detail/text.h"
#include "wince/file.h"

namespace {

// Well-formed sequences: the lead byte fixes the range of the second byte;
// the rest are 80..BF.
struct Form {
    uint8_t leadLow, leadHigh;
    int length;
    uint8_t secondLow, secondHigh;
};
constexpr Form kForms[] = {
    {0x00, 0x7F, 1, 0, 0},       {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// The code point of the well-formed sequence at `at`, and its length; 0 when
// none starts there.
int wellFormed(const std::string& bytes, size_t at, char32_t* point)
{
    auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    for (const Form& f : kForms) {
        uint8_t lead = byte(at);
        if (lead < f.leadLow || lead > f.leadHigh) {
            continue;
        }
        if (at + f.length > bytes.size()) {
            return 0;
        }
        if (f.length == 1) {
            *point = lead;
            return 1;
        }
        if (byte(at + 1) < f.secondLow || byte(at + 1) > f.secondHigh) {
            return 0;
        }
        char32_t value = lead & (0xFF >> (f.length + 1));
        for (int k = 1; k < f.length; ++k) {
            if (k > 1 && (byte(at + k) < 0x80 || byte(at + k) > 0xBF)) {
                return 0;
            }
            value = value * 64 + (byte(at + k) - 0x80);
        }
        *point = value;
        return f.length;
    }
    return 0;
}

void putUnits(std::u16string* out, char32_t point)
{
    if (point >= 0x10000) {
        out->push_back(static_cast<char16_t>(0xD7C0 + (point >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
    } else {
        out->push_back(static_cast<char16_t>(point));
    }
}

std::u16string decode(const std::string& bytes, bool* valid)
{
    std::u16string out;
    *valid = true;
    for (size_t at = 0; at < bytes.size();) {
        char32_t point = 0;
        int length = wellFormed(bytes, at, &point);
        if (length == 0) {
            *valid = false;
            point = 0xFFFD;
            length = 1;
        }
        putUnits(&out, point);
        at += static_cast<size_t>(length);
    }
    return out;
}

std::string encode(const std::u16string& units)
{
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t point = units[i];
        bool high = point >= 0xD800 && point <= 0xDBFF;
        bool low = point >= 0xDC00 && point <= 0xDFFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            point = ((point - 0xD800) << 10 | (units[++i] - 0xDC00)) + 0x10000;
        } else if (high || low) {
            point = 0xFFFD;
        }
        // Bytes from the top: the lead carries what the continuation bytes
        // (six bits each) leave over.
        int length = point < 0x80 ? 1 : point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
        static constexpr uint8_t kLeadMark[] = {0, 0, 0xC0, 0xE0, 0xF0};
        std::string bytes(static_cast<size_t>(length), '\0');
        for (int k = length - 1; k > 0; --k) {
            bytes[static_cast<size_t>(k)] = static_cast<char>(0x80 | (point & 0x3F));
            point >>= 6;
        }
        bytes[0] = static_cast<char>(kLeadMark[length] | point);
        out += bytes;
    }
    return out;
}

// The wide line reader over the bytes in pieces of `size` units at most.
std::u16string readLines(const std::string& bytes, int size)
{
    std::u16string text;
    FILE* file = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "r");
    if (!file) {
        return text;
    }
    std::u16string buffer(static_cast<size_t>(size), u'\0');
    while (char16_t* piece = fgetws(buffer.data(), size, file)) {
        size_t n = wince_text::length(piece);
        VXFUZZ_CHECK(n <= static_cast<size_t>(size - 1), "a piece longer than its buffer");
        text.append(piece, n);
    }
    std::fclose(file);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 16)) {
        return 0;
    }
    std::string bytes(reinterpret_cast<const char*>(data), size);

    bool valid = false;
    std::u16string units = wince_text::fromUtf8(bytes);
    VXFUZZ_CHECK(units == decode(bytes, &valid), "bytes decode otherwise than the reference");
    std::string again = wince_text::toUtf8(units);
    VXFUZZ_CHECK(again == encode(units), "units encode otherwise than the reference");
    if (valid) {
        VXFUZZ_CHECK(again == bytes, "well-formed text does not survive a round");
    }

    // The bytes read as any units, lone surrogates included.
    std::u16string raw(size / 2, u'\0');
    for (size_t i = 0; i < raw.size(); ++i) {
        raw[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    std::string encoded = wince_text::toUtf8(raw);
    VXFUZZ_CHECK(encoded == encode(raw), "units encode otherwise than the reference");
    bool encodedValid = false;
    std::u16string back = decode(encoded, &encodedValid);
    VXFUZZ_CHECK(encodedValid, "an encoding that is not well-formed UTF-8");
    VXFUZZ_CHECK(wince_text::fromUtf8(encoded) == back, "an encoding does not decode back");

    // Line by line (NUL bytes would end a piece early: the reader's callers
    // tell them apart by other means).
    if (bytes.find('\0') == std::string::npos) {
        for (int pieceSize : {3, 4, 7, 256}) {
            VXFUZZ_CHECK(readLines(bytes, pieceSize) == units,
                         "the line reader gives other text than the decoder");
        }
    }
    return 0;
}
