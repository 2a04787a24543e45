#include "tq/graphics/Rect.h"

namespace tq::graphics {

VMPtr<Rect> Rect::init()
{
    initWithType(RECTANGLE);
    return VMPtr<Rect>(this);
}

} // namespace tq::graphics

VM_REGISTER_CLASS(tq::graphics::Rect, "tq.graphics.Rect", "tq.graphics.CollisionBox",
                  "..\\src\\tq_graphics_Rect", nullptr);
