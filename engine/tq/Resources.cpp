#include "tq/Resources.h"

#include <algorithm>

#include "java/io/ByteArrayInputStream.h"
#include "java/io/IOException.h"
#include "java/lang/Exception.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq {

using java::io::DataInputStream;

namespace {

constexpr int32_t PNG_PLTE = 0x504C5445;
constexpr int32_t PNG_IEND = 0x49454E44;
constexpr int32_t PNG_TRNS = 0x74524E53;

} // namespace

VMPtr<DataInputStream> Resources::openDataStream(VMPtr<ByteArray> data, int32_t offset,
                                                 int32_t length)
{
    return DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(data, offset, length));
}

VMPtr<javax::microedition::lcdui::Image> Resources::createImage(VMPtr<ByteArray> data,
                                                                int32_t offset, int32_t length)
{
    return javax::microedition::lcdui::Image::createImage(data, offset, length);
}

int32_t Resources::findPalette(VMPtr<DataInputStream> in)
{
    vm_nonNull(in)->skipBytes(8);
    paletteOffset = 8;
    for (;;) {
        int32_t length = in->readInt();
        int32_t type = in->readInt();
        paletteOffset += 8;
        if (length < 0)
            vm_throwNew<java::io::IOException>(_VM_literal("Negative PNG chunk length"));
        if (type == PNG_PLTE)
            return length;
        if (type == PNG_IEND)
            return -1;
        // Skip data and CRC; a chunk beyond the int range cannot be in memory.
        if (length > INT32_MAX - 4 - paletteOffset)
            vm_throwNew<java::io::IOException>(_VM_literal("PNG chunk too long"));
        in->skipBytes(length);
        in->skipBytes(4);
        paletteOffset += length + 4;
    }
}

VMPtr<Resources::ByteArray> Resources::readPalette(VMPtr<DataInputStream> in)
{
    VMPtr<ByteArray> palette;
    try {
        int32_t length = findPalette(in);
        // A PLTE holds at most 256 entries of 3 bytes.
        if (length < 0 || length > 768)
            return nullptr;
        // A length beyond the bytes left gives the bytes read so far.
        palette = ByteArray::newArray(length + 4);
        in->readFully(palette);
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> ignored(caught);
    }
    return palette;
}

int32_t Resources::readTransparentIndex(VMPtr<DataInputStream> in)
{
    try {
        vm_nonNull(in)->skipBytes(33);
        int32_t paletteLength = in->readInt();
        in->skipBytes(paletteLength + 8);
        int32_t count = in->readInt();
        if (in->readInt() != PNG_TRNS)
            return -1;
        for (int32_t i = 0; i < count; i++) {
            if (in->readByte() == 0)
                return i;
        }
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> ignored(caught);
    }
    return -1;
}

void Resources::swapPalette(VMPtr<ByteArray> data, int32_t offset, VMPtr<ByteArray> palette)
{
    if (!palette)
        return;
    int32_t length;
    try {
        length = findPalette(openDataStream(data, offset, vm_nonNull(data)->length - offset));
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> ignored(caught);
        return;
    }
    if (length < 0)
        return;
    int32_t p = offset + paletteOffset;
    if (palette->length > length + 4 || palette->length > data->length - p)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("Palette longer than the picture's"));
    int8_t* target = data->elements() + p;
    int8_t* source = palette->elements();
    std::swap_ranges(source, source + palette->length, target);
}

} // namespace tq

VM_REGISTER_CLASS(tq::Resources, "tq.Resources", "java.lang.Object", "..\\src\\tq_Resources",
                  nullptr);
