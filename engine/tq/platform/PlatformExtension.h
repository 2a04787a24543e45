#pragma once
// tq.platform.PlatformExtension: drawing effects beyond MIDP (gradient
// fills, translucent fills, a transform) that the canvas asks of the
// platform.

#include <cstdint>

#include "javax/microedition/lcdui/Graphics.h"

namespace tq::platform {

class PlatformExtension : public virtual java::lang::Object {
    VM_INTERFACE(PlatformExtension)

    using Graphics = javax::microedition::lcdui::Graphics;

    // horizontal: the colour steps column by column, else row by row.
    virtual void fillGradientRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width,
                                  int32_t height, int32_t colorFrom, int32_t colorTo,
                                  bool horizontal) = 0;
    // Fills with g's colour at the given alpha; g's alpha is left as it was.
    virtual void fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                              int32_t x3, int32_t y3, int32_t alpha) = 0;
    virtual void fillRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t alpha) = 0;
    virtual void setTransform(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, float scaleX,
                              float scaleY) = 0;
};

} // namespace tq::platform
