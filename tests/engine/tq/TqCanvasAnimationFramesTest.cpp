// The canvas's frame operations by player slot and by set: painted pixels
// lie exactly in the reported bounds under every transform, parts and
// boxes, and a slot whose animation has no keys does nothing.

#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/AnimationSetBytes.h"
#include "engine/support/EngineBytes.h"
#include "engine/support/TestGameCanvas.h"
#include "java/io/EOFException.h"
#include "support/LangTestSupport.h"
#include "tq/Resources.h"

using tq::Gob;
using tq::TqCanvas;
using IntArray = VMArray<int32_t, 1>;
using ShortArray = VMArray<int16_t, 1>;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

namespace {

using namespace vxtest::anim;

constexpr uint32_t kPaper = 0xFFF8FCF8u;
constexpr int kSet = 12;

class TqCanvasAnimationFramesTest : public vxtest::GameCanvasFixture {
protected:
    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        // Animation 0 shows frame 1; animation 1 has no keys. Frame 0 has no
        // parts; frame 1 two parts and two boxes.
        Set s{{Animation{-1, {{1, 0, 0, 0, 0, 0}}}, Animation{-1, {}}},
              {Frame{},
               Frame{{{0, 1, 2, 0}, {1, -3, 0, 1}}, {{0, 0, 4, 4, 1}, {1, -1, 2, 2, 2}}}},
              {50}};
        canvas->animationStore()->loadAnimationSet(kSet, vmDataStream(encode(s)));
        canvas->animationStore()->startAnimation(0, kSet, 0);
        canvas->animationStore()->startAnimation(1, kSet, 1);
        gobs = Gob::GobArray::newArray(2);
        gobs->set(0, solid(2, 3, 0xFFF80000u));
        gobs->set(1, solid(4, 1, 0xFF0000F8u));
        gobs->get(0)->xOffset = -1;
    }

    static VMPtr<Gob> solid(int w, int h, uint32_t argb)
    {
        VMPtr<IntArray> pixels = IntArray::newArray(w * h);
        for (int i = 0; i < w * h; i++)
            (*pixels)[i] = int32_t(argb);
        return Gob::create(pixels, w, h, true);
    }
    // x, y, width and height of what differs from the paper; width 0 when
    // nothing does.
    static std::vector<int> inkBounds(const VMPtr<Image>& image)
    {
        int w = image->getWidth(), h = image->getHeight();
        VMPtr<IntArray> rgb = IntArray::newArray(w * h);
        image->getRGB(rgb, 0, w, 0, 0, w, h);
        int left = w, top = h, right = 0, bottom = 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                if (uint32_t((*rgb)[y * w + x]) != kPaper) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
        return right == 0 ? std::vector<int>{0, 0, 0, 0}
                          : std::vector<int>{left, top, right - left, bottom - top};
    }
    static std::vector<int> ints(const VMPtr<IntArray>& a, int n)
    {
        return std::vector<int>(a->elements(), a->elements() + n);
    }

    VMPtr<Gob::GobArray> gobs;
};

TEST_F(TqCanvasAnimationFramesTest, PaintedPixelsFillTheReportedBoundsUnderEveryTransform)
{
    for (int t = 0; t < 8; t++) {
        SCOPED_TRACE(t);
        VMPtr<Image> bySlot = Image::createImage(40, 40, false, int32_t(kPaper));
        canvas->paintSlot(bySlot->getGraphics(), gobs, 0, 20, 20, t);
        VMPtr<IntArray> bounds = IntArray::newArray(4);
        canvas->getSlotFrameBounds(gobs, 0, 20, 20, t, bounds);
        EXPECT_EQ(inkBounds(bySlot), ints(bounds, 4));
        // By set and frame: the same frame, bounds without the position.
        VMPtr<Image> bySet = Image::createImage(40, 40, false, int32_t(kPaper));
        canvas->paintSetFrame(bySet->getGraphics(), gobs, kSet, 1, 20, 20, t);
        EXPECT_EQ(inkBounds(bySet), inkBounds(bySlot));
        canvas->getSetFrameBounds(gobs, kSet, 1, t, bounds);
        EXPECT_EQ((*bounds)[0] + 20, inkBounds(bySlot)[0]);
    }
    // The parts' offsets are lent to the Gobs only while they paint.
    EXPECT_EQ(gobs->get(0)->xOffset, -1);
    EXPECT_EQ(gobs->get(0)->yOffset, 0);
    EXPECT_EQ(gobs->get(1)->xOffset, 0);
}

TEST_F(TqCanvasAnimationFramesTest, PartsAndBoxesOfTheSlotsFrame)
{
    VMPtr<ShortArray> seven = ShortArray::newArray(7);
    EXPECT_EQ(canvas->getSlotParts(seven, 0, 0), 2);
    EXPECT_EQ(std::vector<int>(seven->elements(), seven->elements() + 7),
              (std::vector<int>{0, 1, 2, 0, 0, 0, 0}));
    VMPtr<ShortArray> boxes = ShortArray::newArray(10);
    EXPECT_EQ(canvas->getSlotFrameBoxes(boxes, 0, 0), 2);
    EXPECT_EQ(canvas->getSlotFrameBoxes(boxes, 0, 0, 2), 1);
    EXPECT_EQ(std::vector<int>(boxes->elements(), boxes->elements() + 5),
              (std::vector<int>{1, -1, 2, 2, 2}));
    EXPECT_EQ(canvas->getSetFrameBoxes(boxes, kSet, 1, 2), 2);
    EXPECT_EQ(canvas->getSetFrameBoxes(boxes, kSet, 1, 2, 1), 1);
    EXPECT_EQ((*boxes)[0], -4);
    EXPECT_EQ(canvas->getSetFrameBoxes(boxes, kSet, 0, 0), 0);
    // A frame without parts has the widest empty bounds.
    VMPtr<IntArray> bounds = IntArray::newArray(4);
    canvas->getSetFrameBounds(gobs, kSet, 0, 0, bounds);
    EXPECT_EQ(ints(bounds, 4), (std::vector<int>{INT_MAX, INT_MAX, 1, 1}));
}

TEST_F(TqCanvasAnimationFramesTest, ASlotWithoutKeysDoesNothing)
{
    VMPtr<Image> out = Image::createImage(40, 40, false, int32_t(kPaper));
    canvas->paintSlot(out->getGraphics(), gobs, 1, 20, 20, 0);
    EXPECT_EQ(inkBounds(out)[2], 0);
    VMPtr<IntArray> bounds = IntArray::newArray(4);
    (*bounds)[0] = 7;
    canvas->getSlotFrameBounds(gobs, 1, 10, -5, 0, bounds);
    EXPECT_EQ(ints(bounds, 4), (std::vector<int>{7, 0, 0, 0}));
    VMPtr<ShortArray> shorts = ShortArray::newArray(10);
    EXPECT_EQ(canvas->getSlotFrameBoxes(shorts, 1, 0), 0);
    EXPECT_EQ(canvas->getSlotFrameBoxes(shorts, 1, 0, 1), 0);
    EXPECT_EQ(canvas->getSlotParts(shorts, 1, 0), 0);
}

TEST_F(TqCanvasAnimationFramesTest, SetsLoadFromThePackOnceAndSlotsPlayThroughTheCanvas)
{
    using tq::Resources;
    Set s{{Animation{1, {{0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}}}}, {Frame{}, Frame{}}, {50}};
    Bytes bytes = encode(s);
    VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(2);
    entries->set(0, vmBytes(Bytes(bytes.begin(), bytes.end())));
    entries->set(1, vmBytes(Bytes(bytes.begin(), bytes.begin() + 3))); // cut short
    ASSERT_TRUE(Resources::openPack(
        vmDataStream(bytesOf(Resources::buildPack(entries, vmBytes(Bytes{0xFF, 0xFF}))))));

    canvas->loadAnimationSetAlias(0);
    canvas->loadAnimationSet(0); // loaded: nothing read
    EXPECT_EQ(canvas->animationStore()->findAnimationSet(0), 1);
    canvas->startAnimationAlias(2, 0, 0);
    EXPECT_TRUE(canvas->updateAnimation(2, 10));
    canvas->updateAnimationAlias(2, 1000);
    EXPECT_FALSE(canvas->updateAnimation(2, 10)); // its one loop is over
    try {
        canvas->loadAnimationSet(1);
        ADD_FAILURE() << "a cut set loaded";
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> t(caught);
        EXPECT_TRUE(vm_cast<java::io::IOException>(t)) << vmText(t->toString());
    }
    canvas->compactAnimationSetsAlias(); // nothing marked: everything goes
    EXPECT_EQ(canvas->animationStore()->findAnimationSet(0), -1);
    Resources::closePack();
}

} // namespace
