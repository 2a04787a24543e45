#pragma once
// HALDibImage: a format-1 platform image whose pixels belong to a bottom-up
// 16-bit GDI DIB section, with a memory DC that has the section selected.
// Used as the text surface: GDI draws text into it.

#include "hal/HALImage.h"
#include "wince/gdi.h"

struct HALDibImage final : HALImage {
    // Null when the section or the DC cannot be made.
    static HALDibImage* create(int32_t width, int32_t height);
    ~HALDibImage() override;

    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
};
