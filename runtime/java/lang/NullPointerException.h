#pragma once

#include "java/lang/RuntimeException.h"

namespace java::lang {

class NullPointerException : public RuntimeException {
    VM_EXCEPTION(NullPointerException, RuntimeException)
};

} // namespace java::lang

// The target of a reference that must not be null, as a raw pointer; null
// throws NullPointerException without a message (as operator-> does).
template<class T>
T* vm_nonNull(const VMPtr<T>& reference)
{
    if (!reference)
        _VM_throwNullPointer();
    return reference.get();
}
