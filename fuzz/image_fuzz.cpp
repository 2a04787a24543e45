// Image decoding: any bytes give a picture or a refusal (bad format, bad
// argument, out of memory), never a crash; a decoded picture reads back
// consistently with its format and draws under every transform. An input
// whose first byte is odd is a recipe for a PNG (size, colour type, pixels)
// followed by damage (offset, xor pairs), so the search starts from valid
// structure; a first byte of 2 modulo 4 is the same for a JPEG (size,
// quality, baseline or progressive, pixels, then damage); one of 0 modulo 4
// hands the rest over as it is.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/hal.h"
#include "support/JpegWriter.h"
#include "support/PngWriter.h"

namespace {

std::string pngFromRecipe(const uint8_t* data, size_t size)
{
    size_t at = 1;
    auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
    int width = 1 + next() % 12;
    int height = 1 + next() % 12;
    bool palette = next() & 1;
    std::string png;
    if (palette) {
        std::vector<uint32_t> colours(1 + next() % 8);
        for (uint32_t& c : colours) {
            c = (uint32_t{next()} << 24) | (uint32_t{next()} << 16) | (uint32_t{next()} << 8) | next();
        }
        std::vector<uint8_t> indices(static_cast<size_t>(width) * height);
        for (uint8_t& i : indices) {
            i = static_cast<uint8_t>(next() % colours.size());
        }
        png = vxtest::pngPalette(width, height, colours, indices);
    } else {
        std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
        for (uint32_t& p : argb) {
            p = (uint32_t{next()} << 24) | (uint32_t{next()} << 16) | next();
        }
        png = vxtest::pngRgba(width, height, argb);
    }
    vxfuzz_damage(png, data, size, at);
    return png;
}

std::string jpegFromRecipe(const uint8_t* data, size_t size)
{
    size_t at = 1;
    auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
    int width = 1 + next() % 24;
    int height = 1 + next() % 24;
    int quality = 1 + next() % 100;
    bool progressive = next() & 1;
    std::vector<uint32_t> rgb(static_cast<size_t>(width) * height);
    for (uint32_t& p : rgb) {
        p = (uint32_t{next()} << 16) | (uint32_t{next()} << 8) | next();
    }
    std::string jpeg = vxtest::jpegRgb(width, height, rgb, quality, progressive);
    vxfuzz_damage(jpeg, data, size, at);
    return jpeg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) {
        return 0;
    }
    std::string bytes = (data[0] & 1)       ? pngFromRecipe(data, size)
                        : (data[0] & 3) == 2 ? jpegFromRecipe(data, size)
                                             : std::string(data + 1, data + size);
    HALImageRef* ref = nullptr;
    int32_t width = 0, height = 0;
    int32_t status = HAL_createImageWithData(&ref, reinterpret_cast<const int8_t*>(bytes.data()),
                                             static_cast<int32_t>(bytes.size()), &width, &height);
    VXFUZZ_CHECK(status == 0 || status == 2 || status == 5 || status == 6, std::to_string(status));
    if (status != 0) {
        VXFUZZ_CHECK(ref == nullptr, "a refused picture left a handle");
        return 0;
    }
    VXFUZZ_CHECK(ref && width >= 1 && height >= 1 && width == ref->width && height == ref->height, "size");
    std::vector<int32_t> argb(static_cast<size_t>(width) * height);
    HAL_getImmutableRGB(ref, argb.data(), static_cast<int32_t>(argb.size()), width, 0, 0, width, height);
    int32_t format = ref->image->format;
    for (int32_t p : argb) {
        uint32_t alpha = static_cast<uint32_t>(p) >> 24;
        VXFUZZ_CHECK(format != 1 || alpha == 0xFF, "opaque picture with alpha");
        VXFUZZ_CHECK(format != 2 || alpha == 0 || alpha == 0xFF, "keyed picture with partial alpha");
    }
    HALImageRef* target = nullptr;
    HALGraphics* g = nullptr;
    if (HAL_createMutableImage(&target, 16, 16) == 0 && HAL_createGraphicsWithImage(&g, target) == 0) {
        for (int32_t transform = 0; transform < 8; ++transform) {
            HAL_setColor(g, static_cast<int32_t>((uint32_t{data[0]} << 24) | 0xFFFFFF));
            HAL_drawImmutableRegion(g, ref, 0, 0, width, height, transform, transform - 4, 4 - transform);
        }
        HAL_deleteGraphics(g);
    }
    HAL_deleteImage(target);
    HAL_deleteImage(ref);
    return 0;
}
