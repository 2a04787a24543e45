#include "javax/microedition/lcdui/Image.h"

#include <string>

#include "hal/image.h"
#include "java/io/IOException.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/Class.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/OutOfMemoryError.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "vm/VMBoot.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::Image, "javax.microedition.lcdui.Image", "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Image", nullptr);

namespace javax::microedition::lcdui {

using java::lang::String;

Image::~Image()
{
    if (image_)
        HAL_deleteImage(image_);
}

VMPtr<Image> Image::wrap(HALImageRef* platform, int32_t w, int32_t h, bool isMutable)
{
    VMPtr<Image> image;
    try {
        image = newInstance();
    } catch (...) {
        HAL_deleteImage(platform);
        throw;
    }
    image->image_ = platform;
    image->width = w;
    image->height = h;
    image->mutable_ = isMutable;
    return image;
}

VMPtr<Image> Image::createImage(VMPtr<String> name)
{
    VMPtr<String> resolved = classRecord()->resolveResourceName(vm_nonNull(name));
    HALImageRef* platform = nullptr;
    int32_t w = 0, h = 0;
    int32_t status = HAL_createImageWithResource(&platform, resolved->chars(), resolved->length(), &w, &h);
    if (status == 4 || status == 6 || status == 7) {
        std::string message = "HAL_createImageWithResource() error: " + std::to_string(status);
        vm_throwNew<java::io::IOException>(_VM_literal(message.c_str()));
    }
    if (status == 5)
        vm_throwNew<java::lang::OutOfMemoryError>();
    if (status != 0)
        _VM_fatalError("HAL_createImageWithResource() failed.");
    return wrap(platform, w, h, false);
}

VMPtr<Image> Image::createImage(VMPtr<String::ByteArray> imageData, int32_t imageOffset, int32_t imageLength)
{
    int32_t n = vm_nonNull(imageData)->length;
    if (imageOffset < 0 || imageOffset >= n || imageLength < 0 ||
        static_cast<int64_t>(imageOffset) + imageLength > n)
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    HALImageRef* platform = nullptr;
    int32_t w = 0, h = 0;
    int32_t status = HAL_createImageWithData(&platform, imageData->elements() + imageOffset, imageLength, &w, &h);
    if (status == 6)
        vm_throwNew<java::lang::IllegalArgumentException>(
            _VM_literal("HAL_createImageWithData() error: HAL_BAD_FORMAT_ERR"));
    if (status == 5)
        vm_throwNew<java::lang::OutOfMemoryError>();
    if (status != 0)
        _VM_fatalError("HAL_createImageWithData() failed.");
    return wrap(platform, w, h, false);
}

VMPtr<Image> Image::createRGBImage(VMPtr<IntArray> rgb, int32_t w, int32_t h, bool processAlpha)
{
    vm_nonNull(rgb);
    if (w <= 0 || h <= 0)
        vm_throwNew<java::lang::IllegalArgumentException>();
    if (static_cast<int64_t>(rgb->length) < static_cast<int64_t>(w) * h)
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    HALImageRef* platform = nullptr;
    int32_t status = HAL_createImageWithRGB(&platform, rgb->elements(), rgb->length, w, h, processAlpha);
    if (status == 5)
        vm_throwNew<java::lang::OutOfMemoryError>();
    if (status == 2 && (w > 0x7FFF || h > 0x7FFF))
        vm_throwNew<java::lang::IllegalArgumentException>();  // beyond the platform's 16-bit sides
    if (status != 0)
        _VM_fatalError("HAL_createImageWithRGB() failed.");
    return wrap(platform, w, h, false);
}

VMPtr<Image> Image::createImage(int32_t w, int32_t h, bool withAlpha, int32_t fillColor)
{
    if (w < 0 || h < 0)
        vm_throwNew<java::lang::IllegalArgumentException>();
    HALImageRef* platform = nullptr;
    int32_t status = withAlpha ? HAL_createTransparentMutableImage(&platform, w, h)
                               : HAL_createMutableImage(&platform, w, h);
    if (status == 2)
        vm_throwNew<java::lang::IllegalArgumentException>();
    if (status == 5)
        vm_throwNew<java::lang::OutOfMemoryError>();
    if (status != 0)
        _VM_fatalError(withAlpha ? "HAL_createTransparentMutableImage() failed." : "HAL_createMutableImage() failed.");
    VMPtr<Image> image = wrap(platform, w, h, true);
    VMPtr<Graphics> g = image->getGraphics();
    // Without alpha the image takes the colour opaque.
    g->setARGBColor(withAlpha ? fillColor : static_cast<int32_t>(static_cast<uint32_t>(fillColor) | 0xFF000000u));
    g->fillRect(0, 0, w, h);
    g->releaseContext();
    return image;
}

VMPtr<Graphics> Image::getGraphics()
{
    if (!mutable_)
        vm_throwNew<java::lang::IllegalStateException>();
    return Graphics::createForImage(this);
}

int32_t Image::getWidth()
{
    return width;
}

int32_t Image::getHeight()
{
    return height;
}

bool Image::isMutable()
{
    return mutable_;
}

void Image::getRGB(VMPtr<IntArray> rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t w,
                   int32_t h)
{
    if (x < 0 || y < 0 || static_cast<int64_t>(x) + w > width || static_cast<int64_t>(y) + h > height)
        vm_throwNew<java::lang::IllegalArgumentException>();
    if ((scanlength >= 0 && scanlength < w) || (scanlength < 0 && w > -static_cast<int64_t>(scanlength)))
        vm_throwNew<java::lang::IllegalArgumentException>();
    if (w < 1 || h < 1)
        return;
    int32_t n = vm_nonNull(rgbData)->length;
    int64_t last = static_cast<int64_t>(h - 1) * scanlength + offset;
    if (offset < 0 || last + w > n || last < 0)
        vm_throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    if (scanlength < 0) {
        // Rows upwards: one row at a time, each checked above.
        for (int32_t r = 0; r < h; ++r) {
            int64_t at = offset + static_cast<int64_t>(r) * scanlength;
            HAL_getImmutableRGB(image_, rgbData->elements() + at, static_cast<int32_t>(n - at), w, x, y + r, w, 1);
        }
        return;
    }
    if (HAL_getImmutableRGB(image_, rgbData->elements() + offset, n - offset, scanlength, x, y, w, h) != 0)
        _VM_fatalError(mutable_ ? "HAL_getMutableRGB() failed." : "HAL_getImmutableRGB() failed.");
}

bool Image::hasAlpha()
{
    if (!alphaKnown_) {
        uint8_t answer = 0;
        int32_t status = HAL_getImmutableHasAlpha(image_, &answer);
        if (status != 0 && status != 1)
            _VM_fatalError(mutable_ ? "HAL_getMutableHasAlpha() failed." : "HAL_getImmutableHasAlpha() failed.");
        alpha_ = answer != 0;
        alphaKnown_ = true;
    }
    return alpha_;
}

} // namespace javax::microedition::lcdui
