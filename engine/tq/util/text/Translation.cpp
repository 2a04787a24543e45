#include "tq/util/text/Translation.h"

#include "java/io/IOException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::util::text {

namespace {

constexpr int32_t SHARED_LIMIT = 128;

[[noreturn]] void damaged()
{
    vm_throwNew<java::io::IOException>(_VM_literal("Damaged text table"));
}

// Bytes taken by the sequence that starts with lead byte b.
int32_t sequenceLength(uint32_t b)
{
    switch (b >> 4) {
    case 12:
    case 13:
        return 2;
    case 14:
        return 3;
    default:
        return 1;
    }
}

} // namespace

VMPtr<Translation> Translation::load(VMPtr<java::io::DataInputStream> stream, int32_t length)
{
    int32_t n = vm_nonNull(stream)->readUnsignedShort();
    int32_t room = length - 2 * (n + 1);
    if (room < 0)
        damaged();
    VMPtr<CharArray> short16;
    VMPtr<IntArray> long32;
    if (length <= 0xFFFF)
        short16 = CharArray::newArray(n + 1);
    else
        long32 = IntArray::newArray(n + 1);
    VMPtr<ByteArray> bytes = ByteArray::newArray(room);
    int32_t pos = 0;
    for (int32_t i = 0; i <= n; i++) {
        if (short16)
            (*short16)[i] = char16_t(pos);
        else
            (*long32)[i] = pos;
        if (i == n)
            break;
        int32_t len = stream->readShort();
        if (len < 0 || len > room - pos)
            damaged();
        if (len > 0)
            stream->readFully(bytes, pos, len);
        pos += len;
    }
    offsets16 = short16;
    offsets32 = long32;
    data = bytes;
    texts = nullptr;
    count = n;
    return VMPtr<Translation>(this);
}

void Translation::checkId(int32_t id)
{
    if (id < 0 || id >= count)
        vm_throwNew<java::lang::IndexOutOfBoundsException>(_VM_literal("Text id out of range"));
}

int32_t Translation::getOffset(int32_t id)
{
    checkId(id);
    return offsets16 ? int32_t((*offsets16)[id]) : (*vm_nonNull(offsets32))[id];
}

int32_t Translation::getLength(int32_t id)
{
    checkId(id);
    if (offsets16)
        return int32_t((*offsets16)[id + 1]) - int32_t((*offsets16)[id]);
    return (*vm_nonNull(offsets32))[id + 1] - (*offsets32)[id];
}

void Translation::decodeUtf8(VMPtr<ByteArray> bytes, int32_t offset, int32_t length,
                             VMPtr<StringBuffer> out, int32_t at)
{
    int32_t size = vm_nonNull(bytes)->length;
    vm_nonNull(out);
    if (length <= 0)
        return;
    if (offset < 0 || offset > size - length)
        vm_throwNew<java::lang::IndexOutOfBoundsException>(_VM_literal("Text outside its data"));
    const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes->elements()) + offset;
    // Only a sequence starting in the last two bytes of the array can run
    // past it: walk the leads once when the range comes that near.
    int32_t room = size - offset;
    if (length > room - 2) {
        for (int32_t i = 0; i < length; i += sequenceLength(p[i])) {
            if (sequenceLength(p[i]) > room - i)
                vm_throwNew<java::lang::IndexOutOfBoundsException>(
                    _VM_literal("Text sequence runs past its data"));
        }
    }
    int32_t i = 0;
    while (i < length && p[i] < 0x80)
        out->insert(at++, char16_t(p[i++]));
    while (i < length) {
        uint32_t b = p[i];
        char16_t c;
        switch (b >> 4) {
        case 12:
        case 13:
            c = char16_t(((b & 0x1F) << 6) | (p[i + 1] & 0x3F));
            break;
        case 14:
            c = char16_t(((b & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F));
            break;
        default:
            c = b < 0x80 ? char16_t(b) : u'\0';
            break;
        }
        out->insert(at++, c);
        i += sequenceLength(b);
    }
}

void Translation::decodeAll()
{
    if (texts || !data)
        return;
    VMPtr<StringArray> all = StringArray::newArray(count);
    for (int32_t id = count - 1; id >= 0; id--) {
        VMPtr<StringBuffer> buffer = StringBuffer::newInstance()->init(getLength(id));
        all->set(id, getText(id, buffer)->toString());
    }
    texts = all;
    data = nullptr;
    offsets16 = nullptr;
    offsets32 = nullptr;
}

VMPtr<Translation::StringBuffer> Translation::insertText(int32_t id, VMPtr<StringBuffer> out,
                                                        int32_t at)
{
    if (texts) {
        vm_nonNull(out)->insert(at, texts->get(id));
        return out;
    }
    decodeUtf8(data, getOffset(id), getLength(id), out, at);
    return out;
}

VMPtr<Translation::StringBuffer> Translation::appendText(int32_t id, VMPtr<StringBuffer> out)
{
    return insertText(id, out, vm_nonNull(out)->length());
}

VMPtr<Translation::StringBuffer> Translation::getText(int32_t id, VMPtr<StringBuffer> out)
{
    vm_nonNull(out)->setLength(0);
    return insertText(id, out, 0);
}

VMPtr<Translation::String> Translation::getString(int32_t id)
{
    if (texts)
        return texts->get(id);
    int32_t length = getLength(id);
    VMPtr<StringBuffer> buffer;
    if (length <= SHARED_LIMIT) {
        if (!sharedBuffer)
            sharedBuffer = StringBuffer::newInstance()->init();
        buffer = sharedBuffer;
    } else {
        buffer = StringBuffer::newInstance()->init(length);
    }
    return getText(id, buffer)->toString();
}

} // namespace tq::util::text

VM_REGISTER_CLASS_NO_CREATOR(tq::util::text::Translation, "tq.util.text.Translation",
                             "java.lang.Object", "..\\src\\tq_util_text_Translation", nullptr);
