#pragma once
// Bitmap fonts built in code for the text tests: converted glyph sets of
// solid blocks, and the ink box of what was drawn into an image.

#include <cstdint>
#include <vector>

#include "javax/microedition/lcdui/Image.h"
#include "tq/Gob.h"

struct GlyphDraft {
    char16_t code;
    int32_t advance, xOffset, yOffset, width, height;
    uint32_t colour;
};

// Metrics of glyphs 0 to 6: height, baseline, missing advance, marker,
// line height, metric 5, advance anchoring.
struct GlyphMetrics {
    int32_t values[7];
};

// One Gob per glyph draft, in the order given (converted: the code in
// collisionX, the drawing offset in xOffset and yOffset).
inline VMPtr<tq::Gob::GobArray> glyphSet(const std::vector<GlyphDraft>& glyphs,
                                         const GlyphMetrics& metrics)
{
    using IntArray = VMArray<int32_t, 1>;
    VMPtr<tq::Gob::GobArray> set = tq::Gob::GobArray::newArray(int32_t(glyphs.size()));
    for (size_t i = 0; i < glyphs.size(); i++) {
        const GlyphDraft& s = glyphs[i];
        VMPtr<IntArray> pixels = IntArray::newArray(s.width * s.height);
        for (int32_t p = 0; p < s.width * s.height; p++)
            (*pixels)[p] = int32_t(s.colour);
        VMPtr<tq::Gob> glyph = tq::Gob::create(pixels, s.width, s.height, true);
        glyph->xOffset = int16_t(s.xOffset);
        glyph->yOffset = int16_t(s.yOffset);
        glyph->collisionX = int16_t(s.code);
        glyph->collisionY = 0;
        glyph->collisionWidth = int16_t(s.advance);
        glyph->collisionHeight = int16_t(i < 7 ? metrics.values[i] : 0);
        set->set(int32_t(i), glyph);
    }
    return set;
}

struct InkBox {
    int32_t x, y, width, height; // width 0: no ink

    bool operator==(const InkBox&) const = default;
};

// The box of the pixels that differ from the top-left one, the background.
inline InkBox inkBox(const VMPtr<javax::microedition::lcdui::Image>& image)
{
    int32_t w = image->getWidth(), h = image->getHeight();
    VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::newArray(w * h);
    image->getRGB(rgb, 0, w, 0, 0, w, h);
    uint32_t background = uint32_t((*rgb)[0]);
    int32_t left = w, top = h, right = -1, bottom = -1;
    for (int32_t y = 0; y < h; y++) {
        for (int32_t x = 0; x < w; x++) {
            if (uint32_t((*rgb)[y * w + x]) == background)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {0, 0, 0, 0};
    return {left, top, right - left + 1, bottom - top + 1};
}

inline std::ostream& operator<<(std::ostream& out, const InkBox& b)
{
    return out << "(" << b.x << ", " << b.y << ", " << b.width << " x " << b.height << ")";
}
