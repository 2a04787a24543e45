#include "java/util/HashtableEnumerator.h"

#include "java/util/NoSuchElementException.h"
#include "vm/VMStringLiterals.h"

namespace java::util {

VMPtr<HashtableEnumerator> HashtableEnumerator::init(VMPtr<EntryArray> buckets, bool yieldKeys)
{
    Object::init();
    table = buckets;
    keys = yieldKeys;
    index = buckets->length;
    return VMPtr<HashtableEnumerator>(this);
}

bool HashtableEnumerator::findEntry()
{
    while (!entry) {
        if (index < 1)
            return false;
        index--;
        entry = table->get(index);
    }
    return true;
}

bool HashtableEnumerator::hasMoreElements()
{
    return findEntry();
}

VMPtr<java::lang::Object> HashtableEnumerator::nextElement()
{
    if (!findEntry())
        vm_throwNew<NoSuchElementException>(_VM_literal("HashtableEnumerator"));
    VMPtr<HashtableEntry> found = entry;
    entry = found->next;
    return keys ? VMPtr<java::lang::Object>(found->key) : VMPtr<java::lang::Object>(found->value);
}

} // namespace java::util

VM_REGISTER_CLASS_NO_CREATOR(java::util::HashtableEnumerator, "java.util.HashtableEnumerator",
                             "java.lang.Object", "target/winmo/pb_src/j2me/java_util_Hashtable",
                             nullptr);
VM_IMPLEMENTS(java::util::HashtableEnumerator, "java.util.Enumeration");
