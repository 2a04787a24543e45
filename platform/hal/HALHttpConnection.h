#pragma once
// HALHttpConnection: one HTTP request over WinInet. It keeps the URL, the
// method, the request headers and the body until the request is sent, which
// happens once, on the first operation that needs the reply. The HAL_ HTTP
// operations of hal/http.h work on it.
//
// Holders: the connection's owner and every stream opened on it
// (HAL_openHTTPInputStream, HAL_openHTTPOutputStream) hold the object; it is
// freed when the owner has deleted it and every stream is closed. The request
// and its server connection are closed once no input stream is left open.

#include <cstdint>

struct HALList;
struct HALString;

// A header line: kind 0 request, 1 response; no name for a line without
// ':' (the status line).
struct HALHttpHeader {
    int32_t kind;
    HALString* name;
    HALString* value;
};

struct HALHttpConnection {
public:
    // Made with a copy of the URL; null when memory runs out.
    static HALHttpConnection* make(const char16_t* url, int32_t length);

    // Parts of a URL, as index ranges into its text. Every begin is -1 when
    // the part is absent.
    struct UrlParts {
        int32_t hostBegin = -1, hostEnd = -1;
        int32_t portBegin = -1, portEnd = -1;  // the digits after the host's ':'
        int32_t queryBegin = -1, queryEnd = -1;
        int32_t refBegin = -1;
    };
    // The host follows the scheme's "://" (and any "user@"), up to a ':', '/',
    // '?', '#' or the end; the query lies between the first '?' and the first
    // '#' after it; the ref follows the first '#'. False without a scheme.
    static bool splitUrl(const char16_t* url, int32_t length, UrlParts* parts);
    // The port of a URL: 80 when it names none; false when its port is not a
    // number from 1 to 65535.
    static bool portOf(const char16_t* url, int32_t length, int32_t* port);
    // Splits raw reply headers (CR LF lines up to an empty line) into
    // response pairs appended to `pairs`: line 0 (the status line) has no
    // name; a later line with ':' is named by the text before it and valued
    // by the text after it without leading blanks. False when memory runs
    // out (the pairs made so far stay in the list).
    static bool parseResponseHeaders(const char16_t* raw, int32_t length, HALList* pairs);
    // Frees every pair of a header list, then the list; null ignored.
    static void freeHeaders(HALList* pairs);

    // Connects (the session first when there is none), the VM lock released
    // around the blocking calls; false when it failed (last error kept).
    bool connect();
    // Sends the request once: 0, 7 (no connection, or opening or filling the
    // request failed) or 4 (the transfer failed); later calls answer the
    // first call's status.
    int32_t send();
    // The response pairs, built after a successful send; null before or when
    // the request failed.
    HALList* responseHeaders();
    // The request pairs, made on first use; null when memory runs out.
    HALList* requestHeaders();
    // The first pair of the list whose name equals (ignoreCase: ASCII case
    // folded); null when absent.
    static HALHttpHeader* findHeader(HALList* pairs, const char16_t* name, int32_t length,
                                     bool ignoreCase);

    // Holders (see above); releaseHolder frees the object after the last.
    void addHolder() { ++holders_; }
    void releaseHolder();
    // Closes the request and server connection handles; the reply read so
    // far stays answerable.
    void closeHandles();

    HALString* url = nullptr;
    HALString* method = nullptr;
    void* connectHandle = nullptr;
    void* requestHandle = nullptr;
    uint32_t lastError = 0;
    HALList* requestHeaderList = nullptr;
    HALList* responseHeaderList = nullptr;
    HALList* bodyChunks = nullptr;
    HALList* bodyChunkLengths = nullptr;
    int8_t* readBuffer = nullptr;

    // Filled by a successful send.
    int32_t statusCode = -1;
    int64_t contentLength = -1;
    bool contentLengthValid = true;
    HALString* contentType = nullptr;

    bool deleted = false;
    int32_t openInputStreams = 0;
    int32_t openOutputStreams = 0;

private:
    HALHttpConnection() = default;
    ~HALHttpConnection() = default;
    void destroy();

    int32_t sendStatus_ = -1;  // -1 until the request went out
    int32_t holders_ = 1;
};
