#pragma once
// java.io.ByteArrayInputStream: reads a byte array (not copied) from pos up
// to count. read and skip hold the stream's monitor.

#include "java/io/InputStream.h"

namespace java::io {

class ByteArrayInputStream : public InputStream {
    VM_CLASS(ByteArrayInputStream, InputStream)

    // The whole array; a null array throws NullPointerException.
    VMPtr<ByteArrayInputStream> init(VMPtr<ByteArray> buf);
    // From offset, at most length bytes (count stops at the array's end);
    // mark starts at offset.
    VMPtr<ByteArrayInputStream> init(VMPtr<ByteArray> buf, int32_t offset, int32_t length);

    using InputStream::read;
    // At the end -1, also for len 0.
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read() override;
    int32_t readBytes(uint8_t* to, int32_t wanted) override;
    // Clamped to the bytes left; negative n skips nothing.
    int64_t skip(int64_t n) override;
    int32_t available() override { return count - pos; }
    void mark(int32_t) override { markPosition = pos; }
    void reset() override { pos = markPosition; }
    bool markSupported() override { return true; }


    VMField<ByteArray> buf;
    int32_t pos = 0;
    int32_t markPosition = 0;
    int32_t count = 0;

    VM_FIELDS(buf)
};

} // namespace java::io
