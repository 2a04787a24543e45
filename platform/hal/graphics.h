#pragma once
// Platform graphics contexts: software drawing into RGB565 images and the
// screen buffer. Coordinates are absolute target coordinates (the caller has
// added its translation); colours are 0xAARRGGBB unless said otherwise.
// Every drawing operation does nothing for a null context.

#include <cstdint>

struct HALFont;
struct HALGraphics;
struct HALImageRef;
struct HALScreenBuffer;

// A context on the image, holding one reference to it. 2 for nulls.
int32_t HAL_createGraphicsWithImage(HALGraphics** out, HALImageRef* image);
// A context on the screen buffer's image, following its size. 2 for nulls.
int32_t HAL_createGraphicsWithScreenBuffer(HALGraphics** out, HALScreenBuffer* buffer);
// Frees the context and drops its reference to its target. 2 for null.
int32_t HAL_deleteGraphics(HALGraphics* graphics);

// Drawing colour and alpha for every later fill, line and text.
void HAL_setColor(HALGraphics* graphics, int32_t argb);
// The RGB565 value the device shows for 0x00RRGGBB; -1 for a null context.
int32_t HAL_getDisplayColor(HALGraphics* graphics, int32_t rgb);
void HAL_setFont(HALGraphics* graphics, HALFont* font);
// 0 solid, any other value dotted.
void HAL_setStrokeStyle(HALGraphics* graphics, int32_t style);
// Clip = whole target intersected with the rectangle.
void HAL_setClip(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);
// Clip = clip intersected with the rectangle.
void HAL_clipRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);

void HAL_drawLine(HALGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void HAL_fillRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);
// Outline covering (width + 1) x (height + 1) pixels.
void HAL_drawRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height);
void HAL_drawRoundRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height,
                       int32_t arcWidth, int32_t arcHeight);
void HAL_fillRoundRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height,
                       int32_t arcWidth, int32_t arcHeight);
// Angles in degrees, as Graphics received them.
void HAL_drawArc(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle);
void HAL_fillArc(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle);
void HAL_fillTriangle(HALGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                      int32_t y3);
void HAL_fillGradientRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t colourFrom, int32_t colourTo, bool horizontal);

// Text in the context's font and colour, top-left corner at (x, y).
void HAL_drawChars(HALGraphics* graphics, const char16_t* characters, int32_t count, int32_t x, int32_t y);

// The whole image, top-left corner at (x, y).
void HAL_drawImage(HALGraphics* graphics, HALImageRef* image, int32_t x, int32_t y);
// A source region under a MIDP transform (0..7); the transformed region's
// top-left corner lands at (xDest, yDest).
void HAL_drawImmutableRegion(HALGraphics* graphics, HALImageRef* image, int32_t xSrc, int32_t ySrc, int32_t width,
                             int32_t height, int32_t transform, int32_t xDest, int32_t yDest);
void HAL_drawMutableRegion(HALGraphics* graphics, HALImageRef* image, int32_t xSrc, int32_t ySrc, int32_t width,
                           int32_t height, int32_t transform, int32_t xDest, int32_t yDest);
// ARGB pixels (already at the caller's offset, `entries` left there); returns
// the status of building the temporary image.
int32_t HAL_drawRGB(HALGraphics* graphics, const int32_t* argb, int32_t entries, int32_t scanLength, int32_t x,
                    int32_t y, int32_t width, int32_t height, bool processAlpha);
// Copies a region of the context's own target; 1 (0 for a null context).
int32_t HAL_copyArea(HALGraphics* graphics, int32_t xSrc, int32_t ySrc, int32_t width, int32_t height,
                     int32_t xDest, int32_t yDest);
// The whole screen buffer, top-left corner at (x, y).
void HAL_drawScreenBuffer(HALGraphics* graphics, HALScreenBuffer* buffer, int32_t x, int32_t y);
