#include "java/io/OutputStreamWriter.h"

#include "java/io/IOException.h"
#include "java/io/InputStream.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"
#include "vm/VMUtf8.h"

namespace java::io {

VMPtr<OutputStreamWriter> OutputStreamWriter::init(VMPtr<OutputStream> out)
{
    Writer::init();
    vm_nonNull(out);
    utf8 = true;
    stream = out;
    return VMPtr<OutputStreamWriter>(this);
}

void OutputStreamWriter::checkOpen()
{
    if (!stream)
        vm_throwNew<IOException>(_VM_literal("Stream closed"));
}

void OutputStreamWriter::writeChars(const char16_t* chars, int32_t count)
{
    if (!utf8) {
        for (int32_t i = 0; i < count; i++)
            stream->write(chars[i] > 255 ? 63 : int32_t(chars[i]));
        return;
    }
    if (!byteBuffer)
        byteBuffer = OutputStream::ByteArray::newArray(kBufferBytes);
    VMPtr<OutputStream::ByteArray> bytes(byteBuffer.get());
    uint8_t* data = reinterpret_cast<uint8_t*>(bytes->elements());
    while (count > 0) {
        int32_t produced = kBufferBytes;
        int32_t consumed = _VM_utf16ToUtf8(data, &produced, chars, count, false, false);
        stream->write(bytes, 0, produced);
        chars += consumed;
        count -= consumed;
    }
}

void OutputStreamWriter::write(int32_t c)
{
    checkOpen();
    VMSynchronized guard(lock);
    char16_t unit = char16_t(c);
    if (!utf8 && c > 255)
        unit = u'?';
    writeChars(&unit, 1);
}

void OutputStreamWriter::write(VMPtr<CharArray> a, int32_t off, int32_t len)
{
    checkOpen();
    _VM_checkRange(vm_nonNull(a)->length, off, len);
    if (len == 0)
        return;
    VMSynchronized guard(lock);
    writeChars(a->elements() + off, len);
}

void OutputStreamWriter::write(VMPtr<java::lang::String> s, int32_t off, int32_t len)
{
    checkOpen();
    _VM_checkRange(vm_nonNull(s)->length(), off, len);
    if (len == 0)
        return;
    VMSynchronized guard(lock);
    writeChars(s->chars() + off, len);
}

void OutputStreamWriter::flush()
{
    checkOpen();
    stream->flush();
}

void OutputStreamWriter::close()
{
    if (stream) {
        stream->close();
        stream = nullptr;
    }
}

} // namespace java::io

VM_REGISTER_CLASS_NO_CREATOR(java::io::OutputStreamWriter, "java.io.OutputStreamWriter",
                             "java.io.Writer",
                             "target/winmo/pb_src/j2me/java_io_OutputStreamWriter", nullptr);
