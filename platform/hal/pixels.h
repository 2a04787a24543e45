#pragma once
// The pixel loops of the software rasteriser: spans and image rows into
// RGB565. Each loop has a plain reference path and fast paths for the common
// cases (unit source step, whole rows); a switch forces the reference path
// so the fast paths can be tested against it.

#include <cstdint>

// Blend weight of an alpha: 1 to 31 of 32 for alphas 8 to 247.
inline uint32_t HAL_blendWeight(uint32_t alpha)
{
    return (alpha + 1) >> 3;
}

// Source over destination at weight w of 32, two channels at once in one
// 32-bit word (unsigned wrap, logical shift). Weight 0 keeps the destination
// and 32 gives the source, exactly.
inline uint16_t HAL_blend565(uint16_t source, uint16_t destination, uint32_t weight)
{
    uint32_t s = (source & 0xF81Fu) | ((source & 0x07E0u) << 16);
    uint32_t d = (destination & 0xF81Fu) | ((destination & 0x07E0u) << 16);
    uint32_t r = d + (((s - d) * weight) >> 5);
    return static_cast<uint16_t>((r & 0xF81Fu) | ((r >> 16) & 0x07E0u));
}

// Forces the reference paths (tests); returns the previous setting.
bool HAL_setReferencePixelPaths(bool on);
bool HAL_usesReferencePixelPaths();

// n pixels set to the colour, or blended over at weight w.
void HAL_fillSpan565(uint16_t* destination, int32_t n, uint16_t colour);
void HAL_blendSpan565(uint16_t* destination, int32_t n, uint16_t colour, uint32_t weight);

// An image blit of rows x n pixels: destination rows dstStride apart; source
// pixel (i, r) at source + r x srcRowStep + i x step (and, for format 3, the
// alpha byte at the same offset from alpha), drawn by the source format's
// rule at the context alpha (below 8 draws nothing). Any other format, or
// format 3 without an alpha plane, is drawn as opaque.
void HAL_blit565(uint16_t* destination, intptr_t dstStride, int32_t n, int32_t rows, const uint16_t* source,
                 const uint8_t* alpha, intptr_t step, intptr_t srcRowStep, int32_t format, uint32_t contextAlpha);
