// String's byte decoding: a window of damaged bytes in one of the encodings
// (or an unknown name) gives the decoded text or one of the documented
// exceptions; C texts read back as they were written.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "java/io/UnsupportedEncodingException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/RuntimeException.h"
#include "java/lang/String.h"
#include "java/lang/Throwable.h"
#include "vm/VMCString.h"
#include "vm/VMUtf8.h"

using namespace java::lang;

namespace {

const char* const kEncodings[] = {"UTF-8",   "UTF8",  "ISO-8859-1", "ISO8859_1",
                                  "US-ASCII", "ASCII", "utf-8",      ""};

bool isUtf8Name(const std::string& name)
{
    return name == "UTF-8" || name == "UTF8";
}

bool isByteName(const std::string& name)
{
    return name == "ISO-8859-1" || name == "ISO8859_1" || name == "US-ASCII" || name == "ASCII";
}

VMPtr<String> fromUnits(const std::u16string& units)
{
    return String::newInstance()->initFromUtf16(units.data(), int32_t(units.size()));
}

std::u16string unitsOf(const VMPtr<String>& s)
{
    return std::u16string(s->count ? s->chars() : u"", size_t(s->count));
}

void checkBytes(FuzzedDataProvider& in)
{
    uint8_t choice = in.ConsumeIntegral<uint8_t>();
    std::string name = choice < std::size(kEncodings)
                           ? kEncodings[choice]
                           : in.ConsumeRandomLengthString(12);
    int32_t from = in.ConsumeIntegralInRange<int32_t>(-2, 40);
    int32_t n = in.ConsumeIntegralInRange<int32_t>(-2, 300);
    std::string raw = in.ConsumeRandomLengthString(256);

    VMPtr<String::ByteArray> bytes = String::ByteArray::newArray(int32_t(raw.size()));
    if (!raw.empty())
        std::memcpy(bytes->elements(), raw.data(), raw.size());
    std::u16string nameUnits(name.begin(), name.end());
    for (char16_t& c : nameUnits)
        c = char16_t(uint8_t(c));
    VMPtr<String> encoding = fromUnits(nameUnits);

    const bool badWindow = from < 0 || n < 0 || from > int32_t(raw.size()) - n;
    const uint8_t* window = reinterpret_cast<const uint8_t*>(raw.data()) + (badWindow ? 0 : from);
    bool countValid = true;
    int32_t chars = badWindow ? 0 : _VM_utf8CountChars(window, n, &countValid);

    std::string threw;
    VMPtr<String> s;
    try {
        s = String::newInstance()->init(bytes, from, n, encoding);
    } catch (Throwable* caught) {
        threw = vxfuzz_thrownClass(caught);
    }
    if (badWindow) {
        VXFUZZ_CHECK(threw == "java.lang.IndexOutOfBoundsException", "bad window gave " + threw);
        return;
    }
    if (isUtf8Name(name)) {
        if (!countValid) {
            VXFUZZ_CHECK(threw == "java.lang.RuntimeException", "bad UTF-8 gave " + threw);
            return;
        }
        VXFUZZ_CHECK(threw.empty(), "valid UTF-8 threw " + threw);
        std::u16string expected(size_t(chars), u'\0');
        int32_t written = chars;
        bool valid = false;
        _VM_utf8ToUtf16(expected.data(), &written, window, n, &valid);
        VXFUZZ_CHECK(unitsOf(s) == expected, "decoded text differs from the codec's");
    } else if (isByteName(name)) {
        VXFUZZ_CHECK(threw.empty(), "byte encoding threw " + threw);
        VXFUZZ_CHECK(s->count == n, "byte encoding changed the length");
        for (int32_t i = 0; i < n; i++)
            VXFUZZ_CHECK(s->chars()[i] == char16_t(window[i]), "byte encoding changed a byte");
    } else {
        VXFUZZ_CHECK(threw == "java.io.UnsupportedEncodingException",
                     "unknown encoding \"" + name + "\" gave " + threw);
    }
}

// A C text becomes a String that equals it, and back.
void checkCText(FuzzedDataProvider& in)
{
    std::string text = in.ConsumeRandomLengthString(256);
    text = text.c_str();  // up to the first NUL
    bool valid = true;
    _VM_utf8CountChars(reinterpret_cast<const uint8_t*>(text.data()), int32_t(text.size()),
                       &valid);
    VMPtr<String> s = String::newFromCString(text.c_str());
    if (valid)
        VXFUZZ_CHECK(s->equalsCString(text.c_str()), "a String differs from its C text");

    VMCString back;
    _VM_stringToCString(s, &back);
    VMPtr<String> again = String::newFromCString(back.text() ? back.text() : "");
    VXFUZZ_CHECK(unitsOf(again) == unitsOf(s), "a C text round trip changed the String");
    VXFUZZ_CHECK(s->equalsCString(back.text() ? back.text() : ""),
                 "a String differs from its own C text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VXFuzzVM vm;
    FuzzedDataProvider in(data, size);
    checkBytes(in);
    checkCText(in);
    return 0;
}
