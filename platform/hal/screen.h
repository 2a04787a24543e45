#pragma once
// The screen buffer: the off-screen frame of a GameCanvas, shown in the main
// window by the UI thread.

#include <cstdint>

class HALDisplayable;
struct HALScreenBuffer;

// A buffer of the owner displayable's size. 2 for null arguments.
int32_t HAL_createScreenBuffer(HALDisplayable* owner, HALScreenBuffer** out);
int32_t HAL_deleteScreenBuffer(HALScreenBuffer* buffer);
// Either out-parameter may be null, not both.
int32_t HAL_getScreenBufferSize(HALScreenBuffer* buffer, int32_t* width, int32_t* height);
// Shows the whole buffer: at once on the UI thread, else on the UI thread's
// next pass (the VM lock is released meanwhile).
int32_t HAL_flushScreenBuffer(HALScreenBuffer* buffer);
// As HAL_flushScreenBuffer; the whole buffer is shown.
int32_t HAL_flushScreenBufferRegion(HALScreenBuffer* buffer, int32_t x, int32_t y, int32_t width, int32_t height);

// Within the layer: follow the owner's size (window size changes), and draw a
// pending flush (the UI thread's message loop, holding the VM lock).
void HAL_resizeScreenBuffer(HALScreenBuffer* buffer);
void HAL_flushPendingScreenBuffer(HALScreenBuffer* buffer);
