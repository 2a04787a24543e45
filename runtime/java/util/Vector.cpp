#include "java/util/Vector.h"

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/System.h"
#include "java/util/NoSuchElementException.h"
#include "java/util/VectorEnumerator.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace java::util {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::Object;
using java::lang::String;
using java::lang::System;

namespace {

[[noreturn]] void throwIndexTooLarge()
{
    vm_throwNew<ArrayIndexOutOfBoundsException>(_VM_literal("index >= elementCount"));
}

} // namespace

// ---- Construction ----

VMPtr<Vector> Vector::init(int32_t initialCapacity, int32_t increment)
{
    Object::init();
    if (initialCapacity < 0)
        vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal("Negative initialCapacity"));
    elementCount = 0;
    elementData = ObjectArray::newArray(initialCapacity);
    capacityIncrement = increment;
    return VMPtr<Vector>(this);
}

VMPtr<Vector> Vector::init(int32_t initialCapacity)
{
    return init(initialCapacity, 0);
}

VMPtr<Vector> Vector::init()
{
    return init(10, 0);
}

// ---- Capacity ----

void Vector::ensureCapacityHelper(int32_t minCapacity)
{
    int32_t oldCapacity = elementData->length;
    int32_t newCapacity = capacityIncrement > 0 ? oldCapacity + capacityIncrement : oldCapacity * 2;
    if (newCapacity < minCapacity)
        newCapacity = minCapacity;
    // The new array is complete before it replaces the old one, so a failed
    // allocation keeps the elements where they were.
    VMPtr<ObjectArray> grown = ObjectArray::newArray(newCapacity);
    System::arraycopy(elementData, 0, grown, 0, elementCount);
    elementData = grown;
}

void Vector::checkIndex(int32_t index, int32_t limit)
{
    if (index >= limit)
        throwIndexTooLarge();
    if (index < 0)
        vm_throwNew<ArrayIndexOutOfBoundsException>(index);
}

void Vector::copyInto(VMPtr<ObjectArray> anArray)
{
    VMSynchronized guard(this);
    if (vm_nonNull(anArray)->length < elementCount)
        vm_throwNew<ArrayIndexOutOfBoundsException>(_VM_literal("destination array too small"));
    // An element the destination cannot hold throws ArrayStoreException.
    System::arraycopy(elementData, 0, anArray, 0, elementCount);
}

void Vector::trimToSize()
{
    VMSynchronized guard(this);
    if (elementCount < elementData->length) {
        VMPtr<ObjectArray> trimmed = ObjectArray::newArray(elementCount);
        System::arraycopy(elementData, 0, trimmed, 0, elementCount);
        elementData = trimmed;
    }
}

void Vector::ensureCapacity(int32_t minCapacity)
{
    VMSynchronized guard(this);
    if (minCapacity > elementData->length)
        ensureCapacityHelper(minCapacity);
}

void Vector::setSize(int32_t newSize)
{
    VMSynchronized guard(this);
    if (newSize < 0)
        vm_throwNew<ArrayIndexOutOfBoundsException>(_VM_literal("new size is negative"));
    if (newSize > elementCount && newSize > elementData->length) {
        ensureCapacityHelper(newSize);
    } else {
        for (int32_t i = newSize; i < elementCount; i++)
            (*elementData)[i] = nullptr;
    }
    elementCount = newSize;
}

int32_t Vector::capacity()
{
    return elementData->length;
}

int32_t Vector::size()
{
    return elementCount;
}

bool Vector::isEmpty()
{
    return elementCount == 0;
}

// ---- Search ----

VMPtr<Enumeration> Vector::elements()
{
    VMSynchronized guard(this);
    return VectorEnumerator::newInstance()->init(VMPtr<Vector>(this));
}

bool Vector::contains(VMPtr<Object> elem)
{
    return indexOf(elem, 0) >= 0;
}

int32_t Vector::indexOf(VMPtr<Object> elem, int32_t index)
{
    VMSynchronized guard(this);
    if (index < 0)
        vm_throwNew<ArrayIndexOutOfBoundsException>(index);
    for (int32_t i = index; i < elementCount; i++) {
        VMPtr<Object> element = elementData->get(i);
        if (elem ? elem->equals(element) : !element)
            return i;
    }
    return -1;
}

int32_t Vector::indexOf(VMPtr<Object> elem)
{
    return indexOf(elem, 0);
}

int32_t Vector::lastIndexOf(VMPtr<Object> elem, int32_t index)
{
    VMSynchronized guard(this);
    if (index >= elementCount)
        vm_throwNew<java::lang::IndexOutOfBoundsException>(_VM_literal("index >= elementCount"));
    for (int32_t i = index; i >= 0; i--) {
        VMPtr<Object> element = elementData->get(i);
        if (elem ? elem->equals(element) : !element)
            return i;
    }
    return -1;
}

int32_t Vector::lastIndexOf(VMPtr<Object> elem)
{
    if (elementCount == 0)
        return -1;
    return lastIndexOf(elem, elementCount - 1);
}

// ---- Access ----

VMPtr<Object> Vector::elementAt(int32_t index)
{
    VMSynchronized guard(this);
    checkIndex(index, elementCount);
    return elementData->get(index);
}

VMPtr<Object> Vector::firstElement()
{
    VMSynchronized guard(this);
    if (elementCount == 0)
        vm_throwNew<NoSuchElementException>();
    return elementData->get(0);
}

VMPtr<Object> Vector::lastElement()
{
    VMSynchronized guard(this);
    if (elementCount == 0)
        vm_throwNew<NoSuchElementException>();
    return elementData->get(elementCount - 1);
}

void Vector::setElementAt(VMPtr<Object> obj, int32_t index)
{
    VMSynchronized guard(this);
    checkIndex(index, elementCount);
    elementData->set(index, obj);
}

// ---- Change ----

void Vector::removeElementAt(int32_t index)
{
    VMSynchronized guard(this);
    checkIndex(index, elementCount);
    int32_t following = elementCount - index - 1;
    if (following > 0)
        System::arraycopy(elementData, index + 1, elementData, index, following);
    elementCount--;
    (*elementData)[elementCount] = nullptr;
}

void Vector::insertElementAt(VMPtr<Object> obj, int32_t index)
{
    VMSynchronized guard(this);
    if (index >= elementCount + 1)
        throwIndexTooLarge();
    if (index < 0)
        vm_throwNew<ArrayIndexOutOfBoundsException>();
    if (elementCount >= elementData->length)
        ensureCapacityHelper(elementCount + 1);
    System::arraycopy(elementData, index, elementData, index + 1, elementCount - index);
    elementData->set(index, obj);
    elementCount++;
}

void Vector::addElement(VMPtr<Object> obj)
{
    VMSynchronized guard(this);
    if (elementCount >= elementData->length)
        ensureCapacityHelper(elementCount + 1);
    elementData->set(elementCount, obj);
    elementCount++;
}

bool Vector::removeElement(VMPtr<Object> obj)
{
    VMSynchronized guard(this);
    int32_t i = indexOf(obj);
    if (i < 0)
        return false;
    removeElementAt(i);
    return true;
}

void Vector::removeAllElements()
{
    VMSynchronized guard(this);
    for (int32_t i = 0; i < elementCount; i++)
        (*elementData)[i] = nullptr;
    elementCount = 0;
}

// ---- Object ----

VMPtr<String> Vector::toString()
{
    VMSynchronized guard(this);
    VMPtr<java::lang::StringBuffer> buffer = java::lang::StringBuffer::newInstance()->init();
    buffer->append(u'[');
    for (int32_t i = 0; i < elementCount; i++) {
        if (i > 0)
            buffer->append(", ");
        buffer->append(String::valueOf(elementData->get(i)));
    }
    buffer->append(u']');
    return buffer->toString();
}

} // namespace java::util

VM_REGISTER_CLASS(java::util::Vector, "java.util.Vector", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_util_Vector", nullptr);
