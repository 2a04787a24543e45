// The pixel loops: one reference path per operation, and fast paths written
// as plain loops the compiler vectorises (weights are chosen per pixel
// without branches, so skipping and copying are weights 0 and 32).

#include "hal/pixels.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "hal/HALImage.h"

namespace {

std::atomic<bool> g_reference{false};

// ---- reference paths --------------------------------------------------------

void fillReference(uint16_t* d, int32_t n, uint16_t colour)
{
    for (int32_t i = 0; i < n; ++i) {
        d[i] = colour;
    }
}

void blendReference(uint16_t* d, int32_t n, uint16_t colour, uint32_t w)
{
    for (int32_t i = 0; i < n; ++i) {
        d[i] = HAL_blend565(colour, d[i], w);
    }
}

// The blit rule of each source format at the context alpha, pixel by pixel.
void blitReference(uint16_t* d, int32_t n, const uint16_t* s, const uint8_t* a, intptr_t step, int32_t format,
                   uint32_t contextAlpha)
{
    bool copy = contextAlpha >= 248;
    uint32_t w = HAL_blendWeight(contextAlpha);
    for (int32_t i = 0; i < n; ++i) {
        uint16_t p = s[i * step];
        if (format == HALImage::kOpaque) {
            d[i] = copy ? p : HAL_blend565(p, d[i], w);
        } else if (format == HALImage::kColourKey) {
            if (p != HALImage::kKey) {
                d[i] = copy ? p : HAL_blend565(p, d[i], w);
            }
        } else {
            uint32_t alpha = a[i * step];
            if (!copy) {
                alpha = ((alpha + 1) * ((contextAlpha + 1) & 0xFF)) >> 8;
            }
            if (alpha >= 248) {
                d[i] = p;
            } else if (alpha >= 8) {
                d[i] = HAL_blend565(p, d[i], HAL_blendWeight(alpha));
            }
        }
    }
}

// ---- fast paths ----------------------------------------------------------------
// Built twice, for AVX2 and for the baseline, and chosen when the program
// loads (sanitizer builds: the baseline only).
#ifdef VX_BASELINE_PIXEL_LOOPS
#define VX_PIXEL_LOOP
#else
#define VX_PIXEL_LOOP __attribute__((target_clones("avx2", "default")))
#endif

VX_PIXEL_LOOP void fillFast(uint16_t* __restrict d, int32_t n, uint16_t colour)
{
    for (int32_t i = 0; i < n; ++i) {
        d[i] = colour;
    }
}

// Weight of a plane alpha after the context alpha: 0 skip, 32 copy.
inline uint32_t planeWeight(uint32_t alpha, uint32_t contextScale, bool copy)
{
    if (!copy) {
        alpha = ((alpha + 1) * contextScale) >> 8;
    }
    uint32_t w = HAL_blendWeight(alpha);
    w = alpha < 8 ? 0 : w;
    return alpha >= 248 ? 32 : w;
}

void blitOpaqueCopy(uint16_t* __restrict d, int32_t n, const uint16_t* __restrict s)
{
    if (n >= 8) {
        std::memcpy(d, s, static_cast<size_t>(n) * 2);
        return;
    }
    for (int32_t i = 0; i < n; ++i) {
        d[i] = s[i];
    }
}

VX_PIXEL_LOOP void blendFast(uint16_t* __restrict d, int32_t n, uint16_t colour, uint32_t weight)
{
    for (int32_t i = 0; i < n; ++i) {
        d[i] = HAL_blend565(colour, d[i], weight);
    }
}

VX_PIXEL_LOOP void blitOpaqueBlend(uint16_t* __restrict d, int32_t n, const uint16_t* __restrict s, uint32_t w)
{
    for (int32_t i = 0; i < n; ++i) {
        d[i] = HAL_blend565(s[i], d[i], w);
    }
}

VX_PIXEL_LOOP void blitKey(uint16_t* __restrict d, int32_t n, const uint16_t* __restrict s, uint32_t w)
{
    for (int32_t i = 0; i < n; ++i) {
        uint16_t p = s[i];
        uint16_t blended = HAL_blend565(p, d[i], w);
        d[i] = p == HALImage::kKey ? d[i] : blended;
    }
}

VX_PIXEL_LOOP void blitPlane(uint16_t* __restrict d, int32_t n, const uint16_t* __restrict s, const uint8_t* __restrict a,
               uint32_t contextAlpha)
{
    bool copy = contextAlpha >= 248;
    uint32_t scale = (contextAlpha + 1) & 0xFF;
    for (int32_t i = 0; i < n; ++i) {
        d[i] = HAL_blend565(s[i], d[i], planeWeight(a[i], scale, copy));
    }
}

}  // namespace

bool HAL_setReferencePixelPaths(bool on)
{
    return g_reference.exchange(on);
}

bool HAL_usesReferencePixelPaths()
{
    return g_reference.load(std::memory_order_relaxed);
}

void HAL_fillSpan565(uint16_t* destination, int32_t n, uint16_t colour)
{
    if (g_reference.load(std::memory_order_relaxed)) {
        fillReference(destination, n, colour);
        return;
    }
    fillFast(destination, std::max(n, 0), colour);
}

void HAL_blendSpan565(uint16_t* destination, int32_t n, uint16_t colour, uint32_t weight)
{
    if (g_reference.load(std::memory_order_relaxed)) {
        blendReference(destination, n, colour, weight);
        return;
    }
    blendFast(destination, n, colour, weight);
}

namespace {

// One row by the fast paths (unit step).
inline void blitRowFast(uint16_t* destination, int32_t n, const uint16_t* source, const uint8_t* alpha,
                        int32_t format, uint32_t contextAlpha)
{
    bool copy = contextAlpha >= 248;
    uint32_t w = copy ? 32 : HAL_blendWeight(contextAlpha);
    switch (format) {
    case HALImage::kOpaque:
        if (copy) {
            blitOpaqueCopy(destination, n, source);
        } else {
            blitOpaqueBlend(destination, n, source, w);
        }
        break;
    case HALImage::kColourKey:
        blitKey(destination, n, source, w);
        break;
    default:
        blitPlane(destination, n, source, alpha, contextAlpha);
        break;
    }
}

}  // namespace

void HAL_blit565(uint16_t* destination, intptr_t dstStride, int32_t n, int32_t rows, const uint16_t* source,
                 const uint8_t* alpha, intptr_t step, intptr_t srcRowStep, int32_t format, uint32_t contextAlpha)
{
    if (contextAlpha < 8 || n < 1) {
        return;
    }
    if (format != HALImage::kColourKey && (format != HALImage::kAlpha || !alpha)) {
        format = HALImage::kOpaque;  // without a plane to read, the pixels as they are
    }
    bool reference = step != 1 || g_reference.load(std::memory_order_relaxed);
    for (int32_t r = 0; r < rows; ++r) {
        const uint16_t* from = source + r * srcRowStep;
        const uint8_t* alphaFrom = alpha ? alpha + r * srcRowStep : nullptr;
        uint16_t* to = destination + r * dstStride;
        if (reference) {
            blitReference(to, n, from, alphaFrom, step, format, contextAlpha);
        } else {
            blitRowFast(to, n, from, alphaFrom, format, contextAlpha);
        }
    }
}
