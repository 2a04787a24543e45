#pragma once
// tq.GobAlphaImage: a Gob that paints with a constant opacity (0 nothing,
// 255 as is) over its image's own alpha, and can rebuild its image through
// a pixel filter. Made from any Gob, keeping its geometry and sharing its
// image until a filter gives it a new one.

#include <cstdint>

#include "tq/Gob.h"

namespace tq {

class GobAlphaImage : public Gob {
    VM_CLASS(GobAlphaImage, Gob)

    // A new alpha Gob (alpha 0) before its init.
    static VMPtr<GobAlphaImage> create() { return newInstance(); }
    // The source's geometry, image and state; alpha 255.
    VMPtr<GobAlphaImage> init(VMPtr<Gob> source);

    void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t transform) override;
    using Gob::paint;
    VMPtr<GobAlphaImage> toAlphaImage() override;
    bool isAlphaImage() override;
    // The low 16 bits; painting hands the value to the Graphics.
    void setAlpha(int32_t value) override;
    // The filtered pixels become the image; opaque results make the
    // transparency class 1. A failing filter leaves the old image.
    void applyFilter(VMPtr<graphics::RGBFilter> filter) override;
    int32_t getAlpha() override;

    // The image's pixels, row by row.
    VMPtr<IntArray> getPixels();

    int16_t alpha = 0;
};

} // namespace tq
