// The property-file reader: any file gives exactly the entries a reading of
// the whole decoded text gives (a leading byte-order mark dropped; per line
// the key before the first colon, the value after it and one blank, LF or
// CRLF cut), however its lines fall into the reader's pieces. A file with a
// UTF-16 byte-order mark gives nothing.

#include <cstdint>
#include <map>
#include <string>

#include "FuzzSupport.h"
#include "PropertyFiles.h"
#include "wince/detail/text.h"

namespace {

// The last value of each key.
std::map<std::u16string, std::u16string> reference(const std::string& bytes)
{
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0)
        return {};
    std::u16string text = wince_text::fromUtf8(bytes);
    if (!text.empty() && text[0] == 0xFEFF)
        text.erase(0, 1);
    std::map<std::u16string, std::u16string> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        std::u16string line = text.substr(start, end == std::u16string::npos ? end : end - start);
        if (end != std::u16string::npos && !line.empty() && line.back() == u'\r')
            line.pop_back();
        start = end == std::u16string::npos ? text.size() : end + 1;
        size_t colon = line.find(u':');
        if (colon == std::u16string::npos)
            continue;
        size_t value = colon + 1;
        if (value < line.size() && line[value] == u' ')
            value++;
        entries[line.substr(0, colon)] = line.substr(value);
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    FuzzProperties loaded(text, text);
    for (const auto& [key, want] : reference(text)) {
        std::u16string got;
        VXFUZZ_CHECK(vxfuzz_applicationProperty(key, &got), "an entry is missing");
        VXFUZZ_CHECK(got == want, "an entry has another value");
        // The system table holds the same file's entries unless a device
        // property of the same name follows.
        if (key.compare(0, 7, u"device.") != 0 && key.compare(0, 3, u"os.") != 0) {
            VXFUZZ_CHECK(vxfuzz_systemProperty(key, &got), "a system entry is missing");
            VXFUZZ_CHECK(got == want, "a system entry has another value");
        }
    }
    return 0;
}
