#include "tq/graphics/Color.h"

VM_REGISTER_CLASS(tq::graphics::Color, "tq.graphics.Color", "java.lang.Object",
                  "..\\src\\tq_graphics_Color", nullptr);
