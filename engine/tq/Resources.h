#pragma once
// tq.Resources: the engine's data by resource identifier ((part << 10) |
// index) through the one current pack, and the operations on bytes already
// in memory: streams over a byte range, images decoded from one, the palette
// of a paletted PNG (read out, its first fully transparent entry, exchanged
// in place) and 8-bit BMP pictures built from a resource picture. A palette
// array is the PLTE data followed by the chunk's 4 CRC bytes. No operation
// closes the streams it opens: they lie over bytes in memory.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/io/resource/ResourcePack.h"

namespace tq {
class AnimSet;
class Gob;
}
namespace tq::util::text {
class Translation;
}

namespace tq {

class Resources : public virtual java::lang::Object {
    VM_CLASS(Resources, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using ByteArrays = VMArray<int8_t, 2>;
    using BoolArray = VMArray<bool, 1>;
    using ShortArray = VMArray<int16_t, 1>;

    VMPtr<Resources> init() { return VMPtr<Resources>(this); }

    // A stream over the resource; marked at once, so reset returns to its
    // first byte.
    static VMPtr<java::io::DataInputStream> openResourceStream(int32_t id);
    // A new copy of the resource.
    static VMPtr<ByteArray> getResourceBytes(int32_t id);
    // The pack's shared data block in in-memory mode (the resource at
    // getResourceOffset), else a copy.
    static VMPtr<ByteArray> getResourceData(int32_t id);
    static int32_t getResourceOffset(int32_t id);
    // The signed type byte and the byte length of the resource.
    static int32_t getEntryByte(int32_t id);
    static int32_t getEntryInt(int32_t id);
    // Tables (and data) from the stream; null closes the pack, answering false.
    static bool openPack(VMPtr<java::io::DataInputStream> in);
    // The pack saved in numbered record store storeId; -1 or a store that
    // cannot be read closes the pack, answering false.
    static bool openPackFromRecord(int32_t storeId);
    static void closePack();
    // A plain pack of the entries with their type bytes.
    static VMPtr<ByteArray> buildPack(VMPtr<ByteArrays> entries, VMPtr<ByteArray> entryBytes);
    // A null palette decodes the picture as stored.
    static VMPtr<javax::microedition::lcdui::Image> loadImage(int32_t id, VMPtr<ByteArray> palette);
    static VMPtr<javax::microedition::lcdui::Image> loadImage(int32_t id);
    // The animation set stored under id (AnimSet::load).
    static VMPtr<AnimSet> loadAnimSet(int32_t id);
    // The text table of the resource.
    static VMPtr<util::text::Translation> loadTranslation(int32_t id);
    static VMPtr<ByteArray> getPalette(int32_t id);
    static int32_t getTransparentIndex(int32_t id);
    // One Gob set read from in: the Gobs cut from the set's picture (its
    // stored image id with bits 10-15 of id ORed in; palette replaces the
    // picture's own for the decoding). Any exception while reading or
    // building, short column data or attributes among them, answers null.
    static VMPtr<VMArray<Gob, 1>> loadGobSet(int32_t id, VMPtr<ByteArray> palette,
                                            VMPtr<java::io::DataInputStream> in,
                                            VMPtr<java::io::DataInputStream> passOn);
    // The picture as an uncompressed 8-bit BMP with a 256-entry palette,
    // rows bottom-up. More than 256 colours throw IllegalArgumentException.
    // The canvas's static output buffer is restored afterwards.
    static VMPtr<ByteArray> buildBitmap(int32_t id);

    // A stream over data[offset .. offset + length); its mark starts at offset.
    static VMPtr<java::io::DataInputStream> openDataStream(VMPtr<ByteArray> data, int32_t offset,
                                                           int32_t length);
    static VMPtr<javax::microedition::lcdui::Image> createImage(VMPtr<ByteArray> data,
                                                                int32_t offset, int32_t length);
    // Scans a PNG from its signature to the PLTE chunk: its length, with the
    // stream at the palette data and paletteOffset at that data's offset;
    // -1 when IEND comes first. A negative chunk length throws IOException.
    static int32_t findPalette(VMPtr<java::io::DataInputStream> in);
    // The PLTE data and its CRC; null without PLTE or for one longer than
    // 256 entries. Data ending inside the
    // palette gives the bytes read so far, the rest 0.
    static VMPtr<ByteArray> readPalette(VMPtr<java::io::DataInputStream> in);
    // The first palette index whose tRNS alpha is 0, or -1 (also for any
    // failure). The chunk after IHDR is taken to be PLTE.
    static int32_t readTransparentIndex(VMPtr<java::io::DataInputStream> in);
    // Exchanges palette with the palette bytes of the PNG at data[offset];
    // twice restores both. A null palette, a PNG without PLTE or damaged
    // before it change nothing; a palette longer than the PLTE data and CRC
    // throws IllegalArgumentException, changing nothing.
    static void swapPalette(VMPtr<ByteArray> data, int32_t offset, VMPtr<ByteArray> palette);

    // Left by findPalette.
    static inline int32_t paletteOffset = 0;

    // Made by the class initialiser, never replaced.
    VM_STATIC(io::resource::ResourcePack, currentPack);
    // The Gob-set reader's scratch: decoded bits, field widths, one record.
    VM_STATIC(BoolArray, gobBits);
    VM_STATIC(ByteArray, gobWidths);
    VM_STATIC(ShortArray, gobRecord);
};

// Marker interfaces of the resource kinds; nothing implements them.
class Resources_TQC_Type : public virtual java::lang::Object {
    VM_INTERFACE(Resources_TQC_Type)
};
class Resources_TQC_Type_TQC_Audio : public virtual java::lang::Object {
    VM_INTERFACE(Resources_TQC_Type_TQC_Audio)
};
class Resources_TQC_Type_TQC_Image : public virtual java::lang::Object {
    VM_INTERFACE(Resources_TQC_Type_TQC_Image)
};
class Resources_TQC_Type_TQC_Tarquel : public virtual java::lang::Object {
    VM_INTERFACE(Resources_TQC_Type_TQC_Tarquel)
};
class Resources_TQC_Type_TQC_Video : public virtual java::lang::Object {
    VM_INTERFACE(Resources_TQC_Type_TQC_Video)
};

} // namespace tq
