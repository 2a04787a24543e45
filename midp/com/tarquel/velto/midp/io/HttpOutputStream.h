#pragma once
// com.tarquel.velto.midp.io.HttpOutputStream: hands every write to the
// platform connection, which keeps the bytes as the request body and sends
// them with the request. The stream holds the platform connection until it
// is closed, or freed by the collector.

#include "java/io/OutputStream.h"

struct HALHttpConnection;

namespace com::tarquel::velto::midp::io {

class HttpOutputStream : public java::io::OutputStream {
    VM_CLASS(HttpOutputStream, java::io::OutputStream)

    ~HttpOutputStream() override;

    // Over the platform connection (not null).
    VMPtr<HttpOutputStream> init(HALHttpConnection* connection);

    using OutputStream::write;
    // One body chunk. A null b throws NullPointerException, a range outside
    // b IndexOutOfBoundsException; a closed stream IOException.
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    void write(int32_t b) override;
    void flush() override {}
    void close() override;

    HALHttpConnection* connection = nullptr;  // null once closed

private:
    void checkOpen();
};

} // namespace com::tarquel::velto::midp::io
