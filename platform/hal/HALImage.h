#pragma once
// HALImage: a platform image. An RGB565 plane (row after row, top row first),
// for format 3 followed in the same block by an alpha plane of one byte per
// pixel. Formats: 1 opaque, 2 colour key (0xF81F is transparent), 3 alpha.
// Blocks come from the counted platform heap.

#include <cstdint>

// ARGB8888 to RGB565: the low bits of each channel are dropped.
inline uint16_t HAL_rgb565(uint32_t argb)
{
    return static_cast<uint16_t>(((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F));
}

// RGB565 back to RGB888 (low bits 0, never replicated), alpha 0.
inline uint32_t HAL_rgb888(uint16_t pixel)
{
    return ((uint32_t{pixel} & 0xF800) << 8) | ((uint32_t{pixel} & 0x07E0) << 5) | ((uint32_t{pixel} & 0x001F) << 3);
}

struct HALImage {
    static constexpr int32_t kOpaque = 1;
    static constexpr int32_t kColourKey = 2;
    static constexpr int32_t kAlpha = 3;
    static constexpr uint16_t kKey = 0xF81F;

    HALImage() = default;
    virtual ~HALImage();
    HALImage(const HALImage&) = delete;
    HALImage& operator=(const HALImage&) = delete;

    // A fresh block for the format (contents undefined); null when memory
    // runs out or the size is not positive.
    static HALImage* create(int32_t width, int32_t height, int32_t format);
    // Takes the block (freed with the image).
    static HALImage* wrap(uint16_t* block, int32_t width, int32_t height, int32_t format);
    // From ARGB, row r at pixels + r x scanLength; the format follows the
    // alphas (see the .cpp). Status 0, 2 for a size that is not positive or
    // does not fit the platform's 16-bit sides, 5 when memory runs out.
    static int32_t fromARGB(const int32_t* pixels, int32_t width, int32_t height, int32_t scanLength,
                            bool processAlpha, HALImage** out);
    // New size, old pixels lost; only for images that own their planes.
    // False (unchanged) when memory runs out.
    bool resize(int32_t width, int32_t height);

    uint16_t* pixelAt(int32_t x, int32_t y) const { return pixels + x + static_cast<intptr_t>(rowLength) * y; }
    uint8_t* alphaAt(int32_t x, int32_t y) const
    {
        return reinterpret_cast<uint8_t*>(pixels) + static_cast<intptr_t>(rowLength) * height * 2 + x +
               static_cast<intptr_t>(rowLength) * y;
    }
    // ARGB of the region, row r at destination + r x scanLength; the caller
    // has checked the region and the room.
    void getRGB(int32_t* destination, int32_t scanLength, int32_t x, int32_t y, int32_t width, int32_t height) const;
    bool hasAlpha() const { return format != kOpaque; }

    // Largest side a platform image can have (its sides are 16-bit).
    static constexpr int32_t kMaxSide = 0x7FFF;

    uint16_t* pixels = nullptr;
    int16_t width = 0;
    int16_t height = 0;
    int16_t rowLength = 0;
    uint8_t ownsPixels = 0;
    uint8_t external = 0;
    int32_t format = kOpaque;

protected:
    // Bytes of a block for the format.
    static uint64_t blockBytes(int32_t rowLength, int32_t height, int32_t format);
};
