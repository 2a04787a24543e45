#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <zlib.h>

#include "engine/support/EngineBytes.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/TqCanvas.h"

using tq::TqCanvas;
using IntArray = TqCanvas::IntArray;

namespace {

class TqCanvasPngTest : public VMFixture {};

uint32_t be32(const Bytes& b, size_t at)
{
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

struct Chunk {
    std::string type;
    Bytes data;
};

// Splits a PNG into chunks, checking every chunk's CRC with zlib.
std::vector<Chunk> chunksOf(const Bytes& png)
{
    std::vector<Chunk> chunks;
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    size_t at = 8;
    while (at + 12 <= png.size()) {
        uint32_t length = be32(png, at);
        Chunk c{std::string(png.begin() + long(at) + 4, png.begin() + long(at) + 8),
                Bytes(png.begin() + long(at) + 8, png.begin() + long(at + 8 + length))};
        uint32_t crc = uint32_t(::crc32(0, png.data() + at + 4, uInt(4 + length)));
        EXPECT_EQ(be32(png, at + 8 + length), crc) << c.type;
        chunks.push_back(c);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// A picture of width x height indices cycling through `colours`.
Bytes indexPicture(int32_t width, int32_t height, int32_t colours)
{
    Bytes pixels(size_t(width) * size_t(height));
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = uint8_t((i * 7 + i / size_t(width ? width : 1)) % size_t(colours));
    return pixels;
}

// PLTE data of `colours` entries followed by four CRC bytes.
Bytes paletteOf(int32_t colours)
{
    Bytes p;
    for (int32_t i = 0; i < colours; i++) {
        p.push_back(uint8_t(i * 40));
        p.push_back(uint8_t(255 - i * 30));
        p.push_back(uint8_t(i * 17 + 3));
    }
    p.insert(p.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    return p;
}

Bytes writePng(const Bytes& pixels, int32_t width, int32_t height, const Bytes& palette,
               int32_t transparent)
{
    return bytesOf(TqCanvas::createPalettedPng(vmBytes(pixels), 0, width, width, height,
                                               vmBytes(palette), transparent));
}

TEST_F(TqCanvasPngTest, StoredBlocksHoldTheirRowCountsAndTheChecksumsMatch)
{
    struct Case {
        int32_t width, height;
        std::vector<int32_t> blockRows;
    } cases[] = {
        {2, 2, {2}},           {240, 320, {135, 135, 50}}, {240, 271, {135, 135, 1}},
        {127, 512, {256, 256}}, {1, 1, {1}},                {32767, 2, {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Bytes pixels = indexPicture(c.width, c.height, 5);
        Bytes png = writePng(pixels, c.width, c.height, paletteOf(5), -1);
        std::vector<Chunk> chunks = chunksOf(png);
        ASSERT_EQ(chunks.size(), 4u);
        EXPECT_EQ(chunks[0].type, "IHDR");
        EXPECT_EQ(chunks[0].data, (Bytes{0, 0, uint8_t(c.width >> 8), uint8_t(c.width), 0, 0,
                                        uint8_t(c.height >> 8), uint8_t(c.height), 8, 3, 0, 0,
                                        0}));
        EXPECT_EQ(chunks[1].type, "PLTE");
        EXPECT_EQ(chunks[1].data.size(), 15u);
        EXPECT_EQ(chunks[3].type, "IEND");
        EXPECT_EQ(be32(png, png.size() - 4), 0xAE426082u);

        const Bytes& idat = chunks[2].data;
        ASSERT_EQ(chunks[2].type, "IDAT");
        EXPECT_EQ(idat[0], 0x78);
        EXPECT_EQ(idat[1], 0xDA);
        size_t at = 2;
        Bytes raw;
        for (size_t b = 0; b < c.blockRows.size(); b++) {
            uint32_t len = uint32_t(c.blockRows[b]) * uint32_t(c.width + 1);
            EXPECT_EQ(idat[at], b + 1 == c.blockRows.size() ? 1 : 0);
            EXPECT_EQ(idat[at + 1] | idat[at + 2] << 8, int(len));
            EXPECT_EQ(idat[at + 3] | idat[at + 4] << 8, int(~len & 0xFFFF));
            raw.insert(raw.end(), idat.begin() + long(at) + 5, idat.begin() + long(at + 5 + len));
            at += 5 + len;
        }
        ASSERT_EQ(at + 4, idat.size());
        EXPECT_EQ(be32(idat, at), uint32_t(::adler32(1, raw.data(), uInt(raw.size()))));

        // The zlib stream inflates to filter byte 0 and the row per row.
        Bytes inflated(raw.size() + 1);
        uLongf size = uLongf(inflated.size());
        ASSERT_EQ(::uncompress(inflated.data(), &size, idat.data(), uLong(idat.size())), Z_OK);
        ASSERT_EQ(size, raw.size());
        for (int32_t y = 0; y < c.height; y++) {
            size_t row = size_t(y) * size_t(c.width + 1);
            EXPECT_EQ(inflated[row], 0);
            EXPECT_TRUE(std::equal(pixels.begin() + long(y) * c.width,
                                   pixels.begin() + long(y + 1) * c.width,
                                   inflated.begin() + long(row) + 1));
        }
        EXPECT_EQ(png.size(), 8 + 25 + (12 + 15) + (12 + idat.size()) + 12);
    }
}

TEST_F(TqCanvasPngTest, TheSmallestPictureIsNinetyTwoBytes)
{
    Bytes png = writePng({0, 1, 1, 0}, 2, 2, paletteOf(2), -1);
    EXPECT_EQ(png.size(), 92u);
    // IDAT: one final block of LEN 6 and NLEN 0xFFF9.
    EXPECT_EQ(Bytes(png.begin() + 8 + 25 + 18 + 10, png.begin() + 8 + 25 + 18 + 15),
              (Bytes{1, 6, 0, 0xF9, 0xFF}));
}

TEST_F(TqCanvasPngTest, TransparencyChunkClearsOnlyTheGivenEntry)
{
    struct Case {
        int32_t transparent;
        Bytes trns;
    } cases[] = {{0, {0x00}}, {2, {0xFF, 0xFF, 0x00}}};
    for (const Case& c : cases) {
        std::vector<Chunk> chunks = chunksOf(writePng(indexPicture(3, 3, 3), 3, 3, paletteOf(3),
                                                      c.transparent));
        ASSERT_EQ(chunks.size(), 5u);
        EXPECT_EQ(chunks[2].type, "tRNS");
        EXPECT_EQ(chunks[2].data, c.trns);
    }
}

TEST_F(TqCanvasPngTest, ThePlatformDecoderReadsThePixelsBack)
{
    const int32_t width = 37, height = 9, colours = 4;
    // Rows taken from a wider buffer with an offset, as a picture region.
    const int32_t scan = 50, offset = 3;
    Bytes picture = indexPicture(width, height, colours);
    Bytes buffer(size_t(offset + scan * height), 0xEE);
    for (int32_t y = 0; y < height; y++)
        std::copy(picture.begin() + long(y) * width, picture.begin() + long(y + 1) * width,
                  buffer.begin() + offset + long(y) * scan);
    Bytes palette = paletteOf(colours);
    VMPtr<javax::microedition::lcdui::Image> image = TqCanvas::createPalettedImage(
        vmBytes(buffer), offset, scan, width, height, vmBytes(palette), 1);
    ASSERT_EQ(image->getWidth(), width);
    ASSERT_EQ(image->getHeight(), height);
    VMPtr<IntArray> argb = IntArray::newArray(width * height);
    image->getRGB(argb, 0, width, 0, 0, width, height);
    for (int32_t i = 0; i < width * height; i++) {
        uint8_t index = picture[size_t(i)];
        uint32_t expected = index == 1 ? 0u
                                       : 0xFF000000u | uint32_t(palette[index * 3]) << 16 |
                                             uint32_t(palette[index * 3 + 1]) << 8 |
                                             palette[index * 3 + 2];
        uint32_t got = uint32_t((*argb)[i]);
        if (index == 1)
            EXPECT_EQ(got >> 24, 0u) << i;
        else // the platform keeps 5-6-5 bits of colour
            EXPECT_EQ(got & 0xFFF8FCF8u, expected & 0xFFF8FCF8u) << i;
    }
}

TEST_F(TqCanvasPngTest, OutputBufferIsRestoredAlsoWhenThePixelsAreShort)
{
    VMPtr<VMByteArray> before = VMByteArray::newArray(4);
    TqCanvas::staticOutput = before;
    TqCanvas::staticOutputPosition = 3;
    writePng(indexPicture(4, 4, 2), 4, 4, paletteOf(2), -1);
    EXPECT_EQ(VMPtr<VMByteArray>(TqCanvas::staticOutput), before);
    EXPECT_EQ(TqCanvas::staticOutputPosition, 3);

    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [] { writePng(Bytes(15), 4, 4, paletteOf(2), -1); }, "Array index out of range: 15"));
    EXPECT_EQ(VMPtr<VMByteArray>(TqCanvas::staticOutput), before);
    EXPECT_EQ(TqCanvas::staticOutputPosition, 3);
}

TEST_F(TqCanvasPngTest, EmptyPicturesAndRowsNoStoredBlockCanHoldAreRefused)
{
    struct Case {
        int32_t width, height, transparent;
        size_t paletteBytes;
    } cases[] = {
        {-1, 2, -1, 10}, {40000, 1, -1, 10}, {32768, 1, -1, 10}, {2, -1, -1, 10},
        {0, 3, -1, 10},  {3, 0, -1, 10},     {2, 2, -1, 3},      {2, 2, INT32_MAX, 10},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] {
                TqCanvas::createPalettedPng(vmBytes(Bytes(16)), 0, 2, c.width, c.height,
                                            vmBytes(Bytes(c.paletteBytes)), c.transparent);
            },
            c.paletteBytes < 4 ? "Bad palette" : "Bad PNG size"))
            << c.width << "x" << c.height;
    }
}

TEST_F(TqCanvasPngTest, ChecksumsAgreeWithZlib)
{
    EXPECT_EQ(uint32_t(TqCanvas::pngCrc32(vmBytes(std::string("IEND")), 0, 4)), 0xAE426082u);
    EXPECT_EQ(TqCanvas::adler32(1, vmBytes(Bytes{}), 0, 0), 1);
    EXPECT_EQ(uint32_t(TqCanvas::adler32(1, vmBytes(std::string("abc")), 0, 3)), 0x024D0127u);
    EXPECT_EQ(TqCanvas::adler32(77, vmBytes(Bytes{1}), 0, -3), 77);

    // Long runs of 0xFF stress the reduction between blocks.
    for (size_t size : {size_t(1), size_t(3800), size_t(3801), size_t(20000)}) {
        Bytes data(size + 6, 0xFF);
        for (size_t i = 0; i < data.size(); i += 5)
            data[i] = uint8_t(i);
        VMPtr<VMByteArray> a = vmBytes(data);
        EXPECT_EQ(uint32_t(TqCanvas::adler32(1, a, 3, int32_t(size))),
                  uint32_t(::adler32(1, data.data() + 3, uInt(size))))
            << size;
        EXPECT_EQ(uint32_t(TqCanvas::pngCrc32(a, 3, int32_t(size))),
                  uint32_t(::crc32(0, data.data() + 3, uInt(size))))
            << size;
    }
    // The register continues across calls without inversion.
    VMPtr<VMByteArray> ab = vmBytes(std::string("IEND"));
    int32_t part = TqCanvas::crc32Update(-1, ab, 0, 2);
    EXPECT_EQ(uint32_t(~TqCanvas::crc32Update(part, ab, 2, 2)), 0xAE426082u);

    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { TqCanvas::pngCrc32(ab, 2, 3); }, "Array index out of range: 4"));
}

TEST_F(TqCanvasPngTest, PaletteCrcCoversTypeAndData)
{
    Bytes palette = paletteOf(3);
    VMPtr<VMByteArray> a = vmBytes(palette);
    TqCanvas::updatePaletteCrc(a);
    Bytes typed{'P', 'L', 'T', 'E'};
    typed.insert(typed.end(), palette.begin(), palette.end() - 4);
    Bytes got = bytesOf(a);
    EXPECT_EQ(Bytes(got.begin(), got.end() - 4), Bytes(palette.begin(), palette.end() - 4));
    EXPECT_EQ(be32(got, got.size() - 4), uint32_t(::crc32(0, typed.data(), uInt(typed.size()))));
}

// Packs bytes the way unpackByteArray reads them.
VMPtr<java::lang::String> packed(const Bytes& b)
{
    std::u16string s(1, char16_t(b.size()));
    for (uint8_t x : b)
        s.push_back(char16_t(x & 0x7F));
    for (size_t k = 0; k < b.size(); k += 7) {
        char16_t high = 0;
        for (size_t j = 0; j < 7 && k + j < b.size(); j++)
            high = char16_t(high | ((b[k + j] >> 7) << j));
        s.push_back(high);
    }
    return java::lang::String::newInstance()->initFromUtf16(s.data(), int32_t(s.size()));
}

TEST_F(TqCanvasPngTest, PackedByteArraysUnpack)
{
    std::vector<Bytes> cases = {
        {}, {0x80}, {0x7F, 0xFF, 0x00}, {1, 2, 3, 4, 5, 6, 0x87}, {1, 2, 3, 4, 5, 6, 7, 0x88, 0xFF},
    };
    Bytes big(1024);
    for (size_t i = 0; i < big.size(); i++)
        big[i] = uint8_t(i * 151 + 7);
    cases.push_back(big);
    for (const Bytes& b : cases)
        EXPECT_EQ(bytesOf(TqCanvas::unpackByteArray(packed(b))), b) << b.size();
}

TEST_F(TqCanvasPngTest, BigEndianWritersAndBooleans)
{
    TqCanvas::staticOutput = VMByteArray::newArray(9);
    TqCanvas::staticOutputPosition = 0;
    TqCanvas::pngWriteInt(0x01020304);
    EXPECT_EQ(TqCanvas::staticOutputPosition, 4);
    TqCanvas::pngWriteShort(74565);
    TqCanvas::writeBoolean(true);
    TqCanvas::writeBoolean(false);
    EXPECT_EQ(TqCanvas::staticOutputPosition, 8);
    EXPECT_EQ(bytesOf(VMPtr<VMByteArray>(TqCanvas::staticOutput)),
              (Bytes{1, 2, 3, 4, 0x23, 0x45, 1, 0, 0}));
    // The short write past the end stores nothing.
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [] { TqCanvas::pngWriteShort(0x7777); }, "Array index out of range: 9"));
    EXPECT_EQ((*VMPtr<VMByteArray>(TqCanvas::staticOutput))[8], 0);

    TqCanvas::staticOutput = VMByteArray::newArray(8);
    TqCanvas::staticOutputPosition = 0;
    TqCanvas::writeShortLE(74565);
    TqCanvas::writeIntLE(0x01020304);
    EXPECT_EQ(bytesOf(VMPtr<VMByteArray>(TqCanvas::staticOutput)),
              (Bytes{0x45, 0x23, 4, 3, 2, 1, 0, 0}));

    struct Read {
        Bytes bytes;
        int32_t value;
    } reads[] = {{{0xFF, 0xFF, 0xFF, 0xFE}, -2}, {{0x00, 0x80, 0x00, 0x00}, 8388608}};
    for (const Read& r : reads) {
        TqCanvas::staticInput = vmBytes(r.bytes);
        TqCanvas::staticInputPosition = 0;
        EXPECT_EQ(TqCanvas::readInt(), r.value);
    }
}

TEST_F(TqCanvasPngTest, Utf8DecodingStaysInsideItsRange)
{
    struct Case {
        Bytes bytes;
        std::u16string text;
    } cases[] = {
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, u"A\u00E9\u20AC"},
        {{0xC0, 0x80, 0x42}, std::u16string(1, u'\0') + u"B"},
        // Cut-off sequences end the text; nothing past the range is read.
        {{0x41, 0xC3}, u"A"},
        {{0x41, 0xE2, 0x82}, u"A"},
        // Bytes that cannot lead are skipped.
        {{0x80, 0x41, 0xBF, 0xF8, 0x42}, u"AB"},
        {{}, u""},
    };
    for (const Case& c : cases) {
        // A guard byte after the range that would decode if it were read.
        Bytes data{0x5A};
        data.insert(data.end(), c.bytes.begin(), c.bytes.end());
        data.push_back(0xA9);
        VMPtr<java::lang::String> s =
            TqCanvas::decodeUtf8(vmBytes(data), 1, int32_t(c.bytes.size()));
        std::u16string got;
        for (int32_t i = 0; i < s->length(); i++)
            got.push_back(s->charAt(i));
        EXPECT_EQ(got, c.text) << c.bytes.size();
    }
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [] { TqCanvas::decodeUtf8(vmBytes(Bytes{0x41, 0x42}), 1, 2); },
        "Array index out of range: 2"));
}

} // namespace
