// HALHttpConnection and the HAL_ HTTP operations over WinInet.

#include "hal/HALHttpConnection.h"

#include <cstring>
#include <new>
#include <vector>

#include "hal/HALList.h"
#include "hal/HALString.h"
#include "hal/device.h"
#include "hal/http.h"
#include "hal/memory.h"
#include "hal/properties.h"
#include "hal/thread.h"
#include "wince/wininet.h"

#include <mutex>

namespace {

constexpr int32_t kReadBufferSize = 4096;
constexpr DWORD kAddOrReplace = HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE;

// ---- Session --------------------------------------------------------------
// The HTTP lock guards the session. Lock order: the VM lock is given away
// before the HTTP lock is taken.

std::mutex g_sessionLockMaker;
CRITICAL_SECTION* g_sessionLock = nullptr;
HINTERNET g_session = nullptr;
HALString* g_agent = nullptr;
bool g_agentRead = false;

CRITICAL_SECTION* sessionLock()
{
    std::lock_guard<std::mutex> guard(g_sessionLockMaker);
    if (!g_sessionLock) {
        g_sessionLock = new CRITICAL_SECTION;
        InitializeCriticalSection(g_sessionLock);
    }
    return g_sessionLock;
}

// The application property "MIDlet-Name"; null when absent.
HALString* readAgent()
{
    static constexpr char16_t kKey[] = u"MIDlet-Name";
    constexpr int32_t keyLength = sizeof(kKey) / sizeof(kKey[0]) - 1;
    int32_t length = HAL_getApplicationPropertyLength(kKey, keyLength);
    if (length <= 0) {
        return nullptr;
    }
    std::vector<char16_t> text(static_cast<size_t>(length));
    if (HAL_getApplicationProperty(kKey, keyLength, text.data(), &length) != 0) {
        return nullptr;
    }
    return HALString::make(text.data(), length);
}

// Opens the session when there is none; called without the VM lock.
HINTERNET openSession()
{
    CRITICAL_SECTION* lock = sessionLock();
    EnterCriticalSection(lock);
    if (!g_session) {
        if (!HAL_isDataConnectionUp()) {
            HAL_establishDataConnection();  // a failure still lets the session try
        }
        if (!g_agentRead) {
            g_agent = readAgent();
            g_agentRead = true;
        }
        if (InternetAttemptConnect(0) == ERROR_SUCCESS) {
            g_session = InternetOpenW(g_agent ? g_agent->characters() : nullptr,
                                      INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        }
    }
    HINTERNET session = g_session;
    LeaveCriticalSection(lock);
    return session;
}

// ---- Helpers ---------------------------------------------------------------

char16_t foldCase(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool sameText(const HALString* text, const char16_t* other, int32_t length, bool ignoreCase)
{
    if (!text || text->length() != length) {
        return false;
    }
    for (int32_t i = 0; i < length; ++i) {
        char16_t a = text->charAt(i);
        char16_t b = other[i];
        if (ignoreCase ? foldCase(a) != foldCase(b) : a != b) {
            return false;
        }
    }
    return true;
}

int32_t terminatedLength(const char16_t* text)
{
    int32_t length = 0;
    while (text[length] != 0 && length < INT32_MAX) {
        ++length;
    }
    return length;
}

HALHttpHeader* makeHeader(int32_t kind, HALString* name, HALString* value)
{
    void* memory = HAL_malloc(sizeof(HALHttpHeader));
    if (!memory) {
        return nullptr;
    }
    return new (memory) HALHttpHeader{kind, name, value};
}

void freeHeader(HALHttpHeader* header)
{
    if (header->name) {
        header->name->release();
    }
    if (header->value) {
        header->value->release();
    }
    HAL_free(header);
}

// A text query of the request (content type): the size first, then the text;
// null when absent or on failure.
HALString* queryText(HINTERNET request, DWORD level)
{
    DWORD bytes = 0;
    if (HttpQueryInfoW(request, level, nullptr, &bytes, nullptr) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes < sizeof(char16_t)) {
        return nullptr;
    }
    std::vector<char16_t> text(bytes / sizeof(char16_t) + 1);
    if (!HttpQueryInfoW(request, level, text.data(), &bytes, nullptr)) {
        return nullptr;
    }
    return HALString::make(text.data(), static_cast<int32_t>(bytes / sizeof(char16_t)));
}

// A request header name is a token; a value has no control characters.
bool validHeaderText(const char16_t* text, int32_t length, bool name)
{
    if (name && length <= 0) {
        return false;
    }
    for (int32_t i = 0; i < length; ++i) {
        char16_t c = text[i];
        if ((c < 0x20 && !(c == u'\t' && !name)) || c == 0x7F ||
            (name && (c == u':' || c == u' ' || c == u'\t'))) {
            return false;
        }
    }
    return true;
}

}  // namespace

// ---- HALHttpConnection ------------------------------------------------------

HALHttpConnection* HALHttpConnection::make(const char16_t* url, int32_t length)
{
    void* memory = HAL_malloc(sizeof(HALHttpConnection));
    if (!memory) {
        return nullptr;
    }
    auto* connection = new (memory) HALHttpConnection;
    connection->url = HALString::make(url, length);
    if (!connection->url || (length > 0 && !connection->url->characters())) {
        connection->destroy();
        return nullptr;
    }
    return connection;
}

bool HALHttpConnection::splitUrl(const char16_t* url, int32_t length, UrlParts* parts)
{
    *parts = UrlParts{};
    if (!url || length <= 0) {
        return false;
    }
    auto find = [&](char16_t c, int32_t from, int32_t to) {
        for (int32_t i = from; i < to; ++i) {
            if (url[i] == c) {
                return i;
            }
        }
        return -1;
    };
    int32_t colon = find(u':', 0, length);
    if (colon <= 0) {
        return false;
    }
    int32_t hostBegin = colon + 1;
    if (hostBegin + 1 < length && url[hostBegin] == u'/' && url[hostBegin + 1] == u'/') {
        hostBegin += 2;
    }
    int32_t authorityEnd = length;
    for (int32_t i = hostBegin; i < length; ++i) {
        if (url[i] == u'/' || url[i] == u'?' || url[i] == u'#') {
            authorityEnd = i;
            break;
        }
    }
    for (int32_t i = authorityEnd - 1; i >= hostBegin; --i) {
        if (url[i] == u'@') {
            hostBegin = i + 1;
            break;
        }
    }
    int32_t portColon = -1;
    int32_t from = hostBegin;
    if (hostBegin < authorityEnd && url[hostBegin] == u'[') {
        int32_t close = find(u']', hostBegin, authorityEnd);
        from = close < 0 ? authorityEnd : close + 1;
    }
    portColon = find(u':', from, authorityEnd);
    parts->hostBegin = hostBegin;
    parts->hostEnd = portColon < 0 ? authorityEnd : portColon;
    if (portColon >= 0) {
        parts->portBegin = portColon + 1;
        parts->portEnd = authorityEnd;
    }
    int32_t hash = find(u'#', authorityEnd, length);
    int32_t question = find(u'?', authorityEnd, hash < 0 ? length : hash);
    if (question >= 0) {
        parts->queryBegin = question + 1;
        parts->queryEnd = hash < 0 ? length : hash;
    }
    if (hash >= 0) {
        parts->refBegin = hash + 1;
    }
    return true;
}

bool HALHttpConnection::portOf(const char16_t* url, int32_t length, int32_t* port)
{
    UrlParts parts;
    if (!splitUrl(url, length, &parts)) {
        return false;
    }
    if (parts.portBegin < 0 || parts.portBegin == parts.portEnd) {
        *port = 80;
        return true;
    }
    if (parts.portEnd - parts.portBegin > 5) {
        return false;
    }
    int32_t value = 0;
    for (int32_t i = parts.portBegin; i < parts.portEnd; ++i) {
        if (url[i] < u'0' || url[i] > u'9') {
            return false;
        }
        value = value * 10 + (url[i] - u'0');
    }
    if (value < 1 || value > 65535) {
        return false;
    }
    *port = value;
    return true;
}

bool HALHttpConnection::parseResponseHeaders(const char16_t* raw, int32_t length, HALList* pairs)
{
    int32_t position = 0;
    int32_t line = 0;
    while (position < length) {
        int32_t end = position;
        while (end < length && !(raw[end] == u'\r' && end + 1 < length && raw[end + 1] == u'\n')) {
            ++end;
        }
        if (end == position) {
            break;  // the empty line ends the headers
        }
        int32_t colon = -1;
        if (line > 0) {
            for (int32_t i = position; i < end; ++i) {
                if (raw[i] == u':') {
                    colon = i;
                    break;
                }
            }
        }
        HALString* name = nullptr;
        HALString* value = nullptr;
        if (colon >= 0) {
            int32_t valueBegin = colon + 1;
            while (valueBegin < end && (raw[valueBegin] == u' ' || raw[valueBegin] == u'\t')) {
                ++valueBegin;
            }
            name = HALString::make(raw + position, colon - position);
            value = HALString::make(raw + valueBegin, end - valueBegin);
        } else {
            value = HALString::make(raw + position, end - position);
        }
        HALHttpHeader* header = nullptr;
        if (value && (colon < 0 || name)) {
            header = makeHeader(1, name, value);
        }
        if (!header || !pairs->add(header)) {
            if (header) {
                freeHeader(header);
            } else {
                if (name) name->release();
                if (value) value->release();
            }
            return false;
        }
        ++line;
        position = end + 2;
    }
    return true;
}

void HALHttpConnection::freeHeaders(HALList* pairs)
{
    if (!pairs) {
        return;
    }
    for (int32_t i = 0; i < pairs->size(); ++i) {
        freeHeader(static_cast<HALHttpHeader*>(pairs->get(i)));
    }
    HALList::destroy(pairs);
}

HALHttpHeader* HALHttpConnection::findHeader(HALList* pairs, const char16_t* name, int32_t length,
                                             bool ignoreCase)
{
    if (!pairs) {
        return nullptr;
    }
    for (int32_t i = 0; i < pairs->size(); ++i) {
        auto* header = static_cast<HALHttpHeader*>(pairs->get(i));
        if (sameText(header->name, name, length, ignoreCase)) {
            return header;
        }
    }
    return nullptr;
}

bool HALHttpConnection::connect()
{
    const char16_t* text = url->characters();
    if (!text) {
        lastError = ERROR_INTERNET_INVALID_URL;
        return false;
    }
    // Host and port as WinInet finds them; an https URL asks for TLS.
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1;
    if (!InternetCrackUrlW(text, static_cast<DWORD>(url->length()), 0, &parts)) {
        lastError = GetLastError();
        return false;
    }
    std::u16string host(parts.lpszHostName, parts.dwHostNameLength);
    if (host.size() > 2 && host.front() == u'[' && host.back() == u']') {
        host = host.substr(1, host.size() - 2);
    }
    uint32_t depth = HAL_releaseVMLock();
    HINTERNET session = openSession();
    HINTERNET handle = nullptr;
    if (session) {
        handle = InternetConnectW(session, host.c_str(), parts.nPort, u"", nullptr,
                                  INTERNET_SERVICE_HTTP, 0, 0);
    }
    DWORD error = session ? GetLastError() : ERROR_INTERNET_INTERNAL_ERROR;
    HAL_restoreVMLock(depth);
    if (!handle) {
        lastError = error;
        return false;
    }
    connectHandle = handle;
    return true;
}

HALList* HALHttpConnection::requestHeaders()
{
    if (!requestHeaderList) {
        requestHeaderList = HALList::create();
    }
    return requestHeaderList;
}

HALList* HALHttpConnection::responseHeaders()
{
    return send() == 0 ? responseHeaderList : nullptr;
}

int32_t HALHttpConnection::send()
{
    if (sendStatus_ >= 0) {
        return sendStatus_;
    }
    sendStatus_ = 7;
    if (!connectHandle || !url->characters()) {
        return sendStatus_;
    }
    // The request path: the URL's path with its query, without the ref.
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwUrlPathLength = 1;
    if (!InternetCrackUrlW(url->characters(), static_cast<DWORD>(url->length()), 0, &parts)) {
        lastError = GetLastError();
        return sendStatus_;
    }
    std::u16string path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path = path.substr(0, path.find(u'#'));
    bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    HINTERNET request =
        HttpOpenRequestW(connectHandle, method ? method->characters() : nullptr, path.c_str(),
                         nullptr, u"", nullptr, secure ? INTERNET_FLAG_SECURE : 0, 0);
    if (!request) {
        lastError = GetLastError();
        return sendStatus_;
    }
    requestHandle = request;
    if (requestHeaderList) {
        for (int32_t i = requestHeaderList->size() - 1; i >= 0; --i) {
            auto* header = static_cast<HALHttpHeader*>(requestHeaderList->get(i));
            std::u16string line;
            if (header->name) {
                line.assign(header->name->characters(), static_cast<size_t>(header->name->length()));
                line += u": ";
            }
            if (header->value->characters()) {
                line.append(header->value->characters(), static_cast<size_t>(header->value->length()));
            }
            if (!HttpAddRequestHeadersW(request, line.c_str(), static_cast<DWORD>(line.size()),
                                        kAddOrReplace)) {
                lastError = GetLastError();
                return sendStatus_;
            }
        }
    }
    // The body: every chunk in the order written.
    uint64_t total = 0;
    int32_t chunks = bodyChunks ? bodyChunks->size() : 0;
    for (int32_t i = 0; i < chunks; ++i) {
        total += static_cast<uint64_t>(reinterpret_cast<intptr_t>(bodyChunkLengths->get(i)));
    }
    if (total > wince::kInternetMaxBody) {
        lastError = ERROR_NOT_ENOUGH_MEMORY;
        sendStatus_ = 4;
        return sendStatus_;
    }
    auto* body = static_cast<int8_t*>(total ? HAL_malloc(static_cast<uint32_t>(total)) : nullptr);
    if (total && !body) {
        lastError = ERROR_NOT_ENOUGH_MEMORY;
        sendStatus_ = 4;
        return sendStatus_;
    }
    size_t offset = 0;
    for (int32_t i = 0; i < chunks; ++i) {
        auto length = static_cast<size_t>(reinterpret_cast<intptr_t>(bodyChunkLengths->get(i)));
        std::memcpy(body + offset, bodyChunks->get(i), length);
        offset += length;
    }
    uint32_t depth = HAL_releaseVMLock();
    BOOL sent = HttpSendRequestW(request, nullptr, 0, body, static_cast<DWORD>(total));
    DWORD error = GetLastError();
    HAL_restoreVMLock(depth);
    HAL_free(body);
    if (!sent) {
        lastError = error;
        sendStatus_ = 4;
        return sendStatus_;
    }

    // What the reply said, kept so it stays answerable after the handles close.
    DWORD code = 0;
    DWORD bytes = sizeof(code);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &bytes,
                        nullptr)) {
        lastError = GetLastError();
        return sendStatus_;
    }
    statusCode = static_cast<int32_t>(code);
    DWORD length = 0;
    bytes = sizeof(length);
    if (HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &bytes,
                       nullptr)) {
        contentLength = length;
    } else {
        contentLength = -1;
        contentLengthValid = GetLastError() == ERROR_HTTP_HEADER_NOT_FOUND;
    }
    contentType = queryText(request, HTTP_QUERY_CONTENT_TYPE);
    HALString* raw = queryText(request, HTTP_QUERY_RAW_HEADERS_CRLF);
    responseHeaderList = HALList::create();
    bool parsed = raw && responseHeaderList &&
                  parseResponseHeaders(raw->characters(), raw->length(), responseHeaderList);
    if (raw) {
        raw->release();
    }
    if (!parsed) {
        freeHeaders(responseHeaderList);
        responseHeaderList = nullptr;
        lastError = ERROR_NOT_ENOUGH_MEMORY;
        return sendStatus_;
    }
    sendStatus_ = 0;
    return sendStatus_;
}

void HALHttpConnection::closeHandles()
{
    if (requestHandle) {
        InternetCloseHandle(requestHandle);
        requestHandle = nullptr;
    }
    if (connectHandle) {
        InternetCloseHandle(connectHandle);
        connectHandle = nullptr;
    }
}

void HALHttpConnection::releaseHolder()
{
    if (--holders_ == 0) {
        destroy();
    }
}

void HALHttpConnection::destroy()
{
    closeHandles();
    if (url) url->release();
    if (method) method->release();
    if (contentType) contentType->release();
    freeHeaders(requestHeaderList);
    freeHeaders(responseHeaderList);
    if (bodyChunks) {
        for (int32_t i = 0; i < bodyChunks->size(); ++i) {
            HAL_free(bodyChunks->get(i));
        }
        HALList::destroy(bodyChunks);
    }
    HALList::destroy(bodyChunkLengths);
    HAL_free(readBuffer);
    this->~HALHttpConnection();
    HAL_free(this);
}

// ---- HAL_ operations --------------------------------------------------------

namespace {

// Holds a connection for one operation that may send: the send gives the VM
// lock away, and another thread may then close the connection and drop every
// other holder. The object lives on until the operation has answered.
class Hold {
public:
    explicit Hold(HALHttpConnection* connection) : connection_(connection)
    {
        connection_->addHolder();
    }
    ~Hold() { connection_->releaseHolder(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    HALHttpConnection* connection_;
};

// A part of the URL as a new string; 4 when absent.
int32_t urlPart(HALHttpConnection* connection, HALString** out, int32_t begin, int32_t end)
{
    if (begin < 0) {
        *out = nullptr;
        return 4;
    }
    *out = HALString::make(connection->url->characters() + begin, end - begin);
    return *out ? 0 : 5;
}

HALHttpConnection::UrlParts partsOf(const HALHttpConnection* connection)
{
    HALHttpConnection::UrlParts parts;
    HALHttpConnection::splitUrl(connection->url->characters(), connection->url->length(), &parts);
    return parts;
}

// A response pair's string with a reference for the caller.
int32_t handOut(HALString* text, HALString** out)
{
    *out = text;
    if (text) {
        text->addReference();
    }
    return 0;
}

// The name or value of response line index; 4 past the end.
int32_t responseLine(HALHttpConnection* connection, int32_t index, bool name, HALString** out)
{
    if (!connection || !out) {
        return 2;
    }
    *out = nullptr;
    Hold hold(connection);
    HALList* list = connection->responseHeaders();
    if (!list) {
        return 7;
    }
    auto* header = static_cast<HALHttpHeader*>(list->get(index));
    if (!header) {
        return 4;
    }
    return handOut(name ? header->name : header->value, out);
}

}  // namespace

int32_t HAL_createHTTPConnection(HALHttpConnection** out, const char16_t* url, int32_t length)
{
    if (!out || (!url && length > 0) || length < 0) {
        return 2;
    }
    HALHttpConnection* connection = HALHttpConnection::make(url, length);
    if (!connection) {
        *out = nullptr;
        return 5;
    }
    connection->connect();  // a failure shows when the request is sent
    *out = connection;
    return 0;
}

int32_t HAL_deleteHTTPConnection(HALHttpConnection* connection)
{
    if (!connection || connection->deleted) {
        return 2;
    }
    connection->deleted = true;
    if (connection->openInputStreams == 0) {
        connection->closeHandles();
    }
    connection->releaseHolder();
    return 0;
}

int32_t HAL_openHTTPInputStream(HALHttpConnection* connection)
{
    if (!connection) {
        return 2;
    }
    connection->addHolder();
    ++connection->openInputStreams;
    return 0;
}

int32_t HAL_openHTTPOutputStream(HALHttpConnection* connection)
{
    if (!connection) {
        return 2;
    }
    connection->addHolder();
    ++connection->openOutputStreams;
    return 0;
}

int32_t HAL_closeHTTPInputStream(HALHttpConnection* connection)
{
    if (!connection) {
        return 2;
    }
    if (connection->openInputStreams == 0) {
        connection->closeHandles();  // no stream holds the connection
        return 0;
    }
    if (--connection->openInputStreams == 0) {
        connection->closeHandles();
    }
    connection->releaseHolder();
    return 0;
}

int32_t HAL_closeHTTPOutputStream(HALHttpConnection* connection)
{
    if (!connection) {
        return 2;
    }
    if (connection->openOutputStreams == 0) {
        return 0;  // no stream holds the connection
    }
    --connection->openOutputStreams;
    connection->releaseHolder();
    return 0;
}

int32_t HAL_getHTTPURL(HALHttpConnection* connection, HALString** out)
{
    if (!connection || !out) {
        return 2;
    }
    *out = HALString::copy(connection->url);
    return *out ? 0 : 5;
}

int32_t HAL_getHTTPHost(HALHttpConnection* connection, HALString** out)
{
    if (!connection || !out) {
        return 2;
    }
    HALHttpConnection::UrlParts parts = partsOf(connection);
    return urlPart(connection, out, parts.hostBegin, parts.hostEnd);
}

int32_t HAL_getHTTPPort(HALHttpConnection* connection, int32_t* port)
{
    if (!connection || !port) {
        return 2;
    }
    return HALHttpConnection::portOf(connection->url->characters(), connection->url->length(), port)
               ? 0
               : 4;
}

int32_t HAL_getHTTPFile(HALHttpConnection* connection, HALString** out)
{
    if (!connection || !out) {
        return 2;
    }
    *out = nullptr;
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwUrlPathLength = 1;
    if (!connection->url->characters() ||
        !InternetCrackUrlW(connection->url->characters(),
                           static_cast<DWORD>(connection->url->length()), 0, &parts)) {
        return 4;
    }
    int32_t length = 0;
    while (length < static_cast<int32_t>(parts.dwUrlPathLength) &&
           parts.lpszUrlPath[length] != u'?' && parts.lpszUrlPath[length] != u'#') {
        ++length;
    }
    if (length == 0) {
        return 4;
    }
    *out = HALString::make(parts.lpszUrlPath, length);
    return *out ? 0 : 5;
}

int32_t HAL_getHTTPQuery(HALHttpConnection* connection, HALString** out)
{
    if (!connection || !out) {
        return 2;
    }
    HALHttpConnection::UrlParts parts = partsOf(connection);
    return urlPart(connection, out, parts.queryBegin, parts.queryEnd);
}

int32_t HAL_getHTTPRef(HALHttpConnection* connection, HALString** out)
{
    if (!connection || !out) {
        return 2;
    }
    HALHttpConnection::UrlParts parts = partsOf(connection);
    return urlPart(connection, out, parts.refBegin, connection->url->length());
}

int32_t HAL_getHTTPRequestMethod(HALHttpConnection* connection, HALString** out)
{
    if (!connection || !out) {
        return 2;
    }
    *out = connection->method ? HALString::copy(connection->method) : HALString::make(u"GET");
    return *out ? 0 : 5;
}

int32_t HAL_setHTTPRequestMethod(HALHttpConnection* connection, const char16_t* method,
                                 int32_t length)
{
    if (!connection || !method || length <= 0) {
        return 2;
    }
    HALString* copy = HALString::make(method, length);
    if (!copy) {
        return 5;
    }
    if (connection->method) {
        connection->method->release();
    }
    connection->method = copy;
    return 0;
}

int32_t HAL_setHTTPRequestProperty(HALHttpConnection* connection, const char16_t* name,
                                   int32_t nameLength, const char16_t* value, int32_t valueLength)
{
    if (!connection) {
        return 2;
    }
    if (!value || valueLength < 0) {
        value = u"";
        valueLength = 0;
    }
    // A name that is no token, or a line break in the value, would break
    // or forge the request's header lines.
    if (!name || !validHeaderText(name, nameLength, true) ||
        !validHeaderText(value, valueLength, false)) {
        return 2;
    }
    HALList* list = connection->requestHeaders();
    if (!list) {
        return 7;
    }
    HALString* newValue = HALString::make(value, valueLength);
    if (!newValue) {
        return 7;
    }
    if (HALHttpHeader* same = HALHttpConnection::findHeader(list, name, nameLength, false)) {
        same->value->release();
        same->value = newValue;
        return 0;
    }
    HALString* newName = HALString::make(name, nameLength);
    HALHttpHeader* header = newName ? makeHeader(0, newName, newValue) : nullptr;
    if (!header || !list->add(header)) {
        if (header) {
            freeHeader(header);
        } else {
            if (newName) newName->release();
            newValue->release();
        }
        return 7;
    }
    return 0;
}

int32_t HAL_getHTTPRequestProperty(HALHttpConnection* connection, const char16_t* name, int32_t,
                                   HALString** value)
{
    if (!connection || !value) {
        return 2;
    }
    *value = nullptr;
    if (!name) {
        return 0;
    }
    HALHttpHeader* header = HALHttpConnection::findHeader(connection->requestHeaderList, name,
                                                          terminatedLength(name), false);
    return handOut(header ? header->value : nullptr, value);
}

int32_t HAL_writeHTTP(HALHttpConnection* connection, const int8_t* data, int32_t length)
{
    if (!connection || length < 0 || (!data && length > 0)) {
        return 2;
    }
    if (length == 0) {
        return 0;
    }
    if (!connection->bodyChunks) {
        connection->bodyChunks = HALList::create();
        connection->bodyChunkLengths = HALList::create();
    }
    if (!connection->bodyChunks || !connection->bodyChunkLengths) {
        return 5;
    }
    void* copy = HAL_malloc(static_cast<uint32_t>(length));
    if (!copy) {
        return 5;
    }
    std::memcpy(copy, data, static_cast<size_t>(length));
    if (!connection->bodyChunks->add(copy)) {
        HAL_free(copy);
        return 5;
    }
    if (!connection->bodyChunkLengths->add(reinterpret_cast<void*>(static_cast<intptr_t>(length)))) {
        connection->bodyChunks->removeAt(connection->bodyChunks->size() - 1);
        HAL_free(copy);
        return 5;
    }
    return 0;
}

int32_t HAL_readHTTP(HALHttpConnection* connection, const int8_t** buffer, int32_t* count)
{
    if (!connection || !buffer || !count) {
        return 2;
    }
    *count = -1;
    Hold hold(connection);
    if (connection->send() != 0 || !connection->requestHandle) {
        return 7;
    }
    if (!connection->readBuffer) {
        connection->readBuffer = static_cast<int8_t*>(HAL_malloc(kReadBufferSize));
        if (!connection->readBuffer) {
            return 7;
        }
    }
    DWORD read = 0;
    if (!InternetReadFile(connection->requestHandle, connection->readBuffer, kReadBufferSize,
                          &read)) {
        connection->lastError = GetLastError();
        return 7;
    }
    *buffer = connection->readBuffer;
    *count = static_cast<int32_t>(read);
    return read == 0 ? 3 : 0;
}

int32_t HAL_getHTTPResponseCode(HALHttpConnection* connection, int32_t* code)
{
    if (!connection || !code) {
        return 2;
    }
    *code = -1;
    Hold hold(connection);
    if (connection->send() != 0) {
        return 7;
    }
    *code = connection->statusCode;
    return 0;
}

int32_t HAL_getHTTPResponseMessage(HALHttpConnection* connection, HALString** message)
{
    return HAL_getHTTPHeaderFieldByIndex(connection, 0, message);
}

int32_t HAL_getHTTPHeaderFieldByIndex(HALHttpConnection* connection, int32_t index,
                                      HALString** value)
{
    return responseLine(connection, index, false, value);
}

int32_t HAL_getHTTPHeaderFieldKey(HALHttpConnection* connection, int32_t index, HALString** name)
{
    return responseLine(connection, index, true, name);
}

int32_t HAL_getHTTPHeaderField(HALHttpConnection* connection, const char16_t* name, int32_t,
                               HALString** value)
{
    if (!connection || !name || !value) {
        return 2;
    }
    *value = nullptr;
    Hold hold(connection);
    HALList* list = connection->responseHeaders();
    if (!list) {
        return 7;
    }
    HALHttpHeader* header =
        HALHttpConnection::findHeader(list, name, terminatedLength(name), true);
    return header ? handOut(header->value, value) : 4;
}

int32_t HAL_getHTTPType(HALHttpConnection* connection, HALString** type)
{
    if (!connection || !type) {
        return 2;
    }
    *type = nullptr;
    Hold hold(connection);
    if (connection->send() != 0) {
        return 7;
    }
    return connection->contentType ? handOut(connection->contentType, type) : 4;
}

int32_t HAL_getHTTPEncoding(HALHttpConnection* connection, HALString** encoding)
{
    return HAL_getHTTPHeaderField(connection, u"Transfer-Encoding", 17, encoding);
}

int32_t HAL_getHTTPLength(HALHttpConnection* connection, int64_t* length)
{
    if (!connection || !length) {
        return 2;
    }
    *length = -1;
    Hold hold(connection);
    if (connection->send() != 0 || !connection->contentLengthValid) {
        return 7;
    }
    *length = connection->contentLength;
    return 0;
}

void HAL_closeHTTPSession()
{
    CRITICAL_SECTION* lock = nullptr;
    {
        std::lock_guard<std::mutex> guard(g_sessionLockMaker);
        lock = g_sessionLock;
        g_sessionLock = nullptr;
    }
    if (g_session) {
        InternetCloseHandle(g_session);
        g_session = nullptr;
    }
    if (g_agent) {
        g_agent->release();
        g_agent = nullptr;
    }
    g_agentRead = false;
    if (lock) {
        DeleteCriticalSection(lock);
        delete lock;
    }
}
