#pragma once
// java.io.ByteArrayOutputStream: collects bytes in a growing array. The
// writes, reset and toByteArray hold the stream's monitor.

#include "java/io/OutputStream.h"

namespace java::lang { class String; }

namespace java::io {

class ByteArrayOutputStream : public OutputStream {
    VM_CLASS(ByteArrayOutputStream, OutputStream)

    // A 32-byte buffer.
    VMPtr<ByteArrayOutputStream> init();
    // A negative size throws IllegalArgumentException("Negative initial size").
    VMPtr<ByteArrayOutputStream> init(int32_t size);

    using OutputStream::write;
    // Also on a closed stream. A null b throws NullPointerException.
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    // A closed stream throws RuntimeException("Writing to closed
    // ByteArrayOutputStream"); so does reset.
    void write(int32_t b) override;
    void close() override { closed = true; }
    virtual void reset();
    // A copy of the bytes; a closed stream whose buffer is exactly full hands
    // out the buffer itself.
    virtual VMPtr<ByteArray> toByteArray();
    virtual int32_t size() { return count; }
    // The bytes decoded with the default encoding.
    VMPtr<java::lang::String> toString() override;


    VMField<ByteArray> buf;
    int32_t count = 0;
    bool closed = false;

private:
    void checkOpen();
    // Makes room for len more bytes: twice the buffer, or exactly what is
    // needed when that is more.
    void grow(int32_t len);

    VM_FIELDS(buf)
};

} // namespace java::io
