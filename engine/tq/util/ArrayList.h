#pragma once
// tq.util.ArrayList: the engine's growable list of object references (not a
// java.util.Vector). Elements are backing[0 .. size - 1]; the backing
// array's length is the capacity. Elements may be null; searches match by
// the argument's equals (null matches null).
//
// Inserting at index == size is refused (append with add(o)). setSize keeps
// the references it cuts off, so growing again brings them back; resize
// clears them. A failed check throws before anything changes. No locking:
// a list belongs to the game's thread.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace tq::util {

class ArrayList : public virtual java::lang::Object {
    VM_CLASS(ArrayList, java::lang::Object)

    using ObjectArray = VMArray<java::lang::Object, 1>;

    // A negative capacity throws IllegalArgumentException "Illegal Capacity: n".
    VMPtr<ArrayList> init(int32_t capacity, int32_t increment);
    VMPtr<ArrayList> init();

    virtual void addAll(int32_t index, VMPtr<ObjectArray> items);
    virtual void addAll(int32_t index, VMPtr<ArrayList> other);
    // From a negative index the search starts at 0.
    virtual int32_t indexOf(VMPtr<java::lang::Object> o, int32_t from);
    virtual int32_t indexOf(VMPtr<java::lang::Object> o);
    virtual void ensureCapacity(int32_t minimum);
    // A negative size throws IllegalArgumentException.
    virtual void setSize(int32_t n);
    virtual bool removeAll(VMPtr<ArrayList> other);
    virtual void addAll(VMPtr<ObjectArray> items);
    virtual void addAll(VMPtr<ArrayList> other);
    virtual VMPtr<ArrayList> subList(int32_t from, int32_t to);
    virtual VMPtr<ArrayList> subList(int32_t from, int32_t to, int32_t increment);
    virtual bool remove(VMPtr<java::lang::Object> o);
    virtual VMPtr<java::lang::Object> remove(int32_t index);
    virtual bool containsAll(VMPtr<ArrayList> other);
    // Into a (a new array of the size when null); a shorter a throws
    // ArrayIndexOutOfBoundsException.
    virtual VMPtr<ObjectArray> toArray(VMPtr<ObjectArray> a);
    virtual void add(VMPtr<java::lang::Object> o);
    virtual int32_t lastIndexOf(VMPtr<java::lang::Object> o);
    // A from at or beyond the size throws IndexOutOfBoundsException.
    virtual int32_t lastIndexOf(VMPtr<java::lang::Object> o, int32_t from);
    virtual int32_t capacity();
    virtual VMPtr<java::lang::Object> get(int32_t index);
    virtual void trimToSize();
    virtual int32_t size();
    virtual bool contains(VMPtr<java::lang::Object> o);
    virtual VMPtr<java::lang::Object> set(int32_t index, VMPtr<java::lang::Object> o);
    virtual VMPtr<ArrayList> copy();
    virtual void clear();
    virtual bool isEmpty();
    // Cut slots become null. A negative size throws IllegalArgumentException.
    virtual void resize(int32_t n);
    virtual void add(int32_t index, VMPtr<java::lang::Object> o);

    // IndexOutOfBoundsException "Index: i, Size: n" unless 0 <= index < size.
    void rangeCheck(int32_t index);
    void fastRemove(int32_t index);

    VMField<ObjectArray> backing;
    int32_t increment = 0;
    int32_t count = 0;

private:
    // Opens k slots at index (moving the tail up) and copies items there.
    void insertItems(int32_t index, VMPtr<ObjectArray> items, int32_t k);
    static void checkSize(int32_t n);

    VM_FIELDS(backing)
};

} // namespace tq::util
