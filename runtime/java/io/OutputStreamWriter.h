#pragma once
// java.io.OutputStreamWriter: characters to bytes, UTF-8, written to an
// OutputStream through a 2048-byte buffer made on first use. Every operation
// on a closed writer throws IOException("Stream closed").

#include "java/io/OutputStream.h"
#include "java/io/Writer.h"

namespace java::io {

class OutputStreamWriter : public Writer {
    VM_CLASS(OutputStreamWriter, Writer)

    // A null out throws NullPointerException.
    VMPtr<OutputStreamWriter> init(VMPtr<OutputStream> out);

    using Writer::write;
    void write(int32_t c) override;
    // A range outside the text throws IndexOutOfBoundsException before
    // anything is written.
    void write(VMPtr<CharArray> a, int32_t off, int32_t len) override;
    void write(VMPtr<java::lang::String> s, int32_t off, int32_t len) override;
    void flush() override;
    void close() override;


    bool utf8 = false;
    VMField<OutputStream> stream;
    VMField<OutputStream::ByteArray> byteBuffer;

private:
    static constexpr int32_t kBufferBytes = 2048;
    void checkOpen();
    // Encodes and writes count characters (the caller holds lock and keeps
    // the characters alive).
    void writeChars(const char16_t* chars, int32_t count);

    VM_FIELDS(stream, byteBuffer)
};

} // namespace java::io
