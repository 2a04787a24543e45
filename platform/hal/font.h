#pragma once
// System fonts by MIDP face, style and size, and the display orientation.

#include <cstdint>

struct HALFont;

// The cached font for the face, style and size, made on first use; 2 when
// it cannot be made.
int32_t HAL_getFont(HALFont** out, int32_t face, int32_t style, int32_t size);
// Line height and ascent in pixels; 0 for null.
int32_t HAL_getFontHeight(const HALFont* font);
int32_t HAL_getFontAscent(const HALFont* font);
// Width in pixels of the text; 0 for a null font.
int32_t HAL_getStringWidth(const HALFont* font, const char16_t* characters, int32_t count);

// Within the layer: the font cache, made at start-up and freed at shutdown.
int32_t HAL_createFontCache();
void HAL_releaseFontCache();

// Display orientation codes: 0 normal, 1 rotated 90, 2 rotated 180, 3 rotated
// 270, 4 none (leave the display as it is).
// Within the layer: the application-to-device orientation table (read from
// the application properties at start-up), the device's orientation, setting
// one (0 when the display turned, 8 otherwise), and re-applying the last one
// set (window size and setting changes).
void HAL_loadOrientationTable();
int32_t HAL_readDeviceOrientation(int32_t* orientation);
int32_t HAL_applyOrientation(int32_t orientation);
void HAL_reapplyOrientation();
// The MIDP side's orientation operations: the application orientation the
// device shows (4 when none), and setting one (as HAL_applyOrientation).
int32_t HAL_getOrientation(int32_t* orientation);
int32_t HAL_setOrientation(int32_t orientation);
