#pragma once
// javax.microedition.io.PushRegistry: present only to refuse its service.

#include <cstdint>

#include "java/lang/String.h"

namespace javax::microedition::io {

class PushRegistry : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(PushRegistry, java::lang::Object)

    // Always throws ConnectionNotFoundException "not supported".
    static int64_t registerAlarm(VMPtr<java::lang::String> midlet, int64_t time);
};

} // namespace javax::microedition::io
