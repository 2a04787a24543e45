#pragma once
// tq.platform.ExtendedGraphics: the platform extension on this platform's
// Graphics, which has alpha and gradient fills of its own. Gradients are
// always opaque; translucent fills set the alpha only for their one fill.

#include "tq/platform/PlatformExtension.h"

namespace tq::platform {

class ExtendedGraphics : public virtual java::lang::Object, public virtual PlatformExtension {
    VM_CLASS(ExtendedGraphics, java::lang::Object)

    VMPtr<ExtendedGraphics> init();

    void fillGradientRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t colorFrom, int32_t colorTo, bool horizontal) override;
    void fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                      int32_t x3, int32_t y3, int32_t alpha) override;
    void fillRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t alpha) override;
    // The Graphics transform hook, which draws nothing differently here.
    void setTransform(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, float scaleX,
                      float scaleY) override;
};

} // namespace tq::platform
