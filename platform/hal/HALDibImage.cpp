// HALDibImage: the DIB section and its memory DC.

#include "hal/HALDibImage.h"

#include <cstring>
#include <new>

#include "hal/window.h"

HALDibImage* HALDibImage::create(int32_t width, int32_t height)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return nullptr;
    }
    int32_t rowLength = (width + 1) & ~1;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16;
    info.bmiHeader.biCompression = BI_BITFIELDS;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(rowLength) * static_cast<DWORD>(height) * 2;
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.bmiColors, masks, sizeof(masks));
    HWND window = HAL_getMainWindow();
    HDC windowDc = GetDC(window);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = bitmap ? CreateCompatibleDC(windowDc) : nullptr;
    ReleaseDC(window, windowDc);
    auto* image = dc ? new (std::nothrow) HALDibImage : nullptr;
    if (!image) {
        if (dc) {
            DeleteDC(dc);
        }
        if (bitmap) {
            DeleteObject(bitmap);
        }
        return nullptr;
    }
    SelectObject(dc, bitmap);
    image->bitmap = bitmap;
    image->dc = dc;
    image->pixels = static_cast<uint16_t*>(bits);
    image->width = static_cast<int16_t>(width);
    image->height = static_cast<int16_t>(height);
    image->rowLength = static_cast<int16_t>(rowLength);
    image->ownsPixels = 0;
    image->format = kOpaque;
    return image;
}

HALDibImage::~HALDibImage()
{
    DeleteDC(dc);
    DeleteObject(bitmap);
}
