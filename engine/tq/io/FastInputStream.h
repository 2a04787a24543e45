#pragma once
// tq.io.FastInputStream: reads another stream in blocks of up to 1024 bytes
// and serves bytes, array reads and skips from its buffer. A read never asks
// the source while bytes are buffered, so it may answer fewer than asked.
// After close every read throws IOException "InputStream closed".

#include <cstdint>

#include "java/io/InputStream.h"
#include "java/io/OutputStream.h"

namespace tq::io {

class FastInputStream : public java::io::InputStream {
    VM_CLASS(FastInputStream, java::io::InputStream)

    static constexpr int32_t BUFFER_SIZE = 1024;

    VMPtr<FastInputStream> init(VMPtr<java::io::InputStream> source);

    using java::io::InputStream::read;
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read() override;
    int64_t skip(int64_t n) override;
    // The bytes buffered (also after close).
    int32_t available() override;
    // Closes the source once.
    void close() override;
    // mark and reset do nothing; reset does not throw.
    void mark(int32_t readLimit) override;
    void reset() override;
    bool markSupported() override;
    // Writes every buffered byte to out in one write and answers how many;
    // -1 at the end of the source.
    virtual int32_t drainTo(VMPtr<java::io::OutputStream> out);

    VMField<ByteArray> buffer;
    VMField<java::io::InputStream> source;
    int32_t position = 0;
    bool closed = false;
    bool end = false;
    int32_t count = 0;

private:
    // Refills an empty buffer from the source, unless at the end.
    void fill();

    VM_FIELDS(buffer, source)
};

} // namespace tq::io
