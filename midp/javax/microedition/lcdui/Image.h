#pragma once
// javax.microedition.lcdui.Image: a picture held by the platform (decoded
// from a resource or bytes, built from ARGB values, or mutable for drawing
// into). The object keeps its size, mutability and the platform image.

#include <cstdint>

#include "java/lang/String.h"

struct HALImageRef;

namespace javax::microedition::lcdui {

class Graphics;

class Image : public virtual java::lang::Object {
    VM_CLASS(Image, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;

    ~Image() override;

    // A resource image; the name is resolved as a class resource of Image.
    // IOException ("HAL_createImageWithResource() error: " and the status)
    // when it is missing or cannot be read or decoded.
    static VMPtr<Image> createImage(VMPtr<java::lang::String> name);
    // Encoded bytes; IllegalArgumentException for data that does not decode.
    static VMPtr<Image> createImage(VMPtr<java::lang::String::ByteArray> imageData, int32_t imageOffset,
                                    int32_t imageLength);
    static VMPtr<Image> createRGBImage(VMPtr<IntArray> rgb, int32_t width, int32_t height, bool processAlpha);
    // A mutable image filled with fillColor (with alpha: as given; without:
    // made opaque).
    static VMPtr<Image> createImage(int32_t width, int32_t height, bool withAlpha, int32_t fillColor);

    virtual VMPtr<Graphics> getGraphics();
    virtual int32_t getWidth();
    virtual int32_t getHeight();
    virtual bool isMutable();
    virtual void getRGB(VMPtr<IntArray> rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                        int32_t width, int32_t height);
    virtual bool hasAlpha();

    HALImageRef* platformImage() const { return image_; }

    int32_t width = 0;
    int32_t height = 0;
    bool mutable_ = false;
    bool alpha_ = false;
    bool alphaKnown_ = false;

private:
    static VMPtr<Image> wrap(HALImageRef* image, int32_t width, int32_t height, bool isMutable);

    HALImageRef* image_ = nullptr;
};

} // namespace javax::microedition::lcdui
