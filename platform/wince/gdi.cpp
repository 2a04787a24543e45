// GDI: device contexts, 16-bit bitmaps and DIB sections, BitBlt, device
// caps and the display settings. Window output lands in the window's frame,
// which the SDL backend presents.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "wince/detail/gdi.h"
#include "wince/detail/ui.h"
#include "wince/errors.h"
#include "wince/testing.h"

namespace {

constexpr DWORD kMask565[3] = {0xF800, 0x07E0, 0x001F};
constexpr INT kDpi = 96;

std::mutex g_lock;  // guards the object and DC sets
std::unordered_set<HGDIOBJ> g_objects;
std::unordered_set<HDC> g_dcs;
DWORD g_orientation = DMDO_0;
uint32_t g_orientationChanges = 0;  // orientation requests without CDS_TEST
DWORD g_lastRequest = DMDO_0;

bool liveDc(HDC dc)
{
    std::lock_guard guard(g_lock);
    return dc && g_dcs.count(dc) != 0;
}

HDC newDc(HWND window, bool windowDc)
{
    HDC dc = new HDC__;
    dc->window = window;
    dc->windowDc = windowDc;
    std::lock_guard guard(g_lock);
    g_dcs.insert(dc);
    return dc;
}

void freeDc(HDC dc)
{
    {
        std::lock_guard guard(g_lock);
        g_dcs.erase(dc);
    }
    delete dc;
}

HBITMAP addBitmap(HBITMAP bitmap)
{
    std::lock_guard guard(g_lock);
    g_objects.insert(static_cast<GdiObject*>(bitmap));
    return bitmap;
}

// Copies a rectangle of 16-bit rows; rows are fetched through the two
// row functions so that bottom-up surfaces and window frames mix.
template <typename DstRow, typename SrcRow>
void copyRows(DstRow dstRow, SrcRow srcRow, INT x, INT y, INT xs, INT ys, INT width, INT height)
{
    for (INT r = 0; r < height; ++r) {
        std::memcpy(dstRow(y + r) + x, srcRow(ys + r) + xs, static_cast<size_t>(width) * 2);
    }
}

// Cuts a copy to both surfaces; false when nothing is left.
bool cutCopy(INT& x, INT& y, INT& width, INT& height, INT& xs, INT& ys, INT dw, INT dh, INT sw, INT sh)
{
    auto cut = [](INT& d, INT& s, INT& n, INT dLimit, INT sLimit) {
        int64_t lead = std::max<int64_t>({0, -static_cast<int64_t>(d), -static_cast<int64_t>(s)});
        int64_t count = static_cast<int64_t>(n) - lead;
        int64_t d0 = d + lead, s0 = s + lead;
        count = std::min({count, dLimit - d0, sLimit - s0});
        if (count <= 0) {
            return false;
        }
        d = static_cast<INT>(d0);
        s = static_cast<INT>(s0);
        n = static_cast<INT>(count);
        return true;
    };
    return cut(x, xs, width, dw, sw) && cut(y, ys, height, dh, sh);
}

}  // namespace

namespace wince_gdi {

bool isBitmap(HGDIOBJ object)
{
    std::lock_guard guard(g_lock);
    return object && g_objects.count(object) && wince_gdi::objectOf(object)->kind == GdiObject::Kind::Bitmap;
}

bool isFont(HGDIOBJ object)
{
    std::lock_guard guard(g_lock);
    return object && g_objects.count(object) && wince_gdi::objectOf(object)->kind == GdiObject::Kind::Font;
}

}  // namespace wince_gdi

// Fonts made by the text stand-in join the object set here.
void wince_gdi::registerFont(HFONT font)
{
    std::lock_guard guard(g_lock);
    g_objects.insert(static_cast<HGDIOBJ>(static_cast<GdiObject*>(font)));
}

// ---- GetDC / ReleaseDC: a DC on the window's client area -----------------
HDC GetDC(HWND window)
{
    if (window && !IsWindow(window)) {
        return nullptr;
    }
    return newDc(window, true);
}

INT ReleaseDC(HWND, HDC dc)
{
    if (!liveDc(dc) || !dc->windowDc) {
        return 0;
    }
    freeDc(dc);
    return 1;
}

// ---- CreateCompatibleDC / DeleteDC: memory DCs -----------------------------
HDC CreateCompatibleDC(HDC dc)
{
    if (dc && !liveDc(dc)) {
        return nullptr;
    }
    return newDc(nullptr, false);
}

BOOL DeleteDC(HDC dc)
{
    if (!liveDc(dc) || dc->windowDc) {
        return FALSE;
    }
    freeDc(dc);
    return TRUE;
}

// ---- SelectObject -----------------------------------------------------------
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    if (!liveDc(dc)) {
        return nullptr;
    }
    if (wince_gdi::isBitmap(object)) {
        if (dc->windowDc) {
            return nullptr;  // a window DC draws into the window only
        }
        HGDIOBJ old = dc->bitmap ? static_cast<GdiObject*>(dc->bitmap) : nullptr;
        dc->bitmap = static_cast<HBITMAP>(wince_gdi::objectOf(object));
        return old;
    }
    if (wince_gdi::isFont(object)) {
        HGDIOBJ old = dc->font ? fontObject(dc->font) : nullptr;
        dc->font = static_cast<HFONT>(wince_gdi::objectOf(object));
        return old;
    }
    return nullptr;
}

// ---- DeleteObject -------------------------------------------------------------
BOOL DeleteObject(HGDIOBJ object)
{
    {
        std::lock_guard guard(g_lock);
        if (!object || g_objects.erase(object) == 0) {
            return FALSE;
        }
        for (HDC dc : g_dcs) {  // a DC never keeps a deleted object
            if (dc->bitmap && static_cast<GdiObject*>(dc->bitmap) == object) {
                dc->bitmap = nullptr;
            }
            if (dc->font && fontObject(dc->font) == object) {
                dc->font = nullptr;
            }
        }
    }
    GdiObject* gdi = wince_gdi::objectOf(object);
    if (gdi->kind == GdiObject::Kind::Font) {
        wince_gdi::destroyFont(static_cast<HFONT>(gdi));
    } else {
        delete gdi;
    }
    return TRUE;
}

// ---- CreateBitmap: a device-dependent (top-down) 16-bit bitmap -----------
// The bits given are rows of width pixels (16-bit rows need no padding).
HBITMAP CreateBitmap(INT width, INT height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (width < 1 || height < 1 || planes != 1 || bitsPerPixel != 16 ||
        static_cast<int64_t>(width) * height > (1 << 26)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* bitmap = new HBITMAP__;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->stride = (width + 1) & ~1;  // rows are word aligned
    bitmap->storage.assign(static_cast<size_t>(bitmap->stride) * height, 0);
    if (bits) {
        const auto* source = static_cast<const uint16_t*>(bits);
        for (INT y = 0; y < height; ++y) {
            std::memcpy(bitmap->row(y), source + static_cast<size_t>(y) * width,
                        static_cast<size_t>(width) * 2);
        }
    }
    return addBitmap(bitmap);
}

// ---- CreateDIBSection: 16-bit RGB565 bit fields only -----------------------
HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD)
{
    if (bits) {
        *bits = nullptr;
    }
    if (!info || !bits || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    DWORD masks[3];
    std::memcpy(masks, info->bmiColors, sizeof(masks));
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biBitCount != 16 ||
        h.biCompression != BI_BITFIELDS || std::memcmp(masks, kMask565, sizeof(masks)) != 0) {
        static std::once_flag logged;
        std::call_once(logged, [] { std::fprintf(stderr, "CreateDIBSection: only RGB565 sections\n"); });
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int64_t height = h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight;
    if (h.biWidth < 1 || height < 1 || h.biWidth * height > (1 << 26)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* bitmap = new HBITMAP__;
    bitmap->width = h.biWidth;
    bitmap->height = static_cast<INT>(height);
    bitmap->stride = (h.biWidth + 1) & ~1;
    bitmap->bottomUp = h.biHeight > 0;
    bitmap->storage.assign(static_cast<size_t>(bitmap->stride) * bitmap->height, 0);
    *bits = bitmap->storage.data();
    return addBitmap(bitmap);
}

// ---- BitBlt: SRCCOPY between 16-bit surfaces and into a window -------------
BOOL BitBlt(HDC destination, INT x, INT y, INT width, INT height, HDC source, INT xSource, INT ySource,
            DWORD rop)
{
    if (rop != SRCCOPY || !liveDc(destination) || !liveDc(source) || !source->bitmap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HBITMAP from = source->bitmap;
    auto srcRow = [from](INT r) { return from->row(r); };
    if (destination->windowDc) {
        HWND window = destination->window;
        if (!window) {
            return TRUE;  // the screen DC: nothing of ours shows there
        }
        std::lock_guard guard(wince_ui::windowsLock());
        if (!wince_ui::isLiveWindow(window)) {
            return FALSE;
        }
        size_t needed = static_cast<size_t>(window->width) * static_cast<size_t>(std::max(window->height, 0));
        if (window->frame.size() != needed) {
            window->frame.assign(needed, 0);
        }
        uint16_t* frame = window->frame.data();
        INT stride = window->width;
        if (cutCopy(x, y, width, height, xSource, ySource, window->width, window->height, from->width,
                    from->height)) {
            copyRows([frame, stride](INT r) { return frame + static_cast<size_t>(r) * stride; }, srcRow, x, y,
                     xSource, ySource, width, height);
        }
        wince_ui::presentFrame(window);
        return TRUE;
    }
    HBITMAP to = destination->bitmap;
    if (!to) {
        return FALSE;
    }
    if (cutCopy(x, y, width, height, xSource, ySource, to->width, to->height, from->width, from->height)) {
        if (to == from) {  // overlapping copy within one surface
            std::vector<uint16_t> rows(static_cast<size_t>(width) * height);
            for (INT r = 0; r < height; ++r) {
                std::memcpy(rows.data() + static_cast<size_t>(r) * width, from->row(ySource + r) + xSource,
                            static_cast<size_t>(width) * 2);
            }
            for (INT r = 0; r < height; ++r) {
                std::memcpy(to->row(y + r) + x, rows.data() + static_cast<size_t>(r) * width,
                            static_cast<size_t>(width) * 2);
            }
        } else {
            copyRows([to](INT r) { return to->row(r); }, srcRow, x, y, xSource, ySource, width, height);
        }
    }
    return TRUE;
}

// ---- SetBkMode / SetTextColor ----------------------------------------------
INT SetBkMode(HDC dc, INT mode)
{
    if (!liveDc(dc) || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    INT old = dc->backgroundMode;
    dc->backgroundMode = mode;
    return old;
}

COLORREF SetTextColor(HDC dc, COLORREF colour)
{
    if (!liveDc(dc)) {
        return 0xFFFFFFFFu;
    }
    COLORREF old = dc->textColour;
    dc->textColour = colour & 0x00FFFFFF;
    return old;
}

// ---- GetDeviceCaps: a 96-dpi, 16-bit screen ----------------------------------
INT GetDeviceCaps(HDC dc, INT index)
{
    if (!liveDc(dc)) {
        return 0;
    }
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return kDpi;
    case BITSPIXEL:
        return 16;
    case HORZRES:
        return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return GetSystemMetrics(SM_CYSCREEN);
    default:
        return 0;
    }
}

// ---- ChangeDisplaySettingsEx: a display that keeps its orientation ----------
// CDS_TEST reports the orientation; a change to the current orientation
// succeeds, any other is refused as a fixed display refuses it.
LONG ChangeDisplaySettingsEx(LPCWSTR, DEVMODEW* mode, HWND, DWORD flags, LPVOID)
{
    if (!mode || mode->dmSize != sizeof(DEVMODEW) || !(mode->dmFields & DM_DISPLAYORIENTATION)) {
        return DISP_CHANGE_BADMODE;
    }
    std::lock_guard guard(g_lock);
    if (flags & CDS_TEST) {
        mode->dmDisplayOrientation = g_orientation;
        return DISP_CHANGE_SUCCESSFUL;
    }
    ++g_orientationChanges;
    g_lastRequest = mode->dmDisplayOrientation;
    return mode->dmDisplayOrientation == g_orientation ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_BADMODE;
}

namespace wince {

void setDisplayOrientation(DWORD orientation)
{
    std::lock_guard guard(g_lock);
    g_orientation = orientation;
}

uint32_t displayChanges(DWORD* lastRequested)
{
    std::lock_guard guard(g_lock);
    if (lastRequested) {
        *lastRequested = g_lastRequest;
    }
    return g_orientationChanges;
}

std::vector<uint16_t> windowFrame(HWND window, INT* width, INT* height)
{
    std::lock_guard guard(wince_ui::windowsLock());
    if (!wince_ui::isLiveWindow(window)) {
        return {};
    }
    if (width) {
        *width = window->width;
    }
    if (height) {
        *height = window->height;
    }
    return window->frame;
}

uint32_t windowPresents(HWND window)
{
    std::lock_guard guard(wince_ui::windowsLock());
    return wince_ui::isLiveWindow(window) ? window->presents : 0;
}

}  // namespace wince
