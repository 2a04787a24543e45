#pragma once
// Inside the GDI stand-in: the object records behind the handles. Only the
// stand-in's own sources include this file.

#include <cstdint>
#include <vector>

#include "wince/gdi.h"

// Every GDI object starts with its kind.
struct GdiObject {
    enum class Kind { Bitmap, Font };
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
    const Kind kind;
};

// A 16-bit RGB565 surface; stride is in pixels. A bottom-up surface keeps
// GDI row 0 in its last memory row.
struct HBITMAP__ : GdiObject {
    HBITMAP__() : GdiObject(Kind::Bitmap) {}
    INT width = 0;
    INT height = 0;
    INT stride = 0;
    bool bottomUp = false;
    std::vector<uint16_t> storage;

    uint16_t* row(INT y) { return storage.data() + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride; }
};

struct FT_FaceRec_;

// A font: what it was asked for and its FreeType face at the cell size.
struct HFONT__ : GdiObject {
    HFONT__() : GdiObject(Kind::Font) {}
    LOGFONTW logical{};
    FT_FaceRec_* face = nullptr;
    INT ascent = 0;
    INT descent = 0;
};

inline GdiObject* fontObject(HFONT font)
{
    return font;
}

struct HDC__ {
    bool windowDc = false;  // from GetDC (window null: the screen), else a memory DC
    HWND window = nullptr;
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    COLORREF textColour = 0;
    INT backgroundMode = OPAQUE;
};

namespace wince_gdi {

// The object behind a handle (the handle of the object's own type).
inline GdiObject* objectOf(HGDIOBJ handle)
{
    return static_cast<GdiObject*>(handle);
}
// Whether the handle is a live object of that kind.
bool isBitmap(HGDIOBJ object);
bool isFont(HGDIOBJ object);
// Fonts: their FreeType side is made and freed by the text stand-in.
HFONT createFont(const LOGFONTW& font);
// Adds a new font to the live objects.
void registerFont(HFONT font);
void destroyFont(HFONT font);

}  // namespace wince_gdi
