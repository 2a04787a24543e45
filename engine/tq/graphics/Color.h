#pragma once
// tq.graphics.Color: a registered value class with no content.

#include "java/lang/Object.h"

namespace tq::graphics {

class Color : public virtual java::lang::Object {
    VM_CLASS(Color, java::lang::Object)

    VMPtr<Color> init() { return VMPtr<Color>(this); }
};

} // namespace tq::graphics
