#include "tq/util/IntHashtable.h"

#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMException.h"
#include "vm/VMSynchronized.h"

namespace tq::util {

VMPtr<IntHashtable_TQC_Entry> IntHashtable_TQC_Entry::init()
{
    return VMPtr<IntHashtable_TQC_Entry>(this);
}

VMPtr<java::lang::Object> IntHashtable_TQC_Entry::clone()
{
    // Copies the chain iteratively: a long chain needs no deep C stack.
    VMPtr<IntHashtable_TQC_Entry> head = newInstance()->init();
    head->key = key;
    head->value = VMPtr<java::lang::Object>(value);
    VMPtr<IntHashtable_TQC_Entry> last = head;
    for (VMPtr<IntHashtable_TQC_Entry> e(next); e; e = VMPtr<IntHashtable_TQC_Entry>(e->next)) {
        VMPtr<IntHashtable_TQC_Entry> copy = newInstance()->init();
        copy->key = e->key;
        copy->value = VMPtr<java::lang::Object>(e->value);
        last->next = copy;
        last = copy;
    }
    return head;
}

VMPtr<IntHashtable> IntHashtable::init(int32_t capacity)
{
    if (capacity < 1)
        capacity = 1;
    table = EntryArray::newArray(capacity);
    threshold = (capacity * 3) >> 2;
    count = 0;
    return VMPtr<IntHashtable>(this);
}

IntHashtable::Entry* IntHashtable::find(int32_t key)
{
    // Nothing allocates on the way, so plain pointers are safe.
    EntryArray* buckets = table.get();
    for (Entry* e = buckets->elements()[bucketOf(key, buckets->length)]; e; e = e->next.get()) {
        if (e->key == key)
            return e;
    }
    return nullptr;
}

bool IntHashtable::containsKey(int32_t key)
{
    return bool(find(key));
}

VMPtr<java::lang::Object> IntHashtable::get(int32_t key)
{
    Entry* e = find(key);
    return e ? VMPtr<java::lang::Object>(e->value) : nullptr;
}

VMPtr<java::lang::Object> IntHashtable::put(int32_t key, VMPtr<java::lang::Object> value)
{
    if (Entry* e = find(key)) {
        VMPtr<java::lang::Object> old(e->value);
        e->value = value;
        return old;
    }
    if (count >= threshold) {
        rehash();
        return put(key, value);
    }
    VMPtr<EntryArray> buckets(table);
    int32_t index = bucketOf(key, buckets->length);
    VMPtr<Entry> e = Entry::newInstance()->init();
    e->key = key;
    e->value = value;
    e->next = buckets->get(index);
    buckets->set(index, e);
    count++;
    return nullptr;
}

void IntHashtable::rehash()
{
    VMPtr<EntryArray> old(table);
    int32_t capacity = 2 * old->length + 1;
    VMPtr<EntryArray> grown = EntryArray::newArray(capacity);
    table = grown;
    threshold = (capacity * 3) >> 2;
    for (int32_t i = old->length - 1; i >= 0; i--) {
        VMPtr<Entry> e = old->get(i);
        while (e) {
            VMPtr<Entry> following(e->next);
            int32_t index = bucketOf(e->key, capacity);
            e->next = grown->get(index);
            grown->set(index, e);
            e = following;
        }
    }
}

VMPtr<java::lang::Object> IntHashtable::remove(int32_t key)
{
    VMSynchronized guard(this);
    VMPtr<EntryArray> buckets(table);
    int32_t index = bucketOf(key, buckets->length);
    VMPtr<Entry> previous;
    for (VMPtr<Entry> e = buckets->get(index); e; previous = e, e = VMPtr<Entry>(e->next)) {
        if (e->key != key)
            continue;
        if (previous)
            previous->next = VMPtr<Entry>(e->next);
        else
            buckets->set(index, VMPtr<Entry>(e->next));
        count--;
        return VMPtr<java::lang::Object>(e->value);
    }
    return nullptr;
}

void IntHashtable::clear()
{
    if (count == 0)
        return;
    count = 0;
    VMPtr<EntryArray> buckets(table);
    for (int32_t i = buckets->length - 1; i >= 0; i--)
        buckets->set(i, nullptr);
}

void IntHashtable::checkRoom(int32_t length)
{
    if (length < count)
        vm_throwNew<java::lang::IndexOutOfBoundsException>();
}

template<class Visit>
void IntHashtable::forEachEntry(Visit visit)
{
    VMPtr<EntryArray> buckets(table);
    int32_t k = 0;
    for (int32_t i = buckets->length - 1; i >= 0; i--) {
        for (VMPtr<Entry> e = buckets->get(i); e; e = VMPtr<Entry>(e->next))
            visit(k++, e.get());
    }
}

void IntHashtable::getKeys(VMPtr<IntArray> keys)
{
    checkRoom(vm_nonNull(keys)->length);
    forEachEntry([&](int32_t k, Entry* e) { (*keys)[k] = e->key; });
}

void IntHashtable::getElements(VMPtr<ObjectArray> values)
{
    checkRoom(vm_nonNull(values)->length);
    forEachEntry([&](int32_t k, Entry* e) { values->set(k, VMPtr<java::lang::Object>(e->value)); });
}

VMPtr<java::lang::Object> IntHashtable::clone()
{
    VMPtr<EntryArray> buckets(table);
    VMPtr<IntHashtable> copy = newInstance()->init(buckets->length);
    copy->threshold = threshold;
    VMPtr<EntryArray> copied = EntryArray::newArray(buckets->length);
    copy->table = copied;
    copy->count = count;
    for (int32_t i = buckets->length - 1; i >= 0; i--) {
        if (VMPtr<Entry> head = buckets->get(i))
            copied->set(i, vm_cast<Entry>(head->clone()));
    }
    return copy;
}

bool IntHashtable::isEmpty()
{
    return count == 0;
}

int32_t IntHashtable::size()
{
    return count;
}

} // namespace tq::util

VM_REGISTER_CLASS(tq::util::IntHashtable_TQC_Entry, "tq.util.IntHashtable$Entry",
                  "java.lang.Object", "..\\src\\tq_util_IntHashtable", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(tq::util::IntHashtable, "tq.util.IntHashtable", "java.lang.Object",
                             "..\\src\\tq_util_IntHashtable", nullptr);
