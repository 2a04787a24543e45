#pragma once
// WinInet: HTTP and HTTPS requests on libcurl.
//
// A session (InternetOpenW) holds the agent text, a connection
// (InternetConnectW) the server's host and port, a request (HttpOpenRequestW)
// its method, path and headers. HttpSendRequestW carries out the whole
// transfer: it follows redirects, keeps the final reply's raw headers and its
// body in memory, and fails on a refused or silent server (time-outs), a
// broken or oversized reply, and an https peer whose certificate the system's
// store does not trust. InternetReadFile then hands out the stored body.
// Handles live in the stand-in's handle table, so a stale one is refused.

#include "wince/errors.h"
#include "wince/kernel.h"

#include <string>

typedef HANDLE HINTERNET;
typedef uintptr_t DWORD_PTR;
typedef WORD INTERNET_PORT;

#define INTERNET_OPEN_TYPE_PRECONFIG 0u
#define INTERNET_SERVICE_HTTP 3u
#define INTERNET_DEFAULT_HTTP_PORT 80
#define INTERNET_DEFAULT_HTTPS_PORT 443
#define INTERNET_INVALID_PORT_NUMBER 0

// HttpOpenRequestW: asks for TLS (the stand-in also takes it for https).
#define INTERNET_FLAG_SECURE 0x00800000u

// HttpAddRequestHeadersW modifiers.
#define HTTP_ADDREQ_FLAG_ADD 0x20000000u
#define HTTP_ADDREQ_FLAG_REPLACE 0x80000000u

// HttpQueryInfoW levels and modifiers.
#define HTTP_QUERY_CONTENT_TYPE 1u
#define HTTP_QUERY_CONTENT_LENGTH 5u
#define HTTP_QUERY_STATUS_CODE 19u
#define HTTP_QUERY_RAW_HEADERS_CRLF 22u
#define HTTP_QUERY_FLAG_NUMBER 0x20000000u
#define HTTP_QUERY_FLAG_REQUEST_HEADERS 0x80000000u

// Error codes of the WinInet calls (GetLastError).
#define ERROR_INTERNET_TIMEOUT 12002u
#define ERROR_INTERNET_INTERNAL_ERROR 12004u
#define ERROR_INTERNET_OPERATION_CANCELLED 12017u
#define ERROR_INTERNET_INVALID_URL 12005u
#define ERROR_INTERNET_UNRECOGNIZED_SCHEME 12006u
#define ERROR_INTERNET_NAME_NOT_RESOLVED 12007u
#define ERROR_INTERNET_INCORRECT_HANDLE_TYPE 12018u
#define ERROR_INTERNET_INCORRECT_HANDLE_STATE 12019u
#define ERROR_INTERNET_CANNOT_CONNECT 12029u
#define ERROR_INTERNET_CONNECTION_ABORTED 12030u
#define ERROR_HTTP_HEADER_NOT_FOUND 12150u
#define ERROR_HTTP_INVALID_SERVER_RESPONSE 12152u
#define ERROR_HTTP_INVALID_HEADER 12153u
#define ERROR_HTTP_REDIRECT_FAILED 12156u
#define ERROR_INTERNET_SECURE_FAILURE 12175u

enum INTERNET_SCHEME {
    INTERNET_SCHEME_UNKNOWN = -1,
    INTERNET_SCHEME_DEFAULT = 0,
    INTERNET_SCHEME_HTTP = 3,
    INTERNET_SCHEME_HTTPS = 4,
};

// InternetCrackUrlW: each part whose length is non-zero on entry is wanted.
// With a null pointer the part is handed out as a pointer into the URL and
// its length; with a buffer it is copied there (length in characters, room
// for the terminator) and the length becomes the copied length.
struct URL_COMPONENTSW {
    DWORD dwStructSize;
    LPWSTR lpszScheme;
    DWORD dwSchemeLength;
    INTERNET_SCHEME nScheme;
    LPWSTR lpszHostName;
    DWORD dwHostNameLength;
    INTERNET_PORT nPort;
    LPWSTR lpszUserName;
    DWORD dwUserNameLength;
    LPWSTR lpszPassword;
    DWORD dwPasswordLength;
    LPWSTR lpszUrlPath;
    DWORD dwUrlPathLength;
    LPWSTR lpszExtraInfo;
    DWORD dwExtraInfoLength;
};

// ERROR_SUCCESS: the network is always reachable here.
DWORD InternetAttemptConnect(DWORD reserved);
HINTERNET InternetOpenW(LPCWSTR agent, DWORD accessType, LPCWSTR proxy, LPCWSTR proxyBypass,
                        DWORD flags);
// Splits an http or https URL into scheme, host, port, user, password, path
// (with its query and fragment unless the extra info is wanted, which then
// holds them). A missing or bad port, an empty host or another scheme fails
// with ERROR_INTERNET_INVALID_URL or ERROR_INTERNET_UNRECOGNIZED_SCHEME.
// length 0 means the URL is NUL-terminated.
BOOL InternetCrackUrlW(LPCWSTR url, DWORD length, DWORD flags, URL_COMPONENTSW* components);
// Only remembers the server; nothing goes over the network until a request is
// sent. Port 0 is the default port of the request's scheme.
HINTERNET InternetConnectW(HINTERNET session, LPCWSTR server, INTERNET_PORT port,
                           LPCWSTR userName, LPCWSTR password, DWORD service, DWORD flags,
                           DWORD_PTR context);
// A null verb is "GET"; a null or empty path is "/". The request is https
// when flags carry INTERNET_FLAG_SECURE.
HINTERNET HttpOpenRequestW(HINTERNET connection, LPCWSTR verb, LPCWSTR objectName,
                           LPCWSTR version, LPCWSTR referrer, LPCWSTR* acceptTypes, DWORD flags,
                           DWORD_PTR context);
// Header lines separated by CR LF ("Name: value"); length -1 (as a DWORD)
// means NUL-terminated. With HTTP_ADDREQ_FLAG_REPLACE a header of the same
// name (without regard to case) is replaced. A line without a name, with a
// control character in it, or added after the request went out fails with
// ERROR_INVALID_PARAMETER.
BOOL HttpAddRequestHeadersW(HINTERNET request, LPCWSTR headers, DWORD length, DWORD modifiers);
// The whole transfer; once per request (a second call fails). The method
// goes out as set, with the body when one is given. A redirect may not take
// an https request to plain http. Closing the request's handle, or its
// connection's or session's, from another thread ends the transfer at once
// with ERROR_INTERNET_OPERATION_CANCELLED.
BOOL HttpSendRequestW(HINTERNET request, LPCWSTR headers, DWORD headersLength, LPVOID optional,
                      DWORD optionalLength);
// A text goes into buffer with a terminator and *length becomes its size in
// bytes without it; a buffer too small fails with ERROR_INSUFFICIENT_BUFFER
// and *length the bytes needed with the terminator. With
// HTTP_QUERY_FLAG_NUMBER the answer is a DWORD (*length at least 4). Raw
// response headers are Latin-1 widened to UTF-16. An absent header fails with
// ERROR_HTTP_HEADER_NOT_FOUND; a value that is not a number asked for as one
// with ERROR_HTTP_INVALID_HEADER.
BOOL HttpQueryInfoW(HINTERNET request, DWORD infoLevel, LPVOID buffer, DWORD* length,
                    DWORD* index);
// Copies up to toRead bytes of the stored body; TRUE with *read 0 at the end.
BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read);
BOOL InternetCloseHandle(HINTERNET handle);

namespace wince {

// Test seam: time-outs of the next transfers (connect time-out, and the time
// a transfer may run without moving a byte), in milliseconds; zeros go back
// to the stand-in's own (20 s and 30 s).
void setInternetTimeouts(uint32_t connectMs, uint32_t stallMs);
// Test seam: a PEM file of the certificates trusted for https in place of
// the system's store; empty goes back to the system's store.
void setInternetTrustFile(const std::string& path);

// The limits a reply must keep.
constexpr size_t kInternetMaxBody = 32u * 1024u * 1024u;
constexpr size_t kInternetMaxHeaders = 64u * 1024u;

}  // namespace wince
