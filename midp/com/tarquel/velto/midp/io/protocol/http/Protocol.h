#pragma once
// com.tarquel.velto.midp.io.protocol.http.Protocol: the connection for
// "http" URLs, over the platform's HTTP connection. States: setup (request
// settings allowed), connected (after the first question that needs the
// reply), closed (everything but close throws). The request goes out once,
// when the platform first needs the reply.

#include "com/tarquel/velto/cldc/io/ConnectionBaseInterface.h"
#include "com/tarquel/velto/midp/io/HttpInputStream.h"
#include "com/tarquel/velto/midp/io/HttpOutputStream.h"
#include "javax/microedition/io/HttpConnection.h"
#include "vm/VMArray.h"

struct HALHttpConnection;
struct HALString;

namespace com::tarquel::velto::midp::io::protocol::http {

class Protocol : public virtual java::lang::Object,
                 public virtual com::tarquel::velto::cldc::io::ConnectionBaseInterface,
                 public virtual javax::microedition::io::HttpConnection {
    VM_CLASS(Protocol, java::lang::Object)

    using String = java::lang::String;
    using StringArray = VMArray<String, 1>;

    static constexpr int32_t SETUP = 0, CONNECTED = 1, CLOSED = 2;

    VMPtr<Protocol> init();
    // Deletes a platform connection that close() did not.
    ~Protocol() override;

    // IOException "HAL_createHTTPConnection error: <status>" when the
    // platform cannot make the connection.
    VMPtr<javax::microedition::io::Connection> openUrl(VMPtr<String> name, int32_t mode,
                                                       bool timeouts) override;

    VMPtr<String> getURL() override;
    VMPtr<String> getProtocol() override;
    VMPtr<String> getHost() override;
    VMPtr<String> getFile() override;
    VMPtr<String> getRef() override;
    VMPtr<String> getQuery() override;
    int32_t getPort() override;
    VMPtr<String> getRequestMethod() override;
    // HEAD, GET or POST in any case, passed on as written.
    void setRequestMethod(VMPtr<String> method) override;
    VMPtr<String> getRequestProperty(VMPtr<String> key) override;
    // IllegalArgumentException for a key that is no header name or a value
    // with a control character.
    void setRequestProperty(VMPtr<String> key, VMPtr<String> value) override;
    int32_t getResponseCode() override;
    VMPtr<String> getResponseMessage() override;
    int64_t getExpiration() override;
    int64_t getDate() override;
    int64_t getLastModified() override;
    VMPtr<String> getHeaderField(int32_t n) override;
    // The name compared without regard to case.
    VMPtr<String> getHeaderField(VMPtr<String> name) override;
    int32_t getHeaderFieldInt(VMPtr<String> name, int32_t def) override;
    int64_t getHeaderFieldDate(VMPtr<String> name, int64_t def) override;
    VMPtr<String> getHeaderFieldKey(int32_t n) override;

    VMPtr<String> getType() override;
    VMPtr<String> getEncoding() override;
    int64_t getLength() override;

    VMPtr<java::io::InputStream> openInputStream() override;
    VMPtr<java::io::DataInputStream> openDataInputStream() override;
    VMPtr<java::io::OutputStream> openOutputStream() override;
    VMPtr<java::io::DataOutputStream> openDataOutputStream() override;

    // Closes the last streams handed out and the platform connection; any
    // state, any number of times.
    void close() override;

    // Milliseconds since 1970 of an HTTP date text (the three HTTP forms,
    // m/d/y dates with am/pm, signed hhmm offsets, comments); throws
    // IllegalArgumentException "Error parsing date".
    static int64_t parseDate(VMPtr<String> text);

protected:
    void ensureOpen();
    // ensureOpen, then setup becomes connected.
    void connect();

public:
    HALHttpConnection* connection = nullptr;
    int32_t state = SETUP;
    VMField<com::tarquel::velto::midp::io::HttpOutputStream> outputStream;
    VMField<com::tarquel::velto::midp::io::HttpInputStream> inputStream;

    VM_STATIC(String, protocolName);
    VM_STATIC(StringArray, dateWords);

    VM_FIELDS(outputStream, inputStream)
};

} // namespace com::tarquel::velto::midp::io::protocol::http
