#pragma once
// tq.util.IntHashtable: a table from int keys to object references, without
// boxed keys. Separate chaining: an entry lies in bucket
// (key & 0x7FFFFFFF) % capacity, a new entry at the head of its chain. A new
// key is inserted while count < threshold (capacity * 3 >> 2); otherwise the
// table is rehashed to 2 * capacity + 1 first. Null values can be stored.
// Only remove holds the table's monitor; callers hold the VM lock.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace tq::util {

// One key and its value, linked to the next entry of the same bucket.
class IntHashtable_TQC_Entry : public virtual java::lang::Object {
    VM_CLASS(IntHashtable_TQC_Entry, java::lang::Object)

    VMPtr<IntHashtable_TQC_Entry> init();
    // A copy of this entry and of the chain behind it; values are shared.
    virtual VMPtr<java::lang::Object> clone();

    int32_t key = 0;
    VMField<IntHashtable_TQC_Entry> next;
    VMField<java::lang::Object> value;

    VM_FIELDS(next, value)
};

class IntHashtable : public virtual java::lang::Object {
    VM_CLASS(IntHashtable, java::lang::Object)

    using Entry = IntHashtable_TQC_Entry;
    using EntryArray = VMArray<Entry, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using ObjectArray = VMArray<java::lang::Object, 1>;

    // A capacity below 1 is taken as 1.
    VMPtr<IntHashtable> init(int32_t capacity);

    // Every key, in table order (last bucket first, each chain from its
    // head). An array shorter than size() throws IndexOutOfBoundsException
    // before anything is written.
    virtual void getKeys(VMPtr<IntArray> keys);
    virtual bool containsKey(int32_t key);
    // Empties the table; the capacity stays.
    virtual void clear();
    // The removed value, or null when the key is absent.
    virtual VMPtr<java::lang::Object> remove(int32_t key);
    // Every value in table order; the same check as getKeys.
    virtual void getElements(VMPtr<ObjectArray> values);
    // A table with copied entries and shared values.
    virtual VMPtr<java::lang::Object> clone();
    virtual bool isEmpty();
    // The value, or null when the key is absent.
    virtual VMPtr<java::lang::Object> get(int32_t key);
    // The previous value of the key, or null for a new key.
    virtual VMPtr<java::lang::Object> put(int32_t key, VMPtr<java::lang::Object> value);
    virtual int32_t size();

    int32_t count = 0;
    VMField<EntryArray> table;
    int32_t threshold = 0;

private:
    static int32_t bucketOf(int32_t key, int32_t capacity)
    {
        return int32_t(uint32_t(key & 0x7FFFFFFF) % uint32_t(capacity));
    }
    // The entry with the key, or null; valid until the next allocation.
    Entry* find(int32_t key);
    // Moves every entry into 2 * capacity + 1 buckets.
    void rehash();
    // Calls visit(k, entry) for the k-th entry in table order; visit does
    // not allocate or change the table.
    template<class Visit>
    void forEachEntry(Visit visit);
    // Throws unless an array of the given length holds every entry.
    void checkRoom(int32_t length);

    VM_FIELDS(table)
};

} // namespace tq::util
