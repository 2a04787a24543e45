#include "tq/platform/ExtendedGraphics.h"

#include <bit>

namespace tq::platform {

VMPtr<ExtendedGraphics> ExtendedGraphics::init()
{
    Object::init();
    return VMPtr<ExtendedGraphics>(this);
}

void ExtendedGraphics::fillGradientRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width,
                                        int32_t height, int32_t colorFrom, int32_t colorTo,
                                        bool horizontal)
{
    constexpr int32_t opaque = int32_t(0xFF000000u);
    g->fillGradientRect(x, y, width, height, colorFrom | opaque, colorTo | opaque, horizontal);
}

void ExtendedGraphics::fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2,
                                    int32_t y2, int32_t x3, int32_t y3, int32_t alpha)
{
    int32_t previous = g->getAlpha();
    if (previous == alpha) {
        g->fillTriangle(x1, y1, x2, y2, x3, y3);
        return;
    }
    g->setAlpha(alpha);
    g->fillTriangle(x1, y1, x2, y2, x3, y3);
    g->setAlpha(previous);
}

void ExtendedGraphics::fillRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width,
                                int32_t height, int32_t alpha)
{
    int32_t previous = g->getAlpha();
    if (previous == alpha) {
        g->fillRect(x, y, width, height);
        return;
    }
    g->setAlpha(alpha);
    g->fillRect(x, y, width, height);
    g->setAlpha(previous);
}

void ExtendedGraphics::setTransform(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c,
                                    float scaleX, float scaleY)
{
    // The hook takes words; the scales travel as their bit patterns.
    g->platformHook(a, b, c, std::bit_cast<int32_t>(scaleX), std::bit_cast<int32_t>(scaleY));
}

} // namespace tq::platform

VM_REGISTER_CLASS(tq::platform::ExtendedGraphics, "tq.platform.ExtendedGraphics",
                  "java.lang.Object", "..\\src\\tq_platform_ExtendedGraphics", nullptr);
VM_IMPLEMENTS(tq::platform::ExtendedGraphics, "tq.platform.PlatformExtension");
