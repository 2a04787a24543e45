// HALImageRef: the handle's count.

#include "hal/HALImageRef.h"

#include <new>

#include "hal/HALImage.h"

HALImageRef* HALImageRef::create(HALImage* image)
{
    auto* ref = new (std::nothrow) HALImageRef;
    if (!ref) {
        return nullptr;
    }
    ref->image = image;
    ref->width = image->width;
    ref->height = image->height;
    return ref;
}

void HALImageRef::release()
{
    if (--refCount < 1) {
        delete image;
        delete this;
    }
}
