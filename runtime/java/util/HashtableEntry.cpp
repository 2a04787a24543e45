#include "java/util/HashtableEntry.h"

namespace java::util {

VMPtr<HashtableEntry> HashtableEntry::init()
{
    Object::init();
    return VMPtr<HashtableEntry>(this);
}

void HashtableEntry::markReferences(uint32_t bits)
{
    Object::markReferences(bits);
    _VM_markField(key, bits);
    _VM_markField(value, bits);
    _VM_markField(next, bits);
}

} // namespace java::util

VM_REGISTER_CLASS(java::util::HashtableEntry, "java.util.HashtableEntry", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_util_Hashtable", nullptr);
