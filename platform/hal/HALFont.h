#pragma once
// HALFont: a cached system font: its GDI handle, line height and ascent.

#include <cstdint>

#include "wince/gdi.h"

struct HALFont {
    HFONT handle = nullptr;
    int32_t height = 0;
    int32_t ascent = 0;
};
