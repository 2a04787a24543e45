// Bitmap fonts: glyphs rendered from a DejaVu face with FreeType, as a
// picture of the glyphs and a Gob set cut from it that a RichFont reads.
//
//   entry MENU_FONT_SHEET fontsheet menu.font
//   entry MENU_FONT font menu.font image=MENU_FONT_SHEET
//
// Both entries read the same definition (and render it the same way):
//
//   face DejaVuSans-Bold       a face of the DejaVu folder (VX_FONT_DIR
//                              overrides /usr/share/fonts/truetype/dejavu)
//   size 12                    pixel size
//   chars 32-126 0xE9 0x20AC   characters: codes and ranges, at least 7
//   color 0xFFFFFFFF           glyph colour, ARGB (default white)
//   line 14                    line height (default: the font height)
//   missing 4                  advance of a character without a glyph
//                              (default: the advance of a space)
//   anchoradvance 1            anchor by the advance sum, not the ink
//   metric5 0                  the font's fifth metric
//
// Glyph i is Gob i, sorted by code (a glyph without pixels, such as the
// space, shows one clear pixel): its code as the difference to the
// previous glyph's (high byte in xOffset, low byte in yOffset), its drawing
// offset from the pen (pen at the line's top-left) in collisionX and
// collisionY, its advance as the collision width. Glyphs 0 to 6 carry in
// their collision height the height, baseline, missing advance, 255 (the
// set is not yet converted), line height, metric 5 and anchoradvance.

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include "EntryType.h"
#include "GobSetWriter.h"

namespace packbuilder {

namespace {

constexpr int32_t SHEET_WIDTH = 256;
constexpr int32_t METRIC_GLYPHS = 7;
constexpr int32_t MAX_SIZE = 200;

struct FontDefinition {
    std::string face;
    int32_t size = 0;
    std::set<int32_t> chars;
    uint32_t color = 0xFFFFFFFF;
    int32_t line = -1;
    int32_t missing = -1;
    int32_t anchorAdvance = 0;
    int32_t metric5 = 0;
};

struct Glyph {
    int32_t code;
    int32_t left, top, width, height, advance;
    std::vector<uint8_t> coverage; // width * height, 0..255
    int32_t x = 0, y = 0;          // in the sheet
};

struct RenderedFont {
    int32_t height, baseline, line, missing, anchorAdvance, metric5;
    uint32_t color;
    std::vector<Glyph> glyphs;
    int32_t sheetWidth = 1, sheetHeight = 1;
};

FontDefinition readDefinition(EntryContext& entry)
{
    FontDefinition font;
    for (const SourceLine& line : entry.readSourceLines()) {
        const std::string& where = line.where;
        std::istringstream words(line.text);
        std::string key, value;
        if (!(words >> key))
            continue;
        std::vector<std::string> values;
        while (words >> value)
            values.push_back(value);
        if (values.empty())
            throw BuildError(where + key + " needs a value");
        if (key == "chars") {
            for (const std::string& range : values) {
                size_t dash = range.find('-', 1);
                int32_t first = int32_t(parseNumber(range.substr(0, dash), 1, 0xFFFF, where + key));
                int32_t last = first;
                if (dash != std::string::npos)
                    last = int32_t(parseNumber(range.substr(dash + 1), first, 0xFFFF, where + key));
                for (int32_t c = first; c <= last; c++)
                    font.chars.insert(c);
            }
            continue;
        }
        if (values.size() != 1)
            throw BuildError(where + key + " takes one value");
        if (key == "face") {
            if (values[0].find('/') != std::string::npos)
                throw BuildError(where + "a face is named without a folder: " + values[0]);
            font.face = values[0];
        } else if (key == "size") {
            font.size = int32_t(parseNumber(values[0], 1, MAX_SIZE, where + key));
        } else if (key == "color") {
            font.color = uint32_t(parseNumber(values[0], 0, 0xFFFFFFFF, where + key));
        } else if (key == "line") {
            font.line = int32_t(parseNumber(values[0], 0, 32767, where + key));
        } else if (key == "missing") {
            font.missing = int32_t(parseNumber(values[0], 0, 32767, where + key));
        } else if (key == "anchoradvance") {
            font.anchorAdvance = int32_t(parseNumber(values[0], 0, 1, where + key));
        } else if (key == "metric5") {
            font.metric5 = int32_t(parseNumber(values[0], -32768, 32767, where + key));
        } else {
            throw BuildError(where + "unknown key " + key);
        }
    }
    if (font.face.empty() || font.size == 0)
        throw BuildError("a font needs a face and a size");
    if (font.chars.size() < size_t(METRIC_GLYPHS))
        throw BuildError("a font needs at least 7 characters");
    return font;
}

std::string faceFile(const std::string& face)
{
    const char* dir = std::getenv("VX_FONT_DIR");
    return std::string(dir && *dir ? dir : "/usr/share/fonts/truetype/dejavu") + "/" + face + ".ttf";
}

int32_t ceil26(FT_Pos v)
{
    return int32_t((v + 63) >> 6);
}

// Renders every glyph and places it in the sheet, rows of glyphs one
// pixel apart.
RenderedFont render(EntryContext& entry)
{
    FontDefinition definition = readDefinition(entry);
    std::vector<uint8_t> faceBytes = entry.readFile(faceFile(definition.face));
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        throw BuildError("FreeType does not start");
    struct Done {
        FT_Library library;
        FT_Face face = nullptr;
        ~Done()
        {
            if (face)
                FT_Done_Face(face);
            FT_Done_FreeType(library);
        }
    } done{library};
    if (FT_New_Memory_Face(library, faceBytes.data(), FT_Long(faceBytes.size()), 0, &done.face) != 0)
        throw BuildError("not a font face: " + definition.face);
    FT_Face face = done.face;
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(definition.size)) != 0)
        throw BuildError("the face has no size " + std::to_string(definition.size));

    RenderedFont font;
    font.baseline = ceil26(face->size->metrics.ascender);
    font.height = font.baseline + ceil26(-face->size->metrics.descender);
    font.line = definition.line >= 0 ? definition.line : font.height;
    font.anchorAdvance = definition.anchorAdvance;
    font.metric5 = definition.metric5;
    font.color = definition.color;
    font.missing = definition.missing;
    if (font.missing < 0) {
        if (FT_Load_Char(face, ' ', FT_LOAD_DEFAULT) != 0)
            throw BuildError("the face has no space");
        font.missing = int32_t((face->glyph->advance.x + 32) >> 6);
    }

    // The pixel at (0, 0) stays clear for the empty glyphs.
    int32_t penX = 2, penY = 0, rowHeight = 1;
    for (int32_t code : definition.chars) {
        if (FT_Get_Char_Index(face, FT_ULong(code)) == 0)
            throw BuildError(definition.face + " has no glyph for " + std::to_string(code));
        if (FT_Load_Char(face, FT_ULong(code), FT_LOAD_RENDER) != 0)
            throw BuildError("cannot render " + std::to_string(code));
        FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.width != 0)
            throw BuildError("the face does not render in grey levels");
        Glyph glyph{code, slot->bitmap_left, font.baseline - slot->bitmap_top, int32_t(bitmap.width),
                    int32_t(bitmap.rows), int32_t((slot->advance.x + 32) >> 6), {}};
        glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.height));
        for (int32_t y = 0; y < glyph.height; y++) {
            const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
            std::copy(row, row + glyph.width, glyph.coverage.begin() + ptrdiff_t(y) * glyph.width);
        }
        if (glyph.width == 0 || glyph.height == 0) {
            // A Gob needs pixels: an empty glyph shows the sheet's clear
            // corner pixel, resting on the baseline.
            glyph.left = 0;
            glyph.top = font.baseline - 1;
            glyph.width = glyph.height = 1;
            glyph.coverage.assign(1, 0);
        } else {
            if (glyph.width > SHEET_WIDTH)
                throw BuildError("a glyph wider than the sheet");
            if (penX + glyph.width > SHEET_WIDTH) {
                penX = 0;
                penY += rowHeight + 1;
                rowHeight = 0;
            }
            glyph.x = penX;
            glyph.y = penY;
            penX += glyph.width + 1;
            rowHeight = std::max(rowHeight, glyph.height);
            font.sheetWidth = std::max(font.sheetWidth, glyph.x + glyph.width);
            font.sheetHeight = std::max(font.sheetHeight, glyph.y + glyph.height);
        }
        font.glyphs.push_back(std::move(glyph));
    }
    return font;
}

uint32_t pixelOf(uint32_t color, uint8_t coverage)
{
    uint32_t alpha = (color >> 24) * coverage / 255;
    return alpha << 24 | (color & 0xFFFFFF);
}

std::vector<uint8_t> encodeSheet(EntryContext& entry)
{
    RenderedFont font = render(entry);
    size_t stride = size_t(font.sheetWidth) * 4;
    std::vector<uint8_t> rgba(stride * size_t(font.sheetHeight), 0);
    for (const Glyph& glyph : font.glyphs) {
        for (int32_t y = 0; y < glyph.height; y++) {
            for (int32_t x = 0; x < glyph.width; x++) {
                uint32_t argb = pixelOf(font.color, glyph.coverage[size_t(y * glyph.width + x)]);
                uint8_t* p = &rgba[size_t(glyph.y + y) * stride + size_t(glyph.x + x) * 4];
                p[0] = uint8_t(argb >> 16);
                p[1] = uint8_t(argb >> 8);
                p[2] = uint8_t(argb);
                p[3] = uint8_t(argb >> 24);
            }
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(font.sheetWidth);
    image.height = png_uint_32(font.sheetHeight);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        throw BuildError(std::string("cannot write the glyph picture: ") + image.message);
    std::vector<uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr))
        throw BuildError(std::string("cannot write the glyph picture: ") + image.message);
    png.resize(size);
    return png;
}

// 1 every pixel opaque, 2 some fully transparent and none translucent, 3 a
// translucent pixel; 0 for a glyph without pixels.
int32_t transparencyOf(const Glyph& glyph, uint32_t color)
{
    if (glyph.coverage.empty())
        return 0;
    int32_t kind = 1;
    for (uint8_t c : glyph.coverage) {
        uint32_t alpha = pixelOf(color, c) >> 24;
        if (alpha != 0 && alpha != 255)
            return 3;
        if (alpha == 0)
            kind = 2;
    }
    return kind;
}

std::vector<uint8_t> encodeFont(EntryContext& entry)
{
    int32_t imageId = gobSetImage(entry);
    RenderedFont font = render(entry);
    const int32_t metrics[METRIC_GLYPHS] = {font.height, font.baseline, font.missing, 255,
                                            font.line, font.metric5, font.anchorAdvance};
    std::vector<GobRecord> gobs;
    int32_t previous = 0;
    for (size_t i = 0; i < font.glyphs.size(); i++) {
        const Glyph& glyph = font.glyphs[i];
        int32_t delta = glyph.code - previous;
        previous = glyph.code;
        GobRecord gob;
        gob.record = {delta >> 8, int8_t(delta & 0xFF), glyph.x, glyph.y, glyph.width, glyph.height,
                      glyph.left, glyph.top, glyph.advance,
                      i < size_t(METRIC_GLYPHS) ? metrics[i] : 0};
        for (int32_t v : gob.record) {
            if (v < -32768 || v > 32767)
                throw BuildError("glyph " + std::to_string(glyph.code) + " beyond 16 bits");
        }
        if (glyph.advance < 0)
            throw BuildError("glyph " + std::to_string(glyph.code) + " advances backwards");
        gob.transparency = transparencyOf(glyph, font.color);
        gobs.push_back(gob);
    }
    return writeGobSet(imageId, gobs);
}

EntryTypeRegistrar fontsheet("fontsheet", -3, &encodeSheet, true);
EntryTypeRegistrar fontGlyphs("font", -1, &encodeFont);

} // namespace

} // namespace packbuilder
