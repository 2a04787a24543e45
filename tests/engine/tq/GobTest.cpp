#include <gtest/gtest.h>

#include "support/VMFixture.h"
#include "tq/GobAlphaImage.h"
#include "tq/graphics/CollisionBox.h"
#include "tq/graphics/RGBFilter.h"

using tq::Gob;
using tq::GobAlphaImage;
using tq::graphics::CollisionBox;
using IntArray = VMArray<int32_t, 1>;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

namespace {

class GobTest : public VMFixture {
protected:
    // A Gob of w x h opaque pixels of one colour.
    static VMPtr<Gob> solid(int w, int h, uint32_t argb)
    {
        VMPtr<IntArray> pixels = IntArray::newArray(w * h);
        for (int i = 0; i < w * h; i++)
            (*pixels)[i] = int32_t(argb);
        return Gob::create(pixels, w, h, true);
    }
    static VMPtr<Image> canvas(int w, int h) { return Image::createImage(w, h, false, int32_t(0xFFFFFFFFu)); }
    static uint32_t at(const VMPtr<Image>& image, int x, int y)
    {
        VMPtr<IntArray> rgb = IntArray::newArray(1);
        image->getRGB(rgb, 0, 1, x, y, 1, 1);
        return uint32_t((*rgb)[0]);
    }
};

TEST_F(GobTest, GeometryFollowsTheTransforms)
{
    VMPtr<Gob> gob = Gob::newInstance()->init();
    gob->xOffset = -5;
    gob->yOffset = -3;
    gob->width = 20;
    gob->height = 10;
    struct Case {
        int transform, x, y, w, h;
    };
    for (Case c : {Case{0, -5, -3, 20, 10}, Case{2, -15, -3, 20, 10}, Case{1, -5, -7, 20, 10},
                   Case{3, -15, -7, 20, 10}, Case{5, -7, -5, 10, 20}, Case{6, -3, -15, 10, 20}}) {
        SCOPED_TRACE(c.transform);
        EXPECT_EQ(gob->getX(c.transform), c.x);
        EXPECT_EQ(gob->getY(c.transform), c.y);
        EXPECT_EQ(gob->getWidth(c.transform), c.w);
        EXPECT_EQ(gob->getHeight(c.transform), c.h);
    }
}

TEST_F(GobTest, CollisionAreasAndRecords)
{
    VMPtr<Gob> gob = Gob::newInstance()->init();
    VMPtr<VMArray<int16_t, 1>> record = VMArray<int16_t, 1>::newArray(10);
    (*record)[8] = int16_t(-32768);
    (*record)[9] = 4;
    Gob::beginPixelCapture(VMArray<Gob, 1>::newArray(1));
    gob->image = Image::createImage(1, 1, false, 0);
    gob->load(record);
    EXPECT_EQ(gob->collisionWidth, 0);
    EXPECT_TRUE(gob->roundCollision);
    EXPECT_EQ(gob->getCollisionBoxCount(), 0);
    VMPtr<CollisionBox> box = CollisionBox::newInstance()->init();
    EXPECT_FALSE(gob->getCollisionBox(box, 3, 4, 0));
    EXPECT_EQ(box->type, CollisionBox::CIRCLE);
    EXPECT_EQ(box->y, 4);
    // A Gob with an area answers 1 even into an array too short to hold it.
    VMPtr<Gob> square = solid(4, 4, 0xFF00FF00u);
    VMPtr<IntArray> four = IntArray::newArray(4);
    EXPECT_EQ(square->getCollisionRects(0, four, -1), 1);
    EXPECT_EQ((*four)[0] | (*four)[1] | (*four)[2] | (*four)[3], 0);
    // Touching Gobs do not collide; overlapping ones do, with the overlap.
    EXPECT_FALSE(square->collidesWith(0, 0, 0, -1, square, 4, 0, 0, -1));
    EXPECT_TRUE(square->collidesWith(0, 0, 0, -1, square, 3, 2, 0, -1));
    VMPtr<IntArray> overlap = IntArray::newArray(6);
    EXPECT_TRUE(square->collidesWithRects(0, 0, 0, -1, square, 3, 2, 0, -1, overlap));
    EXPECT_EQ((*overlap)[0], 3);
    EXPECT_EQ((*overlap)[1], 2);
    EXPECT_EQ((*overlap)[2], 1);
    EXPECT_EQ((*overlap)[3], 2);
}

TEST_F(GobTest, PaintsTiledAndCropped)
{
    VMPtr<Gob> tile = solid(16, 1, 0xFFF80000u);
    VMPtr<Image> target = canvas(40, 1);
    VMPtr<Graphics> g = target->getGraphics();
    tile->paintTiled(g, -5, 0);
    EXPECT_EQ(at(target, 0, 0), 0xFFF80000u);
    EXPECT_EQ(at(target, 39, 0), 0xFFF80000u);
    // A drawable of no size tiles nothing and ends.
    Gob::newInstance()->init()->paintTiled(g, 0, 0);
    // Cropping two columns off the left leaves them unpainted, and the clip
    // is restored.
    VMPtr<Image> cropped = canvas(4, 1);
    VMPtr<Graphics> c = cropped->getGraphics();
    solid(4, 1, 0xFF0000F8u)->paintCropped(c, 0, 0, 0, 2, 0, 0, 0);
    EXPECT_EQ(at(cropped, 1, 0), 0xFFF8FCF8u); // the white background
    EXPECT_EQ(at(cropped, 2, 0), 0xFF0000F8u);
    EXPECT_EQ(c->getClipWidth(), 4);
}

class Opaque : public tq::graphics::RGBFilter {
    VM_CLASS(Opaque, tq::graphics::RGBFilter)
    VMPtr<Opaque> init() { return VMPtr<Opaque>(this); }
    int32_t filterPixel(int32_t) override { return int32_t(0xFF0000F8u); }
};

TEST_F(GobTest, AlphaGobsPaintWithTheirAlphaAndFilter)
{
    VMPtr<Gob> source = solid(2, 1, 0x80F80000u);
    EXPECT_EQ(source->transparency, 3);
    VMPtr<GobAlphaImage> alpha = source->toAlphaImage();
    EXPECT_TRUE(alpha->isAlphaImage());
    EXPECT_EQ(alpha->toAlphaImage().get(), alpha.get());
    alpha->setAlpha(65536 + 255);
    EXPECT_EQ(alpha->getAlpha(), 255);
    alpha->setAlpha(0);
    VMPtr<Image> target = canvas(2, 1);
    alpha->paint(target->getGraphics(), 0, 0, 0);
    EXPECT_EQ(at(target, 0, 0), 0xFFF8FCF8u);
    // The filter makes every pixel opaque; the source keeps its image.
    alpha->setAlpha(255);
    alpha->applyFilter(Opaque::newInstance()->init());
    EXPECT_EQ(alpha->transparency, 1);
    alpha->paint(target->getGraphics(), 0, 0, 0);
    EXPECT_EQ(at(target, 1, 0), 0xFF0000F8u);
    EXPECT_NE(VMPtr<Image>(alpha->image).get(), VMPtr<Image>(source->image).get());
    // An array whose first entry is already an alpha Gob is left alone.
    VMPtr<VMArray<Gob, 1>> gobs = VMArray<Gob, 1>::newArray(2);
    gobs->set(0, alpha);
    gobs->set(1, source);
    Gob::toAlphaImages(gobs);
    EXPECT_EQ(gobs->get(1).get(), source.get());
}

} // namespace

VM_REGISTER_CLASS(Opaque, "test.Opaque", "tq.graphics.RGBFilter", "test", nullptr);
