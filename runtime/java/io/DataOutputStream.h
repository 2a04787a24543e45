#pragma once
// java.io.DataOutputStream: big-endian primitives and modified UTF-8 strings
// written to any OutputStream. Every byte goes through this stream's
// write(int); arrays through write(byte[]). A null wrapped stream throws
// NullPointerException on use.

#include "java/io/DataOutput.h"
#include "java/io/OutputStream.h"

namespace java::io {

class DataOutputStream : public OutputStream, public DataOutput {
    VM_CLASS(DataOutputStream, OutputStream)

    using ByteArray = OutputStream::ByteArray;

    VMPtr<DataOutputStream> init(VMPtr<OutputStream> out);

    // Forwarded to the wrapped stream; write(b) is write(b, 0, b.length).
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    void write(VMPtr<ByteArray> b) override;
    void write(int32_t b) override;
    void flush() override;
    void close() override;

    void writeBoolean(bool v) override;
    void writeByte(int32_t v) override;
    void writeShort(int32_t v) override;
    void writeChar(int32_t v) override;
    void writeInt(int32_t v) override;
    void writeLong(int64_t v) override;
    void writeFloat(float v) override;
    void writeDouble(double v) override;
    // Each character's high byte, then its low byte; no length.
    void writeChars(VMPtr<java::lang::String> s) override;
    // A 16-bit byte count, then modified UTF-8, in one array write. Text
    // longer than 65535 bytes throws UTFDataFormatException before anything
    // is written.
    void writeUTF(VMPtr<java::lang::String> s) override;


    VMField<OutputStream> out;

private:
    OutputStream* sink();
    // The low count bytes of value, most significant first.
    void writeBigEndian(uint64_t value, int32_t count);

    VM_FIELDS(out)
};

} // namespace java::io
