#include "tq/util/text/RichFont.h"

#include <algorithm>
#include <iterator>

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "javax/microedition/lcdui/ranges.h"
#include "tq/GobAlphaImage.h"
#include "tq/TqCanvas.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::util::text {

namespace {

using Graphics = javax::microedition::lcdui::Graphics;

constexpr int32_t METRIC_HEIGHT = 0;
constexpr int32_t METRIC_BASELINE = 1;
constexpr int32_t METRIC_MISSING_ADVANCE = 2;
constexpr int32_t METRIC_MARKER = 3;
constexpr int32_t METRIC_LINE_HEIGHT = 4;
constexpr int32_t METRIC_5 = 5;
constexpr int32_t METRIC_ANCHOR_ADVANCE = 6;
constexpr int32_t METRIC_GLYPHS = 7;
constexpr int32_t UNCONVERTED = 255;
constexpr int8_t SYSTEM_FONT_SPECS[6] = {8, 0, 16, 9, 1, 17};

void checkRange(const VMPtr<RichFont::CharArray>& chars, int32_t off, int32_t len)
{
    if (!javax::microedition::lcdui::isRangeOf(off, len, vm_nonNull(chars)->length))
        vm_throwNew<java::lang::IndexOutOfBoundsException>(_VM_literal("Characters out of range"));
}

bool isReversed(int32_t t)
{
    return t == 3 || t == 6;
}

} // namespace

VMPtr<RichFont> RichFont::initSystemFont()
{
    font = Font::getFont(Font::FACE_SYSTEM, Font::STYLE_PLAIN, Font::SIZE_MEDIUM);
    systemFontIndex = 1;
    return VMPtr<RichFont>(this);
}

VMPtr<RichFont> RichFont::initCopy(VMPtr<RichFont> other)
{
    initSystemFont();
    if (!vm_nonNull(other)->isBitmapFont()) {
        setSystemFont(other->systemFontIndex);
        if (other->colorSet)
            setColor(other->color);
    } else {
        setGlyphs(other->glyphs);
        setTransform(other->transform);
    }
    return VMPtr<RichFont>(this);
}

// ---- Copies into the shared buffer ----

VMPtr<RichFont::CharArray> RichFont::charBufferOf(int32_t n)
{
    _VM_clinit();
    if (!charBuffer || charBuffer->length < n)
        charBuffer = CharArray::newArray(n);
    return charBuffer;
}

VMPtr<RichFont::CharArray> RichFont::copyOf(VMPtr<String> s, int32_t off, int32_t len)
{
    VMPtr<CharArray> chars = charBufferOf(len);
    vm_nonNull(s)->getChars(off, off + len, chars, 0);
    return chars;
}

VMPtr<RichFont::CharArray> RichFont::copyOf(VMPtr<StringBuffer> sb)
{
    int32_t len = vm_nonNull(sb)->length();
    VMPtr<CharArray> chars = charBufferOf(len);
    sb->getChars(0, len, chars, 0);
    return chars;
}

VMPtr<RichFont::CharArray> RichFont::copyOf(char16_t c)
{
    VMPtr<CharArray> chars = charBufferOf(1);
    (*chars)[0] = c;
    return chars;
}

// ---- Metrics ----

int32_t RichFont::metric(int32_t index)
{
    return glyphs->get(index)->collisionHeight;
}

bool RichFont::usesAdvanceForAnchor()
{
    return glyphs && getMetric6() != 0;
}

int32_t RichFont::getMetric6()
{
    return metric(METRIC_ANCHOR_ADVANCE);
}

int32_t RichFont::getHeight()
{
    if (glyphs)
        return metric(METRIC_HEIGHT);
    return font ? font->getHeight() : 0;
}

int32_t RichFont::getBaselinePosition()
{
    if (glyphs)
        return metric(METRIC_BASELINE);
    return font ? font->getBaselinePosition() : 0;
}

int32_t RichFont::getLineHeight()
{
    if (glyphs)
        return metric(METRIC_LINE_HEIGHT);
    return getHeight();
}

int32_t RichFont::getMetric5()
{
    return glyphs ? metric(METRIC_5) : 0;
}

int32_t RichFont::getAlpha()
{
    return glyphs ? glyphs->get(0)->getAlpha() : 255;
}

bool RichFont::isBitmapFont()
{
    return bool(glyphs);
}

VMPtr<RichFont::GobArray> RichFont::getGlyphs()
{
    return glyphs;
}

int32_t RichFont::getSystemFontIndex()
{
    return systemFontIndex;
}

void RichFont::setTransform(int32_t t)
{
    transform = t;
}

int32_t RichFont::getTransform()
{
    return transform;
}

void RichFont::setTrimTop(bool trim)
{
    trimTop = trim;
}

void RichFont::setColor(int32_t rgb)
{
    color = rgb & 0xFFFFFF;
    colorSet = true;
}

// ---- Glyphs ----

void RichFont::setGlyphs(VMPtr<GobArray> set)
{
    if (set) {
        int32_t n = set->length;
        if (n < METRIC_GLYPHS)
            vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Fewer than 7 glyphs"));
        bool convert = set->get(METRIC_MARKER)->collisionHeight == UNCONVERTED;
        // Every code is checked before anything changes.
        int32_t code = 0;
        int32_t previous = -1;
        for (int32_t i = 0; i < n; i++) {
            VMPtr<Gob> glyph = set->get(i);
            if (convert)
                code = int16_t(code + glyph->xOffset * 256 + (glyph->yOffset & 0xFF));
            int32_t unsignedCode = uint16_t(convert ? code : glyph->collisionX);
            if (unsignedCode <= previous)
                vm_throwNew<java::lang::IllegalArgumentException>(
                    _VM_literal("Glyph codes not ascending"));
            previous = unsignedCode;
        }
        if (convert) {
            set->get(METRIC_MARKER)->collisionHeight = 0;
            code = 0;
            for (int32_t i = 0; i < n; i++) {
                VMPtr<Gob> glyph = set->get(i);
                code = int16_t(code + glyph->xOffset * 256 + (glyph->yOffset & 0xFF));
                glyph->xOffset = glyph->collisionX;
                glyph->yOffset = glyph->collisionY;
                glyph->collisionX = int16_t(code);
            }
        }
    }
    glyphs = set;
}

void RichFont::setSystemFont(int32_t index)
{
    if (index < 0 || index >= int32_t(sizeof SYSTEM_FONT_SPECS))
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("No such system font"));
    glyphs = nullptr;
    if (index == systemFontIndex)
        return;
    systemFontIndex = index;
    _VM_clinit();
    if (!systemFontSpecs) {
        systemFontSpecs = ByteArray::newArray(6);
        std::copy(std::begin(SYSTEM_FONT_SPECS), std::end(SYSTEM_FONT_SPECS),
                  systemFontSpecs->elements());
    }
    int32_t b = (*systemFontSpecs)[index];
    int32_t face = b & 0x60, style = b & 0x07, size = b & 0x18;
    font = Font::getFont(face, style, size);
    for (int32_t other : {Font::FACE_SYSTEM, Font::FACE_MONOSPACE, Font::FACE_PROPORTIONAL}) {
        if (font)
            break;
        if (other != face)
            font = Font::getFont(other, style, size);
    }
}

VMPtr<Gob> RichFont::getGlyph(char16_t c)
{
    if (!glyphs)
        return nullptr;
    if (glyphCache) {
        VMPtr<Gob> mapped = vm_cast<Gob>(glyphCache->get(c));
        if (mapped)
            return mapped;
    }
    // Nothing allocates during the search: the glyphs are read in place.
    Gob::GobArray* set = glyphs.get();
    Gob* const* slots = set->elements();
    int32_t lo = 0, hi = set->length - 1;
    while (lo <= hi) {
        int32_t mid = (lo + hi) >> 1;
        Gob* glyph = slots[mid];
        if (!glyph)
            _VM_throwNullPointer();
        uint16_t code = uint16_t(glyph->collisionX);
        if (code < c)
            lo = mid + 1;
        else if (code > c)
            hi = mid - 1;
        else
            return VMPtr<Gob>(glyph);
    }
    return nullptr;
}

void RichFont::mapGlyph(char16_t c, VMPtr<Gob> glyph)
{
    if (!glyphCache)
        glyphCache = IntHashtable::newInstance()->init(128);
    glyphCache->put(c, glyph);
}

int32_t RichFont::getCharAscent(char16_t c)
{
    VMPtr<Gob> glyph = getGlyph(c);
    return glyph ? getBaselinePosition() - glyph->yOffset : 0;
}

int32_t RichFont::getCharDescent(char16_t c)
{
    VMPtr<Gob> glyph = getGlyph(c);
    return glyph ? std::max(0, glyph->height - (getBaselinePosition() - glyph->yOffset)) : 0;
}

void RichFont::setAlpha(int32_t alpha)
{
    if (!glyphs || glyphs->get(0)->getAlpha() == alpha)
        return;
    for (int32_t i = 0; i < glyphs->length; i++) {
        VMPtr<Gob> glyph = glyphs->get(i);
        if (!glyph->isAlphaImage())
            glyphs->set(i, glyph->toAlphaImage());
    }
    for (int32_t i = 0; i < glyphs->length; i++)
        glyphs->get(i)->setAlpha(alpha);
}

// ---- Measuring ----

int32_t RichFont::charsWidth(VMPtr<CharArray> chars, int32_t off, int32_t len)
{
    checkRange(chars, off, len);
    if (!glyphs)
        return len == 0 || !font ? 0 : font->charsWidth(chars, off, len);
    int32_t missing = metric(METRIC_MISSING_ADVANCE);
    int32_t w = 0;
    for (int32_t i = off; i < off + len; i++) {
        VMPtr<Gob> glyph = getGlyph((*chars)[i]);
        w += glyph ? int32_t(glyph->collisionWidth) : missing;
    }
    return w;
}

int32_t RichFont::getFirstXOffset(VMPtr<CharArray> chars, int32_t index)
{
    if (!glyphs || index < 0 || index >= vm_nonNull(chars)->length)
        return 0;
    VMPtr<Gob> glyph = getGlyph((*chars)[index]);
    return glyph ? int32_t(glyph->xOffset) : 0;
}

int32_t RichFont::getInkWidth(VMPtr<CharArray> chars, int32_t off, int32_t len, int32_t a)
{
    if (!glyphs)
        return charsWidth(chars, off, len);
    checkRange(chars, off, len);
    int32_t missing = metric(METRIC_MISSING_ADVANCE);
    int32_t pen = 0, right = 0;
    for (int32_t i = off; i < off + len; i++) {
        VMPtr<Gob> glyph = getGlyph((*chars)[i]);
        if (glyph) {
            right = pen + glyph->xOffset + glyph->width;
            pen += glyph->collisionWidth;
        } else {
            pen += missing;
        }
    }
    return a < 0 ? right - a : right;
}

int32_t RichFont::getTop(VMPtr<CharArray> chars, int32_t off, int32_t len)
{
    if (!glyphs)
        return 0;
    checkRange(chars, off, len);
    bool any = false;
    int32_t top = 0;
    for (int32_t i = off; i < off + len; i++) {
        VMPtr<Gob> glyph = getGlyph((*chars)[i]);
        if (glyph) {
            top = any ? std::min(top, int32_t(glyph->yOffset)) : glyph->yOffset;
            any = true;
        }
    }
    return top;
}

int32_t RichFont::getBottom(VMPtr<CharArray> chars, int32_t off, int32_t len, int32_t top)
{
    if (!glyphs)
        return font ? font->getHeight() : 0;
    checkRange(chars, off, len);
    int32_t bottom = 0;
    for (int32_t i = off; i < off + len; i++) {
        VMPtr<Gob> glyph = getGlyph((*chars)[i]);
        if (glyph)
            bottom = std::max(bottom, glyph->height + glyph->yOffset);
    }
    return bottom - top;
}

int32_t RichFont::charsHeight(VMPtr<CharArray> chars, int32_t off, int32_t len)
{
    int32_t top = 0;
    if (trimTop) {
        trimTop = false;
        top = getTop(chars, off, len);
    }
    return getBottom(chars, off, len, top);
}

int32_t RichFont::substringHeight(VMPtr<String> s, int32_t off, int32_t len)
{
    return charsHeight(copyOf(s, off, len), 0, len);
}

int32_t RichFont::stringHeight(VMPtr<String> s)
{
    return substringHeight(s, 0, vm_nonNull(s)->length());
}

int32_t RichFont::charHeight(char16_t c)
{
    return charsHeight(copyOf(c), 0, 1);
}

int32_t RichFont::stringBufferHeight(VMPtr<StringBuffer> sb)
{
    VMPtr<CharArray> chars = copyOf(sb);
    return charsHeight(chars, 0, sb->length());
}

int32_t RichFont::stringBufferWidth(VMPtr<StringBuffer> sb)
{
    VMPtr<CharArray> chars = copyOf(sb);
    return charsWidth(chars, 0, sb->length());
}

int32_t RichFont::substringWidth(VMPtr<String> s, int32_t off, int32_t len)
{
    return charsWidth(copyOf(s, off, len), 0, len);
}

int32_t RichFont::charWidth(char16_t c)
{
    return charsWidth(copyOf(c), 0, 1);
}

int32_t RichFont::stringWidth(VMPtr<String> s)
{
    return substringWidth(s, 0, vm_nonNull(s)->length());
}

void RichFont::getCharsBounds(VMPtr<CharArray> chars, int32_t off, int32_t len, int32_t x,
                              int32_t y, VMPtr<IntArray> out, int32_t anchor)
{
    int32_t t = transform;
    int32_t a = getFirstXOffset(chars, off);
    int32_t w = getInkWidth(chars, off, len, a);
    int32_t top = getTop(chars, off, len);
    int32_t h = getBottom(chars, off, len, top);
    int32_t bx = a;
    if (anchor & (Graphics::HCENTER | Graphics::RIGHT))
        bx = a - (w >> (anchor & 1));
    if (isReversed(t)) {
        bx = (anchor & Graphics::LEFT) ? bx - 2 * a : -bx;
        bx -= w;
    }
    int32_t by = top;
    if (anchor & Graphics::BASELINE)
        by = top - getBaselinePosition();
    else if (anchor & Graphics::BOTTOM)
        by = top - getHeight();
    if (t == 3 || t == 5) {
        by = (anchor & Graphics::TOP) ? by - 2 * top : -by;
        by -= h;
    }
    vm_nonNull(out);
    if (Gob::swapsAxes(t)) {
        (*out)[3] = w;
        (*out)[0] = x + by;
        (*out)[1] = y + bx;
        (*out)[2] = h;
    } else {
        (*out)[3] = h;
        (*out)[0] = x + bx;
        (*out)[1] = y + by;
        (*out)[2] = w;
    }
}

void RichFont::getStringBounds(VMPtr<String> s, int32_t x, int32_t y, VMPtr<IntArray> out,
                               int32_t anchor)
{
    getSubstringBounds(s, 0, vm_nonNull(s)->length(), x, y, out, anchor);
}

void RichFont::getSubstringBounds(VMPtr<String> s, int32_t off, int32_t len, int32_t x, int32_t y,
                                  VMPtr<IntArray> out, int32_t anchor)
{
    getCharsBounds(copyOf(s, off, len), 0, len, x, y, out, anchor);
}

void RichFont::getStringBufferBounds(VMPtr<StringBuffer> sb, int32_t x, int32_t y,
                                     VMPtr<IntArray> out, int32_t anchor)
{
    VMPtr<CharArray> chars = copyOf(sb);
    getCharsBounds(chars, 0, sb->length(), x, y, out, anchor);
}

void RichFont::getCharBounds(char16_t c, int32_t x, int32_t y, VMPtr<IntArray> out, int32_t anchor)
{
    getCharsBounds(copyOf(c), 0, 1, x, y, out, anchor);
}

// ---- Drawing ----

void RichFont::drawChars(VMPtr<Graphics> g, VMPtr<CharArray> chars, int32_t off, int32_t len,
                         int32_t x, int32_t y, int32_t anchor)
{
    checkRange(chars, off, len);
    int32_t t = glyphs ? transform : 0;
    bool swap = Gob::swapsAxes(t);
    bool reverse = isReversed(t);
    int32_t d = 0;
    if (anchor & Graphics::BASELINE)
        d = getBaselinePosition();
    else if (anchor & Graphics::BOTTOM)
        d = getHeight();
    if (t == 3)
        y += d;
    else if (t == 5)
        x += d;
    else if (t == 6)
        x -= d;
    else
        y -= d;
    if (anchor & (Graphics::HCENTER | Graphics::RIGHT)) {
        int32_t a = getFirstXOffset(chars, off);
        int32_t w = usesAdvanceForAnchor() ? charsWidth(chars, off, len)
                                           : getInkWidth(chars, off, len, a);
        int32_t s = w >> (anchor & 1);
        if (reverse)
            s = -(s + (anchor & 1 & w));
        if (swap)
            y -= s;
        else
            x -= s;
    }
    if (!glyphs) {
        if (len == 0 || !font)
            return;
        vm_nonNull(g);
        if (g->getFont().get() != font.get())
            g->setFont(font);
        int32_t old = 0;
        if (colorSet) {
            old = g->getColor() & 0xFFFFFF;
            if (old != color)
                g->setColor(color);
        }
        g->drawChars(chars, off, len, x, y, Graphics::TOP | Graphics::LEFT);
        if (colorSet && old != color)
            g->setColor(old);
        return;
    }
    int32_t missing = metric(METRIC_MISSING_ADVANCE);
    for (int32_t i = off; i < off + len; i++) {
        VMPtr<Gob> glyph = getGlyph((*chars)[i]);
        int32_t advance = missing;
        if (glyph) {
            glyph->paint(g, x, y, t);
            advance = glyph->collisionWidth;
        }
        if (reverse)
            advance = -advance;
        if (swap)
            y += advance;
        else
            x += advance;
    }
}

void RichFont::drawString(VMPtr<Graphics> g, VMPtr<String> s, int32_t x, int32_t y, int32_t anchor)
{
    drawSubstring(g, s, 0, vm_nonNull(s)->length(), x, y, anchor);
}

void RichFont::drawSubstring(VMPtr<Graphics> g, VMPtr<String> s, int32_t off, int32_t len,
                             int32_t x, int32_t y, int32_t anchor)
{
    drawChars(g, copyOf(s, off, len), 0, len, x, y, anchor);
}

void RichFont::drawStringBuffer(VMPtr<Graphics> g, VMPtr<StringBuffer> sb, int32_t x, int32_t y,
                                int32_t anchor)
{
    VMPtr<CharArray> chars = copyOf(sb);
    drawChars(g, chars, 0, sb->length(), x, y, anchor);
}

void RichFont::drawChar(VMPtr<Graphics> g, char16_t c, int32_t x, int32_t y, int32_t anchor)
{
    drawChars(g, copyOf(c), 0, 1, x, y, anchor);
}

void RichFont::drawNumber(VMPtr<Graphics> g, int32_t value, int32_t minDigits, int32_t x,
                          int32_t y, int32_t anchor)
{
    _VM_clinit();
    if (!numberBuffer)
        numberBuffer = StringBuffer::newInstance()->init(8);
    numberBuffer->setLength(0);
    TqCanvas::insertPaddedNumber(numberBuffer, value, minDigits, 0);
    drawStringBuffer(g, numberBuffer, x, y, anchor);
}

} // namespace tq::util::text

namespace {

// The registered creator makes a system-font RichFont.
VMPtr<java::lang::Object> createRichFont()
{
    return tq::util::text::RichFont::newInstance()->initSystemFont();
}

} // namespace

VM_REGISTER_(tq::util::text::RichFont, "tq.util.text.RichFont", "java.lang.Object",
             "..\\src\\tq_util_text_RichFont", nullptr, &createRichFont, false, false);
