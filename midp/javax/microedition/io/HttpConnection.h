#pragma once
// javax.microedition.io.HttpConnection: an HTTP request and its reply. The
// method-name constants are statics made by the interface's initialiser.

#include "javax/microedition/io/ContentConnection.h"

#include "java/lang/String.h"

namespace javax::microedition::io {

class HttpConnection : public virtual ContentConnection {
    VM_INTERFACE(HttpConnection)

    VM_STATIC(java::lang::String, HEAD);
    VM_STATIC(java::lang::String, GET);
    VM_STATIC(java::lang::String, POST);

    static constexpr int32_t HTTP_OK = 200, HTTP_CREATED = 201, HTTP_ACCEPTED = 202,
                             HTTP_NOT_AUTHORITATIVE = 203, HTTP_NO_CONTENT = 204,
                             HTTP_RESET = 205, HTTP_PARTIAL = 206, HTTP_MULT_CHOICE = 300,
                             HTTP_MOVED_PERM = 301, HTTP_MOVED_TEMP = 302, HTTP_SEE_OTHER = 303,
                             HTTP_NOT_MODIFIED = 304, HTTP_USE_PROXY = 305,
                             HTTP_TEMP_REDIRECT = 307, HTTP_BAD_REQUEST = 400,
                             HTTP_UNAUTHORIZED = 401, HTTP_PAYMENT_REQUIRED = 402,
                             HTTP_FORBIDDEN = 403, HTTP_NOT_FOUND = 404, HTTP_BAD_METHOD = 405,
                             HTTP_NOT_ACCEPTABLE = 406, HTTP_PROXY_AUTH = 407,
                             HTTP_CLIENT_TIMEOUT = 408, HTTP_CONFLICT = 409, HTTP_GONE = 410,
                             HTTP_LENGTH_REQUIRED = 411, HTTP_PRECON_FAILED = 412,
                             HTTP_ENTITY_TOO_LARGE = 413, HTTP_REQ_TOO_LONG = 414,
                             HTTP_UNSUPPORTED_TYPE = 415, HTTP_UNSUPPORTED_RANGE = 416,
                             HTTP_EXPECT_FAILED = 417, HTTP_INTERNAL_ERROR = 500,
                             HTTP_NOT_IMPLEMENTED = 501, HTTP_BAD_GATEWAY = 502,
                             HTTP_UNAVAILABLE = 503, HTTP_GATEWAY_TIMEOUT = 504,
                             HTTP_VERSION = 505;

    virtual VMPtr<java::lang::String> getURL() = 0;
    virtual VMPtr<java::lang::String> getProtocol() = 0;
    virtual VMPtr<java::lang::String> getHost() = 0;
    virtual VMPtr<java::lang::String> getFile() = 0;
    virtual VMPtr<java::lang::String> getRef() = 0;
    virtual VMPtr<java::lang::String> getQuery() = 0;
    virtual int32_t getPort() = 0;
    virtual VMPtr<java::lang::String> getRequestMethod() = 0;
    virtual void setRequestMethod(VMPtr<java::lang::String> method) = 0;
    virtual VMPtr<java::lang::String> getRequestProperty(VMPtr<java::lang::String> key) = 0;
    virtual void setRequestProperty(VMPtr<java::lang::String> key,
                                    VMPtr<java::lang::String> value) = 0;
    virtual int32_t getResponseCode() = 0;
    virtual VMPtr<java::lang::String> getResponseMessage() = 0;
    virtual int64_t getExpiration() = 0;
    virtual int64_t getDate() = 0;
    virtual int64_t getLastModified() = 0;
    virtual VMPtr<java::lang::String> getHeaderField(int32_t n) = 0;
    virtual VMPtr<java::lang::String> getHeaderField(VMPtr<java::lang::String> name) = 0;
    virtual int32_t getHeaderFieldInt(VMPtr<java::lang::String> name, int32_t def) = 0;
    virtual int64_t getHeaderFieldDate(VMPtr<java::lang::String> name, int64_t def) = 0;
    virtual VMPtr<java::lang::String> getHeaderFieldKey(int32_t n) = 0;
};

} // namespace javax::microedition::io
