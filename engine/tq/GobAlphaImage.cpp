#include "tq/GobAlphaImage.h"

#include "tq/TqCanvas.h"
#include "tq/graphics/RGBFilter.h"

namespace tq {

VMPtr<GobAlphaImage> GobAlphaImage::init(VMPtr<Gob> source)
{
    Gob::init();
    alpha = 255;
    VMPtr<GobAlphaImage> self(this);
    source->copyGeometryTo(self);
    source->copyImageTo(self);
    source->copyStateTo(self);
    return self;
}

void GobAlphaImage::paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform)
{
    if (alpha == 0)
        return;
    int32_t dx = x + getX(transform);
    int32_t dy = y + getY(transform);
    int32_t handed = transform | (transparency << 8);
    int32_t current = g->getAlpha();
    if (current == alpha) {
        g->drawRegion(VMPtr<Image>(image), 0, 0, width, height, handed, dx, dy,
                      Graphics::TOP | Graphics::LEFT);
        return;
    }
    g->setAlpha(alpha);
    try {
        g->drawRegion(VMPtr<Image>(image), 0, 0, width, height, handed, dx, dy,
                      Graphics::TOP | Graphics::LEFT);
    } catch (...) {
        g->setAlpha(current);
        throw;
    }
    g->setAlpha(current);
}

VMPtr<GobAlphaImage> GobAlphaImage::toAlphaImage()
{
    return VMPtr<GobAlphaImage>(this);
}

bool GobAlphaImage::isAlphaImage()
{
    return true;
}

void GobAlphaImage::setAlpha(int32_t value)
{
    alpha = int16_t(value);
}

int32_t GobAlphaImage::getAlpha()
{
    return alpha;
}

VMPtr<Gob::IntArray> GobAlphaImage::getPixels()
{
    VMPtr<IntArray> pixels = IntArray::newArray(int32_t(width) * height);
    TqCanvas::getRGB(VMPtr<Image>(image), pixels, 0, width, 0, 0, width, height);
    return pixels;
}

void GobAlphaImage::applyFilter(VMPtr<graphics::RGBFilter> filter)
{
    VMPtr<IntArray> pixels = getPixels();
    filter->filter(pixels);
    bool translucent = TqCanvas::hasTranslucentPixels(pixels);
    if (!translucent)
        transparency = 1;
    VMPtr<Gob> made = Gob::create(pixels, width, height, translucent);
    VMPtr<Gob> self(this);
    made->copyImageTo(self);
    made->copyStateTo(self);
}

} // namespace tq

VM_REGISTER_CLASS_NO_CREATOR(tq::GobAlphaImage, "tq.GobAlphaImage", "tq.Gob",
                             "..\\src\\tq_GobAlphaImage", nullptr);
