#pragma once
// tq.util.text.RichFont: measures and draws text in a system font (a MIDP
// Font drawn by Graphics) or in a bitmap font whose glyphs are Gobs sorted by
// character code. Every String, substring, StringBuffer and character form
// copies into the shared charBuffer and ends in the char[] form.
//
// A glyph keeps its character code in collisionX (compared unsigned), its
// advance in collisionWidth and its drawing offset from the pen in xOffset,
// yOffset; glyphs 0 to 6 carry the font's metrics in collisionHeight:
// height, baseline, the advance of a character without glyph, the
// conversion marker (255 until converted), line height, metric 5, and
// whether anchoring uses the advance sum. A stored set holds each code as a
// difference to the previous one (high byte in xOffset, low byte in yOffset)
// and the drawing offset in collisionX, collisionY; setGlyphs converts it in
// place once.

#include <cstdint>

#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "javax/microedition/lcdui/Font.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "tq/Gob.h"
#include "tq/util/IntHashtable.h"

namespace tq::util::text {

class RichFont : public virtual java::lang::Object {
    VM_CLASS(RichFont, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using CharArray = VMArray<char16_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using GobArray = VMArray<Gob, 1>;
    using String = java::lang::String;
    using StringBuffer = java::lang::StringBuffer;
    using Graphics = javax::microedition::lcdui::Graphics;
    using Font = javax::microedition::lcdui::Font;

    // The system font: face system, plain, medium (index 1).
    VMPtr<RichFont> initSystemFont();
    // The other's system font and colour, or its glyphs (shared) and transform.
    VMPtr<RichFont> initCopy(VMPtr<RichFont> other);

    virtual bool usesAdvanceForAnchor();
    // Height of the range's glyphs from 0 (or from the highest glyph top
    // once after setTrimTop); a system font's height.
    virtual int32_t charsHeight(VMPtr<CharArray> chars, int32_t off, int32_t len);
    virtual int32_t getHeight();
    virtual int32_t substringHeight(VMPtr<String> s, int32_t off, int32_t len);
    virtual int32_t stringHeight(VMPtr<String> s);
    virtual int32_t charHeight(char16_t c);
    virtual int32_t stringBufferHeight(VMPtr<StringBuffer> sb);
    virtual void setTransform(int32_t transform);
    virtual bool isBitmapFont();
    virtual int32_t getBaselinePosition();
    virtual int32_t stringBufferWidth(VMPtr<StringBuffer> sb);
    // The sum of the advances; a character without glyph advances metric 2.
    virtual int32_t charsWidth(VMPtr<CharArray> chars, int32_t off, int32_t len);
    virtual int32_t substringWidth(VMPtr<String> s, int32_t off, int32_t len);
    virtual int32_t charWidth(char16_t c);
    virtual int32_t stringWidth(VMPtr<String> s);
    // out receives x, y, width, height of the ink at (x, y) for the anchor.
    virtual void getStringBounds(VMPtr<String> s, int32_t x, int32_t y, VMPtr<IntArray> out,
                                 int32_t anchor);
    virtual void getSubstringBounds(VMPtr<String> s, int32_t off, int32_t len, int32_t x,
                                    int32_t y, VMPtr<IntArray> out, int32_t anchor);
    virtual void getCharsBounds(VMPtr<CharArray> chars, int32_t off, int32_t len, int32_t x,
                                int32_t y, VMPtr<IntArray> out, int32_t anchor);
    virtual void getStringBufferBounds(VMPtr<StringBuffer> sb, int32_t x, int32_t y,
                                       VMPtr<IntArray> out, int32_t anchor);
    virtual void getCharBounds(char16_t c, int32_t x, int32_t y, VMPtr<IntArray> out,
                               int32_t anchor);
    virtual void drawString(VMPtr<Graphics> g, VMPtr<String> s, int32_t x, int32_t y,
                            int32_t anchor);
    virtual void drawStringBuffer(VMPtr<Graphics> g, VMPtr<StringBuffer> sb, int32_t x, int32_t y,
                                  int32_t anchor);
    // Draws with the MIDP anchors; glyphs follow the transform (0, 3, 5 or 6).
    virtual void drawChars(VMPtr<Graphics> g, VMPtr<CharArray> chars, int32_t off, int32_t len,
                           int32_t x, int32_t y, int32_t anchor);
    virtual void drawSubstring(VMPtr<Graphics> g, VMPtr<String> s, int32_t off, int32_t len,
                               int32_t x, int32_t y, int32_t anchor);
    virtual void drawChar(VMPtr<Graphics> g, char16_t c, int32_t x, int32_t y, int32_t anchor);
    virtual void setTrimTop(bool trim);
    // Turns the glyphs into alpha Gobs with this alpha; the array is shared
    // by every copy of this font.
    virtual void setAlpha(int32_t alpha);
    virtual void drawNumber(VMPtr<Graphics> g, int32_t value, int32_t minDigits, int32_t x,
                            int32_t y, int32_t anchor);
    // Enters bitmap mode (null: system-font mode). A set of fewer than 7
    // glyphs or with codes not ascending throws IllegalArgumentException and
    // changes neither the font nor the set.
    virtual void setGlyphs(VMPtr<GobArray> set);
    virtual int32_t getTransform();
    // Leaves bitmap mode; an index outside 0 to 5 throws
    // IllegalArgumentException.
    virtual void setSystemFont(int32_t index);
    virtual int32_t getCharDescent(char16_t c);
    virtual int32_t getSystemFontIndex();
    virtual VMPtr<GobArray> getGlyphs();
    virtual int32_t getLineHeight();
    virtual int32_t getCharAscent(char16_t c);
    // The mapped glyph, else the glyph found by binary search, else null.
    virtual VMPtr<Gob> getGlyph(char16_t c);
    virtual void mapGlyph(char16_t c, VMPtr<Gob> glyph);
    virtual int32_t getMetric5();
    virtual int32_t getAlpha();
    virtual void setColor(int32_t rgb);

    int32_t getMetric6();
    // The xOffset of the glyph of chars[index]; 0 without one.
    int32_t getFirstXOffset(VMPtr<CharArray> chars, int32_t index);
    // Right edge of the last glyph drawn (less a negative first offset a);
    // the advance sum for a system font.
    int32_t getInkWidth(VMPtr<CharArray> chars, int32_t off, int32_t len, int32_t a);
    int32_t getTop(VMPtr<CharArray> chars, int32_t off, int32_t len);
    int32_t getBottom(VMPtr<CharArray> chars, int32_t off, int32_t len, int32_t top);

    int32_t systemFontIndex = 0;
    int32_t transform = 0;
    VMField<GobArray> glyphs;
    bool trimTop = false;
    int32_t color = 0;
    bool colorSet = false;
    VMField<IntHashtable> glyphCache;
    VMField<Font> font;

    VM_STATIC(ByteArray, systemFontSpecs);
    VM_STATIC(CharArray, charBuffer);
    VM_STATIC(StringBuffer, numberBuffer);

private:
    int32_t metric(int32_t index);
    // charBuffer with room for n characters.
    static VMPtr<CharArray> charBufferOf(int32_t n);
    static VMPtr<CharArray> copyOf(VMPtr<String> s, int32_t off, int32_t len);
    static VMPtr<CharArray> copyOf(VMPtr<StringBuffer> sb);
    static VMPtr<CharArray> copyOf(char16_t c);

public:
    VM_FIELDS(glyphs, glyphCache, font)
};

} // namespace tq::util::text
