// Integer parsing: any text in any radix parses to what a plain 64-bit
// reading gives, or fails the same way whether it throws or defaults; and
// every int survives toString and parseInt in every radix.

#include <charconv>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "java/lang/Character.h"
#include "java/lang/Integer.h"
#include "java/lang/Throwable.h"

using namespace java::lang;

namespace {

// The reference reading: an optional '-', one or more digits of the radix,
// and a value that fits an int.
bool reference(const std::u16string& text, int32_t radix, int32_t* value)
{
    if (radix < 2 || radix > 36 || text.empty())
        return false;
    size_t i = text[0] == u'-' ? 1 : 0;
    if (i == text.size())
        return false;
    int64_t n = 0;
    for (; i < text.size(); i++) {
        int32_t d = Character::digit(text[i], radix);
        if (d < 0)
            return false;
        n = n * radix + d;
        if (n > int64_t(INT32_MAX) + 1)
            return false;
    }
    if (text[0] == u'-')
        n = -n;
    if (n > INT32_MAX)
        return false;
    *value = int32_t(n);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    FuzzedDataProvider in(data, size);
    int32_t radix = in.ConsumeIntegralInRange<int32_t>(0, 40);
    if (in.ConsumeBool())
        radix = 10;
    std::u16string text;
    while (in.remaining_bytes() > 0 && text.size() < 80) {
        // Mostly ASCII, now and then any unit (other scripts' digits).
        uint8_t b = in.ConsumeIntegral<uint8_t>();
        text += b < 0xF0 ? char16_t(b & 0x7F) : in.ConsumeIntegral<char16_t>();
    }

    VMPtr<String> s = String::newInstance()->initFromUtf16(text.data(), int32_t(text.size()));
    int32_t expected = 0;
    const bool ok = reference(text, radix, &expected);

    VXFUZZ_CHECK(Integer::parse(s, radix, false, 12345) == (ok ? expected : 12345),
                 "the default form disagrees with the reference");
    std::string threw;
    int32_t parsed = 0;
    try {
        parsed = Integer::parseInt(s, radix);
    } catch (Throwable* caught) {
        threw = vxfuzz_thrownClass(caught);
    }
    if (ok)
        VXFUZZ_CHECK(threw.empty() && parsed == expected, "parseInt disagrees: " + threw);
    else
        VXFUZZ_CHECK(threw == "java.lang.NumberFormatException", "a bad text gave " + threw);

    // The text of an int parses back to it.
    int32_t value = int32_t(in.ConsumeIntegral<uint32_t>());
    if (ok)
        value = expected;
    int32_t r = radix >= 2 && radix <= 36 ? radix : 10;
    VMPtr<String> written = Integer::toString(value, radix);
    char reference_[40];
    auto end = std::to_chars(reference_, reference_ + sizeof reference_, value, r).ptr;
    std::u16string want(reference_, end);
    VXFUZZ_CHECK(std::u16string(written->chars(), size_t(written->count)) == want,
                 "toString differs from to_chars");
    VXFUZZ_CHECK(Integer::parseInt(written, r) == value, "toString does not parse back");
    return 0;
}
