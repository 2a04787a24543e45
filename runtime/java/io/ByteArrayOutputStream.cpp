#include "java/io/ByteArrayOutputStream.h"

#include <algorithm>

#include "java/io/InputStream.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "java/lang/String.h"
#include "java/lang/System.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace java::io {

VMPtr<ByteArrayOutputStream> ByteArrayOutputStream::init()
{
    return init(32);
}

VMPtr<ByteArrayOutputStream> ByteArrayOutputStream::init(int32_t size)
{
    OutputStream::init();
    if (size < 0)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Negative initial size"));
    buf = ByteArray::newArray(size);
    return VMPtr<ByteArrayOutputStream>(this);
}

void ByteArrayOutputStream::checkOpen()
{
    if (closed)
        vm_throwNew<java::lang::RuntimeException>(
            _VM_literal("Writing to closed ByteArrayOutputStream"));
}

void ByteArrayOutputStream::grow(int32_t len)
{
    int32_t needed = count + len;
    if (needed <= buf->length)
        return;
    VMPtr<ByteArray> bigger = ByteArray::newArray(std::max(buf->length * 2, needed));
    java::lang::System::arraycopy(buf, 0, bigger, 0, count);
    buf = bigger;
}

void ByteArrayOutputStream::write(int32_t b)
{
    VMSynchronized guard(this);
    checkOpen();
    grow(1);
    (*buf)[count] = static_cast<int8_t>(b);
    count++;
}

void ByteArrayOutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    VMSynchronized guard(this);
    _VM_checkRange(vm_nonNull(b)->length, off, len);
    if (len == 0)
        return;
    grow(len);
    java::lang::System::arraycopy(b, off, buf, count, len);
    count += len;
}

void ByteArrayOutputStream::reset()
{
    VMSynchronized guard(this);
    checkOpen();
    count = 0;
}

VMPtr<ByteArrayOutputStream::ByteArray> ByteArrayOutputStream::toByteArray()
{
    VMSynchronized guard(this);
    if (closed && buf->length == count)
        return VMPtr<ByteArray>(buf.get());
    VMPtr<ByteArray> copy = ByteArray::newArray(count);
    java::lang::System::arraycopy(buf, 0, copy, 0, count);
    return copy;
}

VMPtr<java::lang::String> ByteArrayOutputStream::toString()
{
    return java::lang::String::newInstance()->init(VMPtr<ByteArray>(buf.get()), 0, count);
}

} // namespace java::io

VM_REGISTER_CLASS(java::io::ByteArrayOutputStream, "java.io.ByteArrayOutputStream",
                  "java.io.OutputStream",
                  "target/winmo/pb_src/j2me/java_io_ByteArrayOutputStream", nullptr);
