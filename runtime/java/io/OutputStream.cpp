#include "java/io/OutputStream.h"

#include "java/io/InputStream.h"
#include "java/lang/NullPointerException.h"

namespace java::io {

VMPtr<OutputStream> OutputStream::init()
{
    Object::init();
    return VMPtr<OutputStream>(this);
}

void OutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len)
{
    _VM_checkRange(vm_nonNull(b)->length, off, len);
    for (int32_t i = 0; i < len; i++)
        write(int32_t((*b)[off + i]));
}

void OutputStream::write(VMPtr<ByteArray> b)
{
    write(b, 0, vm_nonNull(b)->length);
}

void OutputStream::flush() {}

void OutputStream::close() {}

} // namespace java::io

VM_REGISTER_ABSTRACT_CLASS(java::io::OutputStream, "java.io.OutputStream", "java.lang.Object",
                           "target/winmo/pb_src/j2me/java_io_OutputStream", nullptr);
