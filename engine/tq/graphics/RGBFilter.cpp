#include "tq/graphics/RGBFilter.h"

namespace tq::graphics {

void RGBFilter::filter(VMPtr<VMArray<int32_t, 1>> argb)
{
    for (int32_t i = argb->length - 1; i >= 0; i--) {
        int32_t pixel = (*argb)[i];
        if (pixel != COLOUR_KEY)
            (*argb)[i] = filterPixel(pixel);
    }
}

} // namespace tq::graphics

VM_REGISTER_ABSTRACT_CLASS(tq::graphics::RGBFilter, "tq.graphics.RGBFilter", "java.lang.Object",
                           "..\\src\\tq_graphics_RGBFilter", nullptr);
