#include "java/io/Writer.h"

#include <algorithm>

#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "vm/VMSynchronized.h"

namespace java::io {

VMPtr<Writer> Writer::init()
{
    Object::init();
    lock = VMPtr<Object>(this);
    return VMPtr<Writer>(this);
}

Writer::CharArray* Writer::buffer()
{
    if (!charBuffer)
        charBuffer = CharArray::newArray(kBufferChars);
    return charBuffer.get();
}

void Writer::write(int32_t c)
{
    VMSynchronized guard(lock);
    (*buffer())[0] = char16_t(c);
    write(VMPtr<CharArray>(charBuffer.get()), 0, 1);
}

void Writer::write(VMPtr<CharArray> a)
{
    write(a, 0, vm_nonNull(a)->length);
}

void Writer::write(VMPtr<java::lang::String> s)
{
    write(s, 0, vm_nonNull(s)->length());
}

void Writer::write(VMPtr<java::lang::String> s, int32_t off, int32_t len)
{
    VMSynchronized guard(lock);
    vm_nonNull(s);
    VMPtr<CharArray> chunk(buffer());
    while (len > 0) {
        int32_t n = std::min(len, kBufferChars);
        s->getChars(off, off + n, chunk, 0);
        write(chunk, 0, n);
        off += n;
        len -= n;
    }
}

} // namespace java::io

VM_REGISTER_ABSTRACT_CLASS(java::io::Writer, "java.io.Writer", "java.lang.Object",
                           "target/winmo/pb_src/j2me/java_io_Writer", nullptr);
