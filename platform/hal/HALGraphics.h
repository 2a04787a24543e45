#pragma once
// HALGraphics: a platform graphics context. Colour, alpha, stroke style,
// clip (always inside the target) and font, and the software drawing into
// the target image. Lines, outlines and ellipse spans are opaque; fills,
// triangles, blits and text use the alpha levels: below 8 nothing, 8 to 247
// blend, 248 and above copy.

#include <cstdint>

#include "hal/HALRect.h"

struct HALFont;
struct HALImage;
struct HALImageRef;
struct HALScreenBuffer;

struct HALGraphics {
    // A context on the image (holding one reference to the handle when one
    // is given). Null when memory runs out.
    static HALGraphics* create(HALImage* target, HALImageRef* imageRef);
    virtual ~HALGraphics();
    HALGraphics(const HALGraphics&) = delete;
    HALGraphics& operator=(const HALGraphics&) = delete;

    // The clip becomes the whole target (after the target's size changed).
    virtual void reset();

    void setColor(uint32_t argb);

    // Spans: x range in either order, cut to the clip; opaque, blended at
    // the context alpha, or dotted (opaque, 4 on, 4 off).
    void solidSpan(int32_t xa, int32_t xb, int32_t y);
    void blendSpan(int32_t xa, int32_t xb, int32_t y);
    void dottedSpan(int32_t xa, int32_t xb, int32_t y);
    // A span at the context's alpha level.
    void alphaSpan(int32_t xa, int32_t xb, int32_t y);
    // One opaque pixel when it lies in the clip.
    void plot(int32_t x, int32_t y)
    {
        if (clip.contains(x, y)) {
            plotUnclipped(x, y);
        }
    }
    void plotUnclipped(int32_t x, int32_t y);

    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool dotted);
    void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, bool opaque);
    void drawRect(int32_t x, int32_t y, int32_t width, int32_t height);
    void drawRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth, int32_t arcHeight);
    void fillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth, int32_t arcHeight);
    void fillGradient(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t from, uint32_t to,
                      bool horizontal);
    void fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
    // The source region (w x h at xSrc, ySrc) under the transform word (bits
    // 0-2 the MIDP transform as flags, bits 8-15 a source format to use) at
    // (xDest, yDest). A region reaching outside the source draws nothing.
    void blit(const HALImage* source, int32_t xDest, int32_t yDest, int32_t w, int32_t h, int32_t xSrc,
              int32_t ySrc, uint32_t transform);
    void drawChars(const char16_t* characters, int32_t count, int32_t x, int32_t y);

    uint16_t colour565 = 0;
    uint32_t alpha = 0xFF;
    uint32_t colour = 0xFF000000u;
    int32_t strokeStyle = 0;
    HALImageRef* imageRef = nullptr;
    HALImage* target = nullptr;
    HALScreenBuffer* screen = nullptr;  // set for screen-buffer contexts
    HALRect clip;
    HALFont* font = nullptr;

protected:
    HALGraphics() = default;
};

// Frees the text surface shared by all contexts (shutdown, tests).
void HAL_releaseTextSurface();
