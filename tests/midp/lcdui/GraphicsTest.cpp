// Graphics, Image and Font through the MIDP classes: drawing into a
// canvas-sized mutable image, the clip and colour state, anchors, argument
// checks, shared fonts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "java/io/IOException.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "javax/microedition/lcdui/Font.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "support/LangTestSupport.h"
#include "support/PngWriter.h"
#include "support/VMFixture.h"

using namespace javax::microedition::lcdui;
using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::IllegalArgumentException;

namespace {

class GraphicsTest : public VMFixture {};

// ARGB of one pixel.
uint32_t pixel(const VMPtr<Image>& image, int x, int y)
{
    VMPtr<Image::IntArray> out = Image::IntArray::newArray(1);
    image->getRGB(out, 0, 1, x, y, 1, 1);
    return static_cast<uint32_t>((*out)[0]);
}

TEST_F(GraphicsTest, DrawsIntoACanvasSizedMutableImage)
{
    VMPtr<Image> image = Image::createImage(240, 320, false, 0x000000);
    EXPECT_TRUE(image->isMutable());
    EXPECT_EQ(pixel(image, 0, 0), 0xFF000000u);
    VMPtr<Graphics> g = image->getGraphics();
    g->translate(10, 20);
    g->setColor(0xFF0000);
    g->fillRect(0, 0, 5, 5);  // absolute (10, 20) to (14, 24)
    g->setClip(0, 0, 3, 3);
    g->setColor(0x00FF00);
    g->fillRect(-5, -5, 100, 100);
    g->setClip(0, 0, 240, 320);
    g->setColor(0x0000FF);
    g->drawLine(-10, 100, 229, 100);  // absolute row 120 from x 0, cut at the clip's left (10)
    EXPECT_EQ(pixel(image, 9, 20), 0xFF000000u);
    EXPECT_EQ(pixel(image, 14, 24), 0xFFF80000u);
    EXPECT_EQ(pixel(image, 10, 20), 0xFF00FC00u);
    EXPECT_EQ(pixel(image, 12, 22), 0xFF00FC00u);
    EXPECT_EQ(pixel(image, 13, 22), 0xFFF80000u);
    EXPECT_EQ(pixel(image, 9, 120), 0xFF000000u);
    EXPECT_EQ(pixel(image, 10, 120), 0xFF0000F8u);
    EXPECT_EQ(pixel(image, 239, 120), 0xFF0000F8u);
    // A half-transparent fill blends.
    g->setARGBColor(static_cast<int32_t>(0x80FFFFFFu));
    g->fillRect(0, 150, 1, 1);  // absolute (10, 170)
    EXPECT_EQ(pixel(image, 10, 170), 0xFF787C78u);

    // drawImage with an anchor: a 2 x 2 red picture centred on (100, 100).
    std::vector<int32_t> red(4, static_cast<int32_t>(0xFFFF0000u));
    VMPtr<Image::IntArray> rgb = Image::IntArray::newArray(4);
    for (int i = 0; i < 4; ++i)
        (*rgb)[i] = red[i];
    VMPtr<Image> picture = Image::createRGBImage(rgb, 2, 2, false);
    VMPtr<Graphics> plain = image->getGraphics();
    plain->drawImage(picture, 100, 100, Graphics::HCENTER | Graphics::VCENTER);
    EXPECT_EQ(pixel(image, 99, 99), 0xFFF80000u);
    EXPECT_EQ(pixel(image, 100, 100), 0xFFF80000u);
    EXPECT_EQ(pixel(image, 101, 101), 0xFF000000u);
}

TEST_F(GraphicsTest, MutableFactoryFillsWithTheColour)
{
    EXPECT_EQ(pixel(Image::createImage(2, 2, false, 0x00123456), 1, 1), 0xFF103450u);
    EXPECT_EQ(pixel(Image::createImage(2, 2, false, static_cast<int32_t>(0xFFFFFFFFu)), 0, 0), 0xFFF8FCF8u);
    VMPtr<Image> clear = Image::createImage(2, 2, true, 0);
    EXPECT_EQ(pixel(clear, 0, 0), 0u);
    EXPECT_TRUE(clear->hasAlpha());
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { Image::createImage(-1, 2, false, 0); }));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { Image::createImage(0, 2, false, 0); }));
}

TEST_F(GraphicsTest, ClipFollowsTranslationAndEmptiesAsOne)
{
    VMPtr<Graphics> g = Image::createImage(100, 50, false, 0)->getGraphics();
    struct Case {
        int32_t tx, ty, x, y, w, h;
        int32_t left, top, right, bottom;
    } cases[] = {
        {0, 0, 0, 0, 0, 10, 0, 0, 0, 0},           // zero width
        {10, 20, 0, 0, 5, 5, 10, 20, 15, 25},      // translated
        {0, 0, -100, 0, 50, 10, 0, 0, 0, 10},      // left of the target: empty width
        {0, 0, 100, 0, 5, 5, 0, 0, 0, 0},          // corner at the target's width
        {0, 0, 90, 40, 50, 50, 90, 40, 100, 50},   // cut to the target
        {0x7FFFFFF0, 0, 0x7FFFFFF0, 0, 5, 5, 0, 0, 0, 0},  // overflow past 2^31 clamps to the width
    };
    for (const Case& c : cases) {
        g->resetTarget(100, 50);
        g->translate(c.tx, c.ty);
        g->setClip(c.x, c.y, c.w, c.h);
        EXPECT_EQ((std::vector<int>{g->clipLeft, g->clipTop, g->clipRight, g->clipBottom}),
                  (std::vector<int>{c.left, c.top, c.right, c.bottom}))
            << c.x << "," << c.y << " " << c.w << "x" << c.h;
    }
    g->resetTarget(100, 50);
    g->translate(10, 20);
    g->setClip(0, 0, 5, 5);
    EXPECT_EQ(g->getClipX(), 0);
    g->translate(-10, -20);
    EXPECT_EQ(g->getClipX(), 10);
    g->clipRect(12, 22, 10, 1);
    EXPECT_EQ((std::vector<int>{g->getClipX(), g->getClipY(), g->getClipWidth(), g->getClipHeight()}),
              (std::vector<int>{12, 22, 3, 1}));
    g->clipRect(0, 0, -1, 5);
    EXPECT_EQ(g->getClipWidth(), 0);
    EXPECT_EQ(g->getClipX(), 0);
}

TEST_F(GraphicsTest, ColourStateAndItsChecks)
{
    VMPtr<Graphics> g = Image::createImage(4, 4, false, 0)->getGraphics();
    g->setColor(static_cast<int32_t>(0x80FF0000u));
    EXPECT_EQ(g->getAlpha(), 255);
    EXPECT_EQ(g->getColor(), 0xFF0000);
    g->setARGBColor(static_cast<int32_t>(0x80FF0000u));
    EXPECT_EQ(g->getAlpha(), 0x80);
    EXPECT_EQ(g->getColor(), 0xFF0000);
    EXPECT_EQ(static_cast<uint32_t>(g->getARGBColor()), 0x80FF0000u);
    g->setColor(0x808080);
    EXPECT_EQ(g->getGrayScale(), 127);
    g->setGrayScale(200);
    EXPECT_EQ(g->getColor(), 0xC8C8C8);
    EXPECT_EQ(g->getDisplayColor(0xFFFFFF), 0xFFFF);
    const std::function<void()> bad[] = {
        [&] { g->setColor(256, 0, 0); }, [&] { g->setColor(-1, 0, 0); }, [&] { g->setGrayScale(256); },
        [&] { g->setStrokeStyle(2); },   [&] { g->setAlpha(-1); },        [&] { g->setARGBColor(0, 0, 0, 300); },
        [&] { g->setAlphaMode(1); },  // the image has no alpha
    };
    for (const auto& body : bad)
        EXPECT_TRUE(vmThrows<IllegalArgumentException>(body));
    Image::createImage(4, 4, true, 0)->getGraphics()->setAlphaMode(1);
}

TEST_F(GraphicsTest, AnchorRules)
{
    struct Case {
        int32_t anchor, forbidden;
        bool valid;
    } cases[] = {{0, 64, true},   {20, 64, true},  {1, 0, false},   {17 | 8, 0, false}, {128, 0, false},
                 {-1, 0, false},  {68, 64, false}, {6, 2, false},   {3, 64, true},      {40, 64, true},
                 {36, 2, true},   {48 | 4, 0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(Graphics::isValidAnchor(c.anchor, c.forbidden), c.valid) << c.anchor;
    int32_t x = 50, y = 50;
    EXPECT_TRUE(Graphics::applyAnchor(x, y, 10, 20, Graphics::HCENTER | Graphics::VCENTER, 5));
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 45);
}

TEST_F(GraphicsTest, RegionTextAndPixelArgumentChecks)
{
    VMPtr<Image> image = Image::createImage(10, 10, false, 0);
    VMPtr<Graphics> g = image->getGraphics();
    VMPtr<Image> other = Image::createImage(4, 4, false, 0);
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { g->drawRegion(other, 0, 0, 2, 2, 8, 0, 0, 20); }));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { g->drawRegion(image, 0, 0, 2, 2, 0, 0, 0, 20); }));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { g->drawRegion(other, 3, 0, 2, 2, 0, 0, 0, 20); }));
    g->drawRegion(other, 0, 0, 2, 2, 0x100, 0, 0, 20);
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { g->drawImage(other, 0, 0, 68); }));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { g->drawString(vmString("a"), 0, 0, 6); }));
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { g->drawString(nullptr, 0, 0, 20); }));
    EXPECT_TRUE(vmThrows<java::lang::StringIndexOutOfBoundsException>(
        [&] { g->drawSubstring(vmString("abc"), 2, 2, 0, 0, 20); }));
    VMPtr<Graphics> surface = Graphics::createForContext(nullptr, 10, 10);
    EXPECT_TRUE(vmThrows<java::lang::IllegalStateException>([&] { surface->copyArea(0, 0, 1, 1, 0, 0, 20); }));
    VMPtr<Image::IntArray> pixels = Image::IntArray::newArray(10);
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { g->drawRGB(pixels, 10, 1, 0, 0, 0, 1, false); }));
    // A negative scan length reads rows upwards: rows at 8 and 3.
    (*pixels)[3] = static_cast<int32_t>(0xFF00FF00u);
    (*pixels)[8] = static_cast<int32_t>(0xFFFF0000u);
    g->drawRGB(pixels, 8, -5, 0, 0, 1, 2, false);
    EXPECT_EQ(pixel(image, 0, 0), 0xFFF80000u);
    EXPECT_EQ(pixel(image, 0, 1), 0xFF00FC00u);
}

TEST_F(GraphicsTest, ImageFactoriesAndGetRGBChecks)
{
    VMPtr<java::lang::String::ByteArray> empty = java::lang::String::ByteArray::newArray(0);
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { Image::createImage(empty, 0, 0); }));
    std::string png = vxtest::pngRgba(2, 1, {0xFFFF0000u, 0x00000000u});
    VMPtr<java::lang::String::ByteArray> bytes =
        java::lang::String::ByteArray::newArray(static_cast<int32_t>(png.size()));
    for (size_t i = 0; i < png.size(); ++i)
        (*bytes)[static_cast<int32_t>(i)] = static_cast<int8_t>(png[i]);
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { Image::createImage(bytes, bytes->length, 0); }));
    VMPtr<Image> decoded = Image::createImage(bytes, 0, bytes->length);
    EXPECT_EQ(decoded->getWidth(), 2);
    EXPECT_EQ(pixel(decoded, 0, 0), 0xFFF80000u);
    EXPECT_EQ(pixel(decoded, 1, 0), 0x00F800F8u);
    EXPECT_TRUE(decoded->hasAlpha());
    EXPECT_TRUE(vmThrows<java::lang::IllegalStateException>([&] { decoded->getGraphics(); }));
    (*bytes)[20] = static_cast<int8_t>((*bytes)[20] ^ 0x40);  // damaged header
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { Image::createImage(bytes, 0, bytes->length); },
                                                   "HAL_createImageWithData() error: HAL_BAD_FORMAT_ERR"));
    EXPECT_TRUE(vmThrows<java::io::IOException>([] { Image::createImage(vmString("/missing.png")); },
                                                "HAL_createImageWithResource() error: 4"));

    VMPtr<Image::IntArray> rgb = Image::IntArray::newArray(9);
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { Image::createRGBImage(rgb, 0, 5, false); }));
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { Image::createRGBImage(rgb, 2, 5, true); }));

    VMPtr<Image> image = Image::createImage(10, 10, false, 0);
    image->getRGB(nullptr, 0, 10, 0, 0, 0, 5);  // nothing to read: returns quietly
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { image->getRGB(nullptr, 0, 10, 0, 0, 1, 1); }));
    VMPtr<Image::IntArray> out = Image::IntArray::newArray(100);
    image->getRGB(out, 90, -10, 0, 0, 10, 10);
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { image->getRGB(out, 90, -10, 0, 0, 11, 10); }));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { image->getRGB(out, 0, 10, 5, 0, 6, 1); }));
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { image->getRGB(out, 91, 10, 0, 0, 10, 1); }));
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { image->getRGB(out, 10, 10, 0, 0, 10, 10); }));
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { image->getRGB(out, -1, 10, 0, 0, 10, 1); }));
}

TEST_F(GraphicsTest, FontsAreSharedWithTheirMetrics)
{
    VMPtr<Font> a = Font::getFont(64, 1, 16);
    VMPtr<Font> b = Font::getFont(64, 1, 16);
    EXPECT_EQ(a.get(), b.get());
    VMPtr<Font> small = Font::getFont(64, 1, 8);
    EXPECT_GT(a->getHeight(), small->getHeight());
    EXPECT_GT(a->getBaselinePosition(), 0);
    EXPECT_LT(a->getBaselinePosition(), a->getHeight());
    VMPtr<Font> plain = Font::getFont(0, 0, 0);
    VMPtr<Font> fallback = Font::getDefaultFont();
    EXPECT_NE(plain.get(), fallback.get());
    EXPECT_EQ(fallback.get(), Font::getDefaultFont().get());
    EXPECT_EQ(plain->getHeight(), fallback->getHeight());
    // Bold italic is a font of its own.
    EXPECT_NE(Font::getFont(0, 3, 0)->platformFont(), plain->platformFont());
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { Font::getFont(0, 8, 0); }, "Unsupported style"));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { Font::getFont(1, 0, 0); }, "Unsupported face"));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { Font::getFont(0, 0, 4); }, "Unsupported size"));
    EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>([&] { plain->substringWidth(vmString("abc"), 2, 2); }));
    EXPECT_EQ(plain->substringWidth(vmString("abc"), 3, 0), 0);
    EXPECT_EQ(plain->stringWidth(vmString("ab")), plain->charWidth(u'a') + plain->charWidth(u'b'));
    EXPECT_EQ(plain->stringWidth(vmString("&&")), 2 * plain->charWidth(u'&'));
    EXPECT_FALSE(Font::getFont(0, 4, 0)->isPlain());
    EXPECT_TRUE(Font::getFont(0, 3, 0)->isBold());
}

TEST_F(GraphicsTest, TextAnchorsShiftByWidthAndHeight)
{
    VMPtr<Image> image = Image::createImage(120, 40, false, 0);
    VMPtr<Graphics> g = image->getGraphics();
    g->setColor(0xFFFFFF);
    VMPtr<Font> font = g->getFont();
    int32_t width = font->stringWidth(vmString("abc"));
    g->drawString(vmString("abc"), 60 + width, 30, Graphics::RIGHT | Graphics::BOTTOM);
    // Drawn with its top-left at (60, 30 - height): nothing left of 60 or
    // below row 30.
    int lit = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (pixel(image, x, y) != 0xFF000000u) {
                ++lit;
                EXPECT_GE(x, 60);
                EXPECT_LT(y, 30);
                EXPECT_GE(y, 30 - font->getHeight());
            }
        }
    }
    EXPECT_GT(lit, 10);
}

} // namespace
