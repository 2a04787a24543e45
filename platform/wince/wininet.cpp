// WinInet on libcurl: sessions, connections and requests as handle-table
// objects; HttpSendRequestW runs one blocking curl transfer that stores the
// final reply's header lines and body.

#include "wince/wininet.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "wince/KernelObject.h"
#include "wince/detail/text.h"

namespace {

constexpr size_t kMaxUrlLength = 16384;

// ---- Settings -----------------------------------------------------------------

struct Settings {
    std::mutex mutex;
    uint32_t connectMs = 0;
    uint32_t stallMs = 0;
    std::string trustFile;
};

Settings& settings()
{
    static Settings* instance = new Settings;
    return *instance;
}

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// ---- Handle objects -------------------------------------------------------

// Each object holds a reference to the one it was opened from, so a
// transfer can see its connection or session closed.
struct InternetObject : KernelObject {
    InternetObject* parent = nullptr;
    std::atomic<bool> closed{false};

    explicit InternetObject(InternetObject* from = nullptr) : parent(from)
    {
        if (parent) {
            parent->addRef();
        }
    }
    ~InternetObject() override
    {
        if (parent) {
            parent->release();
        }
    }
    // True once this handle or one it was opened from is closed.
    bool closedOrOwnerClosed() const
    {
        for (const InternetObject* o = this; o; o = o->parent) {
            if (o->closed.load()) {
                return true;
            }
        }
        return false;
    }
};

struct InternetSession : InternetObject {
    std::string agent;
};

struct InternetConnection : InternetObject {
    using InternetObject::InternetObject;
    std::string agent;
    std::string host;
    INTERNET_PORT port = 0;
};

struct Header {
    std::string name;
    std::string value;
};

struct InternetRequest : InternetObject {
    using InternetObject::InternetObject;
    std::string agent;
    std::string host;
    INTERNET_PORT port = 0;
    bool secure = false;
    std::string method;
    std::string path;
    std::vector<Header> headers;
    bool sent = false;
    bool complete = false;
    long status = 0;
    std::vector<std::string> replyLines;  // status line first, no line ends
    bool betweenReplies = true;  // no header line since the last empty one
    std::string body;
    size_t readPosition = 0;
    size_t headerBytes = 0;
    bool tooLarge = false;
};

// The object of a live handle of type T with one reference for the caller,
// or null with the error set.
template <typename T>
T* lookup(HINTERNET handle)
{
    KernelObject* object = KernelObject::reference(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (T* typed = dynamic_cast<T*>(object)) {
        return typed;
    }
    object->release();
    SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
    return nullptr;
}

// Releases a looked-up object at the end of a scope.
template <typename T>
struct Held {
    T* object;
    explicit Held(T* o) : object(o) {}
    ~Held()
    {
        if (object) {
            object->release();
        }
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }
};

// ---- Text helpers ---------------------------------------------------------------

std::string narrow(LPCWSTR text)
{
    return text ? wince_text::toUtf8(text) : std::string();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string trim(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) {
            return false;
        }
    }
    return true;
}

// Controls (CR and LF above all) would let one header smuggle in another.
bool hasControl(std::u16string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char16_t c) { return (c < 0x20 && c != u'\t') || c == 0x7F; });
}

// Hands out a text the HttpQueryInfoW way.
BOOL putText(std::u16string_view text, LPVOID buffer, DWORD* length)
{
    DWORD needed = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
    if (!buffer || *length < needed) {
        *length = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* out = static_cast<char16_t*>(buffer);
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = 0;
    *length = static_cast<DWORD>(text.size() * sizeof(char16_t));
    return TRUE;
}

BOOL putNumber(DWORD value, LPVOID buffer, DWORD* length)
{
    if (!buffer || *length < sizeof(DWORD)) {
        *length = sizeof(DWORD);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(buffer, &value, sizeof(DWORD));
    *length = sizeof(DWORD);
    return TRUE;
}

// Header bytes are Latin-1: every byte becomes one character.
std::u16string widen(std::string_view bytes)
{
    std::u16string out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        out[i] = static_cast<unsigned char>(bytes[i]);
    }
    return out;
}

// A decimal number of 1 to 10 digits that fits in 32 bits, blanks around it.
bool parseNumber(std::string_view text, DWORD* value)
{
    std::string digits = trim(text);
    if (digits.empty() || digits.size() > 10) {
        return false;
    }
    uint64_t n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    if (n > 0xFFFFFFFFu) {
        return false;
    }
    *value = static_cast<DWORD>(n);
    return true;
}

// ---- The transfer -----------------------------------------------------------

size_t onHeader(char* data, size_t size, size_t count, void* context)
{
    auto* request = static_cast<InternetRequest*>(context);
    size_t bytes = size * count;
    std::string_view line(data, bytes);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    // Each reply (a redirect, an interim 100) starts again with its status
    // line, which follows the empty line that ended the previous headers and
    // names the protocol in any case. Trailers also follow an empty line.
    bool first = request->betweenReplies;
    request->betweenReplies = line.empty();
    if (first && line.size() >= 5 && equalsIgnoreCase(line.substr(0, 5), "HTTP/")) {
        request->replyLines.clear();
        request->body.clear();
        request->headerBytes = 0;
    }
    if (line.empty()) {
        return bytes;
    }
    request->headerBytes += line.size() + 2;
    if (request->headerBytes > wince::kInternetMaxHeaders) {
        request->tooLarge = true;
        return 0;
    }
    request->replyLines.emplace_back(line);
    return bytes;
}

size_t onBody(char* data, size_t size, size_t count, void* context)
{
    auto* request = static_cast<InternetRequest*>(context);
    size_t bytes = size * count;
    if (request->body.size() + bytes > wince::kInternetMaxBody) {
        request->tooLarge = true;
        return 0;
    }
    request->body.append(data, bytes);
    return bytes;
}

DWORD errorFor(CURLcode code, bool tooLarge)
{
    if (tooLarge) {
        return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    }
    switch (code) {
    case CURLE_COULDNT_CONNECT:
        return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_COULDNT_RESOLVE_HOST:
        return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_OPERATION_TIMEDOUT:
        return ERROR_INTERNET_TIMEOUT;
    case CURLE_URL_MALFORMAT:
        return ERROR_INTERNET_INVALID_URL;
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_ABORTED_BY_CALLBACK:
        return ERROR_INTERNET_OPERATION_CANCELLED;
    case CURLE_OUT_OF_MEMORY:
        return ERROR_NOT_ENOUGH_MEMORY;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return ERROR_INTERNET_SECURE_FAILURE;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
    case CURLE_WRITE_ERROR:
        return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    default:
        return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

std::string requestUrl(const InternetRequest& request)
{
    std::string host = request.host;
    if (host.find(':') != std::string::npos) {
        host = "[" + host + "]";
    }
    INTERNET_PORT port = request.port;
    if (port == INTERNET_INVALID_PORT_NUMBER) {
        port = request.secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    }
    return std::string(request.secure ? "https://" : "http://") + host + ":" +
           std::to_string(port) + request.path;
}

bool hasHeader(const InternetRequest& request, std::string_view name)
{
    return std::any_of(request.headers.begin(), request.headers.end(),
                       [&](const Header& h) { return equalsIgnoreCase(h.name, name); });
}

// The transfers running now, each with the multi handle it waits in, so a
// close can wake the one it ends.
struct Running {
    std::mutex mutex;
    std::vector<std::pair<const InternetObject*, CURLM*>> transfers;
};

Running& running()
{
    static Running* instance = new Running;
    return *instance;
}

// Wakes every running transfer under the closed object.
void wakeTransfersUnder(const InternetObject* closed)
{
    std::lock_guard<std::mutex> guard(running().mutex);
    for (auto& [request, multi] : running().transfers) {
        for (const InternetObject* o = request; o; o = o->parent) {
            if (o == closed) {
                curl_multi_wakeup(multi);
                break;
            }
        }
    }
}

// Performs the prepared easy handle in a multi handle of its own, waking at
// least once a second and on a close; CURLE_ABORTED_BY_CALLBACK when the
// request or an owner is closed.
CURLcode perform(const InternetRequest& request, CURL* curl)
{
    CURLM* multi = curl_multi_init();
    if (!multi) {
        return CURLE_OUT_OF_MEMORY;
    }
    if (curl_multi_add_handle(multi, curl) != CURLM_OK) {
        curl_multi_cleanup(multi);
        return CURLE_OUT_OF_MEMORY;
    }
    {
        std::lock_guard<std::mutex> guard(running().mutex);
        running().transfers.emplace_back(&request, multi);
    }
    CURLcode code = CURLE_OK;
    int active = 1;
    while (active) {
        if (request.closedOrOwnerClosed()) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        if (curl_multi_perform(multi, &active) != CURLM_OK) {
            code = CURLE_OUT_OF_MEMORY;
            break;
        }
        if (active && curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK) {
            code = CURLE_OUT_OF_MEMORY;
            break;
        }
    }
    if (!active) {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
            if (message->msg == CURLMSG_DONE) {
                code = message->data.result;
            }
        }
    }
    {
        std::lock_guard<std::mutex> guard(running().mutex);
        auto& list = running().transfers;
        list.erase(std::find(list.begin(), list.end(), std::make_pair(
                                 static_cast<const InternetObject*>(&request), multi)));
    }
    curl_multi_remove_handle(multi, curl);
    curl_multi_cleanup(multi);
    return code;
}

// Runs the transfer; false with the error code on failure.
bool transfer(InternetRequest& request, const char* bodyData, size_t bodyLength, DWORD* error)
{
    initCurlOnce();
    CURL* curl = curl_easy_init();
    if (!curl) {
        *error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    uint32_t connectMs;
    uint32_t stallMs;
    std::string trustFile;
    {
        std::lock_guard<std::mutex> guard(settings().mutex);
        connectMs = settings().connectMs ? settings().connectMs : 20000;
        stallMs = settings().stallMs ? settings().stallMs : 30000;
        trustFile = settings().trustFile;
    }

    std::string url = requestUrl(request);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    // An https request stays on https across redirects.
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, request.secure ? "https" : "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");  // never a proxy from the environment
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectMs));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>((stallMs + 999) / 1000));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!trustFile.empty()) {
        curl_easy_setopt(curl, CURLOPT_CAINFO, trustFile.c_str());
        curl_easy_setopt(curl, CURLOPT_CAPATH, nullptr);
    }
    if (!request.agent.empty()) {
        curl_easy_setopt(curl, CURLOPT_USERAGENT, request.agent.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &request);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &request);

    const std::string& method = request.method;
    bool head = equalsIgnoreCase(method, "HEAD");
    if (head) {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    } else if (bodyLength > 0 || equalsIgnoreCase(method, "POST")) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, bodyLength ? bodyData : "");
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bodyLength));
    } else {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    }
    if (!head) {
        // A reply that announces a body beyond the limit fails before it comes
        // (a HEAD reply's length names a body that is not sent).
        curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(wince::kInternetMaxBody));
    }
    // curl sends a body as POST: any other method with a body is named.
    if ((method != "GET" || bodyLength > 0) && method != "POST" && method != "HEAD") {
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, method.c_str());
    }

    curl_slist* headers = nullptr;
    bool listFailed = false;
    auto addLine = [&](const std::string& line) {
        curl_slist* grown = curl_slist_append(headers, line.c_str());
        if (!grown) {
            listFailed = true;
            return;
        }
        headers = grown;
    };
    for (const Header& header : request.headers) {
        // An empty value must still go out, which curl asks to write as "Name;".
        addLine(header.value.empty() ? header.name + ";" : header.name + ": " + header.value);
    }
    addLine("Expect:");
    if (!hasHeader(request, "Content-Type")) {
        addLine("Content-Type:");
    }
    if (!hasHeader(request, "Accept")) {
        addLine("Accept:");
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

    CURLcode code = listFailed ? CURLE_OUT_OF_MEMORY : perform(request, curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);

    if (code != CURLE_OK || request.tooLarge || status < 100 || status > 999 ||
        request.replyLines.empty()) {
        *error = code == CURLE_OK && !request.tooLarge ? ERROR_HTTP_INVALID_SERVER_RESPONSE
                                                        : errorFor(code, request.tooLarge);
        request.replyLines.clear();
        request.body.clear();
        return false;
    }
    request.status = status;
    return true;
}

// The value of the first reply header with the name; false when absent.
bool findReplyHeader(const InternetRequest& request, std::string_view name, std::string* value)
{
    for (size_t i = 1; i < request.replyLines.size(); ++i) {
        const std::string& line = request.replyLines[i];
        size_t colon = line.find(':');
        if (colon != std::string::npos && equalsIgnoreCase(trim(line.substr(0, colon)), name)) {
            *value = trim(std::string_view(line).substr(colon + 1));
            return true;
        }
    }
    return false;
}

// ---- URL parts --------------------------------------------------------------

struct Part {
    size_t begin = 0;
    size_t length = 0;
};

// Hands one part out: a pointer into the URL, or a copy into the caller's
// buffer. False when the buffer is too small.
bool putPart(LPCWSTR url, Part part, LPWSTR* pointer, DWORD* length)
{
    if (*length == 0) {
        return true;
    }
    if (!*pointer) {
        *pointer = const_cast<LPWSTR>(url + part.begin);
        *length = static_cast<DWORD>(part.length);
        return true;
    }
    if (*length <= part.length) {
        *length = static_cast<DWORD>(part.length + 1);
        return false;
    }
    std::copy(url + part.begin, url + part.begin + part.length, *pointer);
    (*pointer)[part.length] = 0;
    *length = static_cast<DWORD>(part.length);
    return true;
}

}  // namespace

// ---- InternetAttemptConnect -------------------------------------------------
DWORD InternetAttemptConnect(DWORD)
{
    return ERROR_SUCCESS;
}

// ---- InternetOpenW --------------------------------------------------------------
HINTERNET InternetOpenW(LPCWSTR agent, DWORD, LPCWSTR, LPCWSTR, DWORD)
{
    initCurlOnce();
    auto* session = new InternetSession;
    session->agent = narrow(agent);
    return KernelObject::openHandle(session);
}

// ---- InternetCrackUrlW ----------------------------------------------------------
BOOL InternetCrackUrlW(LPCWSTR url, DWORD length, DWORD, URL_COMPONENTSW* components)
{
    if (!url || !components || components->dwStructSize != sizeof(URL_COMPONENTSW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    size_t size = length ? length : wince_text::length(url);
    std::u16string_view text(url, size);
    if (size > kMaxUrlLength ||
        std::any_of(text.begin(), text.end(), [](char16_t c) { return c <= 0x20 || c == 0x7F; })) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return FALSE;
    }
    size_t schemeEnd = text.find(u"://");
    if (schemeEnd == std::u16string_view::npos || schemeEnd == 0) {
        SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return FALSE;
    }
    INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
    if (wince_text::equalsIgnoreCase(text.substr(0, schemeEnd), u"http")) {
        scheme = INTERNET_SCHEME_HTTP;
    } else if (wince_text::equalsIgnoreCase(text.substr(0, schemeEnd), u"https")) {
        scheme = INTERNET_SCHEME_HTTPS;
    } else {
        SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return FALSE;
    }
    size_t authorityBegin = schemeEnd + 3;
    size_t authorityEnd = text.find_first_of(u"/?#", authorityBegin);
    if (authorityEnd == std::u16string_view::npos) {
        authorityEnd = size;
    }
    Part user{authorityBegin, 0};
    Part password{authorityBegin, 0};
    size_t hostBegin = authorityBegin;
    size_t at = text.substr(0, authorityEnd).rfind(u'@');
    if (at != std::u16string_view::npos && at >= authorityBegin) {
        size_t colon = text.substr(0, at).find(u':', authorityBegin);
        size_t userEnd = colon == std::u16string_view::npos ? at : colon;
        user = {authorityBegin, userEnd - authorityBegin};
        if (colon != std::u16string_view::npos) {
            password = {colon + 1, at - colon - 1};
        }
        hostBegin = at + 1;
    }
    size_t hostEnd;
    size_t portColon;
    if (hostBegin < authorityEnd && text[hostBegin] == u'[') {
        size_t close = text.substr(0, authorityEnd).find(u']', hostBegin);
        if (close == std::u16string_view::npos) {
            SetLastError(ERROR_INTERNET_INVALID_URL);
            return FALSE;
        }
        hostEnd = close + 1;
        portColon = hostEnd < authorityEnd ? hostEnd : std::u16string_view::npos;
        if (portColon != std::u16string_view::npos && text[portColon] != u':') {
            SetLastError(ERROR_INTERNET_INVALID_URL);
            return FALSE;
        }
    } else {
        portColon = text.substr(0, authorityEnd).find(u':', hostBegin);
        hostEnd = portColon == std::u16string_view::npos ? authorityEnd : portColon;
    }
    Part host{hostBegin, hostEnd - hostBegin};
    if (host.length == 0) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return FALSE;
    }
    INTERNET_PORT port = scheme == INTERNET_SCHEME_HTTPS ? INTERNET_DEFAULT_HTTPS_PORT
                                                         : INTERNET_DEFAULT_HTTP_PORT;
    if (portColon != std::u16string_view::npos && portColon + 1 < authorityEnd) {
        uint32_t value = 0;
        for (size_t i = portColon + 1; i < authorityEnd; ++i) {
            char16_t c = text[i];
            if (c < u'0' || c > u'9' || i - portColon > 5) {
                SetLastError(ERROR_INTERNET_INVALID_URL);
                return FALSE;
            }
            value = value * 10 + static_cast<uint32_t>(c - u'0');
        }
        if (value == 0 || value > 65535) {
            SetLastError(ERROR_INTERNET_INVALID_URL);
            return FALSE;
        }
        port = static_cast<INTERNET_PORT>(value);
    }
    Part path{authorityEnd, size - authorityEnd};
    Part extra{size, 0};
    if (components->dwExtraInfoLength != 0) {
        size_t extraBegin = text.find_first_of(u"?#", authorityEnd);
        if (extraBegin != std::u16string_view::npos) {
            path.length = extraBegin - authorityEnd;
            extra = {extraBegin, size - extraBegin};
        }
    }
    Part schemePart{0, schemeEnd};

    components->nScheme = scheme;
    components->nPort = port;
    bool fits = putPart(url, schemePart, &components->lpszScheme, &components->dwSchemeLength);
    fits = putPart(url, host, &components->lpszHostName, &components->dwHostNameLength) && fits;
    fits = putPart(url, user, &components->lpszUserName, &components->dwUserNameLength) && fits;
    fits = putPart(url, password, &components->lpszPassword, &components->dwPasswordLength) &&
           fits;
    fits = putPart(url, path, &components->lpszUrlPath, &components->dwUrlPathLength) && fits;
    fits = putPart(url, extra, &components->lpszExtraInfo, &components->dwExtraInfoLength) && fits;
    if (!fits) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return TRUE;
}

// ---- InternetConnectW -----------------------------------------------------------
HINTERNET InternetConnectW(HINTERNET session, LPCWSTR server, INTERNET_PORT port, LPCWSTR,
                           LPCWSTR, DWORD service, DWORD, DWORD_PTR)
{
    Held<InternetSession> owner(lookup<InternetSession>(session));
    if (!owner) {
        return nullptr;
    }
    if (!server || !*server || hasControl(server) || service != INTERNET_SERVICE_HTTP) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* connection = new InternetConnection(owner.object);
    connection->agent = owner->agent;
    connection->host = narrow(server);
    connection->port = port;
    return KernelObject::openHandle(connection);
}

// ---- HttpOpenRequestW -----------------------------------------------------------
HINTERNET HttpOpenRequestW(HINTERNET connection, LPCWSTR verb, LPCWSTR objectName, LPCWSTR,
                           LPCWSTR, LPCWSTR*, DWORD flags, DWORD_PTR)
{
    Held<InternetConnection> owner(lookup<InternetConnection>(connection));
    if (!owner) {
        return nullptr;
    }
    std::u16string_view method = verb && *verb ? std::u16string_view(verb) : u"GET";
    std::u16string_view path = objectName && *objectName ? std::u16string_view(objectName) : u"/";
    bool tokenMethod = std::all_of(method.begin(), method.end(), [](char16_t c) {
        return c > 0x20 && c < 0x7F && c != u'(' && c != u')' && c != u'"' && c != u':';
    });
    if (!tokenMethod || path.size() > kMaxUrlLength ||
        std::any_of(path.begin(), path.end(), [](char16_t c) { return c <= 0x20 || c == 0x7F; })) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* request = new InternetRequest(owner.object);
    request->agent = owner->agent;
    request->host = owner->host;
    request->port = owner->port;
    request->secure = (flags & INTERNET_FLAG_SECURE) != 0;
    request->method = wince_text::toUtf8(method);
    request->path = path.front() == u'/' ? wince_text::toUtf8(path) : "/" + wince_text::toUtf8(path);
    return KernelObject::openHandle(request);
}

// ---- HttpAddRequestHeadersW -------------------------------------------------------
BOOL HttpAddRequestHeadersW(HINTERNET handle, LPCWSTR headers, DWORD length, DWORD modifiers)
{
    Held<InternetRequest> request(lookup<InternetRequest>(handle));
    if (!request) {
        return FALSE;
    }
    if (!headers || request->sent) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string_view text =
        length == 0xFFFFFFFFu ? std::u16string_view(headers) : std::u16string_view(headers, length);
    // Checked whole before anything is added.
    std::vector<Header> lines;
    while (!text.empty()) {
        size_t end = text.find(u"\r\n");
        std::u16string_view line = text.substr(0, end);
        text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 2);
        if (line.empty()) {
            continue;
        }
        size_t colon = line.find(u':');
        if (colon == std::u16string_view::npos || hasControl(line)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        Header header{trim(wince_text::toUtf8(line.substr(0, colon))),
                      trim(wince_text::toUtf8(line.substr(colon + 1)))};
        bool token = !header.name.empty() &&
                     std::none_of(header.name.begin(), header.name.end(),
                                  [](char c) { return c == ' ' || c == '\t'; });
        if (!token) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        lines.push_back(std::move(header));
    }
    for (Header& header : lines) {
        auto same = std::find_if(request->headers.begin(), request->headers.end(),
                                 [&](const Header& h) { return equalsIgnoreCase(h.name, header.name); });
        if (same != request->headers.end() && (modifiers & HTTP_ADDREQ_FLAG_REPLACE)) {
            *same = std::move(header);
        } else {
            request->headers.push_back(std::move(header));
        }
    }
    return TRUE;
}

// ---- HttpSendRequestW -------------------------------------------------------------
BOOL HttpSendRequestW(HINTERNET handle, LPCWSTR headers, DWORD headersLength, LPVOID optional,
                      DWORD optionalLength)
{
    Held<InternetRequest> request(lookup<InternetRequest>(handle));
    if (!request) {
        return FALSE;
    }
    if (request->sent || (optionalLength > 0 && !optional)) {
        SetLastError(request->sent ? ERROR_INTERNET_INCORRECT_HANDLE_STATE
                                   : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (headers && headersLength != 0 &&
        !HttpAddRequestHeadersW(handle, headers, headersLength, HTTP_ADDREQ_FLAG_ADD)) {
        return FALSE;
    }
    request->sent = true;
    DWORD error = ERROR_SUCCESS;
    if (!transfer(*request.object, static_cast<const char*>(optional), optionalLength, &error)) {
        SetLastError(error);
        return FALSE;
    }
    request->complete = true;
    return TRUE;
}

// ---- HttpQueryInfoW -------------------------------------------------------------
BOOL HttpQueryInfoW(HINTERNET handle, DWORD infoLevel, LPVOID buffer, DWORD* length, DWORD*)
{
    Held<InternetRequest> request(lookup<InternetRequest>(handle));
    if (!request) {
        return FALSE;
    }
    if (!length) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD level = infoLevel & 0xFFFFu;
    bool number = (infoLevel & HTTP_QUERY_FLAG_NUMBER) != 0;
    if (infoLevel & HTTP_QUERY_FLAG_REQUEST_HEADERS) {
        if (level != HTTP_QUERY_RAW_HEADERS_CRLF || number) {
            SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
            return FALSE;
        }
        std::string raw;
        for (const Header& header : request->headers) {
            raw += header.name + ": " + header.value + "\r\n";
        }
        if (raw.empty()) {
            SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
            return FALSE;
        }
        return putText(wince_text::fromUtf8(raw + "\r\n"), buffer, length);
    }
    if (!request->complete) {
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
        return FALSE;
    }
    std::string value;
    switch (level) {
    case HTTP_QUERY_STATUS_CODE:
        if (number) {
            return putNumber(static_cast<DWORD>(request->status), buffer, length);
        }
        return putText(widen(std::to_string(request->status)), buffer, length);
    case HTTP_QUERY_RAW_HEADERS_CRLF: {
        if (number) {
            break;
        }
        std::string raw;
        for (const std::string& line : request->replyLines) {
            raw += line + "\r\n";
        }
        return putText(widen(raw + "\r\n"), buffer, length);
    }
    case HTTP_QUERY_CONTENT_TYPE:
    case HTTP_QUERY_CONTENT_LENGTH:
        if (!findReplyHeader(*request.object,
                             level == HTTP_QUERY_CONTENT_TYPE ? "Content-Type" : "Content-Length",
                             &value)) {
            SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
            return FALSE;
        }
        if (number) {
            DWORD n = 0;
            if (!parseNumber(value, &n)) {
                SetLastError(ERROR_HTTP_INVALID_HEADER);
                return FALSE;
            }
            return putNumber(n, buffer, length);
        }
        return putText(widen(value), buffer, length);
    default:
        break;
    }
    SetLastError(ERROR_HTTP_HEADER_NOT_FOUND);
    return FALSE;
}

// ---- InternetReadFile -----------------------------------------------------------
BOOL InternetReadFile(HINTERNET handle, LPVOID buffer, DWORD toRead, DWORD* read)
{
    Held<InternetRequest> request(lookup<InternetRequest>(handle));
    if (!request) {
        return FALSE;
    }
    if (!read || (toRead > 0 && !buffer)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!request->complete) {
        *read = 0;
        SetLastError(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
        return FALSE;
    }
    size_t left = request->body.size() - request->readPosition;
    size_t count = std::min<size_t>(left, toRead);
    std::memcpy(buffer, request->body.data() + request->readPosition, count);
    request->readPosition += count;
    *read = static_cast<DWORD>(count);
    return TRUE;
}

// ---- InternetCloseHandle ----------------------------------------------------------
BOOL InternetCloseHandle(HINTERNET handle)
{
    Held<InternetObject> object(lookup<InternetObject>(handle));
    if (!object) {
        return FALSE;
    }
    if (!KernelObject::closeHandle(handle)) {
        return FALSE;
    }
    object->closed = true;
    wakeTransfersUnder(object.object);
    return TRUE;
}

namespace wince {

void setInternetTimeouts(uint32_t connectMs, uint32_t stallMs)
{
    std::lock_guard<std::mutex> guard(settings().mutex);
    settings().connectMs = connectMs;
    settings().stallMs = stallMs;
}

void setInternetTrustFile(const std::string& path)
{
    std::lock_guard<std::mutex> guard(settings().mutex);
    settings().trustFile = path;
}

}  // namespace wince
