// The image operations of the MIDP side: decoding through the imaging
// component, images from ARGB and from resource files, mutable images,
// reading pixels back.

#include <algorithm>
#include <vector>

#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALImageRef.h"
#include "hal/callbacks.h"
#include "hal/device.h"
#include "hal/image.h"
#include "hal/memory.h"
#include "hal/thread.h"
#include "wince/imaging.h"

namespace {

constexpr HRESULT kBadImage = static_cast<HRESULT>(0x887B0006u);

// A handle for a new image; 5 (image destroyed) when it cannot be made.
int32_t handOut(HALImage* image, HALImageRef** out)
{
    HALImageRef* ref = HALImageRef::create(image);
    if (!ref) {
        delete image;
        return 5;
    }
    *out = ref;
    return 0;
}

// One decoding attempt through the imaging component.
int32_t decodeOnce(const int8_t* data, int32_t length, HALImageRef** out)
{
    IImagingFactory* factory = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IImagingFactory,
                                  reinterpret_cast<void**>(&factory));
    if (FAILED(hr) || !factory) {
        return hr == E_OUTOFMEMORY ? 5 : 2;
    }
    int32_t status = 2;
    IImage* image = nullptr;
    IBitmapImage* bitmap = nullptr;
    hr = factory->CreateImageFromBuffer(data, static_cast<UINT>(length), BufferDisposalFlagNone, &image);
    if (FAILED(hr)) {
        status = hr == E_OUTOFMEMORY ? 5 : hr == E_INVALIDARG ? 6 : 2;
    } else if (FAILED(hr = factory->CreateBitmapFromImage(image, 0, 0, PixelFormat32bppARGB,
                                                          InterpolationHintDefault, &bitmap))) {
        status = hr == E_OUTOFMEMORY ? 5 : 2;
    } else {
        ImageInfo info{};
        hr = image->GetImageInfo(&info);
        if (FAILED(hr)) {
            status = hr == kBadImage || hr == E_INVALIDARG ? 6 : hr == E_OUTOFMEMORY ? 5 : 2;
        } else {
            RECT rect{0, 0, static_cast<LONG>(info.Width), static_cast<LONG>(info.Height)};
            BitmapData locked{};
            if (FAILED(bitmap->LockBits(&rect, ImageLockModeRead, PixelFormat32bppARGB, &locked))) {
                status = 2;
            } else {
                HALImage* made = nullptr;
                status = HALImage::fromARGB(static_cast<const int32_t*>(locked.Scan0), static_cast<int32_t>(info.Width),
                                            static_cast<int32_t>(info.Height), locked.Stride / 4, true, &made);
                if (status == 0) {
                    status = handOut(made, out);
                }
                bitmap->UnlockBits(&locked);
            }
        }
    }
    if (bitmap) {
        bitmap->Release();
    }
    if (image) {
        image->Release();
    }
    factory->Release();
    return status;
}

// Decodes; after running out of memory it collects garbage once and tries
// again.
int32_t decode(const int8_t* data, int32_t length, HALImageRef** out, int32_t* width, int32_t* height)
{
    *out = nullptr;
    int32_t status = decodeOnce(data, length, out);
    if (status == 5) {
        HAL_lockVM();
        HAL_callbacks().enterVM();
        HAL_callbacks().gc();
        HAL_unlockVM();
        status = decodeOnce(data, length, out);
    }
    if (status == 0 && *out) {
        if (width) {
            *width = (*out)->width;
        }
        if (height) {
            *height = (*out)->height;
        }
    }
    return status;
}

}  // namespace

int32_t HAL_createImageWithData(HALImageRef** out, const int8_t* data, int32_t length, int32_t* width,
                                int32_t* height)
{
    if (!out || !data || length < 1) {
        return 2;
    }
    return decode(data, length, out, width, height);
}

int32_t HAL_createImageWithRGB(HALImageRef** out, const int32_t* argb, int32_t count, int32_t width,
                               int32_t height, bool processAlpha)
{
    if (!out || !argb || count < 1) {
        return 2;
    }
    // The pixels must hold width x height entries.
    if (width < 1 || height < 1 || static_cast<int64_t>(width) * height > count) {
        return 2;
    }
    HALImage* image = nullptr;
    int32_t status = HALImage::fromARGB(argb, width, height, width, processAlpha, &image);
    if (status != 0) {
        return status;
    }
    return handOut(image, out);
}

int32_t HAL_createImageWithResource(HALImageRef** out, const char16_t* name, int32_t length, int32_t* width,
                                    int32_t* height)
{
    if (!out) {
        return 2;
    }
    uint8_t* buffer = nullptr;
    int32_t size = 0;
    int32_t status = HAL_loadResource(name, length, &buffer, &size);
    if (status != 0) {
        return status;
    }
    status = decode(reinterpret_cast<const int8_t*>(buffer), size, out, width, height);
    HAL_free(buffer);
    return status;
}

int32_t HAL_createMutableImage(HALImageRef** out, int32_t width, int32_t height)
{
    if (!out) {
        return 2;
    }
    if (width < 1 || height < 1 || width > HALImage::kMaxSide || height > HALImage::kMaxSide) {
        return 2;
    }
    HALImage* image = HALImage::create(width, height, HALImage::kOpaque);
    if (!image) {
        return 5;
    }
    int32_t status = handOut(image, out);
    if (status != 0) {
        return status;
    }
    HALGraphics* g = HALGraphics::create(image, *out);
    if (!g) {
        (*out)->release();
        *out = nullptr;
        return 5;
    }
    g->setColor(0xFFFFFFFFu);
    g->fillRect(0, 0, width, height, false);
    delete g;
    return 0;
}

int32_t HAL_createTransparentMutableImage(HALImageRef** out, int32_t width, int32_t height)
{
    if (!out || width < 1 || height < 1 || width > HALImage::kMaxSide || height > HALImage::kMaxSide) {
        return 2;
    }
    HALImage* image = HALImage::create(width, height, HALImage::kAlpha);
    if (!image) {
        return 5;
    }
    std::fill_n(reinterpret_cast<uint8_t*>(image->pixels), static_cast<size_t>(width) * height * 3, 0);
    return handOut(image, out);
}

int32_t HAL_deleteImage(HALImageRef* image)
{
    if (image) {
        image->release();
    }
    return 0;
}

int32_t HAL_getImmutableRGB(HALImageRef* ref, int32_t* destination, int32_t room, int32_t scanLength, int32_t x,
                            int32_t y, int32_t width, int32_t height)
{
    // The MIDP side checks the arguments; a request that would still read
    // or write out of range draws nothing here.
    if (!ref || !destination || width < 1 || height < 1) {
        return 0;
    }
    const HALImage* image = ref->image;
    if (x < 0 || y < 0 || static_cast<int64_t>(x) + width > image->width ||
        static_cast<int64_t>(y) + height > image->height || scanLength < width ||
        static_cast<int64_t>(height - 1) * scanLength + width > room) {
        return 0;
    }
    image->getRGB(destination, scanLength, x, y, width, height);
    return 0;
}

int32_t HAL_getMutableRGB(HALImageRef* ref, int32_t* destination, int32_t room, int32_t scanLength, int32_t x,
                          int32_t y, int32_t width, int32_t height)
{
    return HAL_getImmutableRGB(ref, destination, room, scanLength, x, y, width, height);
}

int32_t HAL_getImmutableHasAlpha(HALImageRef* ref, uint8_t* hasAlpha)
{
    if (!ref || !hasAlpha) {
        return 2;
    }
    *hasAlpha = ref->image->hasAlpha() ? 1 : 0;
    return 0;
}

int32_t HAL_getMutableHasAlpha(HALImageRef* ref, uint8_t* hasAlpha)
{
    return HAL_getImmutableHasAlpha(ref, hasAlpha);
}

int32_t HAL_loadResource(const char16_t* name, int32_t length, uint8_t** buffer, int32_t* size)
{
    if (!buffer || !size) {
        return 2;
    }
    *buffer = nullptr;
    *size = 0;
    HALResource* resource = nullptr;
    int32_t status = HAL_openResource(&resource, name, length);
    if (status == 2 || status == 5) {
        return status;
    }
    if (status != 0) {
        return 4;
    }
    int32_t total = HAL_getResourceSize(resource);
    if (total < 1) {
        HAL_closeResource(resource);
        return 7;
    }
    auto* block = static_cast<uint8_t*>(HAL_malloc(static_cast<uint32_t>(total)));
    if (!block) {
        HAL_closeResource(resource);
        return 5;
    }
    int32_t read = total;
    status = HAL_readResource(resource, block, 0, &read);
    HAL_closeResource(resource);
    if (status != 0 || read != total) {
        HAL_free(block);
        return 7;
    }
    *buffer = block;
    *size = total;
    return 0;
}
