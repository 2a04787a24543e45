#pragma once
// HTTP connections. Strings handed out carry one reference for the caller,
// who releases them with HAL_deleteString; "none" is a null string. Body bytes
// are Java bytes (int8_t).
//
// The request goes out once, on the first operation that needs the reply.
// When it could not be sent, every question about the reply answers 7.

#include <cstdint>

struct HALHttpConnection;
struct HALString;

// Makes the connection and connects at once; the connection is handed out
// even when connecting failed (its requests then fail with 7).
int32_t HAL_createHTTPConnection(HALHttpConnection** out, const char16_t* url, int32_t length);
// Closes the request; the object itself lives on until every stream opened
// on it is closed. 2 for null, or for a second delete while a stream still
// holds the object (once freed, the handle must not be used again).
int32_t HAL_deleteHTTPConnection(HALHttpConnection* connection);

// Parts of the URL. The host ends at ':', '/', '?', '#' or the end; the port
// is 80 when the URL names none (4 when it is no number from 1 to 65535); the
// query lies between the first '?' and the '#'; the ref follows the first '#'.
// The file is the path without query and ref (4 when the URL has none).
int32_t HAL_getHTTPURL(HALHttpConnection* connection, HALString** url);
int32_t HAL_getHTTPHost(HALHttpConnection* connection, HALString** host);
int32_t HAL_getHTTPPort(HALHttpConnection* connection, int32_t* port);
int32_t HAL_getHTTPFile(HALHttpConnection* connection, HALString** file);
int32_t HAL_getHTTPQuery(HALHttpConnection* connection, HALString** query);
int32_t HAL_getHTTPRef(HALHttpConnection* connection, HALString** ref);

// The request.
int32_t HAL_getHTTPRequestMethod(HALHttpConnection* connection, HALString** method);
int32_t HAL_setHTTPRequestMethod(HALHttpConnection* connection, const char16_t* method, int32_t length);
// Adds a header or replaces the value of the one with exactly this name; 2
// when the name is no token or the value holds a control character (either
// would break or forge the request's header lines).
int32_t HAL_setHTTPRequestProperty(HALHttpConnection* connection, const char16_t* name, int32_t nameLength,
                                   const char16_t* value, int32_t valueLength);
// name is NUL-terminated; length is not used.
int32_t HAL_getHTTPRequestProperty(HALHttpConnection* connection, const char16_t* name, int32_t length,
                                   HALString** value);
// Appends a copy of the bytes to the body sent with the request.
int32_t HAL_writeHTTP(HALHttpConnection* connection, const int8_t* data, int32_t length);

// Streams: each open adds a holder of the connection, each close drops it.
// The request closes when no input stream is left; a close without an open
// takes no holder away (an input close still closes the request).
int32_t HAL_openHTTPInputStream(HALHttpConnection* connection);
int32_t HAL_openHTTPOutputStream(HALHttpConnection* connection);
int32_t HAL_closeHTTPInputStream(HALHttpConnection* connection);
int32_t HAL_closeHTTPOutputStream(HALHttpConnection* connection);

// The response (each sends the request first when it has not gone out).
// Up to 4096 body bytes in the connection's own buffer: 0 with *count > 0,
// 3 at the end of the body (*count 0), 7 on failure (*count -1).
int32_t HAL_readHTTP(HALHttpConnection* connection, const int8_t** buffer, int32_t* count);
int32_t HAL_getHTTPResponseCode(HALHttpConnection* connection, int32_t* code);
// The whole status line.
int32_t HAL_getHTTPResponseMessage(HALHttpConnection* connection, HALString** message);
// Response line index (0 is the status line); 4 past the end.
int32_t HAL_getHTTPHeaderFieldByIndex(HALHttpConnection* connection, int32_t index, HALString** value);
int32_t HAL_getHTTPHeaderFieldKey(HALHttpConnection* connection, int32_t index, HALString** name);
// name is NUL-terminated and compared without regard to case; length is not
// used. 4 when absent.
int32_t HAL_getHTTPHeaderField(HALHttpConnection* connection, const char16_t* name, int32_t length,
                               HALString** value);
int32_t HAL_getHTTPType(HALHttpConnection* connection, HALString** type);
int32_t HAL_getHTTPEncoding(HALHttpConnection* connection, HALString** encoding);
// -1 when the server gives no length; 7 when its length is no number.
int32_t HAL_getHTTPLength(HALHttpConnection* connection, int64_t* length);

// Within the layer, at shutdown: closes the shared session, deletes the
// HTTP lock.
void HAL_closeHTTPSession();
