#pragma once
// com.tarquel.velto.cldc.io.ResourceInputStream: an InputStream over one
// file of the application's resource folder, read through the platform's
// resource functions at an explicit position; reads of a few bytes are
// served from one read ahead of them. Failures are IOExceptions:
// "Resource error: " and the platform status for a failed open or read, no
// message on a closed stream. The handle is closed by close() or, failing
// that, when the collector frees the stream.

#include "java/io/InputStream.h"

struct HALResource;
namespace java::lang { class String; }

namespace com::tarquel::velto::cldc::io {

class ResourceInputStream : public java::io::InputStream {
    VM_CLASS(ResourceInputStream, java::io::InputStream)

    ~ResourceInputStream() override;

    // Opens the resource by name (relative to the resource folder).
    VMPtr<ResourceInputStream> init(VMPtr<java::lang::String> name);

    using InputStream::read;
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read() override;
    int32_t readBytes(uint8_t* to, int32_t count) override;
    // Moves the position, at most to the end; nothing is read.
    int64_t skip(int64_t n) override;
    // These three also answer on a closed stream.
    int32_t available() override { return size - pos; }
    void mark(int32_t) override { markPosition = pos; }
    bool markSupported() override { return true; }
    void reset() override;
    // Closing twice does nothing.
    void close() override;

    HALResource* handle = nullptr;
    int32_t pos = 0;
    int32_t size = 0;
    int32_t markPosition = 0;

private:
    static constexpr int32_t kAhead = 512;

    void checkOpen();
    // Reads count bytes at pos into buffer; -1 at the end, else the count.
    int32_t readAt(void* buffer, int32_t count);
    // The platform read of count bytes at `at`, with readAt's results.
    int32_t readDirect(void* buffer, int32_t at, int32_t count);

    // The resource's bytes [aheadStart, aheadStart + aheadCount).
    int32_t aheadStart = 0;
    int32_t aheadCount = 0;
    uint8_t ahead[kAhead];
};

} // namespace com::tarquel::velto::cldc::io
