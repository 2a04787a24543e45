#include "tq/Gob.h"

#include <algorithm>

#include "java/io/PrintStream.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/System.h"
#include "tq/GobAlphaImage.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"
#include "tq/graphics/CollisionBox.h"
#include "tq/graphics/Rect.h"

namespace tq {

using graphics::CollisionBox;

namespace {

// v, or -(v + size) when the transform bit is set.
int32_t flip(int32_t v, int32_t size, int32_t transform, int32_t bit)
{
    return (transform & bit) ? -(v + size) : v;
}

constexpr int32_t FLIP_Y = 1;
constexpr int32_t FLIP_X = 2;

} // namespace

VMPtr<Gob> Gob::init()
{
    Paintable::init();
    transparency = 0;
    return VMPtr<Gob>(this);
}

bool Gob::swapsAxes(int32_t transform)
{
    return (transform & 4) != 0;
}

int32_t Gob::getType()
{
    return 0;
}

int32_t Gob::getX(int32_t t)
{
    return swapsAxes(t) ? flip(yOffset, height, t, FLIP_Y) : flip(xOffset, width, t, FLIP_X);
}

int32_t Gob::getY(int32_t t)
{
    return swapsAxes(t) ? flip(xOffset, width, t, FLIP_X) : flip(yOffset, height, t, FLIP_Y);
}

int32_t Gob::getWidth(int32_t t)
{
    return swapsAxes(t) ? height : width;
}

int32_t Gob::getHeight(int32_t t)
{
    return swapsAxes(t) ? width : height;
}

int32_t Gob::collisionLeft(int32_t t)
{
    return swapsAxes(t) ? flip(yOffset + collisionY, collisionHeight, t, FLIP_Y)
                        : flip(xOffset + collisionX, collisionWidth, t, FLIP_X);
}

int32_t Gob::collisionTop(int32_t t)
{
    return swapsAxes(t) ? flip(xOffset + collisionX, collisionWidth, t, FLIP_X)
                        : flip(yOffset + collisionY, collisionHeight, t, FLIP_Y);
}

int32_t Gob::transformedCollisionWidth(int32_t t)
{
    return swapsAxes(t) ? collisionHeight : collisionWidth;
}

int32_t Gob::transformedCollisionHeight(int32_t t)
{
    return swapsAxes(t) ? collisionWidth : collisionHeight;
}

void Gob::paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform)
{
    int32_t dx = x + getX(transform);
    int32_t dy = y + getY(transform);
    if (width >= 1 && height >= 1)
        g->drawRegion(VMPtr<Image>(image), 0, 0, width, height, transform | (transparency << 8), dx,
                      dy, Graphics::TOP | Graphics::LEFT);
}

int32_t Gob::getCollisionBoxes(int32_t transform, VMPtr<BoxArray> boxes, int32_t)
{
    int32_t count = getCollisionBoxCount();
    if (count == 1 && boxes->length >= 1)
        getCollisionBox(boxes->get(0), 0, 0, transform);
    return count;
}

int32_t Gob::getCollisionRects(int32_t transform, VMPtr<IntArray> rects, int32_t)
{
    if (!hasCollisionArea())
        return 0;
    if (rects->length >= 5) {
        (*rects)[0] = collisionLeft(transform);
        (*rects)[1] = collisionTop(transform);
        (*rects)[2] = transformedCollisionWidth(transform);
        (*rects)[3] = transformedCollisionHeight(transform);
        (*rects)[4] = -1;
    }
    return 1;
}

int32_t Gob::getCollisionBoxCount()
{
    return hasCollisionArea() ? 1 : 0;
}

void Gob::paintReserved(VMPtr<Graphics>, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)
{
    java::lang::System::out()->println("<UPCOMING FEATURE COMING SOON> This is not yet implemented");
}

bool Gob::intersectsRect(int32_t x, int32_t y, int32_t transform, int32_t rx, int32_t ry, int32_t rw,
                         int32_t rh)
{
    return rectsIntersect(x + collisionLeft(transform), y + collisionTop(transform),
                          transformedCollisionWidth(transform), transformedCollisionHeight(transform),
                          rx, ry, rw, rh);
}

bool Gob::collidesWithGob(int32_t x, int32_t y, int32_t transform, VMPtr<Gob> other, int32_t ox,
                          int32_t oy, int32_t otherTransform)
{
    return collidesWithGob(x, y, transform, other, ox, oy, otherTransform, 0, 0, 0, 0);
}

bool Gob::collidesWithGob(int32_t x, int32_t y, int32_t transform, VMPtr<Gob> other, int32_t ox,
                          int32_t oy, int32_t otherTransform, int32_t dx, int32_t dy, int32_t dw,
                          int32_t dh)
{
    return intersectsRect(x, y, transform, ox + other->collisionLeft(otherTransform) + dx,
                          oy + other->collisionTop(otherTransform) + dy,
                          other->transformedCollisionWidth(otherTransform) + dw,
                          other->transformedCollisionHeight(otherTransform) + dh);
}

VMPtr<GobAlphaImage> Gob::withAlpha(int32_t alpha)
{
    VMPtr<GobAlphaImage> result = toAlphaImage();
    result->setAlpha(alpha);
    return result;
}

VMPtr<GobAlphaImage> Gob::toAlphaImage()
{
    return GobAlphaImage::create()->init(VMPtr<Gob>(this));
}

bool Gob::isAlphaImage()
{
    return false;
}

void Gob::paintCollisionBox(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform)
{
    CollisionBox::_VM_clinit();
    VMPtr<CollisionBox> box(CollisionBox::scratchBox);
    if (getCollisionBox(box, x, y, transform))
        box->paint(g);
}

void Gob::setAlpha(int32_t) {}

void Gob::applyFilter(VMPtr<graphics::RGBFilter>) {}

void Gob::paintCropped(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform, int32_t left,
                       int32_t top, int32_t right, int32_t bottom)
{
    if (left == 0 && top == 0 && right == 0 && bottom == 0) {
        paint(g, x, y, transform);
        return;
    }
    int32_t cx = g->getClipX();
    int32_t cy = g->getClipY();
    int32_t cw = g->getClipWidth();
    int32_t ch = g->getClipHeight();
    int32_t h = (transform & FLIP_X) ? right : left;
    int32_t v = (transform & FLIP_Y) ? bottom : top;
    g->clipRect(x + getX(transform) + h, y + getY(transform) + v, width - left - right,
                height - (top + bottom));
    try {
        paint(g, x, y, transform);
    } catch (...) {
        g->setClip(cx, cy, cw, ch);
        throw;
    }
    g->setClip(cx, cy, cw, ch);
}

bool Gob::getCollisionBox(VMPtr<CollisionBox> box, int32_t x, int32_t y, int32_t transform)
{
    box->x = collisionLeft(transform) + x;
    box->y = collisionTop(transform) + y;
    box->width = transformedCollisionWidth(transform);
    box->height = transformedCollisionHeight(transform);
    box->id = -1;
    box->type = roundCollision ? CollisionBox::CIRCLE : CollisionBox::RECTANGLE;
    return hasCollisionArea();
}

bool Gob::intersectsImageRect(VMPtr<graphics::Rect> r, int32_t x, int32_t y)
{
    int32_t ix = x + xOffset;
    int32_t iy = y + yOffset;
    return r->x + r->width > ix && r->y + r->height > iy && ix + width > r->x && iy + height > r->y;
}

int32_t Gob::getAlpha()
{
    return 255;
}

void Gob::copyStateTo(VMPtr<Gob>) {}

void Gob::copyTo(VMPtr<Gob> other)
{
    copyImageTo(other);
}

VMPtr<Gob> Gob::asGob()
{
    return VMPtr<Gob>(this);
}

void Gob::copyImageTo(VMPtr<Gob> other)
{
    other->image = VMPtr<Image>(image);
}

void Gob::copyGeometryTo(VMPtr<Gob> other)
{
    other->transparency = transparency;
    other->xOffset = xOffset;
    other->yOffset = yOffset;
    other->width = width;
    other->height = height;
    other->collisionX = collisionX;
    other->collisionY = collisionY;
    other->collisionWidth = collisionWidth;
    other->collisionHeight = collisionHeight;
    other->roundCollision = roundCollision;
}

void Gob::load(VMPtr<ShortArray> record)
{
    xOffset = (*record)[0];
    yOffset = (*record)[1];
    width = (*record)[4];
    height = (*record)[5];
    collisionX = (*record)[6];
    collisionY = (*record)[7];
    collisionWidth = int16_t((*record)[8] & 0x7FFF);
    roundCollision = ((*record)[8] & 0x8000) != 0;
    collisionHeight = (*record)[9];
    // The region is checked against the image before its pixels are made
    // room for, so a damaged size fails as the read would, not in the heap.
    VMPtr<Image> source(image);
    int32_t x = (*record)[2], y = (*record)[3];
    if (x < 0 || y < 0 || width < 0 || height < 0 || x + width > source->getWidth() ||
        y + height > source->getHeight())
        vm_throwNew<java::lang::IllegalArgumentException>();
    VMPtr<IntArray> pixels = IntArray::newArray(int32_t(width) * height);
    TqCanvas::getRGB(source, pixels, 0, width, x, y, width, height);
    VMPtr<IntArrays> store(pixelStore);
    store->set(captureCount, pixels);
    captureCount++;
}

void Gob::reserved() {}

VMPtr<Gob> Gob::create(VMPtr<IntArray> argb, int32_t w, int32_t h, bool processAlpha)
{
    VMPtr<Gob> gob = newInstance()->init();
    gob->transparency = int8_t(
        processAlpha ? TqCanvas::getTransparencyType(argb, 0, 0, 0, 0, argb->length, 1) : 1);
    gob->image = TqCanvas::createImageFrom(argb, w, h, processAlpha);
    gob->width = int16_t(w);
    gob->collisionWidth = int16_t(w);
    gob->height = int16_t(h);
    gob->collisionHeight = int16_t(h);
    return gob;
}

void Gob::assignImage(VMPtr<GobArray> gobs, int32_t imageId, VMPtr<ByteArray> palette,
                      VMPtr<java::io::DataInputStream>)
{
    VMPtr<Image> shared = Resources::loadImage(imageId, palette);
    for (int32_t i = 0; i < gobs->length; i++)
        gobs->get(i)->image = shared;
}

void Gob::beginPixelCapture(VMPtr<GobArray> gobs)
{
    _VM_clinit();
    pixelStore = IntArrays::newArray(gobs->length);
    captureCount = 0;
}

void Gob::cutImages(VMPtr<GobArray> gobs)
{
    for (int32_t i = 0; i < gobs->length; i++)
        gobs->get(i)->image = nullptr;
    VMPtr<IntArrays> store(pixelStore);
    for (int32_t i = 0; i < gobs->length; i++) {
        VMPtr<Gob> gob = gobs->get(i);
        VMPtr<IntArray> pixels = store->get(i);
        gob->image = TqCanvas::createImageFrom(pixels, gob->width, gob->height,
                                               TqCanvas::hasTranslucentPixels(pixels));
        store->set(i, nullptr);
    }
    pixelStore = nullptr;
}

void Gob::toAlphaImages(VMPtr<GobArray> gobs)
{
    if (gobs->length == 0 || gobs->get(0)->isAlphaImage())
        return;
    for (int32_t i = 0; i < gobs->length; i++)
        gobs->set(i, gobs->get(i)->toAlphaImage());
}

bool Gob::intersectRects(int32_t countA, VMPtr<IntArray> a, int32_t countB, VMPtr<IntArray> b,
                         VMPtr<IntArray> result)
{
    bool hit = false;
    for (int32_t i = 0; i < countA; i++) {
        int32_t ax = (*a)[i * 5], ay = (*a)[i * 5 + 1], aw = (*a)[i * 5 + 2], ah = (*a)[i * 5 + 3];
        for (int32_t j = 0; j < countB; j++) {
            int32_t bx = (*b)[j * 5], by = (*b)[j * 5 + 1], bw = (*b)[j * 5 + 2], bh = (*b)[j * 5 + 3];
            if (!rectsIntersect(ax, ay, aw, ah, bx, by, bw, bh))
                continue;
            hit = true;
            if (result) {
                int32_t left = std::max(ax, bx);
                int32_t top = std::max(ay, by);
                (*result)[0] = left;
                (*result)[1] = top;
                (*result)[2] = std::min(ax + aw, bx + bw) - left;
                (*result)[3] = std::min(ay + ah, by + bh) - top;
                (*result)[4] = (*a)[i * 5 + 4];
                (*result)[5] = (*b)[j * 5 + 4];
                return true;
            }
        }
    }
    return hit;
}

} // namespace tq

VM_REGISTER_CLASS(tq::Gob, "tq.Gob", "tq.Paintable", "..\\src\\tq_Gob", nullptr);
