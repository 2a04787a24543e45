#pragma once
// tq.TqCanvas: the engine canvas. This part holds its static services used
// by the resource code: decimal numbers into StringBuffers, the static input
// buffer (an array and a read position) with its readers, the static output
// buffer (an array and a write position) shared by the PNG and BMP writers,
// and pixel scans over ARGB arrays. The canvas itself (its class glue, its
// GameCanvas base and its instance operations) comes with the canvas.
// Every service is non-re-entrant; the VM lock keeps it to one thread.

#include <cstdint>

#include "java/lang/StringBuffer.h"
#include "javax/microedition/lcdui/Image.h"
#include "vm/VMArray.h"

namespace tq {

class TqCanvas {
public:
    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;

    // The decimal digits of value, without leading zeros ('-' first when
    // negative).
    static void appendNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value);
    // The decimal form of value inserted at offset; values below 65536 are
    // padded with '0' to minDigits digits (after a '-').
    static void insertPaddedNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value,
                                   int32_t minDigits, int32_t offset);

    // Readers of the static input buffer; past its end they throw
    // ArrayIndexOutOfBoundsException.
    static int32_t readByte();
    // Four bytes, most significant first.
    static int32_t readInt();
    static bool readBoolean();

    // Writers of the static output buffer; past its end they throw
    // ArrayIndexOutOfBoundsException and write nothing.
    static void pngWriteByte(int32_t b);
    static void writeShortLE(int32_t v);
    static void writeIntLE(int32_t v);

    static VMPtr<javax::microedition::lcdui::Image> createImageFrom(VMPtr<IntArray> argb,
                                                                    int32_t width, int32_t height,
                                                                    bool processAlpha);
    static void getRGB(VMPtr<javax::microedition::lcdui::Image> image, VMPtr<IntArray> rgb,
                       int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t width,
                       int32_t height);
    // 1 every pixel opaque, 3 some pixel translucent, else 2 (top four alpha
    // bits). A region outside the array throws ArrayIndexOutOfBoundsException.
    static int32_t getTransparencyType(VMPtr<IntArray> argb, int32_t offset, int32_t scanlength,
                                       int32_t x, int32_t y, int32_t width, int32_t height);
    // True when some pixel's top four bits are not all set.
    static bool hasTranslucentPixels(VMPtr<IntArray> argb);
    // One index per pixel, rows top to bottom; palette receives the distinct
    // colours in order of first appearance, the (last) magenta key moved to
    // entry 0. More colours than palette entries throw
    // IllegalArgumentException.
    static VMPtr<ByteArray> toPalettedIndices(VMPtr<javax::microedition::lcdui::Image> image,
                                              VMPtr<IntArray> palette);

    VM_STATIC(ByteArray, staticInput);
    static inline int32_t staticInputPosition = 0;
    VM_STATIC(ByteArray, staticOutput);
    static inline int32_t staticOutputPosition = 0;

private:
    // Stores the low `count` bytes of v, low byte first.
    static void writeLE(uint32_t v, int32_t count);
};

} // namespace tq
