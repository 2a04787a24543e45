#pragma once
// java.util.HashtableEnumerator: walks the keys or the values of a Hashtable's
// bucket array from the highest bucket down, each chain from its head. It
// keeps the array it was made over and takes no lock.

#include <cstdint>

#include "java/util/Enumeration.h"
#include "java/util/HashtableEntry.h"
#include "vm/VMArray.h"

namespace java::util {

class HashtableEnumerator : public virtual java::lang::Object, public virtual Enumeration {
    VM_CLASS(HashtableEnumerator, java::lang::Object)

    using EntryArray = VMArray<HashtableEntry, 1>;

    VMPtr<HashtableEnumerator> init(VMPtr<EntryArray> table, bool keys);

    // Leaves entry on the element nextElement returns, so repeated calls skip
    // nothing.
    bool hasMoreElements() override;
    // NoSuchElementException "HashtableEnumerator" when nothing is left.
    VMPtr<java::lang::Object> nextElement() override;


    bool keys = false;
    int32_t index = 0;
    VMField<EntryArray> table;
    VMField<HashtableEntry> entry;

private:
    // Moves entry to the head of the next non-empty bucket; false when none.
    bool findEntry();

    VM_FIELDS(table, entry)
};

} // namespace java::util
