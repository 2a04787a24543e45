// The canvas's viewport and drawing services, checked by pixels on a
// 240 x 400 screen: centred viewport with black margins, clips, translucent
// fills and gradients through the platform extension, drawRGB under a
// translation.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"
#include "support/LangTestSupport.h"
#include "tq/platform/ExtendedGraphics.h"
#include "tq/util/text/RichFont.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using tq::TqCanvas;
using vxtest::GameCanvasFixture;

namespace {

// A Graphics without a target that writes down the calls the platform
// extension makes.
class RecordingGraphics : public Graphics {
    VM_CLASS(RecordingGraphics, Graphics)

    void fillGradientRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t from, int32_t to,
                          bool horizontal) override
    {
        calls.push_back("gradient " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(w) + " " + std::to_string(h) + " " + hex(from) + " " +
                        hex(to) + (horizontal ? " h" : " v"));
    }
    void fillRect(int32_t, int32_t, int32_t, int32_t) override { calls.push_back("fillRect"); }
    void fillTriangle(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override
    {
        calls.push_back("fillTriangle");
    }
    void setAlpha(int32_t a) override
    {
        calls.push_back("setAlpha " + std::to_string(a));
        alpha = a;
    }
    static std::string hex(int32_t v)
    {
        char text[16];
        snprintf(text, sizeof text, "%08X", uint32_t(v));
        return text;
    }

    std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

// Colours that survive the 16-bit screen unchanged.
constexpr uint32_t kWhite = 0xFFF8FCF8;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFF80000;
constexpr uint32_t kBlue = 0xFF0000F8;

class TqCanvasDrawingTest : public GameCanvasFixture {
protected:
    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        screen = Image::createImage(kScreenWidth, kScreenHeight, false, int32_t(kWhite));
    }

    VMPtr<Graphics> graphics() { return VMPtr<Image>(screen)->getGraphics(); }
    uint32_t pixel(int32_t x, int32_t y)
    {
        VMPtr<TqCanvas::IntArray> one = TqCanvas::IntArray::newArray(1);
        VMPtr<Image>(screen)->getRGB(one, 0, 1, x, y, 1, 1);
        return uint32_t((*one)[0]);
    }
    // The colour of every pixel of column x from y0 up to y1 (exclusive),
    // or 0 when they differ.
    uint32_t column(int32_t x, int32_t y0, int32_t y1)
    {
        uint32_t first = pixel(x, y0);
        for (int32_t y = y0 + 1; y < y1; y++) {
            if (pixel(x, y) != first)
                return 0;
        }
        return first;
    }

    VMStatic<Image> screen;
};

TEST_F(TqCanvasDrawingTest, TheViewportIsCentredWithBlackMarginsOnARefreshFrame)
{
    canvas->setViewport(240, 320);
    EXPECT_EQ(canvas->getViewportOffsetX(), 0);
    EXPECT_EQ(canvas->getViewportOffsetY(), 40);
    int32_t seen[6] = {};
    canvas->onPaint = [&](VMPtr<Graphics> g) {
        seen[0] = g->getTranslateX();
        seen[1] = g->getTranslateY();
        seen[2] = g->getClipX();
        seen[3] = g->getClipY();
        seen[4] = g->getClipWidth();
        seen[5] = g->getClipHeight();
        g->setColor(int32_t(kBlue));
        g->fillRect(-50, -50, 1000, 1000); // the clip keeps it inside
    };
    canvas->clearBorders = true;
    canvas->renderFrame(graphics());
    EXPECT_EQ(std::vector<int32_t>(seen, seen + 6), (std::vector<int32_t>{0, 40, 0, 0, 240, 320}));
    for (int32_t x : {0, 119, 239}) {
        EXPECT_EQ(column(x, 0, 40), kBlack) << x;
        EXPECT_EQ(column(x, 40, 360), kBlue) << x;
        EXPECT_EQ(column(x, 360, 400), kBlack) << x;
    }

    // Without a refresh the margins are left alone.
    VMPtr<Graphics> g = graphics();
    g->setColor(int32_t(kRed));
    g->fillRect(0, 0, 240, 400);
    canvas->clearBorders = false;
    canvas->renderFrame(graphics());
    EXPECT_EQ(column(10, 0, 40), kRed);
    EXPECT_EQ(column(10, 40, 360), kBlue);
}

TEST_F(TqCanvasDrawingTest, NarrowViewportsGetSideMarginsToo)
{
    canvas->setViewport(200, 300);
    EXPECT_EQ(canvas->getViewportOffsetX(), 20);
    EXPECT_EQ(canvas->getViewportOffsetY(), 50);
    canvas->onPaint = [&](VMPtr<Graphics> g) {
        g->setColor(int32_t(kBlue));
        g->fillRect(0, 0, 1000, 1000);
    };
    canvas->clearBorders = true;
    canvas->renderFrame(graphics());
    EXPECT_EQ(column(19, 0, 400), kBlack);
    EXPECT_EQ(column(20, 50, 350), kBlue);
    EXPECT_EQ(column(219, 50, 350), kBlue);
    EXPECT_EQ(column(220, 0, 400), kBlack);
    EXPECT_EQ(pixel(100, 49), kBlack);
    EXPECT_EQ(pixel(100, 350), kBlack);
}

TEST_F(TqCanvasDrawingTest, AWholeScreenViewportPaintsUntranslatedWithoutMargins)
{
    canvas->setViewport(0, 0);
    int32_t translateY = -1;
    canvas->onPaint = [&](VMPtr<Graphics> g) { translateY = g->getTranslateY(); };
    canvas->clearBorders = true;
    canvas->renderFrame(graphics());
    EXPECT_EQ(translateY, 0);
    EXPECT_EQ(column(0, 0, 400), kWhite);
    // No Graphics: only a refresh is asked for.
    canvas->refreshRequested = false;
    canvas->renderFrame(nullptr);
    EXPECT_TRUE(canvas->refreshRequested);
}

TEST_F(TqCanvasDrawingTest, ViewportSizesAndOffsets)
{
    struct Case {
        int32_t width, height;    // asked for
        int32_t vw, vh, ox, oy;   // got
    } cases[] = {
        {240, 320, 240, 320, 0, 40},   {0, 0, 240, 400, 0, 0},      {-1, 100, 240, 100, 0, 150},
        {243, 400, 243, 400, -1, 0},   {300, 500, 300, 500, -30, -50}, {1, 1, 1, 1, 119, 199},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        canvas->refreshRequested = false;
        canvas->setViewport(c.width, c.height);
        EXPECT_TRUE(canvas->refreshRequested);
        EXPECT_EQ(canvas->getViewportWidth(), c.vw);
        EXPECT_EQ(canvas->getViewportHeight(), c.vh);
        EXPECT_EQ(canvas->getViewportOffsetX(), c.ox);
        EXPECT_EQ(canvas->getViewportOffsetY(), c.oy);
    }
    // The request is applied again when the screen size is read again.
    canvas->setViewport(0, 0);
    TqCanvas::screenWidth = 100;
    canvas->refreshScreenSize();
    EXPECT_EQ(canvas->getScreenWidth(), kScreenWidth);
    EXPECT_EQ(canvas->getViewportWidth(), kScreenWidth);
    EXPECT_EQ(canvas->getViewportOffsetX(), 0);
}

TEST_F(TqCanvasDrawingTest, ViewportClipsClampOnlyAnOffsetViewport)
{
    struct Case {
        int32_t vw, vh;
        int32_t x, y, w, h;
        int32_t cx, cy, cw, ch;
    } cases[] = {
        // The viewport at the screen's origin: unchanged.
        {0, 0, -10, -10, 500, 500, 0, 0, 240, 400},
        // Offset: the overhang is cut off on every side.
        {240, 320, -10, 5, 50, 20, 0, 5, 40, 20},
        {240, 320, 200, 300, 100, 100, 200, 300, 40, 20},
        {240, 320, -10, -10, 5, 5, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        canvas->setViewport(c.vw, c.vh);
        VMPtr<Graphics> g = graphics();
        canvas->setViewportClip(g, c.x, c.y, c.w, c.h);
        EXPECT_EQ((std::vector<int32_t>{g->getClipX(), g->getClipY(), g->getClipWidth(),
                                        g->getClipHeight()}),
                  (std::vector<int32_t>{c.cx, c.cy, c.cw, c.ch}))
            << c.x << "," << c.y;
    }
}

TEST_F(TqCanvasDrawingTest, TranslucentFillsBlendAndLeaveTheAlphaAsItWas)
{
    VMPtr<Graphics> g = graphics();
    g->setColor(0);
    canvas->fillRectAlpha(g, 0, 0, 10, 10, 128);
    canvas->fillTriangleAlpha(g, 20, 0, 40, 0, 20, 20, 128);
    EXPECT_EQ(g->getAlpha(), 255);
    for (uint32_t p : {pixel(5, 5), pixel(22, 2)}) {
        uint32_t green = (p >> 8) & 0xFF;
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_GT(green, 0x60u);
        EXPECT_LT(green, 0xA0u);
    }
    EXPECT_EQ(pixel(15, 5), kWhite);
    // At the current alpha the fill is plain.
    g->setAlpha(0);
    canvas->fillRectAlpha(g, 50, 0, 10, 10, 0);
    EXPECT_EQ(pixel(55, 5), kWhite);
    EXPECT_EQ(g->getAlpha(), 0);
    g->setAlpha(255);
    canvas->fillRectAlpha(g, 50, 0, 10, 10, 255);
    EXPECT_EQ(pixel(55, 5), kBlack);
}

TEST_F(TqCanvasDrawingTest, TheExtensionForcesGradientsOpaqueAndSetsAlphaOnlyWhenItDiffers)
{
    VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
    TqCanvas::fillHorizontalGradient(g, 1, 2, 3, 4, 0x00000000, 0x12FFFFFF);
    TqCanvas::fillVerticalGradient(g, 1, 2, 3, 4, 0x00123456, int32_t(0x80000000u));
    canvas->fillRectAlpha(g, 0, 0, 1, 1, 255);
    canvas->fillRectAlpha(g, 0, 0, 1, 1, 64);
    canvas->fillTriangleAlpha(g, 0, 0, 1, 0, 0, 1, 255);
    canvas->fillTriangleAlpha(g, 0, 0, 1, 0, 0, 1, 0);
    EXPECT_EQ(g->calls, (Calls{"gradient 1 2 3 4 FF000000 FFFFFFFF h",
                               "gradient 1 2 3 4 FF123456 FF000000 v",
                               "fillRect",
                               "setAlpha 64", "fillRect", "setAlpha 255",
                               "fillTriangle",
                               "setAlpha 0", "fillTriangle", "setAlpha 255"}));
}

TEST_F(TqCanvasDrawingTest, GradientsAreOpaqueAndRunAlongTheirDirection)
{
    VMPtr<Graphics> g = graphics();
    g->setColor(int32_t(kRed));
    g->fillRect(0, 0, 240, 400);
    // Colours without alpha bits still draw opaque.
    TqCanvas::fillHorizontalGradient(g, 0, 0, 240, 10, 0x000000, 0xFFFFFF);
    uint32_t left = pixel(0, 5), middle = pixel(120, 5), right = pixel(239, 5);
    EXPECT_EQ(left, kBlack);
    EXPECT_GE(right & 0xFF, 0xE0u);
    EXPECT_EQ(middle & 0xFF, (middle >> 16) & 0xFF); // grey
    EXPECT_GT(middle & 0xFF, 0x60u);
    EXPECT_LT(middle & 0xFF, 0xA0u);
    EXPECT_EQ(column(120, 0, 10), middle); // constant down a column

    canvas->fillVerticalGradientRect(g, 0, 20, 10, 100, 0x0000FF, 0x00000000);
    EXPECT_EQ(pixel(5, 20), kBlue);
    EXPECT_EQ(pixel(5, 119) & 0xFF, 0u);
    EXPECT_EQ(pixel(0, 70), pixel(9, 70)); // constant along a row
    EXPECT_EQ(pixel(5, 150), kRed);
}

TEST_F(TqCanvasDrawingTest, ImageGradientsDrawIntoTheImage)
{
    canvas->fillImageGradient(VMPtr<Image>(screen), 0, 0, 4, 4, 0xF80000, 0xF80000);
    EXPECT_EQ(pixel(3, 3), kRed);
    EXPECT_EQ(pixel(4, 4), kWhite);
}

TEST_F(TqCanvasDrawingTest, DrawRgbFoldsTheTranslationIntoItsPosition)
{
    VMPtr<Graphics> g = graphics();
    g->translate(5, 7);
    VMPtr<TqCanvas::IntArray> rgb = TqCanvas::IntArray::newArray(4);
    for (int32_t i = 0; i < 4; i++)
        (*rgb)[i] = int32_t(kBlue);
    TqCanvas::drawRGB(g, rgb, 0, 2, 1, 1, 2, 2, false);
    EXPECT_EQ(g->getTranslateX(), 5);
    EXPECT_EQ(g->getTranslateY(), 7);
    EXPECT_EQ(pixel(6, 8), kBlue);
    EXPECT_EQ(pixel(7, 9), kBlue);
    EXPECT_EQ(pixel(5, 7), kWhite);
    EXPECT_EQ(pixel(8, 10), kWhite);
}

TEST_F(TqCanvasDrawingTest, ImagesAndRegions)
{
    VMPtr<TqCanvas::IntArray> rgb = TqCanvas::IntArray::newArray(4);
    (*rgb)[0] = int32_t(kRed);
    (*rgb)[1] = int32_t(kBlue);
    (*rgb)[2] = int32_t(kBlue);
    (*rgb)[3] = int32_t(kRed);
    VMPtr<Image> image = TqCanvas::createRGBImage(rgb, 2, 2, false);
    TqCanvas::drawImageRegion(image, 1, 0, 1, 2, graphics(), 30, 30);
    EXPECT_EQ(pixel(30, 30), kBlue);
    EXPECT_EQ(pixel(30, 31), kRed);
    EXPECT_EQ(pixel(31, 30), kWhite);
    VMPtr<Image> blank = canvas->createImage(3, 2, false, int32_t(kRed));
    EXPECT_EQ(blank->getWidth(), 3);
    EXPECT_TRUE(blank->isMutable());
}

TEST_F(TqCanvasDrawingTest, ThePlatformExtensionIsOneExtendedGraphics)
{
    VMPtr<tq::platform::PlatformExtension> ext = TqCanvas::getPlatformExtension();
    EXPECT_EQ(ext.get(), TqCanvas::getPlatformExtension().get());
    EXPECT_STREQ(ext->getClass()->name, "tq.platform.ExtendedGraphics");
    // The transform hook leaves drawing as it was.
    VMPtr<Graphics> g = graphics();
    canvas->setTransform(g, 1, 2, 3, 2.0f, 0.5f);
    canvas->resetTransform(g);
    g->setColor(int32_t(kRed));
    canvas->fillTriangle(g, 0, 0, 10, 0, 0, 10);
    EXPECT_EQ(pixel(1, 1), kRed);
}

TEST_F(TqCanvasDrawingTest, TextIsMeasuredAndDrawnInTheDefaultFont)
{
    EXPECT_EQ(canvas->getDefaultFont().get(), TqCanvas::getFont().get());
    canvas->setDefaultSystemFont(0);
    int32_t small = canvas->getFontHeight();
    canvas->setDefaultSystemFont(2);
    EXPECT_EQ(canvas->getDefaultSystemFont(), 2);
    EXPECT_GT(canvas->getFontHeight(), small);
    EXPECT_GT(canvas->getFontBaseline(), 0);
    EXPECT_EQ(canvas->getFontTransform(), 0);

    VMPtr<java::lang::String> text = vmString("Wing");
    int32_t width = canvas->stringWidth(text);
    EXPECT_GT(width, 0);
    EXPECT_EQ(width, canvas->substringWidth(vmString("xWingx"), 1, 4));
    EXPECT_EQ(canvas->stringWidth(vmString("")), 0);
    EXPECT_GE(canvas->stringHeight(vmString("")), 0);
    EXPECT_GT(canvas->stringHeight(text), 0);

    VMPtr<TqCanvas::IntArray> box = TqCanvas::IntArray::newArray(4);
    canvas->getStringBounds(text, 100, 50, box, Graphics::TOP | Graphics::LEFT);
    EXPECT_EQ((*box)[0], 100);
    EXPECT_EQ((*box)[2], width);
    VMPtr<Graphics> g = graphics();
    g->setColor(0);
    canvas->drawString(g, text, 100, 50, Graphics::TOP | Graphics::LEFT);
    // Ink inside the box, none outside it.
    int32_t inside = 0, outside = 0;
    for (int32_t y = 40; y < 50 + canvas->getFontHeight() + 10; y++) {
        for (int32_t x = 90; x < 100 + width + 10; x++) {
            bool in = x >= (*box)[0] && x < (*box)[0] + (*box)[2] && y >= (*box)[1] &&
                      y < (*box)[1] + (*box)[3];
            if (pixel(x, y) != kWhite)
                (in ? inside : outside)++;
        }
    }
    EXPECT_GT(inside, 10);
    EXPECT_EQ(outside, 0);
    canvas->setDefaultSystemFont(1);
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(RecordingGraphics, "tests.RecordingGraphics",
                             "javax.microedition.lcdui.Graphics", "tests", nullptr);
