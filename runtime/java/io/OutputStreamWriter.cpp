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

// The stream is checked before each write: a sink may give the VM away, and
// a close on this thread from inside it (the monitor is re-entrant) ends the
// write with IOException.
void OutputStreamWriter::writeChars(const char16_t* chars, int32_t count)
{
    if (!utf8) {
        for (int32_t i = 0; i < count; i++) {
            checkOpen();
            stream->write(chars[i] > 255 ? 63 : int32_t(chars[i]));
        }
        return;
    }
    if (!byteBuffer)
        byteBuffer = OutputStream::ByteArray::newArray(kBufferBytes);
    VMPtr<OutputStream::ByteArray> bytes(byteBuffer.get());
    uint8_t* data = reinterpret_cast<uint8_t*>(bytes->elements());
    while (count > 0) {
        int32_t produced = kBufferBytes;
        int32_t consumed = _VM_utf16ToUtf8(data, &produced, chars, count, false, false);
        checkOpen();
        stream->write(bytes, 0, produced);
        chars += consumed;
        count -= consumed;
    }
}

// Each operation takes the lock before it looks at the stream, and close
// takes it too: a close from another thread waits for the write under way.

void OutputStreamWriter::write(int32_t c)
{
    VMSynchronized guard(lock);
    checkOpen();
    char16_t unit = char16_t(c);
    if (!utf8 && c > 255)
        unit = u'?';
    writeChars(&unit, 1);
}

void OutputStreamWriter::write(VMPtr<CharArray> a, int32_t off, int32_t len)
{
    VMSynchronized guard(lock);
    checkOpen();
    _VM_checkRange(vm_nonNull(a)->length, off, len);
    if (len == 0)
        return;
    writeChars(a->elements() + off, len);
}

void OutputStreamWriter::write(VMPtr<java::lang::String> s, int32_t off, int32_t len)
{
    VMSynchronized guard(lock);
    checkOpen();
    _VM_checkRange(vm_nonNull(s)->length(), off, len);
    if (len == 0)
        return;
    writeChars(s->chars() + off, len);
}

void OutputStreamWriter::flush()
{
    VMSynchronized guard(lock);
    checkOpen();
    VMPtr<OutputStream> out(stream.get());
    out->flush();
}

void OutputStreamWriter::close()
{
    VMSynchronized guard(lock);
    if (stream) {
        VMPtr<OutputStream> out(stream.get());
        out->close();
        stream = nullptr;
    }
}

} // namespace java::io

VM_REGISTER_CLASS_NO_CREATOR(java::io::OutputStreamWriter, "java.io.OutputStreamWriter",
                             "java.io.Writer",
                             "target/winmo/pb_src/j2me/java_io_OutputStreamWriter", nullptr);
