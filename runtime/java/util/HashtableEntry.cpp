#include "java/util/HashtableEntry.h"

namespace java::util {

VMPtr<HashtableEntry> HashtableEntry::init()
{
    Object::init();
    return VMPtr<HashtableEntry>(this);
}

} // namespace java::util

VM_REGISTER_CLASS(java::util::HashtableEntry, "java.util.HashtableEntry", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_util_Hashtable", nullptr);
