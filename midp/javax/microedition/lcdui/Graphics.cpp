#include "javax/microedition/lcdui/Graphics.h"

#include <bit>

#include "hal/font.h"
#include "hal/graphics.h"
#include "hal/screen.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "javax/microedition/lcdui/Font.h"
#include "javax/microedition/lcdui/Image.h"
#include "javax/microedition/lcdui/ranges.h"
#include "vm/VMBoot.h"
#include "vm/VMException.h"

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::Graphics, "javax.microedition.lcdui.Graphics",
                             "java.lang.Object", "target/winmo/pb_src/j2me/javax_microedition_lcdui_Graphics",
                             nullptr);

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

void throwIllegalArgument()
{
    vm_throwNew<java::lang::IllegalArgumentException>();
}

// A colour component check as unsigned: negative values are out of range.
void checkComponent(int32_t value)
{
    if (static_cast<uint32_t>(value) > 255)
        throwIllegalArgument();
}


// A translated start for the clip operations: a negative sum is 0 when a
// part was negative, else (two non-negative parts overflowed) the limit.
int32_t clampStart(int32_t value, int32_t translation, int32_t limit)
{
    int32_t sum = value + translation;
    if (sum < 0)
        return value < 0 || translation < 0 ? 0 : limit;
    return sum;
}

} // namespace

Graphics::~Graphics()
{
    releaseContext();
}

VMPtr<Graphics> Graphics::createForImage(VMPtr<Image> image)
{
    vm_nonNull(image);
    VMPtr<Graphics> g = newInstance();
    g->targetImage = image;
    if (HAL_createGraphicsWithImage(&g->context_, image->platformImage()) != 0)
        _VM_fatalError("HAL_createGraphicsWithImage() failed.");
    g->resetTarget(image->getWidth(), image->getHeight());
    g->resetState(false);
    return g;
}

VMPtr<Graphics> Graphics::createForScreenBuffer(HALScreenBuffer* buffer)
{
    HALGraphics* context = nullptr;
    if (HAL_createGraphicsWithScreenBuffer(&context, buffer) != 0)
        _VM_fatalError("HAL_createGraphicsWithScreenBuffer() failed.");
    int32_t w = 0, h = 0;
    if (HAL_getScreenBufferSize(buffer, &w, &h) != 0) {
        HAL_deleteGraphics(context);
        _VM_fatalError("HAL_getScreenBufferSize() failed.");
    }
    return createForContext(context, w, h);
}

VMPtr<Graphics> Graphics::createForContext(HALGraphics* context, int32_t w, int32_t h)
{
    VMPtr<Graphics> g;
    try {
        g = newInstance();
    } catch (...) {
        HAL_deleteGraphics(context);
        throw;
    }
    g->context_ = context;
    g->resetTarget(w, h);
    g->resetState(false);
    return g;
}

void Graphics::resetTarget(int32_t w, int32_t h)
{
    targetWidth = static_cast<int16_t>(w & 0x7FFF);
    targetHeight = static_cast<int16_t>(h & 0x7FFF);
    translateX = 0;
    translateY = 0;
    setClip(0, 0, targetWidth, targetHeight);
}

void Graphics::resetState(bool push)
{
    font = Font::getDefaultFont();
    grayLevel = 0;
    grayValid = true;
    alpha = 255;
    strokeStyle = SOLID;
    colour = 0;
    alphaMode = 0;
    if (push) {
        HAL_setFont(context_, font->platformFont());
        HAL_setStrokeStyle(context_, 0);
        HAL_setColor(context_, static_cast<int32_t>(0xFF000000u));
    }
}

void Graphics::releaseContext()
{
    if (context_) {
        HAL_deleteGraphics(context_);
        context_ = nullptr;
    }
}

void Graphics::pushColour()
{
    HAL_setColor(context_, static_cast<int32_t>(static_cast<uint32_t>(colour) | (static_cast<uint32_t>(alpha) << 24)));
}

void Graphics::emptyClip()
{
    clipLeft = clipTop = clipRight = clipBottom = 0;
    HAL_setClip(context_, 0, 0, 0, 0);
}

// ---- state ----------------------------------------------------------------

void Graphics::translate(int32_t x, int32_t y)
{
    translateX += x;
    translateY += y;
}

int32_t Graphics::getTranslateX()
{
    return translateX;
}

int32_t Graphics::getTranslateY()
{
    return translateY;
}

int32_t Graphics::getColor()
{
    return colour;
}

int32_t Graphics::getRedComponent()
{
    return (colour >> 16) & 0xFF;
}

int32_t Graphics::getGreenComponent()
{
    return (colour >> 8) & 0xFF;
}

int32_t Graphics::getBlueComponent()
{
    return colour & 0xFF;
}

int32_t Graphics::getGrayScale()
{
    if (!grayValid) {
        grayLevel = (getGreenComponent() * 150 + getRedComponent() * 76 + getBlueComponent() * 29) >> 8;
        grayValid = true;
    }
    return grayLevel;
}

void Graphics::setColor(int32_t rgb)
{
    int32_t value = rgb & 0xFFFFFF;
    if (value == colour)
        return;
    colour = value;
    grayValid = false;
    pushColour();
}

void Graphics::setColor(int32_t red, int32_t green, int32_t blue)
{
    checkComponent(red);
    checkComponent(green);
    checkComponent(blue);
    int32_t value = (red << 16) | (green << 8) | blue;
    if (value != colour) {
        colour = value;
        grayValid = false;
    }
    pushColour();
}

void Graphics::setGrayScale(int32_t value)
{
    checkComponent(value);
    if (grayValid && grayLevel == value)
        return;
    colour = value * 0x010101;
    grayLevel = value;
    grayValid = true;
    pushColour();
}

VMPtr<Font> Graphics::getFont()
{
    return font;
}

void Graphics::setFont(VMPtr<Font> f)
{
    font = f ? f : Font::getDefaultFont();
    HAL_setFont(context_, font->platformFont());
}

int32_t Graphics::getStrokeStyle()
{
    return strokeStyle;
}

void Graphics::setStrokeStyle(int32_t style)
{
    if (style != SOLID && style != DOTTED)
        throwIllegalArgument();
    strokeStyle = style;
    HAL_setStrokeStyle(context_, style);
}

int32_t Graphics::getDisplayColor(int32_t color)
{
    return HAL_getDisplayColor(context_, color);
}

int32_t Graphics::getARGBColor()
{
    return static_cast<int32_t>(static_cast<uint32_t>(colour) | (static_cast<uint32_t>(alpha) << 24));
}

void Graphics::setARGBColor(int32_t a, int32_t red, int32_t green, int32_t blue)
{
    checkComponent(a);
    checkComponent(red);
    checkComponent(green);
    checkComponent(blue);
    setARGBColor(static_cast<int32_t>((static_cast<uint32_t>(a) << 24) | (red << 16) | (green << 8) | blue));
}

void Graphics::setARGBColor(int32_t argb)
{
    int32_t value = argb & 0xFFFFFF;
    int32_t newAlpha = static_cast<int32_t>(static_cast<uint32_t>(argb) >> 24);
    bool changed = false;
    if (value != colour) {
        colour = value;
        grayValid = false;
        changed = true;
    }
    if (newAlpha != alpha) {
        alpha = newAlpha;
        changed = true;
    }
    if (changed)
        pushColour();
}

int32_t Graphics::getAlpha()
{
    return alpha;
}

void Graphics::setAlpha(int32_t a)
{
    checkComponent(a);
    if (a == alpha)
        return;
    alpha = a;
    pushColour();
}

int32_t Graphics::getAlphaMode()
{
    return alphaMode;
}

void Graphics::setAlphaMode(int32_t mode)
{
    if (mode == 0) {
        alphaMode = 0;
        return;
    }
    if (mode != 1 || !targetImage || !targetImage->hasAlpha())
        throwIllegalArgument();
    alphaMode = 1;
}

// ---- clip -------------------------------------------------------------------

int32_t Graphics::getClipX()
{
    return clipLeft - translateX;
}

int32_t Graphics::getClipY()
{
    return clipTop - translateY;
}

int32_t Graphics::getClipWidth()
{
    return clipRight - clipLeft;
}

int32_t Graphics::getClipHeight()
{
    return clipBottom - clipTop;
}

void Graphics::setClip(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (w <= 0 || h <= 0) {
        emptyClip();
        return;
    }
    int32_t ax = clampStart(x, translateX, targetWidth);
    int32_t ay = clampStart(y, translateY, targetHeight);
    clipLeft = static_cast<int16_t>(ax & 0x7FFF);
    clipTop = static_cast<int16_t>(ay & 0x7FFF);
    if (ax >= targetWidth || ay >= targetHeight) {
        emptyClip();
        return;
    }
    int32_t bx = x + translateX + w;
    if (bx < 0)
        bx = x < 0 || translateX < 0 ? ax : targetWidth;
    else if (bx > targetWidth)
        bx = targetWidth;
    int32_t by = y + translateY + h;
    if (by < 0)
        by = y < 0 || translateY < 0 ? ay : targetHeight;
    else if (by > targetHeight)
        by = targetHeight;
    clipRight = static_cast<int16_t>(bx & 0x7FFF);
    clipBottom = static_cast<int16_t>(by & 0x7FFF);
    HAL_setClip(context_, clipLeft, clipTop, clipRight - clipLeft, clipBottom - clipTop);
}

void Graphics::clipRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (w <= 0 || h <= 0) {
        emptyClip();
        return;
    }
    int32_t ax = clampStart(x, translateX, targetWidth);
    int32_t ay = clampStart(y, translateY, targetHeight);
    if (ax > clipRight || ay > clipBottom) {
        emptyClip();
        return;
    }
    if (ax > clipLeft)
        clipLeft = static_cast<int16_t>(ax & 0x7FFF);
    if (ay > clipTop)
        clipTop = static_cast<int16_t>(ay & 0x7FFF);
    int32_t bx = x + translateX + w;
    if (bx < 0)
        bx = x < 0 || translateX < 0 ? ax : targetWidth;
    int32_t by = y + translateY + h;
    if (by < 0)
        by = y < 0 || translateY < 0 ? ay : targetHeight;
    if (bx < clipLeft || by < clipTop) {
        emptyClip();
        return;
    }
    if (bx <= clipRight)
        clipRight = static_cast<int16_t>(bx & 0x7FFF);
    if (by <= clipBottom)
        clipBottom = static_cast<int16_t>(by & 0x7FFF);
    HAL_clipRect(context_, ax, ay, bx - ax, by - ay);
}

// ---- primitives -------------------------------------------------------------

void Graphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    HAL_drawLine(context_, x1 + translateX, y1 + translateY, x2 + translateX, y2 + translateY);
}

void Graphics::fillRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    HAL_fillRect(context_, x + translateX, y + translateY, w, h);
}

void Graphics::drawRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    HAL_drawRect(context_, x + translateX, y + translateY, w, h);
}

namespace {

int32_t clampArc(int32_t arc, int32_t side)
{
    int32_t a = arc < 0 ? 0 : arc;
    return a > (side >> 1) ? side >> 1 : a;
}

} // namespace

void Graphics::drawRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight)
{
    int32_t a = clampArc(arcWidth, w), b = clampArc(arcHeight, h);
    if (a != 0 && b != 0)
        HAL_drawRoundRect(context_, x + translateX, y + translateY, w, h, a, b);
    else
        HAL_drawRect(context_, x + translateX, y + translateY, w, h);
}

void Graphics::fillRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight)
{
    int32_t a = clampArc(arcWidth, w), b = clampArc(arcHeight, h);
    if (a != 0 && b != 0)
        HAL_fillRoundRect(context_, x + translateX, y + translateY, w, h, a, b);
    else
        HAL_fillRect(context_, x + translateX, y + translateY, w, h);
}

void Graphics::fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle)
{
    HAL_fillArc(context_, x + translateX, y + translateY, w, h, startAngle, arcAngle);
}

void Graphics::drawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle)
{
    HAL_drawArc(context_, x + translateX, y + translateY, w, h, startAngle, arcAngle);
}

void Graphics::fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3)
{
    HAL_fillTriangle(context_, x1 + translateX, y1 + translateY, x2 + translateX, y2 + translateY, x3 + translateX,
                     y3 + translateY);
}

void Graphics::fillGradientRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t colorFrom, int32_t colorTo,
                                bool horizontal)
{
    HAL_fillGradientRect(context_, x + translateX, y + translateY, w, h, colorFrom, colorTo, horizontal);
}

void Graphics::platformHook(int32_t, int32_t, int32_t, int32_t, int32_t) {}

// ---- text -------------------------------------------------------------------

void Graphics::drawText(const char16_t* chars, int32_t length, int32_t x, int32_t y, int32_t anchor)
{
    int32_t ax = x + translateX;
    int32_t ay = y + translateY;
    if (!(anchor & LEFT)) {
        int32_t w = HAL_getStringWidth(font->platformFont(), chars, length);
        if (anchor & RIGHT)
            ax -= w;
        else if (anchor & HCENTER)
            ax -= w / 2;
    }
    if (anchor & TOP) {
    } else if (anchor & BASELINE) {
        ay -= font->getBaselinePosition();
    } else if (anchor & BOTTOM) {
        ay -= font->getHeight();
    }
    HAL_drawChars(context_, chars, length, ax, ay);
}

void Graphics::drawString(VMPtr<String> str, int32_t x, int32_t y, int32_t anchor)
{
    vm_nonNull(str);
    if (anchor == 0)
        anchor = TOP | LEFT;
    else if (!isValidAnchor(anchor, VCENTER))
        throwIllegalArgument();
    drawText(str->chars(), str->length(), x, y, anchor);
}

void Graphics::drawSubstring(VMPtr<String> str, int32_t offset, int32_t len, int32_t x, int32_t y, int32_t anchor)
{
    if (!isRangeOf(offset, len, vm_nonNull(str)->length()))
        vm_throwNew<java::lang::StringIndexOutOfBoundsException>();
    drawText(str->chars() + offset, len, x, y, anchor);
}

void Graphics::drawChar(char16_t character, int32_t x, int32_t y, int32_t anchor)
{
    drawText(&character, 1, x, y, anchor);
}

void Graphics::drawChars(VMPtr<String::CharArray> data, int32_t offset, int32_t length, int32_t x, int32_t y,
                         int32_t anchor)
{
    if (!isRangeOf(offset, length, vm_nonNull(data)->length))
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    drawText(data->elements() + offset, length, x, y, anchor);
}

// ---- images and pixels ------------------------------------------------------------

bool Graphics::isValidAnchor(int32_t anchor, int32_t forbidden)
{
    if (anchor == 0 || anchor == (TOP | LEFT))
        return true;
    if (anchor < 1 || anchor > 127 || (anchor & forbidden))
        return false;
    return std::popcount(static_cast<uint32_t>(anchor & 114)) == 1 &&
           std::popcount(static_cast<uint32_t>(anchor & 13)) == 1;
}

bool Graphics::applyAnchor(int32_t& x, int32_t& y, int32_t w, int32_t h, int32_t anchor, int32_t transform)
{
    if (anchor == 0 || anchor == (TOP | LEFT))
        return true;
    int32_t drawnWidth = (transform & 4) ? h : w;
    int32_t drawnHeight = (transform & 4) ? w : h;
    int32_t nx = x, ny = y;
    switch (anchor & 13) {
    case HCENTER:
        nx -= drawnWidth >> 1;
        break;
    case RIGHT:
        nx -= drawnWidth;
        break;
    case LEFT:
        break;
    default:
        return false;
    }
    switch (anchor & 50) {
    case VCENTER:
        ny -= drawnHeight >> 1;
        break;
    case BOTTOM:
        ny -= drawnHeight;
        break;
    case TOP:
        break;
    default:
        return false;
    }
    x = nx;
    y = ny;
    return true;
}

void Graphics::drawImage(VMPtr<Image> img, int32_t x, int32_t y, int32_t anchor)
{
    vm_nonNull(img);
    if (!isValidAnchor(anchor, BASELINE) || !applyAnchor(x, y, img->getWidth(), img->getHeight(), anchor, 0))
        throwIllegalArgument();
    HAL_drawImage(context_, img->platformImage(), x + translateX, y + translateY);
}

void Graphics::drawRegion(VMPtr<Image> src, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t transform,
                          int32_t xDest, int32_t yDest, int32_t anchor)
{
    vm_nonNull(src);
    if ((transform & ~0x307) != 0 || !isValidAnchor(anchor, BASELINE) ||
        !applyAnchor(xDest, yDest, w, h, anchor, transform) || src == targetImage || w < 0 || h < 0 || xSrc < 0 ||
        ySrc < 0 || static_cast<int64_t>(xSrc) + w > src->getWidth() ||
        static_cast<int64_t>(ySrc) + h > src->getHeight())
        throwIllegalArgument();
    if (src->isMutable())
        HAL_drawMutableRegion(context_, src->platformImage(), xSrc, ySrc, w, h, transform, xDest + translateX,
                              yDest + translateY);
    else
        HAL_drawImmutableRegion(context_, src->platformImage(), xSrc, ySrc, w, h, transform, xDest + translateX,
                                yDest + translateY);
}

void Graphics::copyArea(int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t xDest, int32_t yDest,
                        int32_t anchor)
{
    if (!targetImage)
        vm_throwNew<java::lang::IllegalStateException>();
    int32_t xs = xSrc + translateX;
    int32_t ys = ySrc + translateY;
    if (w < 0 || h < 0 || xs < 0 || ys < 0 || static_cast<int64_t>(xs) + w > targetWidth ||
        static_cast<int64_t>(ys) + h > targetHeight || !isValidAnchor(anchor, BASELINE) ||
        !applyAnchor(xDest, yDest, w, h, anchor, 0))
        throwIllegalArgument();
    HAL_copyArea(context_, xs, ys, w, h, xDest + translateX, yDest + translateY);
}

void Graphics::drawRGB(VMPtr<IntArray> rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t w,
                       int32_t h, bool processAlpha)
{
    int64_t n = vm_nonNull(rgbData)->length;
    int64_t a = h == 0 ? 0 : static_cast<int64_t>(h - 1) * scanlength;
    int64_t b = w == 0 ? 0 : static_cast<int64_t>(w) - 1;
    int64_t highest = offset + b + (scanlength >= 0 ? a : 0);
    int64_t lowest = offset + (scanlength < 0 ? a : 0);
    if (highest < 0 || highest > n - 1 || lowest < 0 || lowest > n - 1)
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    // Negative sizes draw nothing.
    if (w > 0 && h > 0)
        HAL_drawRGB(context_, rgbData->elements() + offset, static_cast<int32_t>(n - offset), scanlength,
                    x + translateX, y + translateY, w, h, processAlpha);
}

} // namespace javax::microedition::lcdui
