#pragma once
// java.util.Vector: the growable object array of the class library.
//
// Elements live at indexes 0 .. elementCount - 1 of elementData, whose length
// is the capacity; slots beyond elementCount are null. Growth steps by
// capacityIncrement when it is positive, else doubles. Every operation that
// reads or changes the elements holds the Vector's monitor; size, isEmpty and
// capacity read without it. A failed check throws before anything changes.

#include <cstdint>

#include "java/lang/String.h"
#include "vm/VMArray.h"

namespace java::util {

class Enumeration;

class Vector : public virtual java::lang::Object {
    VM_CLASS(Vector, java::lang::Object)

    using ObjectArray = VMArray<java::lang::Object, 1>;

    // A negative initialCapacity throws IllegalArgumentException.
    VMPtr<Vector> init(int32_t initialCapacity, int32_t capacityIncrement);
    VMPtr<Vector> init(int32_t initialCapacity);
    VMPtr<Vector> init();

    // Stores the elements into anArray; a shorter array throws
    // ArrayIndexOutOfBoundsException and receives nothing.
    virtual void copyInto(VMPtr<ObjectArray> anArray);
    virtual void trimToSize();
    virtual void ensureCapacity(int32_t minCapacity);
    // Grows or cuts to newSize; cut slots become null.
    virtual void setSize(int32_t newSize);
    virtual int32_t capacity();
    virtual int32_t size();
    virtual bool isEmpty();
    // A live enumeration of the elements (no snapshot).
    virtual VMPtr<Enumeration> elements();
    virtual bool contains(VMPtr<java::lang::Object> elem);
    // Searches by elem.equals (null finds the first null element).
    virtual int32_t indexOf(VMPtr<java::lang::Object> elem, int32_t index);
    virtual int32_t indexOf(VMPtr<java::lang::Object> elem);
    virtual int32_t lastIndexOf(VMPtr<java::lang::Object> elem, int32_t index);
    virtual int32_t lastIndexOf(VMPtr<java::lang::Object> elem);
    virtual VMPtr<java::lang::Object> elementAt(int32_t index);
    virtual VMPtr<java::lang::Object> firstElement();
    virtual VMPtr<java::lang::Object> lastElement();
    virtual void setElementAt(VMPtr<java::lang::Object> obj, int32_t index);
    virtual void removeElementAt(int32_t index);
    virtual void insertElementAt(VMPtr<java::lang::Object> obj, int32_t index);
    virtual void addElement(VMPtr<java::lang::Object> obj);
    virtual bool removeElement(VMPtr<java::lang::Object> obj);
    virtual void removeAllElements();

    // "[", the elements' String.valueOf texts separated by ", ", "]".
    VMPtr<java::lang::String> toString() override;

    VMField<ObjectArray> elementData;
    int32_t elementCount = 0;
    int32_t capacityIncrement = 0;

private:
    // Grows the storage to at least minCapacity.
    void ensureCapacityHelper(int32_t minCapacity);
    // Throws ArrayIndexOutOfBoundsException "index >= elementCount" unless
    // 0 <= index < limit; a negative index throws with the index.
    void checkIndex(int32_t index, int32_t limit);

    VM_FIELDS(elementData)
};

} // namespace java::util
