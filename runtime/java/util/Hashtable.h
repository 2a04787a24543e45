#pragma once
// java.util.Hashtable: the object-keyed hash table of the class library.
//
// Separate chaining over an array of buckets: an entry lies in bucket
// (hash & 0x7FFFFFFF) % capacity, newer entries before older ones. A new key
// is inserted only while count < threshold (capacity * 75 / 100); otherwise
// the array is rehashed to 2 * capacity + 1 first. Keys are matched by their
// own hashCode and equals; keys and values are never null. Lookups and
// changes hold the table's monitor; size and isEmpty read without it.

#include <cstdint>

#include "java/lang/String.h"
#include "java/util/HashtableEntry.h"
#include "vm/VMArray.h"

namespace java::util {

class Enumeration;

class Hashtable : public virtual java::lang::Object {
    VM_CLASS(Hashtable, java::lang::Object)

    using EntryArray = VMArray<HashtableEntry, 1>;

    // A negative capacity throws IllegalArgumentException; 0 is taken as 1.
    VMPtr<Hashtable> init(int32_t initialCapacity);
    VMPtr<Hashtable> init();

    virtual int32_t size();
    virtual bool isEmpty();
    virtual VMPtr<Enumeration> keys();
    virtual VMPtr<Enumeration> elements();
    // Null arguments throw NullPointerException.
    virtual bool contains(VMPtr<java::lang::Object> value);
    virtual bool containsKey(VMPtr<java::lang::Object> key);
    virtual VMPtr<java::lang::Object> get(VMPtr<java::lang::Object> key);
    // The previous value of the key, or null for a new key.
    virtual VMPtr<java::lang::Object> put(VMPtr<java::lang::Object> key,
                                          VMPtr<java::lang::Object> value);
    virtual VMPtr<java::lang::Object> remove(VMPtr<java::lang::Object> key);
    virtual void clear();
    // Moves every entry into a new array of 2 * capacity + 1 buckets.
    virtual void rehash();

    // "{key=value, ...}" in enumeration order.
    VMPtr<java::lang::String> toString() override;

    VMField<EntryArray> table;
    int32_t count = 0;
    int32_t threshold = 0;

private:
    // The key's bucket in an array of the given length.
    static int32_t bucketOf(int32_t hash, int32_t length)
    {
        return (hash & 0x7FFFFFFF) % length;
    }
    // The entry whose key matches, or null.
    VMPtr<HashtableEntry> find(const VMPtr<java::lang::Object>& key);

    VM_FIELDS(table)
};

} // namespace java::util
