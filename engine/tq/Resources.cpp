#include "tq/Resources.h"

#include <algorithm>

#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "java/io/IOException.h"
#include "java/lang/Exception.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "tq/AnimSet.h"
#include "tq/Gob.h"
#include "tq/TqCanvas.h"
#include "tq/io/resource/ResourcePackChunked.h"
#include "tq/io/resource/ResourcePackSaver.h"
#include "tq/util/text/Translation.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq {

using java::io::DataInputStream;

namespace {

constexpr int32_t PNG_PLTE = 0x504C5445;
constexpr int32_t PNG_IEND = 0x49454E44;
constexpr int32_t PNG_TRNS = 0x74524E53;

// The BMP's fixed parts: file header, info header, 256-entry palette.
constexpr int32_t BMP_HEADERS = 54;
constexpr int32_t BMP_PALETTE = 1024;

void initialiseResources()
{
    Resources::currentPack = io::resource::ResourcePackChunked::newInstance()->init();
}

} // namespace

VMPtr<DataInputStream> Resources::openResourceStream(int32_t id)
{
    _VM_clinit();
    VMPtr<DataInputStream> in = currentPack->getDataInputStream(id);
    if (in->markSupported())
        in->mark(0);
    return in;
}

VMPtr<Resources::ByteArray> Resources::getResourceBytes(int32_t id)
{
    _VM_clinit();
    return currentPack->getBytes(id);
}

VMPtr<Resources::ByteArray> Resources::getResourceData(int32_t id)
{
    _VM_clinit();
    return currentPack->getDataArray(id);
}

int32_t Resources::getResourceOffset(int32_t id)
{
    _VM_clinit();
    return currentPack->getOffset(id);
}

int32_t Resources::getEntryByte(int32_t id)
{
    _VM_clinit();
    return currentPack->getType(id);
}

int32_t Resources::getEntryInt(int32_t id)
{
    _VM_clinit();
    return currentPack->getSize(id);
}

bool Resources::openPack(VMPtr<DataInputStream> in)
{
    _VM_clinit();
    return currentPack->readFrom(in, false);
}

bool Resources::openPackFromRecord(int32_t storeId)
{
    VMPtr<ByteArray> bytes = storeId == -1 ? nullptr : TqCanvas::loadRecordStore(storeId);
    VMPtr<DataInputStream> in;
    if (bytes)
        in = DataInputStream::newInstance()->init(
            java::io::ByteArrayInputStream::newInstance()->init(bytes));
    return openPack(in);
}

void Resources::closePack()
{
    _VM_clinit();
    currentPack->close();
}

VMPtr<Resources::ByteArray> Resources::buildPack(VMPtr<ByteArrays> entries,
                                                 VMPtr<ByteArray> entryBytes)
{
    return io::resource::ResourcePackSaver::save(entries, entryBytes);
}

VMPtr<javax::microedition::lcdui::Image> Resources::loadImage(int32_t id, VMPtr<ByteArray> palette)
{
    _VM_clinit();
    return currentPack->getImage(id, palette);
}

VMPtr<javax::microedition::lcdui::Image> Resources::loadImage(int32_t id)
{
    return loadImage(id, nullptr);
}

VMPtr<AnimSet> Resources::loadAnimSet(int32_t id)
{
    return AnimSet::load(id);
}

VMPtr<util::text::Translation> Resources::loadTranslation(int32_t id)
{
    return util::text::Translation::newInstance()->load(openResourceStream(id), getEntryInt(id));
}

VMPtr<Resources::ByteArray> Resources::getPalette(int32_t id)
{
    return readPalette(openResourceStream(id));
}

int32_t Resources::getTransparentIndex(int32_t id)
{
    return readTransparentIndex(openResourceStream(id));
}

namespace {

// The ten record fields' groups: offsets, source rectangle, collision area.
constexpr int32_t GROUP_OF_FIELD[10] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 2};
// Fields whose one-byte values are signed.
constexpr bool SIGNED_FIELD[10] = {true, true, false, false, false, false, true, true, false, false};

} // namespace

VMPtr<VMArray<Gob, 1>> Resources::loadGobSet(int32_t id, VMPtr<ByteArray> palette,
                                            VMPtr<DataInputStream> in, VMPtr<DataInputStream> passOn)
{
    _VM_clinit();
    try {
        int32_t imageId = (in->readUnsignedShort() | (id & 0xFC00)) & 0xFFFF;
        in->readByte();
        int32_t length = in->readShort();
        VMPtr<ByteArray> data = ByteArray::newArray(length - 4);
        int32_t flags = in->readUnsignedShort();
        int32_t countWord = in->readUnsignedShort();
        in->readFully(data);
        if (!gobBits) {
            gobBits = BoolArray::newArray(20);
            gobWidths = ByteArray::newArray(10);
            gobRecord = ShortArray::newArray(10);
        }
        VMPtr<BoolArray> bits(gobBits);
        VMPtr<ByteArray> widths(gobWidths);
        VMPtr<ShortArray> record(gobRecord);
        VMPtr<ByteArray> attributes;
        if (countWord & 0x2000) {
            int32_t tableLength = in->readShort();
            attributes = ByteArray::newArray(tableLength - 5);
            in->readInt();
            in->readByte();
            in->readFully(attributes);
        }
        int32_t n = countWord & 0xFFF;
        for (int32_t b = 0; b < 16; b++)
            (*bits)[b] = (flags >> b) & 1;
        int32_t nextBit = 5;
        for (int32_t f = 0; f < 10; f++) {
            if ((*bits)[GROUP_OF_FIELD[f]]) {
                (*widths)[f] = 0;
            } else {
                (*widths)[f] = int8_t(nextBit < 16 && (*bits)[nextBit] ? 1 : 2);
                nextBit++;
            }
        }
        VMPtr<VMArray<Gob, 1>> gobs = VMArray<Gob, 1>::newArray(n);
        for (int32_t i = 0; i < n; i++) {
            VMPtr<Gob> gob = Gob::newInstance()->init();
            if (attributes)
                gob->transparency = int8_t(((*attributes)[i / 4] >> (2 * (i % 4))) & 3);
            gobs->set(i, gob);
        }
        Gob::assignImage(gobs, imageId, palette, passOn);
        Gob::beginPixelCapture(gobs);
        for (int32_t i = 0; i < n; i++) {
            int32_t p = 0;
            for (int32_t f = 0; f < 10; f++) {
                int32_t width = (*widths)[f];
                int32_t value = 0;
                if (width != 0) {
                    int32_t s = width - 1;
                    p += i << s;
                    if (width == 1)
                        value = SIGNED_FIELD[f] ? (*data)[p] : (*data)[p] & 0xFF;
                    else
                        value = ((*data)[p] & 0xFF) << 8 | ((*data)[p + 1] & 0xFF);
                    p += (n - i) << s;
                }
                (*record)[f] = int16_t(value);
            }
            gobs->get(i)->load(record);
        }
        Gob::cutImages(gobs);
        return gobs;
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> dropped(caught);
        // The pixels captured so far go with the Gobs.
        Gob::pixelStore = nullptr;
        return nullptr;
    }
}

VMPtr<Resources::ByteArray> Resources::buildBitmap(int32_t id)
{
    VMPtr<ByteArray> savedOutput(TqCanvas::staticOutput);
    int32_t savedPosition = TqCanvas::staticOutputPosition;
    VMPtr<javax::microedition::lcdui::Image> image = loadImage(id);
    int32_t w = image->getWidth();
    int32_t h = image->getHeight();
    VMPtr<TqCanvas::IntArray> colours = TqCanvas::IntArray::newArray(256);
    VMPtr<ByteArray> indices = TqCanvas::toPalettedIndices(image, colours);
    int32_t pad = (4 - w % 4) % 4;
    int32_t row = w + pad;
    int32_t pixelBytes = row * h;
    VMPtr<ByteArray> out = ByteArray::newArray(BMP_HEADERS + BMP_PALETTE + pixelBytes);
    TqCanvas::staticOutput = out;
    TqCanvas::staticOutputPosition = 0;
    TqCanvas::writeShortLE(0x4D42);
    TqCanvas::writeIntLE(out->length);
    TqCanvas::writeIntLE(0);
    TqCanvas::writeIntLE(BMP_HEADERS + BMP_PALETTE);
    TqCanvas::writeIntLE(40);
    TqCanvas::writeIntLE(w);
    TqCanvas::writeIntLE(h);
    TqCanvas::writeShortLE(1);
    TqCanvas::writeShortLE(8);
    TqCanvas::writeIntLE(0);
    TqCanvas::writeIntLE(pixelBytes);
    TqCanvas::writeIntLE(0);
    TqCanvas::writeIntLE(0);
    TqCanvas::writeIntLE(256);
    TqCanvas::writeIntLE(256);
    for (int32_t i = 0; i < 256; i++)
        TqCanvas::writeIntLE((*colours)[i] | int32_t(0xFF000000u));
    for (int32_t y = h - 1; y >= 0; y--) {
        for (int32_t x = 0; x < w; x++)
            TqCanvas::pngWriteByte((*indices)[y * w + x]);
        for (int32_t i = 0; i < pad; i++)
            TqCanvas::pngWriteByte(0);
    }
    TqCanvas::staticOutput = savedOutput;
    TqCanvas::staticOutputPosition = savedPosition;
    return out;
}

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
                  &tq::initialiseResources);
VM_REGISTER_INTERFACE(tq::Resources_TQC_Type, "tq.Resources$Type", "..\\src\\tq_Resources", nullptr);
VM_REGISTER_INTERFACE(tq::Resources_TQC_Type_TQC_Audio, "tq.Resources$Type$Audio",
                      "..\\src\\tq_Resources", nullptr);
VM_REGISTER_INTERFACE(tq::Resources_TQC_Type_TQC_Image, "tq.Resources$Type$Image",
                      "..\\src\\tq_Resources", nullptr);
VM_REGISTER_INTERFACE(tq::Resources_TQC_Type_TQC_Tarquel, "tq.Resources$Type$Tarquel",
                      "..\\src\\tq_Resources", nullptr);
VM_REGISTER_INTERFACE(tq::Resources_TQC_Type_TQC_Video, "tq.Resources$Type$Video",
                      "..\\src\\tq_Resources", nullptr);
