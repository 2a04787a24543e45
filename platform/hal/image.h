#pragma once
// Platform images (RGB565 with an optional alpha plane), handed out as
// reference-counted HALImageRef handles. Statuses: 2 bad argument, 4 not
// found, 5 out of memory, 6 bad format or device, 7 I/O.

#include <cstdint>

struct HALImageRef;

// Decodes an encoded picture.
int32_t HAL_createImageWithData(HALImageRef** out, const int8_t* data, int32_t length, int32_t* width,
                                int32_t* height);
// From count ARGB values, scan length = width; alpha kept only with
// processAlpha.
int32_t HAL_createImageWithRGB(HALImageRef** out, const int32_t* argb, int32_t count, int32_t width,
                               int32_t height, bool processAlpha);
// Loads the resource file of that name and decodes it.
int32_t HAL_createImageWithResource(HALImageRef** out, const char16_t* name, int32_t length, int32_t* width,
                                    int32_t* height);
// Opaque white.
int32_t HAL_createMutableImage(HALImageRef** out, int32_t width, int32_t height);
// With an alpha plane, fully transparent.
int32_t HAL_createTransparentMutableImage(HALImageRef** out, int32_t width, int32_t height);
// Drops one reference.
int32_t HAL_deleteImage(HALImageRef* image);

// Writes width x height ARGB values, row r at destination + r x scanLength
// (destination already at the caller's offset, room entries left there).
int32_t HAL_getImmutableRGB(HALImageRef* image, int32_t* destination, int32_t room, int32_t scanLength,
                            int32_t x, int32_t y, int32_t width, int32_t height);
int32_t HAL_getMutableRGB(HALImageRef* image, int32_t* destination, int32_t room, int32_t scanLength,
                          int32_t x, int32_t y, int32_t width, int32_t height);
// 1 when the image keeps transparency (its format is not opaque).
int32_t HAL_getImmutableHasAlpha(HALImageRef* image, uint8_t* hasAlpha);
int32_t HAL_getMutableHasAlpha(HALImageRef* image, uint8_t* hasAlpha);

// Reads a whole resource file into a block from HAL_malloc, which the caller
// frees with HAL_free.
int32_t HAL_loadResource(const char16_t* name, int32_t length, uint8_t** buffer, int32_t* size);
