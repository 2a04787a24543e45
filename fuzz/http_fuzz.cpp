// The HTTP reply-header splitter and the URL parsers. The first byte picks
// the parser; the rest is the input, each byte one character.
//
// Headers: every pair's name and value are pieces of one line, line 0 has no
// name, a name holds no ':' and no piece holds a line break.
// URLs: every part lies within the text in order; the host stops before any
// ':', '/', '?' or '#'; a URL WinInet accepts has a host and a port of 1 to
// 65535; the platform connection answers every part question without harm.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "hal/HALHttpConnection.h"
#include "hal/HALList.h"
#include "hal/HALString.h"
#include "hal/http.h"
#include "wince/wininet.h"

namespace {

std::u16string piece(const HALString* s)
{
    return s && s->characters() ? std::u16string(s->characters(), size_t(s->length()))
                                : std::u16string();
}

void checkHeaders(const std::u16string& raw)
{
    HALList* pairs = HALList::create();
    if (!pairs)
        return;
    HALHttpConnection::parseResponseHeaders(raw.data(), int32_t(raw.size()), pairs);
    size_t lines = 0;
    for (size_t at = 0; at <= raw.size(); ++lines) {
        size_t end = raw.find(u"\r\n", at);
        if (end == std::u16string::npos)
            break;
        at = end + 2;
    }
    VXFUZZ_CHECK(size_t(pairs->size()) <= lines + 1, "more pairs than lines");
    for (int32_t i = 0; i < pairs->size(); ++i) {
        auto* header = static_cast<HALHttpHeader*>(pairs->get(i));
        VXFUZZ_CHECK(header->kind == 1, "a response pair of another kind");
        VXFUZZ_CHECK(header->value != nullptr, "a pair without value");
        VXFUZZ_CHECK(i > 0 || header->name == nullptr, "the status line has a name");
        std::u16string name = piece(header->name);
        std::u16string value = piece(header->value);
        VXFUZZ_CHECK(name.find(u':') == std::u16string::npos, "a name holds ':'");
        VXFUZZ_CHECK(name.find(u"\r\n") == std::u16string::npos &&
                         value.find(u"\r\n") == std::u16string::npos,
                     "a piece holds CR LF");
        VXFUZZ_CHECK(raw.find(name) != std::u16string::npos, "a name not from the text");
        VXFUZZ_CHECK(raw.find(value) != std::u16string::npos, "a value not from the text");
    }
    HALHttpConnection::freeHeaders(pairs);
}

void checkUrl(const std::u16string& url)
{
    const auto length = int32_t(url.size());
    HALHttpConnection::UrlParts parts;
    if (HALHttpConnection::splitUrl(url.data(), length, &parts)) {
        VXFUZZ_CHECK(0 < parts.hostBegin && parts.hostBegin <= parts.hostEnd &&
                         parts.hostEnd <= length,
                     "host outside the text");
        for (int32_t i = parts.hostBegin; i < parts.hostEnd; ++i) {
            char16_t c = url[size_t(i)];
            VXFUZZ_CHECK(c != u'/' && c != u'?' && c != u'#', "host runs into the path");
        }
        VXFUZZ_CHECK(parts.portBegin < 0 || (parts.portBegin == parts.hostEnd + 1 &&
                                             parts.portBegin <= parts.portEnd &&
                                             parts.portEnd <= length),
                     "port outside the text");
        VXFUZZ_CHECK(parts.queryBegin < 0 || (parts.queryBegin <= parts.queryEnd &&
                                              parts.queryEnd <= length &&
                                              parts.queryBegin > parts.hostEnd),
                     "query outside the text");
        VXFUZZ_CHECK(parts.refBegin < 0 || (parts.refBegin <= length &&
                                            parts.refBegin >= parts.queryEnd),
                     "ref before the query");
    }
    int32_t port = 0;
    if (HALHttpConnection::portOf(url.data(), length, &port))
        VXFUZZ_CHECK(port >= 1 && port <= 65535, "port out of range");

    URL_COMPONENTSW cracked{};
    cracked.dwStructSize = sizeof(cracked);
    cracked.dwHostNameLength = 1;
    cracked.dwUrlPathLength = 1;
    cracked.dwExtraInfoLength = 1;
    if (InternetCrackUrlW(url.c_str(), DWORD(url.size()), 0, &cracked)) {
        VXFUZZ_CHECK(cracked.dwHostNameLength > 0, "accepted without host");
        VXFUZZ_CHECK(cracked.nPort >= 1, "accepted with port 0");
        const char16_t* end = url.data() + url.size();
        VXFUZZ_CHECK(cracked.lpszHostName >= url.data() &&
                         cracked.lpszHostName + cracked.dwHostNameLength <= end,
                     "host outside the text");
        VXFUZZ_CHECK(cracked.lpszUrlPath + cracked.dwUrlPathLength <= end,
                     "path outside the text");
    }

    HALHttpConnection* connection = nullptr;
    if (HAL_createHTTPConnection(&connection, url.data(), length) != 0)
        return;
    HALString* out = nullptr;
    int32_t (*queries[])(HALHttpConnection*, HALString**) = {
        HAL_getHTTPURL, HAL_getHTTPHost, HAL_getHTTPFile, HAL_getHTTPQuery, HAL_getHTTPRef};
    for (auto query : queries) {
        out = nullptr;
        query(connection, &out);
        if (out) {
            VXFUZZ_CHECK(url.find(piece(out)) != std::u16string::npos, "a part not from the URL");
            HAL_deleteString(out);
        }
    }
    HAL_deleteHTTPConnection(connection);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::u16string text;
    for (size_t i = 1; i < size; ++i)
        text += char16_t(data[i]);
    if (data[0] & 1)
        checkUrl(text);
    else
        checkHeaders(text);
    return 0;
}
