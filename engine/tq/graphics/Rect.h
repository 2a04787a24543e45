#pragma once
// tq.graphics.Rect: a collision box that starts as a rectangle.

#include "tq/graphics/CollisionBox.h"

namespace tq::graphics {

class Rect : public CollisionBox {
    VM_CLASS(Rect, CollisionBox)

    VMPtr<Rect> init();
};

} // namespace tq::graphics
