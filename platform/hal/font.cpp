// Fonts: the font cache keyed by face, size and style, text metrics and
// string widths; and the display orientation table.

#include <algorithm>
#include <new>
#include <string>

#include "hal/HALFont.h"
#include "hal/font.h"
#include "hal/properties.h"
#include "hal/window.h"

namespace {

// Faces 3 x sizes 3 x styles 8 (all three style bits, so a combined style
// never returns a font of another style).
constexpr int kSlots = 3 * 3 * 8;
HALFont* g_fonts[kSlots] = {};
bool g_cacheMade = false;

int faceIndex(int32_t face)
{
    return face == 32 ? 1 : face == 64 ? 2 : 0;
}

int sizeIndex(int32_t size)
{
    return size == 0 ? 1 : size == 16 ? 2 : 0;
}

int32_t pointsOf(int32_t size)
{
    return size == 0 ? 9 : size == 16 ? 12 : 7;
}

HALFont* makeFont(int32_t face, int32_t style, int32_t size)
{
    HWND window = HAL_getMainWindow();
    HDC dc = GetDC(window);
    if (!dc) {
        return nullptr;
    }
    LOGFONTW logical{};
    logical.lfHeight = GetDeviceCaps(dc, LOGPIXELSY) * pointsOf(size) / 72;
    logical.lfItalic = (style & 2) ? 1 : 0;
    logical.lfUnderline = (style & 4) ? 1 : 0;
    std::u16string name = face == 32 ? u"Courier New" : u"Tahoma";
    if (style & 1) {
        name += u" Bold";
    }
    name.copy(logical.lfFaceName, LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&logical);
    auto* font = handle ? new (std::nothrow) HALFont : nullptr;
    if (!font) {
        if (handle) {
            DeleteObject(reinterpret_cast<HGDIOBJ>(handle));
        }
        ReleaseDC(window, dc);
        return nullptr;
    }
    font->handle = handle;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(handle));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    font->height = metrics.tmHeight + metrics.tmExternalLeading;
    font->ascent = metrics.tmAscent;
    return font;
}

// The orientation table, application orientation to device orientation,
// and the last orientation set (4: none).
int32_t g_orientationTable[4] = {0, 1, 2, 3};
int32_t g_requested = 4;

constexpr DWORD kDeviceOrientation[4] = {DMDO_0, DMDO_90, DMDO_180, DMDO_270};

int32_t applyDevice(int32_t device)
{
    DEVMODEW mode{};
    mode.dmSize = sizeof(DEVMODEW);
    mode.dmFields = DM_DISPLAYORIENTATION;
    mode.dmDisplayOrientation = device >= 0 && device < 4 ? kDeviceOrientation[device] : DMDO_0;
    return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL ? 0 : 8;
}

// The device orientation as an index 0..3, or 4 when it is none of them.
int32_t deviceIndex()
{
    DEVMODEW mode{};
    mode.dmSize = sizeof(DEVMODEW);
    mode.dmFields = DM_DISPLAYORIENTATION;
    if (ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr) != DISP_CHANGE_SUCCESSFUL) {
        return 4;
    }
    for (int32_t i = 0; i < 4; ++i) {
        if (mode.dmDisplayOrientation == kDeviceOrientation[i]) {
            return i;
        }
    }
    return 4;
}

}  // namespace

int32_t HAL_createFontCache()
{
    g_cacheMade = true;
    return 0;
}

void HAL_releaseFontCache()
{
    for (HALFont*& font : g_fonts) {
        if (font) {
            DeleteObject(reinterpret_cast<HGDIOBJ>(font->handle));
            delete font;
            font = nullptr;
        }
    }
    g_cacheMade = false;
}

int32_t HAL_getFont(HALFont** out, int32_t face, int32_t style, int32_t size)
{
    if (!out) {
        return 2;
    }
    int slot = (faceIndex(face) * 3 + sizeIndex(size)) * 8 + (style & 7);
    if (!g_fonts[slot]) {
        g_fonts[slot] = makeFont(face, style & 7, size);
        if (!g_fonts[slot]) {
            *out = nullptr;
            return 2;
        }
    }
    *out = g_fonts[slot];
    return 0;
}

int32_t HAL_getFontHeight(const HALFont* font)
{
    return font ? font->height : 0;
}

int32_t HAL_getFontAscent(const HALFont* font)
{
    return font ? font->ascent : 0;
}

int32_t HAL_getStringWidth(const HALFont* font, const char16_t* characters, int32_t count)
{
    if (!font || !characters || count < 1) {
        return 0;
    }
    HWND window = HAL_getMainWindow();
    HDC dc = GetDC(window);
    if (!dc) {
        return 0;
    }
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(font->handle));
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, characters, count, &rect, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return rect.right;
}

void HAL_loadOrientationTable()
{
    static constexpr const char16_t* kKeys[4] = {u"WinceDisplayOrientation0", u"WinceDisplayOrientation90",
                                                 u"WinceDisplayOrientation180", u"WinceDisplayOrientation270"};
    for (int32_t i = 0; i < 4; ++i) {
        g_orientationTable[i] = i;
        std::u16string key = kKeys[i];
        int32_t keyLength = static_cast<int32_t>(key.size());
        int32_t length = HAL_getApplicationPropertyLength(key.c_str(), keyLength);
        if (length <= 0) {
            continue;
        }
        std::u16string value(static_cast<size_t>(length), u'\0');
        if (HAL_getApplicationProperty(key.c_str(), keyLength, value.data(), &length) != 0) {
            continue;
        }
        value.resize(static_cast<size_t>(std::max(length, 0)));
        if (value == u"normal") {
            g_orientationTable[i] = 0;
        } else if (value == u"rotate90ccw") {
            g_orientationTable[i] = 1;
        } else if (value == u"rotate180") {
            g_orientationTable[i] = 2;
        } else if (value == u"rotate90cw") {
            g_orientationTable[i] = 3;
        }
    }
    g_requested = 4;
}

int32_t HAL_readDeviceOrientation(int32_t* orientation)
{
    if (!orientation) {
        return 2;
    }
    int32_t index = deviceIndex();
    *orientation = index == 4 ? 4 : g_orientationTable[index];
    return 0;
}

int32_t HAL_applyOrientation(int32_t orientation)
{
    g_requested = orientation;
    if (orientation == 4) {
        return 0;
    }
    if (orientation < 0 || orientation > 3) {
        return 2;
    }
    return applyDevice(g_orientationTable[orientation]);
}

void HAL_reapplyOrientation()
{
    if (g_requested < 0 || g_requested > 3) {
        return;
    }
    int32_t wanted = g_orientationTable[g_requested];
    if (deviceIndex() != wanted) {
        applyDevice(wanted);
    }
}

int32_t HAL_getOrientation(int32_t* orientation)
{
    return HAL_readDeviceOrientation(orientation);
}

int32_t HAL_setOrientation(int32_t orientation)
{
    return HAL_applyOrientation(orientation);
}
