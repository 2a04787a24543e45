#include <gtest/gtest.h>

#include "TextPackIds.h"
#include "engine/support/GlyphFont.h"
#include "engine/support/TextPack.h"
#include "java/lang/IllegalArgumentException.h"
#include "support/LangTestSupport.h"
#include "tq/GobAlphaImage.h"
#include "tq/ResourcesExt.h"
#include "tq/util/text/RichFont.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using tq::Gob;
using tq::util::text::RichFont;
using IntArray = VMArray<int32_t, 1>;

namespace {

constexpr uint32_t WHITE = 0xFFFFFFFFu;
constexpr uint32_t BLACK = 0xFF000000u;
constexpr int TL = Graphics::TOP | Graphics::LEFT;
constexpr int TR = Graphics::TOP | Graphics::RIGHT;
constexpr int TC = Graphics::TOP | Graphics::HCENTER;
constexpr int BL = Graphics::BASELINE | Graphics::LEFT;
constexpr int BC = Graphics::BASELINE | Graphics::HCENTER;
constexpr int OL = Graphics::BOTTOM | Graphics::LEFT;

// Height 10, baseline 8, missing advance 3, line height 12, metric 5 is 7.
const GlyphMetrics METRICS{{10, 8, 3, 0, 12, 7, 0}};

std::vector<GlyphDraft> glyphs()
{
    return {{u' ', 4, 0, 7, 1, 1, 0x00FFFFFF}, {u'a', 6, 1, 2, 4, 6, BLACK},
            {u'b', 5, 0, 0, 5, 8, BLACK},      {u'c', 5, -2, 4, 6, 6, BLACK},
            {u'd', 4, 0, 3, 3, 5, BLACK},      {u'e', 4, 0, 3, 3, 5, BLACK},
            {u'f', 4, 0, 3, 3, 5, BLACK}};
}

class RichFontTest : public VMFixture {
protected:
    void SetUp() override
    {
        font = RichFont::newInstance()->initSystemFont();
        font->setGlyphs(glyphSet(glyphs(), METRICS));
    }
    // Draws into a white 80 x 80 image and answers the ink.
    InkBox drawn(const VMPtr<RichFont>& f, const char* text, int x, int y, int anchor)
    {
        VMPtr<Image> image = Image::createImage(80, 80, false, int32_t(WHITE));
        f->drawString(image->getGraphics(), vmString(text), x, y, anchor);
        return inkBox(image);
    }
    VMPtr<RichFont> font;
};

TEST_F(RichFontTest, MeasuresGlyphsAndMetrics)
{
    EXPECT_TRUE(font->isBitmapFont());
    EXPECT_EQ(font->getHeight(), 10);
    EXPECT_EQ(font->getBaselinePosition(), 8);
    EXPECT_EQ(font->getLineHeight(), 12);
    EXPECT_EQ(font->getMetric5(), 7);
    EXPECT_FALSE(font->usesAdvanceForAnchor());
    EXPECT_EQ(font->stringWidth(vmString("ab")), 11);
    // A character without a glyph advances by metric 2 and has no ink.
    EXPECT_EQ(font->stringWidth(vmString("azb")), 14);
    EXPECT_EQ(font->charWidth(u'z'), 3);
    EXPECT_EQ(font->stringHeight(vmString("ab")), 8);
    EXPECT_EQ(font->stringHeight(vmString("z")), 0);
    EXPECT_EQ(font->getCharAscent(u'a'), 6);
    EXPECT_EQ(font->getCharDescent(u'c'), 2);
    EXPECT_EQ(font->getCharDescent(u'z'), 0);

    // Trimming the top applies to one measurement only.
    font->setTrimTop(true);
    EXPECT_EQ(font->stringHeight(vmString("a")), 6);
    EXPECT_EQ(font->stringHeight(vmString("a")), 8);
}

TEST_F(RichFontTest, BoundsFollowAnchorsAndTransforms)
{
    struct Case {
        const char* text;
        int anchor, transform;
        int32_t x, y, w, h;
    };
    const Case cases[] = {
        {"ab", TL, 0, 31, 30, 11, 8},
        {"ab", TR, 0, 20, 30, 11, 8},
        {"ab", BC, 0, 26, 22, 11, 8},
        {"ab", OL, 0, 31, 20, 11, 8},
        {"ab", TL, 5, 22, 31, 8, 11},
        {"ab", TL, 3, 18, 22, 11, 8},
        // A negative first offset widens the ink box by its size.
        {"ca", TL, 0, 28, 32, 12, 8},
        {"azb", TL, 0, 31, 30, 14, 8},
    };
    VMPtr<IntArray> out = IntArray::newArray(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " anchor " << c.anchor << " t" << c.transform);
        font->setTransform(c.transform);
        font->getStringBounds(vmString(c.text), 30, 30, out, c.anchor);
        EXPECT_EQ((InkBox{(*out)[0], (*out)[1], (*out)[2], (*out)[3]}), (InkBox{c.x, c.y, c.w, c.h}));
    }
}

TEST_F(RichFontTest, DrawsGlyphsAtTheirAnchors)
{
    struct Case {
        int anchor, transform;
        InkBox ink;
    };
    // "ab" at (30, 30): a is 4 x 6 at (1, 2) from the pen, b 5 x 8 at (0, 0)
    // after an advance of 6; the ink is 11 wide from the pen.
    const Case cases[] = {
        {TL, 0, {31, 30, 10, 8}},
        {TR, 0, {20, 30, 10, 8}},
        {TC, 0, {26, 30, 10, 8}},
        {BL, 0, {31, 22, 10, 8}},
        {OL, 0, {31, 20, 10, 8}},
        // Turned by 90 degrees the pen moves down and the baseline moves x.
        {TL, 5, {22, 31, 8, 10}},
        {BL, 5, {30, 31, 8, 10}},
        // Half a turn: an odd width starts at x + w for RIGHT, x + w / 2 + 1
        // for HCENTER.
        {TR, 3, {30, 22, 10, 8}},
        {TC, 3, {25, 22, 10, 8}},
        {TL, 6, {30, 19, 8, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "anchor " << c.anchor << " t" << c.transform);
        font->setTransform(c.transform);
        EXPECT_EQ(drawn(font, "ab", 30, 30, c.anchor), c.ink);
    }
    // Anchoring by the advance sum: RIGHT ends the pen at x.
    VMPtr<Gob::GobArray> glyphs = font->getGlyphs();
    glyphs->get(6)->collisionHeight = 1;
    font->setTransform(0);
    EXPECT_EQ(drawn(font, "ab", 30, 30, TR), (InkBox{20, 30, 10, 8}));
    EXPECT_EQ(drawn(font, "aba", 30, 30, TR), (InkBox{14, 30, 15, 8}));
}

TEST_F(RichFontTest, ConvertsAStoredSetOnceAndRefusesBadSets)
{
    // Stored form: code differences in xOffset (high) and yOffset (low),
    // the drawing offset in collisionX and collisionY, marker 255.
    auto stored = [](const std::vector<int>& codes) {
        std::vector<GlyphDraft> s;
        for (size_t i = 0; i < codes.size(); i++)
            s.push_back({0, 3, 0, 0, 1, 1, BLACK});
        VMPtr<Gob::GobArray> set = glyphSet(s, GlyphMetrics{{9, 7, 2, 255, 9, 0, 0}});
        int previous = 0;
        for (size_t i = 0; i < codes.size(); i++) {
            VMPtr<Gob> g = set->get(int32_t(i));
            int delta = codes[i] - previous;
            previous = codes[i];
            g->xOffset = int16_t(delta >> 8);
            g->yOffset = int16_t(int8_t(delta & 0xFF));
            g->collisionX = int16_t(i);
            g->collisionY = -int16_t(i);
        }
        return set;
    };
    VMPtr<Gob::GobArray> set = stored({0x20, 0x41, 0xE9, 0x20AC, 0x20AD, 0x8000, 0xFFFF});
    VMPtr<RichFont> f = RichFont::newInstance()->initSystemFont();
    f->setGlyphs(set);
    EXPECT_EQ(set->get(3)->collisionHeight, 0);
    const char16_t codes[] = {0x20, 0x41, 0xE9, 0x20AC, 0x20AD, 0x8000, 0xFFFF};
    for (int i = 0; i < 7; i++) {
        SCOPED_TRACE(i);
        VMPtr<Gob> glyph = f->getGlyph(codes[i]);
        ASSERT_TRUE(glyph);
        EXPECT_EQ(glyph.get(), set->get(i).get());
        EXPECT_EQ(glyph->xOffset, i);
        EXPECT_EQ(glyph->yOffset, -i);
    }
    // Given again (or shared by a copy), the set is not converted twice.
    VMPtr<RichFont> copy = RichFont::newInstance()->initCopy(f);
    EXPECT_EQ(copy->getGlyphs().get(), set.get());
    EXPECT_EQ(copy->getGlyph(0x20AC).get(), set->get(3).get());

    struct Bad {
        const char* what;
        std::vector<int> codes;
        const char* message;
    };
    const Bad refused[] = {
        {"six glyphs", {1, 2, 3, 4, 5, 6}, "Fewer than 7 glyphs"},
        {"codes out of order", {1, 2, 3, 9, 5, 6, 7}, "Glyph codes not ascending"},
        {"a repeated code", {1, 2, 3, 4, 4, 6, 7}, "Glyph codes not ascending"},
    };
    for (const Bad& b : refused) {
        SCOPED_TRACE(b.what);
        VMPtr<Gob::GobArray> bad = stored(b.codes);
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>([&] { f->setGlyphs(bad); },
                                                                   b.message));
        // Nothing changed: the font, and the set still in its stored form.
        EXPECT_EQ(f->getGlyphs().get(), set.get());
        if (bad->length > 3) {
            EXPECT_EQ(bad->get(3)->collisionHeight, 255);
        }
    }
    // An already converted set out of order is refused as well.
    VMPtr<Gob::GobArray> unordered = glyphSet(glyphs(), METRICS);
    unordered->get(4)->collisionX = u'a';
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { f->setGlyphs(unordered); }, "Glyph codes not ascending"));
}

TEST_F(RichFontTest, MappedGlyphsAlphaAndSystemFontSwitch)
{
    VMPtr<Gob> b = font->getGlyph(u'b');
    font->mapGlyph(u'Z', b);
    EXPECT_EQ(font->getGlyph(u'Z').get(), b.get());
    EXPECT_EQ(font->charWidth(u'Z'), 5);

    VMPtr<RichFont> copy = RichFont::newInstance()->initCopy(font);
    EXPECT_EQ(font->getAlpha(), 255);
    font->setAlpha(128);
    EXPECT_EQ(copy->getAlpha(), 128);
    EXPECT_TRUE(copy->getGlyphs()->get(1)->isAlphaImage());

    VMPtr<javax::microedition::lcdui::Font> medium(font->font);
    font->setSystemFont(1);
    EXPECT_FALSE(font->isBitmapFont());
    EXPECT_EQ(VMPtr<javax::microedition::lcdui::Font>(font->font).get(), medium.get());
    font->setSystemFont(5);
    EXPECT_EQ(font->getSystemFontIndex(), 5);
    EXPECT_EQ(font->font->getStyle(), 1);
    EXPECT_EQ(font->font->getSize(), 16);
    for (int32_t index : {-1, 6}) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { font->setSystemFont(index); }, "No such system font"));
    }
    EXPECT_EQ(font->getSystemFontIndex(), 5);
}

TEST_F(RichFontTest, SystemFontDrawsAtEachAnchorInItsColour)
{
    VMPtr<RichFont> system = RichFont::newInstance()->initSystemFont();
    system->setColor(0x0000FF);
    VMPtr<Image> image = Image::createImage(80, 80, false, int32_t(WHITE));
    VMPtr<Graphics> g = image->getGraphics();
    g->setColor(0x102030);
    system->drawString(g, vmString("Hi"), 20, 20, TL);
    EXPECT_EQ(g->getColor(), 0x102030);
    InkBox base = inkBox(image);
    int32_t w = system->stringWidth(vmString("Hi"));
    int32_t h = system->getHeight();
    ASSERT_GT(base.width, 0);
    EXPECT_GE(base.x, 20);
    EXPECT_LE(base.x + base.width, 20 + w);
    EXPECT_GE(base.y, 20);
    EXPECT_LE(base.y + base.height, 20 + h);
    VMPtr<IntArray> pixel = IntArray::newArray(1);
    bool blue = false;
    for (int32_t x = base.x; x < base.x + base.width && !blue; x++) {
        for (int32_t y = base.y; y < base.y + base.height && !blue; y++) {
            image->getRGB(pixel, 0, 1, x, y, 1, 1);
            blue = (uint32_t((*pixel)[0]) & 0xFFF0F0F0u) == 0xFF0000F0u;
        }
    }
    EXPECT_TRUE(blue);

    // Other anchors move the same ink by the width, half of it, the
    // baseline or the height.
    struct Case {
        int anchor, dx, dy;
    };
    for (Case c : {Case{TR, -w, 0}, Case{TC, -(w >> 1), 0},
                   Case{BL, 0, -system->getBaselinePosition()}, Case{OL, 0, -h}}) {
        SCOPED_TRACE(c.anchor);
        EXPECT_EQ(drawn(system, "Hi", 20, 20, c.anchor),
                  (InkBox{base.x + c.dx, base.y + c.dy, base.width, base.height}));
    }
    EXPECT_EQ(system->stringHeight(vmString("Hi")), h);
    EXPECT_EQ(system->getLineHeight(), h);
}

class RichFontPackTest : public TextPackTest {};

TEST_F(RichFontPackTest, DrawsTheBuildersFont)
{
    VMPtr<Gob::GobArray> glyphs = tq::ResourcesExt::loadGobs(textpack::FONT);
    ASSERT_TRUE(glyphs);
    EXPECT_EQ(glyphs->length, 96);
    VMPtr<RichFont> f = RichFont::newInstance()->initSystemFont();
    f->setGlyphs(glyphs);
    // DejaVu Sans at 10 pixels: ascent and descent round up to 10 and 3.
    EXPECT_EQ(f->getHeight(), 13);
    EXPECT_EQ(f->getBaselinePosition(), 10);
    EXPECT_EQ(f->getLineHeight(), 13);
    EXPECT_EQ(f->charWidth(u'\u20AC'), 5);
    EXPECT_TRUE(f->getGlyph(u'\u00E9'));
    EXPECT_TRUE(f->getGlyph(u'~'));
    EXPECT_LT(f->charWidth(u'i'), f->charWidth(u'W'));

    VMPtr<Image> image = Image::createImage(80, 40, false, int32_t(BLACK));
    f->drawString(image->getGraphics(), vmString("Hello"), 5, 5, TL);
    InkBox ink = inkBox(image);
    // 'H' stands on the baseline and reaches about the cap height.
    EXPECT_EQ(ink.y + ink.height, 5 + 10);
    EXPECT_GE(ink.x, 5);
    EXPECT_LE(ink.x + ink.width, 5 + f->stringWidth(vmString("Hello")));
    EXPECT_GT(ink.height, 5);
    // Spaces draw nothing.
    VMPtr<Image> blank = Image::createImage(40, 40, false, int32_t(BLACK));
    f->drawString(blank->getGraphics(), vmString("   "), 5, 5, TL);
    EXPECT_EQ(inkBox(blank).width, 0);
}

} // namespace
