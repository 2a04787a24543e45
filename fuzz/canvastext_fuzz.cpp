// The canvas's modified UTF-8 decoding: whatever the bytes and the window,
// the text depends only on the bytes inside the window, holds at most one
// character per byte, keeps every byte below 0x80 that is not inside a
// sequence, and a window outside the array throws the index exception.

#include <cstdint>
#include <cstring>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "java/lang/String.h"
#include "java/lang/Throwable.h"
#include "tq/TqCanvas.h"

using tq::TqCanvas;

namespace {

VMPtr<TqCanvas::ByteArray> arrayOf(const std::string& bytes)
{
    VMPtr<TqCanvas::ByteArray> a = TqCanvas::ByteArray::newArray(int32_t(bytes.size()));
    if (!bytes.empty())
        std::memcpy(a->elements(), bytes.data(), bytes.size());
    return a;
}

std::u16string unitsOf(const VMPtr<java::lang::String>& s)
{
    std::u16string units;
    for (int32_t i = 0; i < s->length(); i++)
        units.push_back(s->charAt(i));
    return units;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    FuzzedDataProvider in(data, size);
    int32_t from = in.ConsumeIntegralInRange<int32_t>(-2, 40);
    int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 300);
    std::string raw = in.ConsumeRemainingBytesAsString();
    const bool badWindow = n > 0 && (from < 0 || from > int32_t(raw.size()) - n);

    std::string threw;
    VMPtr<java::lang::String> text;
    try {
        text = TqCanvas::decodeUtf8(arrayOf(raw), from, n);
    } catch (java::lang::Throwable* caught) {
        threw = vxfuzz_thrownClass(caught);
    }
    if (n < 0) {
        VXFUZZ_CHECK(threw == "java.lang.NegativeArraySizeException", "negative length gave " + threw);
        return 0;
    }
    if (badWindow) {
        VXFUZZ_CHECK(threw == "java.lang.ArrayIndexOutOfBoundsException", "bad window gave " + threw);
        return 0;
    }
    VXFUZZ_CHECK(threw.empty(), "a good window threw " + threw);
    std::u16string units = unitsOf(text);
    VXFUZZ_CHECK(units.size() <= size_t(n), "more characters than bytes");

    // The same window alone in an array of its own decodes alike.
    std::string window = n > 0 ? raw.substr(size_t(from), size_t(n)) : std::string();
    VXFUZZ_CHECK(unitsOf(TqCanvas::decodeUtf8(arrayOf(window), 0, n)) == units,
                 "the bytes after the window changed the text");

    // Plain ASCII windows come through unchanged.
    bool ascii = true;
    for (char c : window)
        ascii = ascii && uint8_t(c) < 0x80;
    if (ascii)
        VXFUZZ_CHECK(units == std::u16string(window.begin(), window.end()), "ASCII changed");
    return 0;
}
