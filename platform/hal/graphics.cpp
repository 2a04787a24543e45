// The graphics operations of the MIDP side: contexts on images and on the
// screen buffer, and the drawing calls, which do nothing for a null context.

#include <algorithm>

#include "hal/HALEllipse.h"
#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/HALList.h"
#include "hal/HALScreenBuffer.h"
#include "hal/graphics.h"

namespace {

// A context that still has a target (a screen-buffer context loses it when
// its buffer is deleted first).
bool drawable(const HALGraphics* g)
{
    return g && g->target;
}

}  // namespace

int32_t HAL_createGraphicsWithImage(HALGraphics** out, HALImageRef* image)
{
    if (!out || !image) {
        return 2;
    }
    HALGraphics* g = HALGraphics::create(image->image, image);
    if (!g) {
        return 5;
    }
    *out = g;
    return 0;
}

int32_t HAL_createGraphicsWithScreenBuffer(HALGraphics** out, HALScreenBuffer* buffer)
{
    if (!out || !buffer || !buffer->image) {
        return 2;
    }
    HALGraphics* g = HALGraphics::create(buffer->image, nullptr);
    if (!g) {
        return 5;
    }
    if (!buffer->listeners->add(g)) {
        delete g;
        return 5;
    }
    g->screen = buffer;
    *out = g;
    return 0;
}

int32_t HAL_deleteGraphics(HALGraphics* g)
{
    if (!g) {
        return 2;
    }
    if (g->screen) {
        g->screen->listeners->remove(g);
    }
    delete g;
    return 0;
}

void HAL_setColor(HALGraphics* g, int32_t argb)
{
    if (g) {
        g->setColor(static_cast<uint32_t>(argb));
    }
}

int32_t HAL_getDisplayColor(HALGraphics* g, int32_t rgb)
{
    return g ? HAL_rgb565(static_cast<uint32_t>(rgb)) : -1;
}

void HAL_setFont(HALGraphics* g, HALFont* font)
{
    if (g) {
        g->font = font;
    }
}

void HAL_setStrokeStyle(HALGraphics* g, int32_t style)
{
    if (g) {
        g->strokeStyle = style;
    }
}

void HAL_setClip(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (g) {
        g->reset();
        g->clip.intersect(x, y, width, height);
    }
}

void HAL_clipRect(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (g) {
        g->clip.intersect(x, y, width, height);
    }
}

void HAL_drawLine(HALGraphics* g, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (drawable(g)) {
        g->drawLine(x1, y1, x2, y2, g->strokeStyle != 0);
    }
}

void HAL_fillRect(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (drawable(g)) {
        g->fillRect(x, y, width, height, false);
    }
}

void HAL_drawRect(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (drawable(g)) {
        g->drawRect(x, y, width, height);
    }
}

void HAL_drawRoundRect(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth,
                       int32_t arcHeight)
{
    if (drawable(g)) {
        g->drawRoundRect(x, y, width, height, arcWidth, arcHeight);
    }
}

void HAL_fillRoundRect(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth,
                       int32_t arcHeight)
{
    if (drawable(g)) {
        g->fillRoundRect(x, y, width, height, arcWidth, arcHeight);
    }
}

void HAL_drawArc(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle)
{
    if (drawable(g)) {
        HALEllipse::arc(*g, x, y, width, height, startAngle, arcAngle, false);
    }
}

void HAL_fillArc(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle)
{
    if (drawable(g)) {
        HALEllipse::arc(*g, x, y, width, height, startAngle, arcAngle, true);
    }
}

void HAL_fillTriangle(HALGraphics* g, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3)
{
    if (drawable(g)) {
        g->fillTriangle(x1, y1, x2, y2, x3, y3);
    }
}

void HAL_fillGradientRect(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height, int32_t colourFrom,
                          int32_t colourTo, bool horizontal)
{
    if (drawable(g)) {
        g->fillGradient(x, y, width, height, static_cast<uint32_t>(colourFrom), static_cast<uint32_t>(colourTo),
                        horizontal);
    }
}

void HAL_drawChars(HALGraphics* g, const char16_t* characters, int32_t count, int32_t x, int32_t y)
{
    if (drawable(g)) {
        g->drawChars(characters, count, x, y);
    }
}

void HAL_drawImage(HALGraphics* g, HALImageRef* image, int32_t x, int32_t y)
{
    if (drawable(g) && image) {
        g->blit(image->image, x, y, image->image->width, image->image->height, 0, 0, 0);
    }
}

void HAL_drawImmutableRegion(HALGraphics* g, HALImageRef* image, int32_t xSrc, int32_t ySrc, int32_t width,
                             int32_t height, int32_t transform, int32_t xDest, int32_t yDest)
{
    if (drawable(g) && image) {
        g->blit(image->image, xDest, yDest, width, height, xSrc, ySrc, static_cast<uint32_t>(transform) & 0xFF07u);
    }
}

void HAL_drawMutableRegion(HALGraphics* g, HALImageRef* image, int32_t xSrc, int32_t ySrc, int32_t width,
                           int32_t height, int32_t transform, int32_t xDest, int32_t yDest)
{
    HAL_drawImmutableRegion(g, image, xSrc, ySrc, width, height, transform, xDest, yDest);
}

int32_t HAL_drawRGB(HALGraphics* g, const int32_t* argb, int32_t entries, int32_t scanLength, int32_t x, int32_t y,
                    int32_t width, int32_t height, bool processAlpha)
{
    if (!drawable(g)) {
        return 0;
    }
    // Rows below the first are checked against the entries left; a negative
    // scan length reads rows upwards, which the caller has checked.
    if (!argb || width < 1 || height < 1 ||
        (scanLength >= 0 ? static_cast<int64_t>(height - 1) * scanLength + width : width) > entries) {
        return 2;
    }
    HALImage* image = nullptr;
    int32_t status = HALImage::fromARGB(argb, width, height, scanLength, processAlpha, &image);
    if (status != 0) {
        return status;
    }
    g->blit(image, x, y, width, height, 0, 0, 0);
    delete image;
    return 0;
}

int32_t HAL_copyArea(HALGraphics* g, int32_t xSrc, int32_t ySrc, int32_t width, int32_t height, int32_t xDest,
                     int32_t yDest)
{
    if (!g) {
        return 0;
    }
    if (!g->target) {
        return 1;
    }
    // Through a copy of the region, so overlapping areas copy whole.
    HALImage* target = g->target;
    if (width >= 1 && height >= 1 && xSrc >= 0 && ySrc >= 0 && static_cast<int64_t>(xSrc) + width <= target->width &&
        static_cast<int64_t>(ySrc) + height <= target->height) {
        if (HALImage* copy = HALImage::create(width, height, HALImage::kOpaque)) {
            for (int32_t r = 0; r < height; ++r) {
                std::copy_n(target->pixelAt(xSrc, ySrc + r), width, copy->pixelAt(0, r));
            }
            g->blit(copy, xDest, yDest, width, height, 0, 0, 0);
            delete copy;
        }
    }
    return 1;
}

void HAL_drawScreenBuffer(HALGraphics* g, HALScreenBuffer* buffer, int32_t x, int32_t y)
{
    if (drawable(g) && buffer && buffer->image) {
        g->blit(buffer->image, x, y, buffer->width, buffer->height, 0, 0, 0);
    }
}
