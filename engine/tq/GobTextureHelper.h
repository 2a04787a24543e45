#pragma once
// tq.GobTextureHelper: registered, without fields or operations.

#include "java/lang/Object.h"

namespace tq {

class GobTextureHelper : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(GobTextureHelper, java::lang::Object)
};

} // namespace tq
