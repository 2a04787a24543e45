#pragma once
// GDI as the platform layer calls it: device contexts, 16-bit bitmaps and DIB
// sections, BitBlt (to memory and to the window, which the SDL backend
// presents), FreeType text in place of the device's fonts, device caps and a
// display that keeps its one orientation.

#include "wince/types.h"
#include "wince/user.h"

// Any GDI object; the typed handles convert to it.
typedef void* HGDIOBJ;
typedef struct HBITMAP__* HBITMAP;
typedef struct HFONT__* HFONT;
typedef DWORD COLORREF;

#define RGB(r, g, b) \
    (static_cast<COLORREF>((static_cast<BYTE>(r)) | (static_cast<DWORD>(static_cast<BYTE>(g)) << 8) | \
                           (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))

#define SRCCOPY 0x00CC0020u
#define TRANSPARENT 1
#define OPAQUE 2
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define BITSPIXEL 12
#define HORZRES 8
#define VERTRES 10
#define BI_RGB 0u
#define BI_BITFIELDS 3u
#define DIB_RGB_COLORS 0u

// DrawTextW formats.
#define DT_LEFT 0x0000u
#define DT_SINGLELINE 0x0020u
#define DT_NOCLIP 0x0100u
#define DT_CALCRECT 0x0400u
#define DT_NOPREFIX 0x0800u

#define LF_FACESIZE 32

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

// With BI_BITFIELDS the three colour masks follow the header as DWORDs.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[3];
};

struct LOGFONTW {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    WCHAR tmFirstChar;
    WCHAR tmLastChar;
    WCHAR tmDefaultChar;
    WCHAR tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};

// Display settings: only the orientation fields are read.
#define DM_DISPLAYORIENTATION 0x00800000u
#define DMDO_0 0u
#define DMDO_90 1u
#define DMDO_180 2u
#define DMDO_270 4u
#define CDS_TEST 0x00000002u
#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_BADMODE (-2)

struct DEVMODEW {
    WCHAR dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
    BYTE dmUnused[108];  // fields the layer never reads
    DWORD dmDisplayOrientation;
    DWORD dmDisplayQuality;
};
static_assert(sizeof(DEVMODEW) == 192);

HDC GetDC(HWND window);
INT ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// Returns the object of the same kind that was selected before.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
// Only 16-bit RGB565 bitmaps; the bits are copied.
HBITMAP CreateBitmap(INT width, INT height, UINT planes, UINT bitsPerPixel, const void* bits);
// Only 16-bit BI_BITFIELDS sections with the RGB565 masks; a positive
// height is bottom-up. The section's bits stay valid until DeleteObject.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
// SRCCOPY between 16-bit surfaces; a window DC as destination is shown in the
// window.
BOOL BitBlt(HDC destination, INT x, INT y, INT width, INT height, HDC source, INT xSource,
            INT ySource, DWORD rop);
INT SetBkMode(HDC dc, INT mode);
COLORREF SetTextColor(HDC dc, COLORREF colour);
INT GetDeviceCaps(HDC dc, INT index);

HFONT CreateFontIndirectW(const LOGFONTW* font);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
// One line of text, left aligned, clipped to the rectangle; mnemonic
// prefixes are never processed ("&" is drawn as is). DT_CALCRECT measures
// only: right and bottom are set from left and top.
INT DrawTextW(HDC dc, LPCWSTR text, INT count, RECT* rect, UINT format);

LONG ChangeDisplaySettingsEx(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags, LPVOID param);
