#pragma once
// com.tarquel.velto.midp.io.HttpInputStream: the reply body of an HTTP
// connection, read in the blocks the platform fills (up to 4096 bytes in the
// platform connection's own buffer). The stream holds the platform connection
// until it is closed, or freed by the collector.

#include "java/io/InputStream.h"

struct HALHttpConnection;

namespace com::tarquel::velto::midp::io {

class HttpInputStream : public java::io::InputStream {
    VM_CLASS(HttpInputStream, java::io::InputStream)

    ~HttpInputStream() override;

    // Over the platform connection (not null).
    VMPtr<HttpInputStream> init(HALHttpConnection* connection);

    using InputStream::read;
    // At most the bytes left in the current block; -1 at the end of the body.
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read() override;
    int64_t skip(int64_t n) override;
    // The bytes left in the current block (also after close).
    int32_t available() override { return count - position; }
    void close() override;
    void mark(int32_t) override {}
    bool markSupported() override { return false; }

    HALHttpConnection* connection = nullptr;  // null once closed
    int32_t position = 0;
    int32_t count = 0;
    const int8_t* buffer = nullptr;

private:
    void checkOpen();
    // Fetches the next block when the current one is used up; false at the
    // end of the body.
    bool refill();
};

// Throws IOException "HttpConnection error: " and the platform status.
[[noreturn]] void _VM_throwHttpError(int32_t status);

} // namespace com::tarquel::velto::midp::io
