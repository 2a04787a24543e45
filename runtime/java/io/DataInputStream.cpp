#include "java/io/DataInputStream.h"

#include <bit>
#include <typeinfo>

#include "java/io/EOFException.h"
#include "java/io/UTFDataFormatException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "vm/VMUtf8.h"

namespace java::io {

namespace {

// True when bytes hold only whole modified UTF-8 sequences of one to three
// bytes (the decoder itself stands in a replacement for broken ones).
bool isWellFormedUtf8(const uint8_t* bytes, int32_t count)
{
    int32_t at = 0;
    while (at < count) {
        uint8_t lead = bytes[at];
        int32_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        if (length == 0 || length > count - at)
            return false;
        for (int32_t i = 1; i < length; i++) {
            if ((bytes[at + i] & 0xC0) != 0x80)
                return false;
        }
        at += length;
    }
    return true;
}

} // namespace

VMPtr<DataInputStream> DataInputStream::init(VMPtr<InputStream> in)
{
    InputStream::init();
    this->in = in;
    return VMPtr<DataInputStream>(this);
}

InputStream* DataInputStream::source()
{
    return vm_nonNull(in);
}

// ---- Forwarded operations -------------------------------------------------

int32_t DataInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    return source()->read(b, off, len);
}

int32_t DataInputStream::read(VMPtr<ByteArray> b)
{
    return source()->read(b, 0, vm_nonNull(b)->length);
}

int32_t DataInputStream::read()
{
    return source()->read();
}

int64_t DataInputStream::skip(int64_t n)
{
    return source()->skip(n);
}

int32_t DataInputStream::available()
{
    return source()->available();
}

void DataInputStream::close()
{
    source()->close();
}

void DataInputStream::mark(int32_t readlimit)
{
    source()->mark(readlimit);
}

void DataInputStream::reset()
{
    source()->reset();
}

bool DataInputStream::markSupported()
{
    return source()->markSupported();
}

// ---- Reading --------------------------------------------------------------

int32_t DataInputStream::readBytes(uint8_t* to, int32_t count)
{
    // read() only forwards, so the source may copy at once; a subclass with
    // a read() of its own is called byte by byte.
    if (typeid(*this) == typeid(DataInputStream))
        return source()->readBytes(to, count);
    return InputStream::readBytes(to, count);
}

uint32_t DataInputStream::readBigEndian(int32_t count)
{
    uint8_t bytes[4] = {};
    if (readBytes(bytes, count) < count)
        vm_throwNew<EOFException>();
    uint32_t value = 0;
    for (int32_t i = 0; i < count; i++)
        value = (value << 8) | bytes[i];
    return value;
}

void DataInputStream::readFully(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    if (len < 0)
        vm_throwNew<java::lang::IndexOutOfBoundsException>();
    int32_t n = 0;
    while (n < len) {
        int32_t count = read(b, off + n, len - n);
        if (count < 0)
            vm_throwNew<EOFException>();
        n += count;
    }
}

void DataInputStream::readFully(VMPtr<ByteArray> b)
{
    readFully(b, 0, vm_nonNull(b)->length);
}

int32_t DataInputStream::skipBytes(int32_t n)
{
    int32_t total = 0;
    while (total < n) {
        int64_t k = skip(n - total);
        if (k <= 0)
            break;
        total += int32_t(k);
    }
    return total;
}

bool DataInputStream::readBoolean()
{
    return readBigEndian(1) != 0;
}

int8_t DataInputStream::readByte()
{
    return int8_t(readBigEndian(1));
}

int32_t DataInputStream::readUnsignedByte()
{
    return int32_t(readBigEndian(1));
}

int16_t DataInputStream::readShort()
{
    return int16_t(readBigEndian(2));
}

int32_t DataInputStream::readUnsignedShort()
{
    return int32_t(readBigEndian(2));
}

char16_t DataInputStream::readChar()
{
    return char16_t(readBigEndian(2));
}

int32_t DataInputStream::readInt()
{
    return int32_t(readBigEndian(4));
}

int64_t DataInputStream::readLong()
{
    uint64_t high = uint32_t(readInt());
    uint64_t low = uint32_t(readInt());
    return int64_t((high << 32) | low);
}

float DataInputStream::readFloat()
{
    return std::bit_cast<float>(readInt());
}

double DataInputStream::readDouble()
{
    return std::bit_cast<double>(readLong());
}

VMPtr<java::lang::String> DataInputStream::readUTF()
{
    using CharArray = java::lang::String::CharArray;
    int32_t utflen = readUnsignedShort();
    VMPtr<CharArray> chars = CharArray::newArray(utflen);
    VMPtr<ByteArray> bytes = ByteArray::newArray(utflen);
    readFully(bytes, 0, utflen);
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes->elements());
    if (!isWellFormedUtf8(data, utflen))
        vm_throwNew<UTFDataFormatException>();
    int32_t decoded = utflen;
    bool valid = true;
    int32_t consumed = _VM_utf8ToUtf16(chars->elements(), &decoded, data, utflen, &valid);
    if (!valid || consumed != utflen)
        vm_throwNew<UTFDataFormatException>();
    return java::lang::String::newInstance()->init(chars, 0, decoded);
}

} // namespace java::io

VM_REGISTER_CLASS_NO_CREATOR(java::io::DataInputStream, "java.io.DataInputStream",
                             "java.io.InputStream",
                             "target/winmo/pb_src/j2me/java_io_DataInputStream", nullptr);
VM_IMPLEMENTS(java::io::DataInputStream, "java.io.DataInput");
