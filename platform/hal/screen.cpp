// The screen buffer operations of the MIDP side and of the window.

#include "hal/HALScreenBuffer.h"
#include "hal/screen.h"

int32_t HAL_createScreenBuffer(HALDisplayable* owner, HALScreenBuffer** out)
{
    if (!owner || !out) {
        return 2;
    }
    HALScreenBuffer* buffer = HALScreenBuffer::create(owner);
    if (!buffer) {
        return 5;
    }
    *out = buffer;
    return 0;
}

int32_t HAL_deleteScreenBuffer(HALScreenBuffer* buffer)
{
    if (!buffer) {
        return 2;
    }
    HALScreenBuffer::destroy(buffer);
    return 0;
}

int32_t HAL_getScreenBufferSize(HALScreenBuffer* buffer, int32_t* width, int32_t* height)
{
    if (!buffer || (!width && !height)) {
        return 2;
    }
    if (width) {
        *width = buffer->width;
    }
    if (height) {
        *height = buffer->height;
    }
    return 0;
}

int32_t HAL_flushScreenBuffer(HALScreenBuffer* buffer)
{
    if (!buffer) {
        return 2;
    }
    buffer->flush();
    return 0;
}

int32_t HAL_flushScreenBufferRegion(HALScreenBuffer* buffer, int32_t, int32_t, int32_t, int32_t)
{
    return HAL_flushScreenBuffer(buffer);
}

void HAL_resizeScreenBuffer(HALScreenBuffer* buffer)
{
    if (buffer) {
        buffer->resize();
    }
}

void HAL_flushPendingScreenBuffer(HALScreenBuffer* buffer)
{
    if (buffer) {
        buffer->flushPending();
    }
}
