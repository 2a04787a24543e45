#pragma once
// javax.microedition.media.Controllable: what hands out controls.

#include "java/lang/Object.h"
#include "java/lang/String.h"
#include "javax/microedition/media/Control.h"
#include "vm/VMArray.h"

namespace javax::microedition::media {

class Controllable : public virtual java::lang::Object {
    VM_INTERFACE(Controllable)

    using ControlArray = VMArray<Control, 1>;

    virtual VMPtr<Control> getControl(VMPtr<java::lang::String> controlType) = 0;
    virtual VMPtr<ControlArray> getControls() = 0;
};

} // namespace javax::microedition::media
