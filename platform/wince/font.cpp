// Text: CreateFontIndirectW, GetTextMetricsW and DrawTextW on FreeType, with
// the DejaVu faces in place of the device's: "Courier New" is DejaVu Sans
// Mono, every other face DejaVu Sans; a " Bold" face name or a bold weight
// takes the bold face, italic the oblique one. Glyphs are antialiased into
// the DC's 16-bit bitmap.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "wince/detail/gdi.h"
#include "wince/errors.h"

namespace {

std::mutex g_ftLock;  // FreeType's library and faces are used by one thread at a time
FT_Library g_library = nullptr;

// The folder of the DejaVu faces; VX_FONT_DIR overrides it.
std::string fontFolder()
{
    const char* dir = std::getenv("VX_FONT_DIR");
    return dir && *dir ? dir : "/usr/share/fonts/truetype/dejavu";
}

std::string fontFile(const LOGFONTW& font)
{
    std::u16string name(font.lfFaceName, std::char_traits<char16_t>::length(font.lfFaceName));
    bool bold = font.lfWeight >= 600;
    const std::u16string boldSuffix = u" Bold";
    if (name.size() > boldSuffix.size() && name.ends_with(boldSuffix)) {
        bold = true;
        name.resize(name.size() - boldSuffix.size());
    }
    std::string file = name == u"Courier New" ? "DejaVuSansMono" : "DejaVuSans";
    if (bold && font.lfItalic) {
        file += "-BoldOblique";
    } else if (bold) {
        file += "-Bold";
    } else if (font.lfItalic) {
        file += "-Oblique";
    }
    return fontFolder() + "/" + file + ".ttf";
}

INT ceil26(FT_Pos v)
{
    return static_cast<INT>((v + 63) >> 6);
}

// Advance of one character in pixels (hinted); caller holds g_ftLock.
INT advanceOf(FT_Face face, char16_t c, FT_Int32 flags)
{
    if (FT_Load_Char(face, c, flags) != 0) {
        return 0;
    }
    return static_cast<INT>((face->glyph->advance.x + 32) >> 6);
}

INT widthOf(FT_Face face, LPCWSTR text, INT count)
{
    INT width = 0;
    for (INT i = 0; i < count; ++i) {
        width += advanceOf(face, text[i], FT_LOAD_DEFAULT);
    }
    return width;
}

// Blends coverage (0..255) of the colour into an RGB565 pixel.
uint16_t blend565(uint16_t d, COLORREF colour, unsigned coverage)
{
    int dr = (d >> 11) & 31, dg = (d >> 5) & 63, db = d & 31;
    int sr = (colour & 0xFF) >> 3, sg = ((colour >> 8) & 0xFF) >> 2, sb = ((colour >> 16) & 0xFF) >> 3;
    int c = static_cast<int>(coverage);
    dr += ((sr - dr) * c + 127) / 255;
    dg += ((sg - dg) * c + 127) / 255;
    db += ((sb - db) * c + 127) / 255;
    return static_cast<uint16_t>((dr << 11) | (dg << 5) | db);
}

}  // namespace

namespace wince_gdi {

HFONT createFont(const LOGFONTW& logical)
{
    std::lock_guard guard(g_ftLock);
    if (!g_library && FT_Init_FreeType(&g_library) != 0) {
        g_library = nullptr;
        return nullptr;
    }
    FT_Face face = nullptr;
    std::string file = fontFile(logical);
    if (FT_New_Face(g_library, file.c_str(), 0, &face) != 0) {
        static std::once_flag logged;
        std::call_once(logged, [&file] { std::fprintf(stderr, "CreateFontIndirectW: no face %s\n", file.c_str()); });
        return nullptr;
    }
    // A positive height is the cell height, a negative one the em height.
    LONG height = logical.lfHeight == 0 ? 12 : logical.lfHeight;
    FT_Size_RequestRec request{};
    request.type = height > 0 ? FT_SIZE_REQUEST_TYPE_CELL : FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = static_cast<FT_Long>(height > 0 ? height : -static_cast<int64_t>(height)) * 64;
    if (request.height > 1000 * 64 || FT_Request_Size(face, &request) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto* font = new HFONT__;
    font->logical = logical;
    font->face = face;
    font->ascent = ceil26(face->size->metrics.ascender);
    font->descent = ceil26(-face->size->metrics.descender);
    registerFont(font);
    return font;
}

void destroyFont(HFONT font)
{
    std::lock_guard guard(g_ftLock);
    FT_Done_Face(font->face);
    delete font;
}

}  // namespace wince_gdi

// ---- CreateFontIndirectW -----------------------------------------------------
HFONT CreateFontIndirectW(const LOGFONTW* font)
{
    if (!font) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return wince_gdi::createFont(*font);
}

// ---- GetTextMetricsW: of the DC's selected font ------------------------------
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics)
{
    if (!dc || !metrics || !wince_gdi::isFont(static_cast<HGDIOBJ>(fontObject(dc->font)))) {
        return FALSE;
    }
    HFONT font = dc->font;
    *metrics = TEXTMETRICW{};
    metrics->tmAscent = font->ascent;
    metrics->tmDescent = font->descent;
    metrics->tmHeight = font->ascent + font->descent;
    metrics->tmExternalLeading = 0;
    metrics->tmItalic = font->logical.lfItalic;
    metrics->tmUnderlined = font->logical.lfUnderline;
    metrics->tmWeight = font->logical.lfWeight;
    std::lock_guard guard(g_ftLock);
    metrics->tmMaxCharWidth = ceil26(font->face->size->metrics.max_advance);
    metrics->tmAveCharWidth = advanceOf(font->face, u'x', FT_LOAD_DEFAULT);
    return TRUE;
}

// ---- DrawTextW ---------------------------------------------------------------------
INT DrawTextW(HDC dc, LPCWSTR text, INT count, RECT* rect, UINT format)
{
    if (!dc || !rect || !text || !wince_gdi::isFont(static_cast<HGDIOBJ>(fontObject(dc->font)))) {
        return 0;
    }
    if (count < 0) {
        count = static_cast<INT>(std::char_traits<char16_t>::length(text));
    }
    HFONT font = dc->font;
    INT height = font->ascent + font->descent;
    std::lock_guard guard(g_ftLock);
    FT_Face face = font->face;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widthOf(face, text, count);
        rect->bottom = rect->top + height;
        return height;
    }
    HBITMAP target = dc->bitmap;
    if (dc->windowDc || !target) {
        return 0;  // text is drawn into memory DCs only
    }
    // The clip: the rectangle within the bitmap.
    int64_t left = std::max<int64_t>(rect->left, 0), top = std::max<int64_t>(rect->top, 0);
    int64_t right = std::min<int64_t>(rect->right, target->width);
    int64_t bottom = std::min<int64_t>(rect->bottom, target->height);
    if (left >= right || top >= bottom) {
        return height;
    }
    if (dc->backgroundMode == OPAQUE) {
        static std::once_flag logged;
        std::call_once(logged, [] { std::fprintf(stderr, "DrawTextW: opaque background not drawn\n"); });
    }
    int64_t penX = rect->left;
    int64_t baseline = static_cast<int64_t>(rect->top) + font->ascent;
    auto plot = [&](int64_t x, int64_t y, unsigned coverage) {
        if (coverage && x >= left && x < right && y >= top && y < bottom) {
            uint16_t* p = target->row(static_cast<INT>(y)) + x;
            *p = blend565(*p, dc->textColour, coverage);
        }
    };
    for (INT i = 0; i < count && penX < right; ++i) {
        if (FT_Load_Char(face, text[i], FT_LOAD_RENDER) != 0) {
            continue;
        }
        FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bits = glyph->bitmap;
        if (bits.pixel_mode == FT_PIXEL_MODE_GRAY) {
            for (unsigned r = 0; r < bits.rows; ++r) {
                const unsigned char* row = bits.buffer + static_cast<ptrdiff_t>(r) * bits.pitch;
                for (unsigned c = 0; c < bits.width; ++c) {
                    plot(penX + glyph->bitmap_left + c, baseline - glyph->bitmap_top + r, row[c]);
                }
            }
        }
        penX += (glyph->advance.x + 32) >> 6;
    }
    if (font->logical.lfUnderline) {
        for (int64_t x = rect->left; x < penX; ++x) {
            plot(x, baseline + 1, 255);
        }
    }
    return height;
}
