#pragma once
// tq.Resources: the engine's data by resource identifier. This part holds
// the operations on bytes already in memory: streams over a byte range,
// images decoded from one, and the palette of a paletted PNG (read out,
// its first fully transparent entry, exchanged in place). A palette array
// is the PLTE data followed by the chunk's 4 CRC bytes.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "javax/microedition/lcdui/Image.h"

namespace tq {

class Resources : public virtual java::lang::Object {
    VM_CLASS(Resources, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;

    VMPtr<Resources> init() { return VMPtr<Resources>(this); }

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
};

} // namespace tq
