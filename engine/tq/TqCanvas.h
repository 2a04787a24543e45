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
#include "java/io/DataInputStream.h"
#include "java/lang/String.h"
#include "javax/microedition/lcdui/Image.h"
#include "vm/VMArray.h"

namespace tq {

namespace util::text {
class RichFont;
}

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

    // The canvas's font, made on first use as a system-font RichFont.
    static VMPtr<util::text::RichFont> getFont();

    VM_STATIC(ByteArray, staticInput);
    static inline int32_t staticInputPosition = 0;
    VM_STATIC(ByteArray, staticOutput);
    static inline int32_t staticOutputPosition = 0;

private:
    // Stores the low `count` bytes of v, low byte first.
    static void writeLE(uint32_t v, int32_t count);

    // ---- Big-endian writers, PNG writer, checksums, packed constants ----
public:
    // Writers of the static output buffer, most significant byte first;
    // past its end they throw ArrayIndexOutOfBoundsException and write
    // nothing.
    static void pngWriteShort(int32_t v);
    static void pngWriteInt(int32_t v);
    // 1 for true, else 0.
    static void writeBoolean(bool b);

    // A complete uncompressed PNG of 8-bit palette indices: row y starts at
    // offset + y * scanLength; palette holds PLTE data followed by four CRC
    // bytes; transparentIndex >= 0 writes a tRNS chunk making that entry
    // clear. The static output buffer and position are restored, also when
    // a range outside pixels or palette throws.
    static VMPtr<ByteArray> createPalettedPng(VMPtr<ByteArray> pixels, int32_t offset,
                                              int32_t scanLength, int32_t width, int32_t height,
                                              VMPtr<ByteArray> palette, int32_t transparentIndex);
    // createPalettedPng decoded into an immutable image.
    static VMPtr<javax::microedition::lcdui::Image>
    createPalettedImage(VMPtr<ByteArray> pixels, int32_t offset, int32_t scanLength, int32_t width,
                        int32_t height, VMPtr<ByteArray> palette, int32_t transparentIndex);
    // CRC-32 of a range (register from 0xFFFFFFFF, result inverted).
    static int32_t pngCrc32(VMPtr<ByteArray> buffer, int32_t offset, int32_t length);
    // Runs the CRC register over a range without inversion.
    static int32_t crc32Update(int32_t crc, VMPtr<ByteArray> buffer, int32_t offset,
                               int32_t length);
    // Adler-32 of a range continued from adler; length <= 0 returns adler.
    static int32_t adler32(int32_t adler, VMPtr<ByteArray> data, int32_t offset, int32_t length);
    // Rewrites the last four bytes of a palette array (PLTE data, then its
    // CRC) with the CRC of "PLTE" and the data.
    static void updatePaletteCrc(VMPtr<ByteArray> palette);
    // A byte array stored as text: the count, one character per byte's low
    // seven bits, then one character per seven bytes' top bits.
    static VMPtr<ByteArray> unpackByteArray(VMPtr<java::lang::String> packed);
    // Modified UTF-8 of data[offset, offset + length) as a String. A
    // sequence cut off by the end of the range ends the text; a byte that
    // cannot lead a sequence is skipped.
    static VMPtr<java::lang::String> decodeUtf8(VMPtr<ByteArray> data, int32_t offset,
                                                int32_t length);

    // CRC-32 table, built on first use.
    VM_STATIC(IntArray, crcTable);

    // ---- Text tables ----
    using StringArray = VMArray<java::lang::String, 1>;
    using CharArray = VMArray<char16_t, 1>;
    // Text `index` of a raw table: offsets[i] starts text i and offsets[i + 1]
    // ends it; when offsets[0] is not 0 each text follows a two-byte length
    // field that the offsets skip.
    static VMPtr<java::lang::String> decodeText(VMPtr<ByteArray> data, VMPtr<CharArray> offsets,
                                                int32_t index);
    // Reads a text table of `size` bytes (a count, then length-prefixed
    // texts) and decodes every text. A table whose texts do not fit its
    // size or its 16-bit offsets, or a negative count, throws IOException.
    static VMPtr<StringArray> readTextTable(VMPtr<java::io::DataInputStream> in, int32_t size);

    // ---- Numbers ----
    // Integer.parseInt(s, radix), or defaultValue for anything that is not
    // a number (null included).
    static int32_t parseIntRadix(VMPtr<java::lang::String> s, int32_t defaultValue, int32_t radix);
    static int32_t parseInt(VMPtr<java::lang::String> s, int32_t defaultValue);
    // Appends value padded with zeros to minDigits (as insertPaddedNumber).
    static void appendPaddedNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value,
                                   int32_t minDigits);

    // ---- Record stores named by number ----
    // Replaces store id (named by its decimal form) by data in records of
    // at most 4096 bytes; null only removes it. False when a record-store
    // operation failed; the store opened here is always closed.
    static bool saveRecordStore(int32_t id, VMPtr<ByteArray> data);
    static bool removeRecordStore(int32_t id);
    // Removes every store whose name is a decimal number; false when listing
    // or removing failed.
    static bool removeAllRecordStores();

private:
    // Stores the low `count` bytes of v, high byte first.
    static void writeBE(uint32_t v, int32_t count);
    // Throws ArrayIndexOutOfBoundsException unless [offset, offset + length)
    // lies inside a; a length of 0 or less passes.
    static void checkRange(VMPtr<ByteArray> a, int32_t offset, int32_t length);
};

} // namespace tq
