#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TextPackIds.h"
#include "engine/support/GlyphFont.h"
#include "engine/support/TestGameCanvas.h"
#include "engine/support/TextPack.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "tq/ResourcesExt.h"
#include "tq/TqCanvas.h"
#include "tq/util/text/WrappedText.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using tq::Gob;
using tq::util::text::RichFont;
using tq::util::text::WrappedText;

namespace {

// Every character one pixel wide and advancing one: widths count characters.
VMPtr<RichFont> monoFont()
{
    std::vector<GlyphDraft> glyphs;
    std::u16string codes = u" -0123456789@abcdefghijklmnopqrstuvwxyz";
    for (char16_t c : codes)
        glyphs.push_back({c, 1, 0, 0, 1, 1, 0xFF000000u});
    VMPtr<RichFont> font = RichFont::newInstance()->initSystemFont();
    font->setGlyphs(glyphSet(glyphs, GlyphMetrics{{2, 2, 1, 0, 2, 0, 0}}));
    return font;
}

std::vector<std::u16string> linesOf(const VMPtr<WrappedText>& wrapped)
{
    std::vector<std::u16string> lines;
    VMPtr<VMArray<java::lang::String, 1>> all = wrapped->getLines();
    for (int32_t i = 0; i < all->length; i++)
        lines.push_back(utf16(all->get(i)));
    return lines;
}

class WrappedTextTest : public VMFixture {
protected:
    void SetUp() override
    {
        font = monoFont();
        wrapped = WrappedText::newInstance()->init(nullptr);
    }
    VMPtr<RichFont> font;
    VMPtr<WrappedText> wrapped;
};

TEST_F(WrappedTextTest, BreaksLines)
{
    struct Case {
        const char* text;
        int32_t width;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {"a b", 2, {u"a", u"b"}},
        // A '-' before a digit is a minus sign, not a break.
        {"ab x-5", 5, {u"ab", u"x-5"}},
        {"ab x-y", 5, {u"ab x-", u"y"}},
        {"ab@cd", 3, {u"ab@", u"cd"}},
        {"ab\r\ncd", 9, {u"ab", u"cd"}},
        {"ab\n", 9, {u"ab"}},
        {"\n\nab", 9, {u"", u"", u"ab"}},
        {"  ab", 9, {u" ab"}},
        // The overflowing space is not a break: cut before it, skipped next.
        {"abc d", 3, {u"abc", u"d"}},
        {"abcdef", 4, {u"abcd", u"ef"}},
        {"", 4, {}},
        // Too narrow for one character: one character a line, and it ends.
        {"abc", 0, {u"a", u"b", u"c"}},
        {"abc", -5, {u"a", u"b", u"c"}},
        {"a b", 0, {u"a", u"b"}},
        {"ab\ncd", 0, {u"a", u"b", u"c", u"d"}},
        // A negative width still honours line ends and the leading space.
        {"a\r\nb\n\nc", -1, {u"a", u"b", u"", u"c"}},
        {" a b", -1, {u"a", u"b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" in " << c.width);
        int32_t count = wrapped->setText(font, vmString(c.text), c.width);
        EXPECT_EQ(count, int32_t(c.lines.size()));
        EXPECT_EQ(linesOf(wrapped), c.lines);
    }
}

TEST_F(WrappedTextTest, LinesStateAndBreakCharacters)
{
    wrapped->setLineSpacing(3);
    VMPtr<WrappedText::CharArray> slash = WrappedText::CharArray::newArray(1);
    (*slash)[0] = u'9';
    wrapped->setBreakChars(slash);
    EXPECT_EQ(wrapped->setText(font, vmString("ab9cd e"), 4), 2);
    EXPECT_EQ(linesOf(wrapped), (std::vector<std::u16string>{u"ab9", u"cd e"}));
    EXPECT_EQ(wrapped->getLineStart(1), 3);
    EXPECT_EQ(wrapped->getTextHeight(), 2 * (2 + 3));
    EXPECT_EQ(wrapped->getWidth(), 4);
    for (int32_t line : {-1, 2}) {
        EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>(
            [&] { wrapped->getLineStart(line); }, "No such line"));
    }
    // A text beyond 16-bit line starts is refused, keeping the layout.
    VMPtr<java::lang::String> huge = vmString(std::string(32768, 'a').c_str());
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { wrapped->setText(font, huge, 10); }, "Text too long to wrap"));
    EXPECT_EQ(wrapped->getLineCount(), 2);

    wrapped->reset();
    EXPECT_EQ(wrapped->getLineCount(), 0);
    EXPECT_EQ(wrapped->getLineSpacing(), 0);
    EXPECT_EQ(wrapped->getBreakChars()->length, 3);
    EXPECT_FALSE(wrapped->getText());
}

TEST_F(WrappedTextTest, DrawsTheLinesThatReachTheClip)
{
    wrapped->setText(font, vmString("ab\ncd\nef"), 10);
    wrapped->setLineSpacing(1);
    struct Case {
        int anchor, clipY;
        InkBox ink;
    };
    // Lines at y 10, 13 and 16; each glyph one pixel at the pen.
    const Case cases[] = {
        {Graphics::TOP | Graphics::LEFT, 0, {5, 10, 2, 7}},
        {Graphics::TOP | Graphics::LEFT, 13, {5, 13, 2, 4}},
        {Graphics::TOP | Graphics::LEFT, 14, {5, 16, 2, 1}},
        {Graphics::TOP | Graphics::HCENTER, 0, {9, 10, 2, 7}},
        {Graphics::TOP | Graphics::RIGHT, 0, {13, 10, 2, 7}},
        {Graphics::BASELINE | Graphics::LEFT, 0, {5, 8, 2, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "anchor " << c.anchor << " clip " << c.clipY);
        VMPtr<Image> image = Image::createImage(40, 40, false, -1);
        VMPtr<Graphics> g = image->getGraphics();
        g->setClip(0, c.clipY, 40, 40);
        wrapped->draw(g, 5, 10, c.anchor);
        EXPECT_EQ(inkBox(image), c.ink);
    }
}

TEST_F(WrappedTextTest, StepOfZeroAndAlpha)
{
    wrapped->setText(font, vmString("ab\ncd"), 10);
    wrapped->setLineSpacing(-2);
    EXPECT_EQ(wrapped->getLineStep(), 0);
    VMPtr<Image> image = Image::createImage(40, 40, false, -1);
    VMPtr<Graphics> g = image->getGraphics();
    g->setClip(0, 20, 40, 20);
    wrapped->draw(g, 5, 10, Graphics::TOP | Graphics::LEFT);
    EXPECT_EQ(inkBox(image).width, 0);
    // Inside the clip every line lands on the same row.
    wrapped->draw(g, 5, 25, Graphics::TOP | Graphics::LEFT);
    EXPECT_EQ(inkBox(image), (InkBox{5, 25, 2, 1}));

    wrapped->setAlpha(100);
    wrapped->draw(g, 5, 25, Graphics::TOP | Graphics::LEFT);
    EXPECT_TRUE(font->getGlyphs()->get(0)->isAlphaImage());
    EXPECT_EQ(font->getAlpha(), 100);
}

class WrappedTextCanvasTest : public vxtest::GameCanvasFixture {};

TEST_F(WrappedTextCanvasTest, LaysOutInTheCanvasFont)
{
    VMPtr<WrappedText> wrapped = WrappedText::newInstance()->init(VMPtr<tq::TqCanvas>(canvas));
    EXPECT_EQ(wrapped->getAlpha(), 255);
    EXPECT_EQ(VMPtr<tq::TqCanvas>(wrapped->canvas).get(), VMPtr<tq::TqCanvas>(canvas).get());
    const char* text = "The quick brown fox jumps over the lazy dog";
    int32_t count = wrapped->setText(vmString(text), 60);
    EXPECT_GT(count, 1);
    VMPtr<RichFont> canvasFont = canvas->getDefaultFont();
    EXPECT_NE(VMPtr<RichFont>(wrapped->font).get(), canvasFont.get());
    std::u16string joined;
    for (const std::u16string& line : linesOf(wrapped)) {
        EXPECT_LE(canvasFont->stringWidth(vmString(std::string(line.begin(), line.end()).c_str())), 60);
        joined += (joined.empty() ? u"" : u" ") + line;
    }
    EXPECT_EQ(joined, utf16(vmString(text)));
}

class WrappedTextPackTest : public TextPackTest {};

TEST_F(WrappedTextPackTest, WrapsAndDrawsAPageInTheBuildersFont)
{
    VMPtr<RichFont> font = RichFont::newInstance()->initSystemFont();
    font->setGlyphs(tq::ResourcesExt::loadGobs(textpack::FONT));
    VMPtr<WrappedText> wrapped = WrappedText::newInstance()->init(nullptr);
    VMPtr<java::lang::String> page = vmString(
        "Pilots, the fleet is waiting beyond the asteroid belt. Collect the coins they drop, "
        "buy stronger engines in the shop and return to clear stage 5-2 before dawn.");
    int32_t count = wrapped->setText(font, page, 100);
    EXPECT_GT(count, 3);
    for (int32_t k = 0; k < count; k++) {
        int32_t start = wrapped->getLineStart(k);
        int32_t length = (*VMPtr<WrappedText::ShortArray>(wrapped->lines))[2 * k + 1];
        EXPECT_LE(font->substringWidth(page, start, length), 100) << k;
    }
    VMPtr<Image> image = Image::createImage(120, 120, false, int32_t(0xFF000000u));
    wrapped->draw(image->getGraphics(), 10, 5, Graphics::TOP | Graphics::LEFT);
    InkBox ink = inkBox(image);
    EXPECT_GE(ink.x, 10);
    EXPECT_LE(ink.x + ink.width, 110);
    EXPECT_GE(ink.y, 5);
    EXPECT_LE(ink.y + ink.height, 5 + wrapped->getTextHeight());
}

} // namespace
