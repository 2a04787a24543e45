#pragma once
// HALImageRef: the reference-counted handle of a platform image that crosses
// the HAL_ boundary. Holders: the MIDP Image and each graphics context that
// draws into the image.

#include <cstdint>

struct HALImage;

struct HALImageRef {
    // A handle with one holder; null (image untouched) when memory runs out.
    static HALImageRef* create(HALImage* image);
    void addRef() { ++refCount; }
    // The last release destroys the image and the handle.
    void release();

    HALImage* image = nullptr;
    int32_t refCount = 1;
    int16_t width = 0;
    int16_t height = 0;
};
