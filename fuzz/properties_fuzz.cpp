// The property-file reader: any file loads without fault; a plain ASCII file
// gives exactly the entries a line-by-line reading gives (key before the
// first colon, value after it and one blank, LF or CRLF cut).

#include <cstdint>
#include <map>
#include <string>

#include "FuzzSupport.h"
#include "PropertyFiles.h"

namespace {

bool plainAscii(const std::string& text)
{
    for (unsigned char c : text) {
        if (c == 0 || c >= 0x80)
            return false;
    }
    return true;
}

// The last value of each key.
std::map<std::u16string, std::u16string> reference(const std::string& text)
{
    std::map<std::u16string, std::u16string> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r')
            line.pop_back();
        start = end == std::string::npos ? text.size() : end + 1;
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        size_t value = colon + 1;
        if (value < line.size() && line[value] == ' ')
            value++;
        std::string key = line.substr(0, colon);
        std::string rest = line.substr(value);
        entries[std::u16string(key.begin(), key.end())] = std::u16string(rest.begin(), rest.end());
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    vxfuzz_loadProperties(text, text);
    if (!plainAscii(text)) {
        // Damaged or other text: every entry that loaded reads back whole.
        std::u16string value;
        vxfuzz_applicationProperty(u"", &value);
        vxfuzz_systemProperty(u"", &value);
        return 0;
    }
    for (const auto& [key, want] : reference(text)) {
        std::u16string got;
        VXFUZZ_CHECK(vxfuzz_applicationProperty(key, &got), "an entry is missing");
        VXFUZZ_CHECK(got == want, "an entry has another value");
    }
    return 0;
}
