// The HTTP stand-in's reply assembly: a local server answers one GET with
// the input as it is, and whatever comes back, the request either fails with
// an error code or answers a status of three digits, raw headers that start
// with the status line and end in an empty line, each line whole, number
// answers that agree with the text ones, and a body that reads to its end
// within the limit. Redirects are made inert ("Location" is renamed) so that
// nothing leaves the local server.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "support/HttpTestServer.h"
#include "wince/kernel.h"
#include "wince/wininet.h"

namespace {

std::string& currentReply()
{
    static std::string* reply = new std::string;
    return *reply;
}

vxtest::HttpTestServer& server()
{
    static vxtest::HttpTestServer* instance = new vxtest::HttpTestServer(
        [](const vxtest::HttpRequest&) { return vxtest::HttpReply{currentReply()}; },
        std::chrono::hours(24));
    return *instance;
}

// The text an info level answers, or false with the error.
bool queryText(HINTERNET request, DWORD level, std::u16string* text)
{
    DWORD length = 0;
    if (HttpQueryInfoW(request, level, nullptr, &length, nullptr))
        vxfuzz_fail("a query without a buffer succeeded");
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    VXFUZZ_CHECK(length >= 2 && length % 2 == 0, "an odd length asked for");
    std::u16string buffer(length / 2, u'\0');
    VXFUZZ_CHECK(HttpQueryInfoW(request, level, buffer.data(), &length, nullptr),
                 "a query failed with the room it asked for");
    VXFUZZ_CHECK(length % 2 == 0 && length / 2 < buffer.size() && buffer[length / 2] == 0,
                 "the text is not terminated where its length says");
    text->assign(buffer.data(), length / 2);
    return true;
}

void checkReply(HINTERNET request)
{
    std::u16string status;
    VXFUZZ_CHECK(queryText(request, HTTP_QUERY_STATUS_CODE, &status) && status.size() == 3 &&
                     std::all_of(status.begin(), status.end(), [](char16_t c) { return c >= '0' && c <= '9'; }),
                 "the status is not three digits");
    DWORD number = 0, length = sizeof number;
    VXFUZZ_CHECK(HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &number,
                                &length, nullptr) &&
                     std::to_string(number) == std::string(status.begin(), status.end()),
                 "the status as a number differs");

    std::u16string raw;
    VXFUZZ_CHECK(queryText(request, HTTP_QUERY_RAW_HEADERS_CRLF, &raw), "no raw headers");
    VXFUZZ_CHECK(raw.size() >= 4 && raw.compare(raw.size() - 4, 4, u"\r\n\r\n") == 0,
                 "the raw headers do not end in an empty line");
    // One status line, the first: the name in any case, as the transfer
    // takes it; an interim reply's lines are not kept.
    auto statusLine = [](std::u16string_view line) {
        std::u16string name(line.substr(0, 5));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; });
        return name == u"HTTP/";
    };
    VXFUZZ_CHECK(statusLine(raw), "the raw headers do not start with the status line");
    for (size_t at = 0; at + 2 < raw.size();) {
        size_t end = raw.find(u"\r\n", at);
        VXFUZZ_CHECK(end != at, "an empty line inside the headers");
        std::u16string_view line(raw.data() + at, end - at);
        VXFUZZ_CHECK(line.find(u'\n') == line.npos, "a line break inside a header line");
        VXFUZZ_CHECK(at == 0 || !statusLine(line), "a second status line in the headers");
        at = end + 2;
    }

    std::u16string text;
    const bool hasLength = queryText(request, HTTP_QUERY_CONTENT_LENGTH, &text);
    VXFUZZ_CHECK(hasLength || GetLastError() == ERROR_HTTP_HEADER_NOT_FOUND, "a length query failed");
    length = sizeof number;
    if (HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &number, &length,
                       nullptr))
        VXFUZZ_CHECK(hasLength && std::string(text.begin(), text.end()).find(std::to_string(number)) !=
                                      std::string::npos,
                     "the length as a number is not in its text");
    else
        VXFUZZ_CHECK(GetLastError() == (hasLength ? ERROR_HTTP_INVALID_HEADER : ERROR_HTTP_HEADER_NOT_FOUND),
                     "the length as a number failed otherwise");

    size_t total = 0;
    char buffer[1000];
    for (DWORD read = 1; read > 0; total += read) {
        VXFUZZ_CHECK(InternetReadFile(request, buffer, sizeof buffer, &read) && read <= sizeof buffer,
                     "a read failed");
    }
    VXFUZZ_CHECK(total <= wince::kInternetMaxBody, "a body beyond the limit");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool ready = (wince::setInternetTimeouts(2000, 1000), true);
    (void)ready;
    std::string reply(data, data + size);
    for (size_t at = 0; at + 8 <= reply.size(); ++at) {
        std::string word = reply.substr(at, 8);
        std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
        if (word == "location")
            reply[at] = 'X';
    }
    currentReply() = reply;
    const std::u16string host = u"127.0.0.1";
    HINTERNET session = InternetOpenW(u"fuzz", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = InternetConnectW(session, host.c_str(), INTERNET_PORT(server().port()),
                                            nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET request = HttpOpenRequestW(connection, nullptr, u"/", nullptr, nullptr, nullptr, 0, 0);
    VXFUZZ_CHECK(session && connection && request, "no request handle");
    if (HttpSendRequestW(request, nullptr, 0, nullptr, 0))
        checkReply(request);
    else
        VXFUZZ_CHECK(GetLastError() != 0, "a failed request without an error");
    InternetCloseHandle(request);
    InternetCloseHandle(connection);
    InternetCloseHandle(session);
    server().clearRequests();
    return 0;
}
