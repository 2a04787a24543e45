#pragma once
// tq.util.Sorting and its Comparator interface: registered classes without
// operations.

#include "java/lang/Object.h"

namespace tq::util {

class Sorting_TQC_Comparator : public virtual java::lang::Object {
    VM_INTERFACE(Sorting_TQC_Comparator)
};

class Sorting : public virtual java::lang::Object {
    VM_CLASS(Sorting, java::lang::Object)

    VMPtr<Sorting> init() { return VMPtr<Sorting>(this); }
};

} // namespace tq::util
