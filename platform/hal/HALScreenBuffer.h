#pragma once
// HALScreenBuffer: the off-screen frame of a canvas, a format-1 image that
// follows the owner's size. Drawing happens on the canvas thread under the
// VM lock; the UI thread blits. Lock order: the VM lock, then the buffer's
// own lock (which guards pending and the blit).

#include <cstdint>

#include "wince/kernel.h"

class HALDisplayable;
struct HALImage;
struct HALList;

struct HALScreenBuffer {
    // Sized to the owner, which records the buffer. Null when memory runs out.
    static HALScreenBuffer* create(HALDisplayable* owner);
    static void destroy(HALScreenBuffer* buffer);

    // Follows the owner's size; listeners reset their clips after a change.
    void resize();
    // Shows the whole buffer in the main window (UI thread).
    void blit();
    // At once on the UI thread, else marks it pending for the UI thread.
    void flush();
    // Blits a pending frame (UI thread, VM lock held).
    void flushPending();

    int32_t width = 0;
    int32_t height = 0;
    CRITICAL_SECTION lock;
    HALDisplayable* owner = nullptr;
    HALImage* image = nullptr;
    HALList* listeners = nullptr;
    uint8_t pending = 0;
};
