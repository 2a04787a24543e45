// The canvas's viewport inside the screen and its drawing services: fills,
// gradients and translucent shapes through the platform extension, images,
// and text in the default font.

#include "tq/TqCanvas.h"
#include "tq/platform/ExtendedGraphics.h"
#include "tq/util/text/RichFont.h"

namespace tq {

using platform::PlatformExtension;

// ---- Screen and viewport ----

bool TqCanvas::refreshScreenSize()
{
    screenWidth = getWidth();
    screenHeight = getHeight();
    setViewport(requestedViewportWidth, requestedViewportHeight);
    return true;
}

int32_t TqCanvas::getScreenWidth()
{
    return screenWidth;
}

int32_t TqCanvas::getScreenHeight()
{
    return screenHeight;
}

void TqCanvas::setViewport(int32_t width, int32_t height)
{
    refreshRequested = true;
    requestedViewportWidth = width;
    requestedViewportHeight = height;
    viewportWidth = width >= 1 ? width : screenWidth;
    viewportHeight = height >= 1 ? height : screenHeight;
    viewportOffsetX = (screenWidth - viewportWidth) / 2;
    viewportOffsetY = (screenHeight - viewportHeight) / 2;
    refreshPointerGeometry();
}

void TqCanvas::setViewportAlias(int32_t width, int32_t height)
{
    setViewport(width, height);
}

void TqCanvas::setViewportAlias2(int32_t width, int32_t height)
{
    setViewport(width, height);
}

void TqCanvas::setViewportOffset(int32_t x, int32_t y)
{
    viewportOffsetX = x;
    viewportOffsetY = y;
    refreshPointerGeometry();
}

void TqCanvas::setViewportOffsetAlias(int32_t x, int32_t y)
{
    setViewportOffset(x, y);
}

void TqCanvas::setViewportOffsetX(int32_t x)
{
    viewportOffsetX = x;
    refreshPointerGeometry();
}

void TqCanvas::setViewportOffsetXAlias(int32_t x)
{
    setViewportOffsetX(x);
}

void TqCanvas::setViewportOffsetY(int32_t y)
{
    viewportOffsetY = y;
    refreshPointerGeometry();
}

void TqCanvas::setViewportOffsetYAlias(int32_t y)
{
    setViewportOffsetY(y);
}

void TqCanvas::setViewportWidth(int32_t width)
{
    viewportWidth = width;
    refreshPointerGeometry();
}

void TqCanvas::setViewportWidthAlias(int32_t width)
{
    setViewportWidth(width);
}

void TqCanvas::setViewportWidthAlias2(int32_t width)
{
    setViewportWidth(width);
}

void TqCanvas::setViewportHeight(int32_t height)
{
    viewportHeight = height;
    refreshPointerGeometry();
}

void TqCanvas::setViewportHeightAlias(int32_t height)
{
    setViewportHeight(height);
}

void TqCanvas::setViewportHeightAlias2(int32_t height)
{
    setViewportHeight(height);
}

int32_t TqCanvas::getViewportWidth()
{
    return viewportWidth;
}

int32_t TqCanvas::getViewportWidthAlias()
{
    return getViewportWidth();
}

int32_t TqCanvas::getViewportHeight()
{
    return viewportHeight;
}

int32_t TqCanvas::getViewportHeightAlias()
{
    return getViewportHeight();
}

int32_t TqCanvas::getViewportOffsetX()
{
    return viewportOffsetX;
}

int32_t TqCanvas::getViewportOffsetXAlias()
{
    return getViewportOffsetX();
}

int32_t TqCanvas::getViewportOffsetY()
{
    return viewportOffsetY;
}

int32_t TqCanvas::getViewportOffsetYAlias()
{
    return getViewportOffsetY();
}

void TqCanvas::clipToViewport(VMPtr<Graphics> g)
{
    g->setClip(0, 0, viewportWidth, viewportHeight);
}

void TqCanvas::setViewportClip(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (viewportOffsetX != 0 || viewportOffsetY != 0) {
        if (x < 0) {
            w += x;
            x = 0;
        }
        int32_t over = x + w - viewportWidth;
        if (over > 0)
            w -= over;
        if (y < 0) {
            h += y;
            y = 0;
        }
        over = y + h - viewportHeight;
        if (over > 0)
            h -= over;
    }
    g->setClip(x, y, w, h);
}

// ---- Fills and shapes ----

VMPtr<PlatformExtension> TqCanvas::getPlatformExtension()
{
    _VM_clinit();
    if (!platformExtension)
        platformExtension = platform::ExtendedGraphics::newInstance()->init();
    return platformExtension;
}

void TqCanvas::fillHorizontalGradient(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                      int32_t h, int32_t colorFrom, int32_t colorTo)
{
    getPlatformExtension()->fillGradientRect(g, x, y, w, h, colorFrom, colorTo, true);
}

void TqCanvas::fillVerticalGradient(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                    int32_t h, int32_t colorFrom, int32_t colorTo)
{
    getPlatformExtension()->fillGradientRect(g, x, y, w, h, colorFrom, colorTo, false);
}

void TqCanvas::fillVerticalGradientRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                        int32_t h, int32_t colorFrom, int32_t colorTo)
{
    fillVerticalGradient(g, x, y, w, h, colorFrom, colorTo);
}

void TqCanvas::fillVerticalGradientRectAlias(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w,
                                             int32_t h, int32_t colorFrom, int32_t colorTo)
{
    fillVerticalGradient(g, x, y, w, h, colorFrom, colorTo);
}

void TqCanvas::fillImageGradient(VMPtr<Image> image, int32_t x, int32_t y, int32_t w, int32_t h,
                                 int32_t colorFrom, int32_t colorTo)
{
    fillVerticalGradient(image->getGraphics(), x, y, w, h, colorFrom, colorTo);
}

void TqCanvas::fillRectAlpha(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h,
                             int32_t alpha)
{
    getPlatformExtension()->fillRect(g, x, y, w, h, alpha);
}

void TqCanvas::fillTriangleAlpha(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2,
                                 int32_t y2, int32_t x3, int32_t y3, int32_t alpha)
{
    getPlatformExtension()->fillTriangle(g, x1, y1, x2, y2, x3, y3, alpha);
}

void TqCanvas::setTransform(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, float scaleX,
                            float scaleY)
{
    getPlatformExtension()->setTransform(g, a, b, c, scaleX, scaleY);
}

void TqCanvas::resetTransform(VMPtr<Graphics> g)
{
    setTransform(g, 0, 0, 0, 1.0f, 1.0f);
}

void TqCanvas::fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t x3, int32_t y3)
{
    g->fillTriangle(x1, y1, x2, y2, x3, y3);
}

void TqCanvas::drawRGB(VMPtr<Graphics> g, VMPtr<IntArray> rgb, int32_t offset,
                       int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h,
                       bool processAlpha)
{
    int32_t tx = g->getTranslateX();
    int32_t ty = g->getTranslateY();
    if (tx == 0 && ty == 0) {
        g->drawRGB(rgb, offset, scanlength, x, y, w, h, processAlpha);
        return;
    }
    g->translate(-tx, -ty);
    try {
        g->drawRGB(rgb, offset, scanlength, x + tx, y + ty, w, h, processAlpha);
    } catch (...) {
        g->translate(tx, ty);
        throw;
    }
    g->translate(tx, ty);
}

void TqCanvas::drawImageRegion(VMPtr<Image> image, int32_t srcX, int32_t srcY, int32_t w,
                               int32_t h, VMPtr<Graphics> g, int32_t x, int32_t y)
{
    g->drawRegion(image, srcX, srcY, w, h, 0, x, y, Graphics::TOP | Graphics::LEFT);
}

// ---- Images ----

VMPtr<TqCanvas::Image> TqCanvas::createRGBImage(VMPtr<IntArray> argb, int32_t width,
                                                int32_t height, bool processAlpha)
{
    return Image::createRGBImage(argb, width, height, processAlpha);
}

VMPtr<TqCanvas::Image> TqCanvas::createImage(int32_t width, int32_t height, bool withAlpha,
                                             int32_t fillColor)
{
    return Image::createImage(width, height, withAlpha, fillColor);
}

// ---- Text in the default font ----

using java::lang::String;
using java::lang::StringBuffer;
using util::text::RichFont;

VMPtr<RichFont> TqCanvas::getDefaultFont()
{
    return getFont();
}

void TqCanvas::setDefaultFontGlyphs(VMPtr<GobArray> glyphs)
{
    getDefaultFont()->setGlyphs(glyphs);
}

VMPtr<TqCanvas::GobArray> TqCanvas::getDefaultFontGlyphs()
{
    return getDefaultFont()->getGlyphs();
}

void TqCanvas::setDefaultSystemFont(int32_t index)
{
    getDefaultFont()->setSystemFont(index);
}

int32_t TqCanvas::getDefaultSystemFont()
{
    return getDefaultFont()->getSystemFontIndex();
}

void TqCanvas::setFontTransform(int32_t transform)
{
    getDefaultFont()->setTransform(transform);
}

int32_t TqCanvas::getFontTransform()
{
    return getDefaultFont()->getTransform();
}

int32_t TqCanvas::getFontHeight()
{
    return getDefaultFont()->getHeight();
}

int32_t TqCanvas::getFontBaseline()
{
    return getDefaultFont()->getBaselinePosition();
}

VMPtr<Gob> TqCanvas::getGlyph(char16_t c)
{
    return getDefaultFont()->getGlyph(c);
}

int32_t TqCanvas::charWidth(char16_t c)
{
    return getDefaultFont()->charWidth(c);
}

int32_t TqCanvas::stringWidth(VMPtr<String> s)
{
    return getDefaultFont()->substringWidth(s, 0, s->length());
}

int32_t TqCanvas::substringWidth(VMPtr<String> s, int32_t offset, int32_t length)
{
    return getDefaultFont()->substringWidth(s, offset, length);
}

int32_t TqCanvas::charsWidth(VMPtr<CharArray> chars, int32_t offset, int32_t length)
{
    return getDefaultFont()->charsWidth(chars, offset, length);
}

int32_t TqCanvas::stringBufferWidth(VMPtr<StringBuffer> sb)
{
    return getDefaultFont()->stringBufferWidth(sb);
}

int32_t TqCanvas::charHeight(char16_t c)
{
    VMPtr<RichFont> font = getDefaultFont();
    font->setTrimTop(true);
    return font->charHeight(c);
}

int32_t TqCanvas::stringHeight(VMPtr<String> s)
{
    VMPtr<RichFont> font = getDefaultFont();
    font->setTrimTop(true);
    return font->substringHeight(s, 0, s->length());
}

int32_t TqCanvas::substringHeight(VMPtr<String> s, int32_t offset, int32_t length)
{
    VMPtr<RichFont> font = getDefaultFont();
    font->setTrimTop(true);
    return font->substringHeight(s, offset, length);
}

int32_t TqCanvas::charsHeight(VMPtr<CharArray> chars, int32_t offset, int32_t length)
{
    VMPtr<RichFont> font = getDefaultFont();
    font->setTrimTop(true);
    return font->charsHeight(chars, offset, length);
}

int32_t TqCanvas::stringBufferHeight(VMPtr<StringBuffer> sb)
{
    VMPtr<RichFont> font = getDefaultFont();
    font->setTrimTop(true);
    return font->stringBufferHeight(sb);
}

void TqCanvas::getStringBounds(VMPtr<String> s, int32_t x, int32_t y, VMPtr<IntArray> out,
                               int32_t anchor)
{
    getDefaultFont()->getStringBounds(s, x, y, out, anchor);
}

void TqCanvas::getStringBufferBounds(VMPtr<StringBuffer> sb, int32_t x, int32_t y,
                                     VMPtr<IntArray> out, int32_t anchor)
{
    getDefaultFont()->getStringBufferBounds(sb, x, y, out, anchor);
}

void TqCanvas::drawString(VMPtr<Graphics> g, VMPtr<String> s, int32_t x, int32_t y,
                          int32_t anchor)
{
    getDefaultFont()->drawString(g, s, x, y, anchor);
}

void TqCanvas::drawStringBuffer(VMPtr<Graphics> g, VMPtr<StringBuffer> sb, int32_t x, int32_t y,
                                int32_t anchor)
{
    getDefaultFont()->drawStringBuffer(g, sb, x, y, anchor);
}

void TqCanvas::drawSubstring(VMPtr<Graphics> g, VMPtr<String> s, int32_t offset, int32_t length,
                             int32_t x, int32_t y, int32_t anchor)
{
    getDefaultFont()->drawSubstring(g, s, offset, length, x, y, anchor);
}

void TqCanvas::drawChars(VMPtr<Graphics> g, VMPtr<CharArray> chars, int32_t offset,
                         int32_t length, int32_t x, int32_t y, int32_t anchor)
{
    getDefaultFont()->drawChars(g, chars, offset, length, x, y, anchor);
}

void TqCanvas::drawChar(VMPtr<Graphics> g, char16_t c, int32_t x, int32_t y, int32_t anchor)
{
    getDefaultFont()->drawChar(g, c, x, y, anchor);
}

void TqCanvas::drawNumber(VMPtr<Graphics> g, int32_t value, int32_t minDigits, int32_t x,
                          int32_t y, int32_t anchor)
{
    getDefaultFont()->drawNumber(g, value, minDigits, x, y, anchor);
}

} // namespace tq
