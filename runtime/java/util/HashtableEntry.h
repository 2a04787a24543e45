#pragma once
// java.util.HashtableEntry: one mapping of a Hashtable, chained to the next
// entry of its bucket. hash is the key's hash code when the entry was made.

#include <cstdint>

#include "java/lang/Object.h"

namespace java::util {

class HashtableEntry : public virtual java::lang::Object {
    VM_CLASS(HashtableEntry, java::lang::Object)

    VMPtr<HashtableEntry> init();


    int32_t hash = 0;
    VMField<java::lang::Object> key;
    VMField<java::lang::Object> value;
    VMField<HashtableEntry> next;

    VM_FIELDS(key, value, next)
};

} // namespace java::util
