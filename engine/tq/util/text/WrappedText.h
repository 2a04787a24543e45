#pragma once
// tq.util.text.WrappedText: one String broken into lines that fit a width in
// pixels when drawn in a RichFont, kept as (start, length) pairs, and drawn
// line by line inside the Graphics clip. A line breaks after a break
// character (or at a space, which is dropped), never after a '-' that comes
// before a digit; a line end (LF, CR or CR LF) always breaks.

#include <cstdint>

#include "java/lang/String.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "tq/Gob.h"
#include "tq/TqCanvas.h"
#include "tq/util/text/RichFont.h"

namespace tq::util::text {

class WrappedText : public virtual java::lang::Object {
    VM_CLASS(WrappedText, java::lang::Object)

    using CharArray = VMArray<char16_t, 1>;
    using ShortArray = VMArray<int16_t, 1>;
    using StringArray = VMArray<java::lang::String, 1>;
    using GobArray = VMArray<Gob, 1>;
    using String = java::lang::String;
    using Graphics = javax::microedition::lcdui::Graphics;

    // Empty, alpha 255, owned by the canvas (which may be null).
    VMPtr<WrappedText> init(VMPtr<TqCanvas> owner);

    // Every glyph becomes an alpha Gob with this alpha.
    static void applyAlpha(VMPtr<GobArray> glyphs, int32_t alpha);

    virtual int32_t getTextHeight();
    virtual VMPtr<StringArray> getLines();
    // Lays out in a copy of the owning canvas's font (the shared canvas
    // font when there is no owner).
    virtual int32_t setText(VMPtr<String> s, int32_t width);
    // Lays out and answers the line count. A line holds at least one
    // character, however narrow the width. A text longer than 32767
    // characters throws IllegalArgumentException, keeping the old layout.
    virtual int32_t setText(VMPtr<RichFont> f, VMPtr<String> s, int32_t width);
    virtual void setLineSpacing(int32_t spacing);
    virtual void setAlpha(int32_t a);
    virtual VMPtr<String> getText();
    virtual int32_t getLineCount();
    virtual VMPtr<CharArray> getBreakChars();
    virtual void reset();
    // Draws the lines that reach the clip, each with the anchor at x within
    // the box of the layout's width.
    virtual void draw(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t anchor);
    virtual int32_t getLineSpacing();
    // A line outside the layout throws IndexOutOfBoundsException.
    virtual int32_t getLineStart(int32_t line);
    virtual int32_t getLineStep();
    virtual int32_t getAlpha();
    virtual int32_t getWidth();
    virtual void setBreakChars(VMPtr<CharArray> chars);

    VMField<CharArray> breakChars;
    VMField<String> text;
    int32_t width = 0;
    VMField<ShortArray> lines;
    int32_t lineSpacing = 0;
    VMField<RichFont> font;
    int32_t lineHeight = 0;
    VMField<TqCanvas> canvas;
    int32_t alpha = 0;

    VM_STATIC(CharArray, defaultBreakChars);

private:
    // One layout pass; stores the pairs into out when it is given.
    int32_t breakLines(VMPtr<RichFont> f, VMPtr<String> s, int32_t w, VMPtr<ShortArray> out);

public:
    VM_FIELDS(breakChars, text, lines, font, canvas)
};

} // namespace tq::util::text
