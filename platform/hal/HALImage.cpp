// HALImage: creation, conversion from ARGB, resizing and reading back.

#include "hal/HALImage.h"

#include <new>

#include "hal/memory.h"

namespace {

// Blocks above this are refused as out of memory (the heap's sizes are
// 32-bit).
constexpr uint64_t kMaxBlock = 0x7FFFFFF0u;

bool fitsSide(int32_t side)
{
    return side >= 1 && side <= HALImage::kMaxSide;
}

// Format of ARGB input: 3 as soon as one alpha lies in 8..247, else 2 when
// some alpha is below 8, else 1.
int32_t formatOf(const int32_t* pixels, int32_t width, int32_t height, int32_t scanLength)
{
    bool keyed = false;
    for (int32_t r = 0; r < height; ++r) {
        const int32_t* row = pixels + static_cast<intptr_t>(r) * scanLength;
        for (int32_t c = 0; c < width; ++c) {
            uint32_t alpha = static_cast<uint32_t>(row[c]) >> 24;
            if (alpha >= 8 && alpha < 248) {
                return HALImage::kAlpha;
            }
            keyed |= alpha < 8;
        }
    }
    return keyed ? HALImage::kColourKey : HALImage::kOpaque;
}

}  // namespace

HALImage::~HALImage()
{
    if (ownsPixels) {
        HAL_freeCounted(pixels);
    }
}

uint64_t HALImage::blockBytes(int32_t rowLength, int32_t height, int32_t format)
{
    return static_cast<uint64_t>(rowLength) * static_cast<uint64_t>(height) * (format == kAlpha ? 3 : 2);
}

HALImage* HALImage::create(int32_t width, int32_t height, int32_t format)
{
    if (!fitsSide(width) || !fitsSide(height)) {
        return nullptr;
    }
    uint64_t bytes = blockBytes(width, height, format);
    auto* block = bytes > kMaxBlock ? nullptr : static_cast<uint16_t*>(HAL_mallocCounted(static_cast<uint32_t>(bytes)));
    if (!block) {
        return nullptr;
    }
    HALImage* image = wrap(block, width, height, format);
    if (!image) {
        HAL_freeCounted(block);
        return nullptr;
    }
    image->external = 0;
    return image;
}

HALImage* HALImage::wrap(uint16_t* block, int32_t width, int32_t height, int32_t format)
{
    auto* image = new (std::nothrow) HALImage;
    if (!image) {
        return nullptr;
    }
    image->pixels = block;
    image->width = static_cast<int16_t>(width);
    image->height = static_cast<int16_t>(height);
    image->rowLength = static_cast<int16_t>(width);
    image->ownsPixels = 1;
    image->external = 1;
    image->format = format;
    return image;
}

int32_t HALImage::fromARGB(const int32_t* pixels, int32_t width, int32_t height, int32_t scanLength,
                           bool processAlpha, HALImage** out)
{
    *out = nullptr;
    if (!pixels || !fitsSide(width) || !fitsSide(height)) {
        return 2;
    }
    int32_t format = processAlpha ? formatOf(pixels, width, height, scanLength) : kOpaque;
    HALImage* image = create(width, height, format);
    if (!image) {
        return 5;
    }
    for (int32_t r = 0; r < height; ++r) {
        const int32_t* row = pixels + static_cast<intptr_t>(r) * scanLength;
        uint16_t* colour = image->pixelAt(0, r);
        if (format == kOpaque) {
            for (int32_t c = 0; c < width; ++c) {
                colour[c] = HAL_rgb565(static_cast<uint32_t>(row[c]));
            }
        } else if (format == kColourKey) {
            for (int32_t c = 0; c < width; ++c) {
                uint32_t argb = static_cast<uint32_t>(row[c]);
                colour[c] = (argb >> 24) < 8 ? kKey : HAL_rgb565(argb);
            }
        } else {
            uint8_t* alpha = image->alphaAt(0, r);
            for (int32_t c = 0; c < width; ++c) {
                uint32_t argb = static_cast<uint32_t>(row[c]);
                colour[c] = HAL_rgb565(argb);
                alpha[c] = static_cast<uint8_t>(argb >> 24);
            }
        }
    }
    *out = image;
    return 0;
}

bool HALImage::resize(int32_t newWidth, int32_t newHeight)
{
    if (!ownsPixels || (newWidth == width && newHeight == height)) {
        return true;
    }
    if (!fitsSide(newWidth) || !fitsSide(newHeight)) {
        return false;
    }
    uint64_t bytes = blockBytes(newWidth, newHeight, format);
    auto* block = bytes > kMaxBlock ? nullptr : static_cast<uint16_t*>(HAL_mallocCounted(static_cast<uint32_t>(bytes)));
    if (!block) {
        return false;  // the old size and pixels stay
    }
    HAL_freeCounted(pixels);
    pixels = block;
    width = static_cast<int16_t>(newWidth);
    height = static_cast<int16_t>(newHeight);
    rowLength = static_cast<int16_t>(newWidth);
    return true;
}

void HALImage::getRGB(int32_t* destination, int32_t scanLength, int32_t x, int32_t y, int32_t w, int32_t h) const
{
    for (int32_t r = 0; r < h; ++r) {
        int32_t* out = destination + static_cast<intptr_t>(r) * scanLength;
        const uint16_t* colour = pixelAt(x, y + r);
        for (int32_t c = 0; c < w; ++c) {
            uint32_t alpha = 0xFF;
            if (format == kColourKey) {
                alpha = colour[c] == kKey ? 0 : 0xFF;
            } else if (format == kAlpha) {
                alpha = *alphaAt(x + c, y + r);
            }
            out[c] = static_cast<int32_t>((alpha << 24) | HAL_rgb888(colour[c]));
        }
    }
}
