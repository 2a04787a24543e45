#include "java/io/ByteArrayInputStream.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "java/lang/NullPointerException.h"
#include "java/lang/System.h"
#include "vm/VMSynchronized.h"

namespace java::io {

VMPtr<ByteArrayInputStream> ByteArrayInputStream::init(VMPtr<ByteArray> buf)
{
    InputStream::init();
    this->buf = buf;
    pos = 0;
    count = vm_nonNull(buf)->length;
    return VMPtr<ByteArrayInputStream>(this);
}

VMPtr<ByteArrayInputStream> ByteArrayInputStream::init(VMPtr<ByteArray> buf, int32_t offset,
                                                       int32_t length)
{
    InputStream::init();
    this->buf = buf;
    pos = offset;
    // In 64 bits, so that a length running past the array ends at its end.
    count = int32_t(std::min<int64_t>(int64_t(offset) + length, vm_nonNull(buf)->length));
    markPosition = offset;
    return VMPtr<ByteArrayInputStream>(this);
}

int32_t ByteArrayInputStream::read()
{
    VMSynchronized guard(this);
    if (pos >= count)
        return -1;
    return uint8_t((*buf)[pos++]);
}

int32_t ByteArrayInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    VMSynchronized guard(this);
    _VM_checkRange(vm_nonNull(b)->length, off, len);
    if (pos >= count)
        return -1;
    int32_t n = std::min(len, count - pos);
    if (n > 0) {
        java::lang::System::arraycopy(buf, pos, b, off, n);
        pos += n;
    }
    return n;
}

int32_t ByteArrayInputStream::readBytes(uint8_t* to, int32_t wanted)
{
    if (typeid(*this) != typeid(ByteArrayInputStream))
        return InputStream::readBytes(to, wanted);
    VMSynchronized guard(this);
    int32_t n = std::min(wanted, std::max(count - pos, 0));
    if (n <= 0)
        return 0;
    std::memcpy(to, buf->elements() + pos, size_t(n));
    pos += n;
    return n;
}

int64_t ByteArrayInputStream::skip(int64_t n)
{
    VMSynchronized guard(this);
    int64_t left = count - pos;
    if (n > left)
        n = left;
    if (n < 0)
        n = 0;
    pos += int32_t(n);
    return n;
}

} // namespace java::io

VM_REGISTER_CLASS_NO_CREATOR(java::io::ByteArrayInputStream, "java.io.ByteArrayInputStream",
                             "java.io.InputStream",
                             "target/winmo/pb_src/j2me/java_io_ByteArrayInputStream", nullptr);
