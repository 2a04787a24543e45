#pragma once
// java.lang.Runnable: the interface of everything a thread can run.

#include "java/lang/Object.h"

namespace java::lang {

class Runnable : public virtual Object {
    VM_INTERFACE(Runnable)

    virtual void run() = 0;
};

} // namespace java::lang
