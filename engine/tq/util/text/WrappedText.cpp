#include "tq/util/text/WrappedText.h"

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "tq/util/text/StringHelper.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::util::text {

namespace {

constexpr int32_t MAX_TEXT = 32767;

void initialiseWrappedText()
{
    WrappedText::defaultBreakChars = WrappedText::CharArray::newArray(3);
    (*WrappedText::defaultBreakChars)[0] = u' ';
    (*WrappedText::defaultBreakChars)[1] = u'@';
    (*WrappedText::defaultBreakChars)[2] = u'-';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

VMPtr<WrappedText> WrappedText::init(VMPtr<TqCanvas> owner)
{
    alpha = 255;
    canvas = owner;
    reset();
    return VMPtr<WrappedText>(this);
}

void WrappedText::reset()
{
    _VM_clinit();
    text = nullptr;
    lineSpacing = 0;
    lineHeight = 0;
    width = 0;
    font = nullptr;
    lines = ShortArray::newArray(0);
    breakChars = defaultBreakChars;
}

void WrappedText::applyAlpha(VMPtr<GobArray> glyphs, int32_t a)
{
    Gob::toAlphaImages(glyphs);
    for (int32_t i = 0; i < glyphs->length; i++)
        glyphs->get(i)->setAlpha(a);
}

int32_t WrappedText::setText(VMPtr<String> s, int32_t w)
{
    VMPtr<RichFont> base = canvas ? VMPtr<TqCanvas>(canvas)->getDefaultFont() : TqCanvas::getFont();
    return setText(RichFont::newInstance()->initCopy(base), s, w);
}

int32_t WrappedText::setText(VMPtr<RichFont> f, VMPtr<String> s, int32_t w)
{
    if (vm_nonNull(s)->length() > MAX_TEXT)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Text too long to wrap"));
    int32_t height = vm_nonNull(f)->getHeight();
    int32_t count = breakLines(f, s, w, nullptr);
    VMPtr<ShortArray> pairs = ShortArray::newArray(2 * count);
    breakLines(f, s, w, pairs);
    text = s;
    width = w;
    font = f;
    lineHeight = height;
    lines = pairs;
    return getLineCount();
}

int32_t WrappedText::breakLines(VMPtr<RichFont> f, VMPtr<String> s, int32_t w,
                                VMPtr<ShortArray> out)
{
    int32_t n = s->length();
    int32_t count = 0;
    int32_t i = 0;
    while (i < n) {
        int32_t start = i;
        int32_t skip = 1;
        bool ended = false;
        int32_t used = 0;
        // Every character overflows a negative width, which still ends
        // lines and skips a leading space.
        while (i < n) {
            char16_t c = s->charAt(i);
            if (i == start && c == u' ') {
                i++;
                start++;
                if (i == n)
                    break;
                c = s->charAt(i);
            }
            if (c == u'\n' || c == u'\r') {
                skip = c == u'\r' && i + 1 < n && s->charAt(i + 1) == u'\n' ? 2 : 1;
                ended = true;
                break;
            }
            used += f->charWidth(c);
            if (used > w)
                break;
            i++;
        }
        if (!ended && i < n) {
            int32_t best = -1;
            for (int32_t k = 0; k < breakChars->length; k++) {
                char16_t b = (*breakChars)[k];
                int32_t p = StringHelper::lastIndexOf(s, b, start + 1, i);
                if (p > best && !(b == u'-' && p + 1 < n && isDigit(s->charAt(p + 1))))
                    best = p;
            }
            if (best != -1 && start < best && best < i) {
                if (s->charAt(best) == u' ') {
                    i = best;
                } else {
                    i = best + 1;
                    skip = 0;
                }
            } else {
                skip = 0;
                // Too narrow for even one character: take it anyway, so the
                // layout moves on, with the line end that follows it.
                if (i == start) {
                    i = start + 1;
                    char16_t c = i < n ? s->charAt(i) : u'\0';
                    if (c == u'\n' || c == u'\r')
                        skip = c == u'\r' && i + 1 < n && s->charAt(i + 1) == u'\n' ? 2 : 1;
                }
            }
        }
        if (out) {
            (*out)[2 * count] = int16_t(start);
            (*out)[2 * count + 1] = int16_t(i - start);
        }
        count++;
        i += skip;
    }
    return count;
}

void WrappedText::draw(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t anchor)
{
    if (!text)
        return;
    if (font->isBitmapFont() && alpha != 255)
        applyAlpha(font->getGlyphs(), alpha);
    if (anchor & Graphics::HCENTER)
        x += width >> 1;
    else if (anchor & Graphics::RIGHT)
        x += width;
    int32_t clipY = vm_nonNull(g)->getClipY();
    int32_t clipBottom = clipY + g->getClipHeight();
    int32_t step = getLineStep();
    int32_t k = 0;
    if (y < clipY) {
        // Lines that never move down never reach the clip.
        if (step <= 0)
            return;
        k = (clipY - y) / step;
        y += k * step;
    }
    int32_t count = getLineCount();
    for (; k < count && y <= clipBottom; k++, y += step) {
        int32_t length = (*lines)[2 * k + 1];
        if (length > 0)
            font->drawSubstring(g, text, (*lines)[2 * k], length, x, y, anchor);
    }
}

VMPtr<WrappedText::StringArray> WrappedText::getLines()
{
    int32_t count = getLineCount();
    VMPtr<StringArray> all = StringArray::newArray(count);
    for (int32_t k = 0; k < count; k++) {
        int32_t start = (*lines)[2 * k];
        all->set(k, text->substring(start, start + (*lines)[2 * k + 1]));
    }
    return all;
}

int32_t WrappedText::getLineStart(int32_t line)
{
    if (line < 0 || line >= getLineCount())
        vm_throwNew<java::lang::IndexOutOfBoundsException>(_VM_literal("No such line"));
    return (*lines)[2 * line];
}

int32_t WrappedText::getTextHeight()
{
    return getLineCount() * getLineStep();
}

int32_t WrappedText::getLineCount()
{
    return lines->length / 2;
}

int32_t WrappedText::getLineStep()
{
    return lineHeight + lineSpacing;
}

void WrappedText::setLineSpacing(int32_t spacing)
{
    lineSpacing = spacing;
}

int32_t WrappedText::getLineSpacing()
{
    return lineSpacing;
}

void WrappedText::setAlpha(int32_t a)
{
    alpha = a;
}

int32_t WrappedText::getAlpha()
{
    return alpha;
}

VMPtr<WrappedText::String> WrappedText::getText()
{
    return text;
}

int32_t WrappedText::getWidth()
{
    return width;
}

VMPtr<WrappedText::CharArray> WrappedText::getBreakChars()
{
    return breakChars;
}

void WrappedText::setBreakChars(VMPtr<CharArray> chars)
{
    breakChars = chars;
}

} // namespace tq::util::text

VM_REGISTER_CLASS_NO_CREATOR(tq::util::text::WrappedText, "tq.util.text.WrappedText",
                             "java.lang.Object", "..\\src\\tq_util_text_WrappedText",
                             &tq::util::text::initialiseWrappedText);
