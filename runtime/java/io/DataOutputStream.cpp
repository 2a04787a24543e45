#include "java/io/DataOutputStream.h"

#include <bit>

#include "java/io/UTFDataFormatException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "vm/VMUtf8.h"

namespace java::io {

VMPtr<DataOutputStream> DataOutputStream::init(VMPtr<OutputStream> out)
{
    OutputStream::init();
    this->out = out;
    return VMPtr<DataOutputStream>(this);
}

OutputStream* DataOutputStream::sink()
{
    return vm_nonNull(out);
}

void DataOutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    sink()->write(b, off, len);
}

void DataOutputStream::write(VMPtr<ByteArray> b)
{
    write(b, 0, vm_nonNull(b)->length);
}

void DataOutputStream::write(int32_t b)
{
    sink()->write(b);
}

void DataOutputStream::flush()
{
    sink()->flush();
}

void DataOutputStream::close()
{
    sink()->close();
}

void DataOutputStream::writeBigEndian(uint64_t value, int32_t count)
{
    for (int32_t shift = (count - 1) * 8; shift >= 0; shift -= 8)
        write(int32_t((value >> shift) & 0xFF));
}

void DataOutputStream::writeBoolean(bool v)
{
    writeBigEndian(v ? 1 : 0, 1);
}

void DataOutputStream::writeByte(int32_t v)
{
    writeBigEndian(uint32_t(v), 1);
}

void DataOutputStream::writeShort(int32_t v)
{
    writeBigEndian(uint32_t(v), 2);
}

void DataOutputStream::writeChar(int32_t v)
{
    writeBigEndian(uint32_t(v), 2);
}

void DataOutputStream::writeInt(int32_t v)
{
    writeBigEndian(uint32_t(v), 4);
}

void DataOutputStream::writeLong(int64_t v)
{
    writeBigEndian(uint64_t(v), 8);
}

void DataOutputStream::writeFloat(float v)
{
    writeInt(std::bit_cast<int32_t>(v));
}

void DataOutputStream::writeDouble(double v)
{
    writeLong(std::bit_cast<int64_t>(v));
}

void DataOutputStream::writeChars(VMPtr<java::lang::String> s)
{
    int32_t length = vm_nonNull(s)->length();
    for (int32_t i = 0; i < length; i++)
        writeChar(s->charAt(i));
}

void DataOutputStream::writeUTF(VMPtr<java::lang::String> s)
{
    int32_t length = vm_nonNull(s)->length();
    int32_t utflen = _VM_utf8Length(s->chars(), length, true);
    if (utflen > 65535)
        vm_throwNew<UTFDataFormatException>();
    VMPtr<ByteArray> bytes = ByteArray::newArray(utflen + 2);
    uint8_t* data = reinterpret_cast<uint8_t*>(bytes->elements());
    data[0] = uint8_t(utflen >> 8);
    data[1] = uint8_t(utflen);
    int32_t capacity = utflen;
    _VM_utf16ToUtf8(data + 2, &capacity, s->chars(), length, true, false);
    write(bytes);
}

} // namespace java::io

VM_REGISTER_CLASS_NO_CREATOR(java::io::DataOutputStream, "java.io.DataOutputStream",
                             "java.io.OutputStream",
                             "target/winmo/pb_src/j2me/java_io_DataOutputStream", nullptr);
VM_IMPLEMENTS(java::io::DataOutputStream, "java.io.DataOutput");
