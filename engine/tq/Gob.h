#pragma once
// tq.Gob: a graphic object, the engine's smallest drawable: one picture
// with a hot spot (the image's top-left at (xOffset, yOffset) from the
// anchor), a size and one collision area (a rectangle, or a circle when
// roundCollision). It paints with the eight MIDP Sprite transforms through
// drawRegion, the transparency class travelling in bits 8-9.
//
// Gobs are made in arrays, one per Gob set: the set's loader gives every Gob
// one shared source image (assignImage), lets each read its ten-value record
// and capture its own pixels (beginPixelCapture, load), then gives each an
// image of its own (cutImages). The pixel store is a class static: one load
// at a time, on the VM's thread.

#include <cstdint>

#include "java/io/DataInputStream.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/Paintable.h"

namespace tq {

namespace graphics {
class Rect;
class RGBFilter;
} // namespace graphics

class GobAlphaImage;

class Gob : public Paintable {
    VM_CLASS(Gob, Paintable)

    using ByteArray = VMArray<int8_t, 1>;
    using ShortArray = VMArray<int16_t, 1>;
    using GobArray = VMArray<Gob, 1>;
    using IntArrays = VMArray<int32_t, 2>;
    using Image = javax::microedition::lcdui::Image;

    VMPtr<Gob> init();

    int32_t getType() override;
    int32_t getHeight(int32_t transform) override;
    void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform) override;
    using Paintable::paint;
    // One box when the collision area is not empty; the id is not consulted.
    int32_t getCollisionBoxes(int32_t transform, VMPtr<BoxArray> boxes, int32_t id) override;
    // Writes one record when the area is not empty and rects holds five ints;
    // answers 1 for a non-empty area either way.
    int32_t getCollisionRects(int32_t transform, VMPtr<IntArray> rects, int32_t id) override;
    using Paintable::getCollisionRects;
    int32_t getWidth(int32_t transform) override;
    int32_t getCollisionBoxCount() override;
    int32_t getX(int32_t transform) override;
    int32_t getY(int32_t transform) override;

    // Prints its notice and draws nothing.
    virtual void paintReserved(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, int32_t d,
                               int32_t e, int32_t f);
    // The collision rectangle at (x, y) against a rectangle; the circle flag
    // is not consulted.
    virtual bool intersectsRect(int32_t x, int32_t y, int32_t transform, int32_t rx, int32_t ry,
                                int32_t rw, int32_t rh);
    virtual bool collidesWithGob(int32_t x, int32_t y, int32_t transform, VMPtr<Gob> other,
                                 int32_t ox, int32_t oy, int32_t otherTransform);
    virtual VMPtr<GobAlphaImage> withAlpha(int32_t alpha);
    virtual VMPtr<GobAlphaImage> toAlphaImage();
    virtual bool isAlphaImage();
    virtual void paintCollisionBox(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform);
    virtual void setAlpha(int32_t alpha);
    virtual void applyFilter(VMPtr<graphics::RGBFilter> filter);
    // The other's collision rectangle widened by (dx, dy, dw, dh).
    virtual bool collidesWithGob(int32_t x, int32_t y, int32_t transform, VMPtr<Gob> other,
                                 int32_t ox, int32_t oy, int32_t otherTransform, int32_t dx,
                                 int32_t dy, int32_t dw, int32_t dh);
    // Paints inside the clip narrowed by margins of the untransformed image.
    virtual void paintCropped(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform,
                              int32_t left, int32_t top, int32_t right, int32_t bottom);
    // Writes the placed collision area into box (type 4 for a circle, id -1);
    // true when it is not empty.
    virtual bool getCollisionBox(VMPtr<graphics::CollisionBox> box, int32_t x, int32_t y,
                                 int32_t transform);
    // The untransformed image rectangle at (x, y) against r.
    virtual bool intersectsImageRect(VMPtr<graphics::Rect> r, int32_t x, int32_t y);
    virtual int32_t getAlpha();
    virtual void copyStateTo(VMPtr<Gob> other);
    virtual void copyTo(VMPtr<Gob> other);
    virtual VMPtr<Gob> asGob();
    virtual void copyImageTo(VMPtr<Gob> other);
    // Everything but the image.
    virtual void copyGeometryTo(VMPtr<Gob> other);
    // Sets the geometry from a ten-value record and captures the pixels of
    // record[2], record[3] of the current image into the pixel store. A
    // region outside the image throws IllegalArgumentException before any
    // pixel array is made.
    virtual void load(VMPtr<ShortArray> record);
    virtual void reserved();

    // A Gob with an image of its own made from the pixels; its collision
    // area is the whole image.
    static VMPtr<Gob> create(VMPtr<IntArray> argb, int32_t width, int32_t height, bool processAlpha);
    static void assignImage(VMPtr<GobArray> gobs, int32_t imageId, VMPtr<ByteArray> palette,
                            VMPtr<java::io::DataInputStream> passOn);
    static void beginPixelCapture(VMPtr<GobArray> gobs);
    static void cutImages(VMPtr<GobArray> gobs);
    // Replaces every entry by its alpha Gob unless the first already is one.
    static void toAlphaImages(VMPtr<GobArray> gobs);
    // Every record of a against every record of b (five ints each); the
    // first overlap (x, y, width, height, a's id, b's id) goes to result.
    static bool intersectRects(int32_t countA, VMPtr<IntArray> a, int32_t countB, VMPtr<IntArray> b,
                               VMPtr<IntArray> result);
    static bool swapsAxes(int32_t transform);

    int16_t yOffset = 0;
    int16_t xOffset = 0;
    int16_t collisionWidth = 0;
    int16_t height = 0;
    int8_t transparency = 0;
    int16_t collisionX = 0;
    int16_t collisionY = 0;
    int16_t collisionHeight = 0;
    bool roundCollision = false;
    int16_t width = 0;
    VMField<Image> image;

    VM_STATIC(IntArrays, pixelStore);
    static inline int32_t captureCount = 0;

protected:
    int32_t collisionLeft(int32_t transform);
    int32_t collisionTop(int32_t transform);
    int32_t transformedCollisionWidth(int32_t transform);
    int32_t transformedCollisionHeight(int32_t transform);
    bool hasCollisionArea() { return collisionWidth > 0 && collisionHeight > 0; }

public:
    VM_FIELDS(image)
};

} // namespace tq
