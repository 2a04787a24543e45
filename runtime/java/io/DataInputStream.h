#pragma once
// java.io.DataInputStream: big-endian primitives and modified UTF-8 strings
// read from any InputStream. Every byte comes through this stream's read();
// a stream that ends too early throws EOFException. A null wrapped stream
// throws NullPointerException on use.

#include "java/io/DataInput.h"
#include "java/io/InputStream.h"

namespace java::io {

class DataInputStream : public InputStream, public DataInput {
    VM_CLASS(DataInputStream, InputStream)

    using ByteArray = InputStream::ByteArray;

    VMPtr<DataInputStream> init(VMPtr<InputStream> in);

    // The InputStream operations, forwarded to the wrapped stream.
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read(VMPtr<ByteArray> b) override;
    int32_t read() override;
    int64_t skip(int64_t n) override;
    int32_t available() override;
    void close() override;
    void mark(int32_t readlimit) override;
    void reset() override;
    bool markSupported() override;
    int32_t readBytes(uint8_t* to, int32_t count) override;

    // A negative len throws IndexOutOfBoundsException.
    void readFully(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    void readFully(VMPtr<ByteArray> b) override;
    // Stops early, without an exception, at the end of the stream.
    int32_t skipBytes(int32_t n) override;
    bool readBoolean() override;
    int8_t readByte() override;
    int32_t readUnsignedByte() override;
    int16_t readShort() override;
    int32_t readUnsignedShort() override;
    char16_t readChar() override;
    int32_t readInt() override;
    int64_t readLong() override;
    float readFloat() override;
    double readDouble() override;
    // A 16-bit byte count, then modified UTF-8; malformed or truncated
    // sequences throw UTFDataFormatException.
    VMPtr<java::lang::String> readUTF() override;


    VMField<InputStream> in;

private:
    InputStream* source();
    // Reads count bytes (all of them, even past the end), then combines them
    // most significant first; an end among them throws EOFException.
    uint32_t readBigEndian(int32_t count);

    VM_FIELDS(in)
};

} // namespace java::io
