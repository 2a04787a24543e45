// Platform images: formats chosen from ARGB input, reading back, reference
// counts, mutable images, and decoding through the imaging factory (PNG
// palette transparency, damaged data, a swapped palette, JPEG, pictures
// declaring a huge size).

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/JpegWriter.h"
#include "support/PngWriter.h"

namespace {

int32_t decode(const std::string& bytes, HALImageRef** out, int32_t* w = nullptr, int32_t* h = nullptr)
{
    return HAL_createImageWithData(out, reinterpret_cast<const int8_t*>(bytes.data()),
                                   static_cast<int32_t>(bytes.size()), w, h);
}

std::vector<uint32_t> readAll(HALImageRef* ref)
{
    std::vector<int32_t> out(static_cast<size_t>(ref->width) * ref->height);
    HAL_getImmutableRGB(ref, out.data(), static_cast<int32_t>(out.size()), ref->width, 0, 0, ref->width,
                        ref->height);
    return std::vector<uint32_t>(out.begin(), out.end());
}

TEST(Image, FormatFollowsTheAlphasOfArgbInput)
{
    struct Case {
        std::vector<uint32_t> argb;
        bool processAlpha;
        int32_t format;
    } cases[] = {
        {{0xFF000000u, 0xFFFFFFFFu}, true, 1},  {{0x00000000u, 0xFFFFFFFFu}, true, 2},
        {{0x07FFFFFFu, 0xF8FFFFFFu}, true, 2},  {{0x00000000u, 0x80FFFFFFu}, true, 3},
        {{0x08FFFFFFu, 0xFFFFFFFFu}, true, 3},  {{0xF7FFFFFFu, 0xFFFFFFFFu}, true, 3},
        {{0x00000000u, 0x80FFFFFFu}, false, 1},
    };
    for (const Case& c : cases) {
        HALImageRef* ref = nullptr;
        ASSERT_EQ(HAL_createImageWithRGB(&ref, reinterpret_cast<const int32_t*>(c.argb.data()), 2, 2, 1,
                                         c.processAlpha),
                  0);
        EXPECT_EQ(ref->image->format, c.format) << std::hex << c.argb[0] << " " << c.argb[1];
        uint8_t hasAlpha = 9;
        EXPECT_EQ(HAL_getImmutableHasAlpha(ref, &hasAlpha), 0);
        EXPECT_EQ(hasAlpha, c.format != 1 ? 1 : 0);
        HAL_deleteImage(ref);
    }
}

TEST(Image, ReadBackByFormat)
{
    const uint32_t argb[4] = {0x00123456u, 0xFFFF00FFu, 0xFFFFFFFFu, 0x80FFFFFFu};
    HALImageRef* keyed = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&keyed, reinterpret_cast<const int32_t*>(argb), 3, 3, 1, true), 0);
    EXPECT_EQ(readAll(keyed), (std::vector<uint32_t>{0x00F800F8u, 0x00F800F8u, 0xFFF8FCF8u}));
    HALImageRef* plane = nullptr;
    ASSERT_EQ(HAL_createImageWithRGB(&plane, reinterpret_cast<const int32_t*>(argb) + 2, 2, 2, 1, true), 0);
    EXPECT_EQ(readAll(plane), (std::vector<uint32_t>{0xFFF8FCF8u, 0x80F8FCF8u}));
    HAL_deleteImage(keyed);
    HAL_deleteImage(plane);
}

TEST(Image, RangesFromCallerInputAreChecked)
{
    int32_t pixels[4] = {};
    HALImageRef* ref = nullptr;
    EXPECT_EQ(HAL_createImageWithRGB(&ref, pixels, 4, 3, 2, false), 2);  // 6 pixels from 4 entries
    EXPECT_EQ(HAL_createImageWithRGB(&ref, pixels, 4, 0x10000, 0x10000, false), 2);
    EXPECT_EQ(HAL_createImageWithRGB(&ref, pixels, 0, 1, 1, false), 2);
    EXPECT_EQ(HAL_createImageWithRGB(nullptr, pixels, 4, 1, 1, false), 2);
    EXPECT_EQ(HAL_createMutableImage(&ref, 0, 5), 2);
    EXPECT_EQ(HAL_createTransparentMutableImage(&ref, 5, -1), 2);
    EXPECT_EQ(HAL_createTransparentMutableImage(&ref, 0x7FFF, 0x7FFF), 5);  // past the heap's 32-bit sizes
    ASSERT_EQ(HAL_createMutableImage(&ref, 2, 2), 0);
    // A request reaching past the destination's room writes nothing.
    int32_t out[3] = {7, 7, 7};
    HAL_getImmutableRGB(ref, out, 3, 2, 0, 0, 2, 2);
    EXPECT_EQ(out[0], 7);
    HAL_deleteImage(ref);
}

TEST(Image, MutableImagesStartWhiteOrClearAndAContextKeepsTheImage)
{
    HALImageRef* white = nullptr;
    ASSERT_EQ(HAL_createMutableImage(&white, 3, 2), 0);
    EXPECT_EQ(readAll(white), std::vector<uint32_t>(6, 0xFFF8FCF8u));
    HALImageRef* clear = nullptr;
    ASSERT_EQ(HAL_createTransparentMutableImage(&clear, 3, 2), 0);
    EXPECT_EQ(readAll(clear), std::vector<uint32_t>(6, 0u));
    HALGraphics* g = nullptr;
    ASSERT_EQ(HAL_createGraphicsWithImage(&g, white), 0);
    EXPECT_EQ(white->refCount, 2);
    HAL_deleteImage(white);  // the MIDP side lets go; the context still draws
    HAL_setColor(g, static_cast<int32_t>(0xFF000000u));
    HAL_fillRect(g, 0, 0, 1, 1);
    EXPECT_EQ(*g->target->pixelAt(0, 0), 0);
    EXPECT_EQ(HAL_deleteGraphics(g), 0);
    HAL_deleteImage(clear);
}

TEST(Decoding, PngPaletteTransparencyBecomesPerPixelAlpha)
{
    std::string png = vxtest::pngPalette(3, 1, {0xFFFF0000u, 0x00000000u, 0x8000FF00u}, {0, 1, 2});
    HALImageRef* ref = nullptr;
    int32_t w = 0, h = 0;
    ASSERT_EQ(decode(png, &ref, &w, &h), 0);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(ref->image->format, HALImage::kAlpha);
    EXPECT_EQ(readAll(ref), (std::vector<uint32_t>{0xFFF80000u, 0x00000000u, 0x8000FC00u}));
    HAL_deleteImage(ref);
    // Fully transparent or opaque entries only: a colour-keyed image.
    std::string keyed = vxtest::pngPalette(2, 1, {0xFF0000FFu, 0x00000000u}, {0, 1});
    ASSERT_EQ(decode(keyed, &ref), 0);
    EXPECT_EQ(ref->image->format, HALImage::kColourKey);
    HAL_deleteImage(ref);
}

TEST(Decoding, DamagedDataIsABadFormatAndASwappedPaletteStillDecodes)
{
    std::string png = vxtest::pngPalette(2, 2, {0xFFFF0000u, 0xFF00FF00u}, {0, 1, 1, 0});
    HALImageRef* ref = nullptr;
    // A palette replaced in memory without its CRC.
    std::string swapped = png;
    size_t plte = vxtest::pngChunk(swapped, "PLTE");
    ASSERT_NE(plte, std::string::npos);
    swapped[plte + 8] = '\0';  // first entry's red: 0xFF -> 0
    swapped[plte + 10] = static_cast<char>(0xFF);  // and its blue
    ASSERT_EQ(decode(swapped, &ref), 0);
    EXPECT_EQ(readAll(ref)[0], 0xFF0000F8u);
    HAL_deleteImage(ref);

    std::string idat = png;
    size_t at = vxtest::pngChunk(idat, "IDAT");
    idat[at + 10] = static_cast<char>(idat[at + 10] ^ 0x55);
    std::string header = png;
    header[16] = static_cast<char>(0x7F);  // width beyond the limit, CRC stale
    const std::string damaged[] = {idat, header, png.substr(0, png.size() / 2), "GIF89a....", std::string(8, '\0'),
                                   std::string("\x89PNG\r\n\x1a\n", 8), std::string("\xFF\xD8\xFF\xE0", 4)};
    for (const std::string& bytes : damaged) {
        ref = reinterpret_cast<HALImageRef*>(1);
        EXPECT_EQ(decode(bytes, &ref), 6) << bytes.size();
        EXPECT_EQ(ref, nullptr);
    }
    EXPECT_EQ(decode("", &ref), 6);
    EXPECT_EQ(HAL_createImageWithData(&ref, nullptr, 4, nullptr, nullptr), 2);
}

// A JPEG of one colour, baseline or progressive.
std::string jpegBytes(int width, int height, bool progressive)
{
    return vxtest::jpegRgb(width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, 0xC82828),
                           100, progressive);
}

// The same bytes with the frame header declaring another size.
std::string declaringSize(std::string jpeg, uint16_t width, uint16_t height)
{
    size_t frame = jpeg.find("\xFF\xC2");
    if (frame == std::string::npos) {
        frame = jpeg.find("\xFF\xC0");
    }
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width);
    return jpeg;
}

TEST(Decoding, JpegGivesOpaquePixels)
{
    for (bool progressive : {false, true}) {
        HALImageRef* ref = nullptr;
        ASSERT_EQ(decode(jpegBytes(8, 8, progressive), &ref), 0);
        EXPECT_EQ(ref->image->format, HALImage::kOpaque);
        uint32_t p = readAll(ref)[27];
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 200, 12);
        EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), 40, 12);
        HAL_deleteImage(ref);
    }
}

// The same bytes with the last scan given `times` more times.
std::string withScanRepeated(const std::string& jpeg, int times)
{
    size_t last = jpeg.rfind("\xFF\xDA");
    size_t end = jpeg.size() - 2;  // the end-of-image marker
    std::string scan = jpeg.substr(last, end - last);
    std::string out = jpeg.substr(0, end);
    for (int i = 0; i < times; ++i) {
        out += scan;
    }
    return out + jpeg.substr(end);
}

// A small file declaring a huge picture is refused from its header: quickly,
// and without libjpeg allocating for the declared size.
TEST(Decoding, JpegDeclaringAHugePictureIsRefusedFromItsHeader)
{
    struct Case {
        const char* what;
        bool progressive;
        uint16_t width;
        uint16_t height;
    };
    const Case cases[] = {
        {"progressive 65500 x 65500", true, 65500, 65500},
        {"baseline 65500 x 65500", false, 65500, 65500},
        {"progressive, sides allowed, too many pixels", true, 16384, 16384},
        {"progressive, one side too long", true, 16385, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bomb = declaringSize(jpegBytes(16, 16, c.progressive), c.width, c.height);
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        auto start = std::chrono::steady_clock::now();
        HALImageRef* ref = nullptr;
        EXPECT_EQ(decode(bomb, &ref), 6);
        EXPECT_EQ(ref, nullptr);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 32 * 1024);  // kilobytes
    }
}

// Every scan of a progressive file passes over the whole picture: a file
// repeating its last scan thousands of times is refused.
TEST(Decoding, ProgressiveJpegWithTooManyScansIsRefused)
{
    std::string jpeg = jpegBytes(512, 256, true);
    HALImageRef* ref = nullptr;
    ASSERT_EQ(decode(withScanRepeated(jpeg, 80), &ref), 0);
    HAL_deleteImage(ref);
    ref = reinterpret_cast<HALImageRef*>(1);
    EXPECT_EQ(decode(withScanRepeated(jpeg, 5000), &ref), 6);
    EXPECT_EQ(ref, nullptr);
}

TEST(Decoding, ResourcesLoadFromTheResourceFolder)
{
    vxtest::AppFolder app;
    app.write("rsc/pic.png", vxtest::pngRgba(1, 1, {0xFF00FF00u}));
    app.write("rsc/empty.png", "");
    HAL_loadProperties();  // the folder of this test, not one an earlier test left cached
    HALImageRef* ref = nullptr;
    int32_t w = 0, h = 0;
    ASSERT_EQ(HAL_createImageWithResource(&ref, u"pic.png", 7, &w, &h), 0);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(readAll(ref)[0], 0xFF00FC00u);
    HAL_deleteImage(ref);
    EXPECT_EQ(HAL_createImageWithResource(&ref, u"none.png", 8, &w, &h), 4);
    EXPECT_EQ(HAL_createImageWithResource(&ref, u"empty.png", 9, &w, &h), 7);
    HAL_freeProperties();
}

}  // namespace
