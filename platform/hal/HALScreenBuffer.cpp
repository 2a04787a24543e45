// HALScreenBuffer: resize, blit and flush.

#include "hal/HALScreenBuffer.h"

#include <new>

#include "hal/HALDisplayable.h"
#include "hal/HALGraphics.h"
#include "hal/HALImage.h"
#include "hal/HALList.h"
#include "hal/startup.h"
#include "hal/thread.h"
#include "hal/window.h"
#include "wince/gdi.h"

HALScreenBuffer* HALScreenBuffer::create(HALDisplayable* owner)
{
    auto* buffer = new (std::nothrow) HALScreenBuffer;
    if (!buffer) {
        return nullptr;
    }
    buffer->listeners = HALList::create(8, 1.5f);
    if (!buffer->listeners) {
        delete buffer;
        return nullptr;
    }
    InitializeCriticalSection(&buffer->lock);
    buffer->owner = owner;
    owner->setScreenBuffer(buffer);
    buffer->resize();
    return buffer;
}

void HALScreenBuffer::destroy(HALScreenBuffer* buffer)
{
    buffer->pending = 0;
    // Contexts still listening draw nothing from now on.
    for (int32_t i = 0; i < buffer->listeners->size(); ++i) {
        auto* g = static_cast<HALGraphics*>(buffer->listeners->get(i));
        g->target = nullptr;
        g->screen = nullptr;
        g->clip = HALRect{};
    }
    buffer->listeners->clear();
    HALList::destroy(buffer->listeners);
    delete buffer->image;
    DeleteCriticalSection(&buffer->lock);
    if (buffer->owner && buffer->owner->screenBuffer() == buffer) {
        buffer->owner->setScreenBuffer(nullptr);
    }
    delete buffer;
}

void HALScreenBuffer::resize()
{
    int32_t newWidth = owner->getWidth();
    int32_t newHeight = owner->getHeight();
    if (newWidth == width && newHeight == height && image) {
        return;
    }
    if (newWidth < 1 || newHeight < 1) {
        return;  // a window without client area keeps the old buffer
    }
    if (!image) {
        image = HALImage::create(newWidth, newHeight, HALImage::kOpaque);
        if (!image) {
            return;
        }
    } else if (!image->resize(newWidth, newHeight)) {
        return;  // out of memory: the old size stays
    }
    width = newWidth;
    height = newHeight;
    for (int32_t i = 0; i < listeners->size(); ++i) {
        static_cast<HALGraphics*>(listeners->get(i))->reset();
    }
}

void HALScreenBuffer::blit()
{
    if (!image) {
        return;
    }
    HWND window = HAL_getMainWindow();
    HDC windowDc = GetDC(window);
    if (!windowDc) {
        return;
    }
    HBITMAP bitmap = CreateBitmap(width, height, 1, 16, image->pixels);
    HDC memory = bitmap ? CreateCompatibleDC(windowDc) : nullptr;
    if (memory) {
        SelectObject(memory, reinterpret_cast<HGDIOBJ>(bitmap));
        BitBlt(windowDc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        DeleteDC(memory);
    }
    if (bitmap) {
        DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
    }
    ReleaseDC(window, windowDc);
}

void HALScreenBuffer::flush()
{
    if (GetCurrentThreadId() == HAL_getUIThreadId()) {
        blit();
        return;
    }
    HAL_unlockVM();
    EnterCriticalSection(&lock);
    pending = 1;
    LeaveCriticalSection(&lock);
    // The UI thread sleeps until a message comes: this one has it draw.
    PostMessageW(HAL_getMainWindow(), WM_NULL, 0, 0);
    HAL_enterVM();  // takes the VM lock again
}

void HALScreenBuffer::flushPending()
{
    EnterCriticalSection(&lock);
    if (pending) {
        blit();
        pending = 0;
    }
    LeaveCriticalSection(&lock);
}
