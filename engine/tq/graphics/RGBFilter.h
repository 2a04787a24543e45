#pragma once
// tq.graphics.RGBFilter: a per-pixel filter over ARGB arrays; the colour
// key 0x00FF00FF is never passed to it.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace tq::graphics {

class RGBFilter : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(RGBFilter, java::lang::Object)

    static constexpr int32_t COLOUR_KEY = 0x00FF00FF;

    VMPtr<RGBFilter> init() { return VMPtr<RGBFilter>(this); }

    virtual int32_t filterPixel(int32_t argb) = 0;
    // Every entry but the colour key, last to first.
    virtual void filter(VMPtr<VMArray<int32_t, 1>> argb);
};

} // namespace tq::graphics
