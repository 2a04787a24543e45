// The data streams over a byte array: a script taken from the input's head
// runs reads, skips, marks and resets over the rest of the input, each
// checked against a plain big-endian reader (values, position, and which
// exception a short or damaged stream gives); modified UTF-8 written by
// writeUTF reads back as the same text.
//
// Layout: byte 0 is the script length k, bytes 1 … k the script; the
// script's first byte picks the stream's window: the whole input, or from
// k + 1 to the end, cut short or far past the end.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "java/io/ByteArrayInputStream.h"
#include "java/io/ByteArrayOutputStream.h"
#include "java/io/DataInputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/lang/String.h"
#include "java/lang/Throwable.h"

using namespace java::io;
using java::lang::String;
using ByteArray = VMArray<int8_t, 1>;

namespace {

const std::string kEof = "java.io.EOFException";
const std::string kUtf = "java.io.UTFDataFormatException";
const std::string kRange = "java.lang.IndexOutOfBoundsException";

// The stream as it should be: the bytes of the window and where reading is.
struct Reference {
    const uint8_t* bytes;  // the whole input
    int32_t pos;
    int32_t count;
    int32_t mark;

    int32_t left() const { return count - pos; }

    // n bytes most significant first, or nothing (and the rest used up).
    std::optional<uint64_t> take(int32_t n)
    {
        if (left() < n) {
            pos = count;
            return std::nullopt;
        }
        uint64_t value = 0;
        for (int32_t i = 0; i < n; i++)
            value = (value << 8) | bytes[pos++];
        return value;
    }
};

// Modified UTF-8 as sequences of one to three bytes with their continuation
// bytes; nothing when a lead or continuation byte is wrong or cut off.
std::optional<std::u16string> decodeModifiedUtf8(const uint8_t* bytes, int32_t n)
{
    std::u16string units;
    int32_t at = 0;
    while (at < n) {
        uint8_t lead = bytes[at];
        if (lead < 0x80) {
            units += char16_t(lead);
            at += 1;
        } else if ((lead & 0xE0) == 0xC0) {
            if (n - at < 2 || (bytes[at + 1] & 0xC0) != 0x80)
                return std::nullopt;
            units += char16_t(((lead & 0x1F) << 6) | (bytes[at + 1] & 0x3F));
            at += 2;
        } else if ((lead & 0xF0) == 0xE0) {
            if (n - at < 3 || (bytes[at + 1] & 0xC0) != 0x80 || (bytes[at + 2] & 0xC0) != 0x80)
                return std::nullopt;
            units += char16_t(((lead & 0x0F) << 12) | ((bytes[at + 1] & 0x3F) << 6) |
                              (bytes[at + 2] & 0x3F));
            at += 3;
        } else {
            return std::nullopt;
        }
    }
    return units;
}

std::vector<uint8_t> encodeModifiedUtf8(const std::u16string& units)
{
    std::vector<uint8_t> out;
    for (char16_t c : units) {
        if (c != 0 && c < 0x80) {
            out.push_back(uint8_t(c));
        } else if (c < 0x800) {
            out.push_back(uint8_t(0xC0 | (c >> 6)));
            out.push_back(uint8_t(0x80 | (c & 0x3F)));
        } else {
            out.push_back(uint8_t(0xE0 | (c >> 12)));
            out.push_back(uint8_t(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(uint8_t(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::u16string unitsOf(const VMPtr<String>& s)
{
    return std::u16string(s->count ? s->chars() : u"", size_t(s->count));
}

// The script's bytes, 0 once used up.
struct Script {
    const uint8_t* bytes;
    size_t size;
    size_t at = 0;

    bool done() const { return at >= size; }
    uint8_t next() { return at < size ? bytes[at++] : 0; }
    // A small signed argument, -4 … 251.
    int32_t argument() { return int32_t(next()) - 4; }
};

// The reads of a fixed width: the value read and the value its bytes give,
// both as 64 bits.
struct FixedRead {
    const char* name;
    int32_t width;
    int64_t (*read)(DataInputStream*);
    int64_t (*value)(uint64_t bytes);
};

const FixedRead kFixedReads[] = {
    {"readBoolean", 1, [](DataInputStream* in) -> int64_t { return in->readBoolean(); },
     [](uint64_t v) -> int64_t { return v != 0; }},
    {"readByte", 1, [](DataInputStream* in) -> int64_t { return in->readByte(); },
     [](uint64_t v) -> int64_t { return int8_t(v); }},
    {"readUnsignedByte", 1, [](DataInputStream* in) -> int64_t { return in->readUnsignedByte(); },
     [](uint64_t v) -> int64_t { return int64_t(v); }},
    {"readShort", 2, [](DataInputStream* in) -> int64_t { return in->readShort(); },
     [](uint64_t v) -> int64_t { return int16_t(v); }},
    {"readUnsignedShort", 2,
     [](DataInputStream* in) -> int64_t { return in->readUnsignedShort(); },
     [](uint64_t v) -> int64_t { return int64_t(v); }},
    {"readChar", 2, [](DataInputStream* in) -> int64_t { return in->readChar(); },
     [](uint64_t v) -> int64_t { return int64_t(v); }},
    {"readInt", 4, [](DataInputStream* in) -> int64_t { return in->readInt(); },
     [](uint64_t v) -> int64_t { return int32_t(uint32_t(v)); }},
    {"readLong", 8, [](DataInputStream* in) -> int64_t { return in->readLong(); },
     [](uint64_t v) -> int64_t { return int64_t(v); }},
};

// Runs one operation and checks it; a wrong exception aborts.
void step(Script& script, DataInputStream* in, Reference& ref)
{
    const uint8_t op = script.next() % 14;  // 0 … 7 the fixed reads
    std::string threw;
    std::string expected;
    auto expect = [&](bool ok, const std::string& what) {
        VXFUZZ_CHECK(ok, what + " (op " + std::to_string(op) + ")");
    };
    try {
        switch (op) {
        case 8: {
            std::optional<std::u16string> text;
            if (auto length = ref.take(2)) {
                int32_t start = ref.pos;
                if (ref.left() < int32_t(*length)) {
                    ref.pos = ref.count;
                    expected = kEof;
                } else {
                    ref.pos += int32_t(*length);
                    text = decodeModifiedUtf8(ref.bytes + start, int32_t(*length));
                    expected = text ? "" : kUtf;
                }
            } else {
                expected = kEof;
            }
            VMPtr<String> got = in->readUTF();
            expect(text && unitsOf(got) == *text, "readUTF");
            break;
        }
        case 9: {
            int32_t size = script.next() % 32;
            int32_t off = script.argument() % 40;
            int32_t len = script.argument();
            VMPtr<ByteArray> b = ByteArray::newArray(size);
            for (int32_t i = 0; i < size; i++)
                (*b)[i] = int8_t(0xA5 ^ i);
            const int32_t start = ref.pos;
            int32_t copied = 0;
            if (len < 0 || (len > 0 && (off < 0 || off > size || len > size - off))) {
                expected = kRange;
            } else if (ref.left() < len) {
                copied = ref.left();
                ref.pos = ref.count;
                expected = kEof;
            } else {
                copied = len;
                ref.pos += len;
            }
            try {
                in->readFully(b, off, len);
            } catch (java::lang::Throwable* caught) {
                threw = vxfuzz_thrownClass(caught);
            }
            for (int32_t i = 0; i < size; i++) {
                bool inside = i >= off && i < off + copied;
                int8_t want = inside ? int8_t(ref.bytes[start + i - off]) : int8_t(0xA5 ^ i);
                expect((*b)[i] == want, "readFully stored byte " + std::to_string(i));
            }
            break;
        }
        case 10: {
            int32_t n = script.argument() * (script.next() % 4 == 0 ? 1000 : 1);
            int32_t want = n <= 0 ? 0 : std::min(n, ref.left());
            ref.pos += want;
            int32_t got = in->skipBytes(n);
            expect(got == want, "skipBytes gave " + std::to_string(got));
            break;
        }
        case 11:
            ref.mark = ref.pos;
            in->mark(script.argument());
            break;
        case 12:
            ref.pos = ref.mark;
            in->reset();
            break;
        case 13:
            expect(in->available() == ref.left(), "available");
            break;
        default: {
            const FixedRead& read = kFixedReads[op];
            auto v = ref.take(read.width);
            expected = v ? "" : kEof;
            int64_t got = read.read(in);
            expect(v && got == read.value(*v), read.name);
            break;
        }
        }
    } catch (java::lang::Throwable* caught) {
        threw = vxfuzz_thrownClass(caught);
    }
    expect(threw == expected, "threw \"" + threw + "\", expected \"" + expected + "\"");
    expect(in->available() == ref.left(), "position drifted");
}

// writeUTF then readUTF gives the same units, behind the right byte count.
void checkRoundTrip(const std::u16string& units)
{
    std::vector<uint8_t> encoding = encodeModifiedUtf8(units);
    VMPtr<ByteArrayOutputStream> sink = ByteArrayOutputStream::newInstance()->init(0);
    VMPtr<DataOutputStream> out = DataOutputStream::newInstance()->init(sink);
    VMPtr<String> text = String::newInstance()->initFromUtf16(units.data(), int32_t(units.size()));
    out->writeUTF(text);
    VMPtr<ByteArray> bytes = sink->toByteArray();
    VXFUZZ_CHECK(bytes->length == int32_t(encoding.size()) + 2, "writeUTF length");
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes->elements());
    VXFUZZ_CHECK(size_t((data[0] << 8) | data[1]) == encoding.size(), "writeUTF byte count");
    VXFUZZ_CHECK(encoding.empty() || std::memcmp(data + 2, encoding.data(), encoding.size()) == 0,
                 "writeUTF bytes");

    VMPtr<DataInputStream> in =
        DataInputStream::newInstance()->init(ByteArrayInputStream::newInstance()->init(bytes));
    VXFUZZ_CHECK(unitsOf(in->readUTF()) == units, "readUTF of writeUTF changed the text");
    VXFUZZ_CHECK(in->available() == 0, "readUTF left bytes behind");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > (1u << 16))
        return 0;
    VXFuzzVM vm;
    const size_t scriptSize = std::min<size_t>(data[0], size - 1);
    Script script{data + 1, scriptSize};
    const int32_t offset = int32_t(1 + scriptSize);
    const int32_t total = int32_t(size);

    VMPtr<ByteArray> buf = ByteArray::newArray(total);
    std::memcpy(buf->elements(), data, size);

    // The window: the whole array (script included), the rest of it, cut
    // short, or far past its end.
    const uint8_t shape = script.next();
    VMPtr<ByteArrayInputStream> bytes = ByteArrayInputStream::newInstance();
    Reference ref{data, 0, total, 0};
    if (shape % 4 == 0) {
        bytes->init(buf);
    } else {
        int32_t length = shape % 4 == 1   ? total - offset
                         : shape % 4 == 2 ? shape / 4
                                          : std::numeric_limits<int32_t>::max() - (shape & 7);
        ref.pos = ref.mark = offset;
        ref.count = int32_t(std::min<int64_t>(int64_t(offset) + length, total));
        bytes->init(buf, offset, length);
    }
    VMPtr<DataInputStream> in = DataInputStream::newInstance()->init(bytes);
    while (!script.done())
        step(script, in.get(), ref);

    // The stream's bytes read as units, surrogates and 0 included.
    std::u16string units((size - size_t(offset)) / 2, u'\0');
    if (!units.empty())
        std::memcpy(units.data(), data + offset, units.size() * sizeof(char16_t));
    checkRoundTrip(units);
    return 0;
}
