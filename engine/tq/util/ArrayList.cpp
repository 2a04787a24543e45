#include "tq/util/ArrayList.h"

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/System.h"
#include "vm/VMException.h"

namespace tq::util {

using java::lang::IndexOutOfBoundsException;
using java::lang::Object;
using java::lang::StringBuffer;
using java::lang::System;

namespace {

bool matches(const VMPtr<Object>& o, const VMPtr<Object>& element)
{
    return o ? o->equals(element) : !element;
}

} // namespace

VMPtr<ArrayList> ArrayList::init(int32_t capacity, int32_t step)
{
    if (capacity < 0) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("Illegal Capacity: ");
        vm_throwNew<java::lang::IllegalArgumentException>(text->append(capacity)->toString());
    }
    backing = ObjectArray::newArray(capacity);
    increment = step;
    count = 0;
    return VMPtr<ArrayList>(this);
}

VMPtr<ArrayList> ArrayList::init()
{
    return init(8, 0);
}

void ArrayList::rangeCheck(int32_t index)
{
    if (index < 0 || index >= count) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("Index: ");
        text->append(index)->appendCString(", Size: ")->append(count);
        vm_throwNew<IndexOutOfBoundsException>(text->toString());
    }
}

void ArrayList::checkSize(int32_t n)
{
    if (n < 0) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("Illegal Size: ");
        vm_throwNew<java::lang::IllegalArgumentException>(text->append(n)->toString());
    }
}

void ArrayList::ensureCapacity(int32_t minimum)
{
    int32_t capacity = backing->length;
    if (minimum <= capacity)
        return;
    int64_t grown = increment > 0 ? int64_t(capacity) + increment : int64_t(capacity) * 3 / 2 + 1;
    int32_t newCapacity = grown < minimum || grown > INT32_MAX ? minimum : int32_t(grown);
    // The new array is complete before it replaces the old one.
    VMPtr<ObjectArray> array = ObjectArray::newArray(newCapacity);
    System::arraycopy(backing, 0, array, 0, count);
    backing = array;
}

void ArrayList::insertItems(int32_t index, VMPtr<ObjectArray> items, int32_t k)
{
    ensureCapacity(count + k);
    System::arraycopy(backing, index, backing, index + k, count - index);
    System::arraycopy(items, 0, backing, index, k);
    count += k;
}

void ArrayList::add(VMPtr<Object> o)
{
    ensureCapacity(count + 1);
    backing->set(count, o);
    count++;
}

void ArrayList::add(int32_t index, VMPtr<Object> o)
{
    rangeCheck(index);
    ensureCapacity(count + 1);
    System::arraycopy(backing, index, backing, index + 1, count - index);
    backing->set(index, o);
    count++;
}

void ArrayList::addAll(VMPtr<ObjectArray> items)
{
    insertItems(count, items, items->length);
}

void ArrayList::addAll(VMPtr<ArrayList> other)
{
    // The list itself is copied before it grows.
    VMPtr<ObjectArray> items = other->toArray(nullptr);
    insertItems(count, items, items->length);
}

void ArrayList::addAll(int32_t index, VMPtr<ObjectArray> items)
{
    rangeCheck(index);
    insertItems(index, items, items->length);
}

void ArrayList::addAll(int32_t index, VMPtr<ArrayList> other)
{
    rangeCheck(index);
    VMPtr<ObjectArray> items = other->toArray(nullptr);
    insertItems(index, items, items->length);
}

VMPtr<Object> ArrayList::get(int32_t index)
{
    rangeCheck(index);
    return backing->get(index);
}

VMPtr<Object> ArrayList::set(int32_t index, VMPtr<Object> o)
{
    rangeCheck(index);
    VMPtr<Object> old = backing->get(index);
    backing->set(index, o);
    return old;
}

int32_t ArrayList::indexOf(VMPtr<Object> o, int32_t from)
{
    for (int32_t i = from < 0 ? 0 : from; i < count; i++) {
        if (matches(o, backing->get(i)))
            return i;
    }
    return -1;
}

int32_t ArrayList::indexOf(VMPtr<Object> o)
{
    return indexOf(o, 0);
}

int32_t ArrayList::lastIndexOf(VMPtr<Object> o, int32_t from)
{
    if (from >= count)
        rangeCheck(from);
    for (int32_t i = from; i >= 0; i--) {
        if (matches(o, backing->get(i)))
            return i;
    }
    return -1;
}

int32_t ArrayList::lastIndexOf(VMPtr<Object> o)
{
    return lastIndexOf(o, count - 1);
}

bool ArrayList::contains(VMPtr<Object> o)
{
    return indexOf(o, 0) >= 0;
}

bool ArrayList::containsAll(VMPtr<ArrayList> other)
{
    for (int32_t i = other->size() - 1; i >= 0; i--) {
        if (!contains(other->get(i)))
            return false;
    }
    return true;
}

void ArrayList::fastRemove(int32_t index)
{
    int32_t moved = count - index - 1;
    if (moved > 0)
        System::arraycopy(backing, index + 1, backing, index, moved);
    count--;
    backing->set(count, nullptr);
}

VMPtr<Object> ArrayList::remove(int32_t index)
{
    rangeCheck(index);
    VMPtr<Object> old = backing->get(index);
    fastRemove(index);
    return old;
}

bool ArrayList::remove(VMPtr<Object> o)
{
    int32_t i = indexOf(o);
    if (i >= 0)
        fastRemove(i);
    return i >= 0;
}

bool ArrayList::removeAll(VMPtr<ArrayList> other)
{
    bool changed = false;
    for (int32_t i = count - 1; i >= 0; i--) {
        if (other->contains(get(i))) {
            remove(i);
            changed = true;
        }
    }
    return changed;
}

void ArrayList::clear()
{
    for (int32_t i = 0; i < count; i++)
        backing->set(i, nullptr);
    count = 0;
}

void ArrayList::setSize(int32_t n)
{
    checkSize(n);
    if (n > count)
        ensureCapacity(n);
    count = n;
}

void ArrayList::resize(int32_t n)
{
    checkSize(n);
    if (n <= count) {
        for (int32_t i = n; i < count; i++)
            backing->set(i, nullptr);
    } else {
        ensureCapacity(n);
    }
    count = n;
}

void ArrayList::trimToSize()
{
    if (count < backing->length)
        backing = toArray(nullptr);
}

VMPtr<ArrayList::ObjectArray> ArrayList::toArray(VMPtr<ObjectArray> a)
{
    if (!a)
        a = ObjectArray::newArray(count);
    System::arraycopy(backing, 0, a, 0, count);
    return a;
}

VMPtr<ArrayList> ArrayList::subList(int32_t from, int32_t to, int32_t step)
{
    if (from < 0) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("fromIndex = ");
        vm_throwNew<IndexOutOfBoundsException>(text->append(from)->toString());
    }
    if (to > count) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("toIndex = ");
        vm_throwNew<IndexOutOfBoundsException>(text->append(to)->toString());
    }
    if (from > to) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("fromIndex(");
        text->append(from)->appendCString(") > toIndex(")->append(to)->appendCString(")");
        vm_throwNew<java::lang::IllegalArgumentException>(text->toString());
    }
    VMPtr<ArrayList> list = newInstance()->init(to - from, step);
    System::arraycopy(backing, from, list->backing, 0, to - from);
    list->count = to - from;
    return list;
}

VMPtr<ArrayList> ArrayList::subList(int32_t from, int32_t to)
{
    return subList(from, to, increment);
}

VMPtr<ArrayList> ArrayList::copy()
{
    return subList(0, count);
}

int32_t ArrayList::capacity()
{
    return backing->length;
}

int32_t ArrayList::size()
{
    return count;
}

bool ArrayList::isEmpty()
{
    return count == 0;
}

} // namespace tq::util

VM_REGISTER_CLASS(tq::util::ArrayList, "tq.util.ArrayList", "java.lang.Object",
                  "..\\src\\tq_util_ArrayList", nullptr);
