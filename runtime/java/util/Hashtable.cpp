#include "java/util/Hashtable.h"

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "java/util/HashtableEnumerator.h"
#include "vm/VMSynchronized.h"

namespace java::util {

using java::lang::Object;
using java::lang::String;

// ---- Construction ----

VMPtr<Hashtable> Hashtable::init(int32_t initialCapacity)
{
    Object::init();
    if (initialCapacity < 0)
        vm_throwNew<java::lang::IllegalArgumentException>();
    if (initialCapacity == 0)
        initialCapacity = 1;
    table = EntryArray::newArray(initialCapacity);
    threshold = initialCapacity * 75 / 100;
    return VMPtr<Hashtable>(this);
}

VMPtr<Hashtable> Hashtable::init()
{
    return init(11);
}

// ---- Queries ----

int32_t Hashtable::size()
{
    return count;
}

bool Hashtable::isEmpty()
{
    return count == 0;
}

VMPtr<Enumeration> Hashtable::keys()
{
    VMSynchronized guard(this);
    return HashtableEnumerator::newInstance()->init(table, true);
}

VMPtr<Enumeration> Hashtable::elements()
{
    VMSynchronized guard(this);
    return HashtableEnumerator::newInstance()->init(table, false);
}

bool Hashtable::contains(VMPtr<Object> value)
{
    VMSynchronized guard(this);
    vm_nonNull(value);
    for (int32_t i = table->length - 1; i >= 0; i--) {
        for (VMPtr<HashtableEntry> e = table->get(i); e; e = e->next) {
            if (e->value->equals(value))
                return true;
        }
    }
    return false;
}

VMPtr<HashtableEntry> Hashtable::find(const VMPtr<Object>& key)
{
    int32_t hash = vm_nonNull(key)->hashCode();
    for (VMPtr<HashtableEntry> e = table->get(bucketOf(hash, table->length)); e; e = e->next) {
        if (e->hash == hash && e->key->equals(key))
            return e;
    }
    return nullptr;
}

bool Hashtable::containsKey(VMPtr<Object> key)
{
    VMSynchronized guard(this);
    return bool(find(key));
}

VMPtr<Object> Hashtable::get(VMPtr<Object> key)
{
    VMSynchronized guard(this);
    VMPtr<HashtableEntry> e = find(key);
    return e ? VMPtr<Object>(e->value) : VMPtr<Object>();
}

// ---- Changes ----

VMPtr<Object> Hashtable::put(VMPtr<Object> key, VMPtr<Object> value)
{
    VMSynchronized guard(this);
    vm_nonNull(value);
    if (VMPtr<HashtableEntry> e = find(key)) {
        VMPtr<Object> old = e->value;
        e->value = value;
        return old;
    }
    if (count >= threshold) {
        rehash();
        return put(key, value);
    }
    int32_t hash = key->hashCode();
    int32_t index = bucketOf(hash, table->length);
    VMPtr<HashtableEntry> e = HashtableEntry::newInstance()->init();
    e->hash = hash;
    e->key = key;
    e->value = value;
    e->next = table->get(index);
    table->set(index, e);
    count++;
    return nullptr;
}

void Hashtable::rehash()
{
    VMSynchronized guard(this);
    VMPtr<EntryArray> old = table;
    int32_t oldCapacity = old->length;
    int32_t newCapacity = oldCapacity * 2 + 1;
    // Nothing changes until the new array exists.
    VMPtr<EntryArray> grown = EntryArray::newArray(newCapacity);
    threshold = newCapacity * 75 / 100;
    table = grown;
    for (int32_t i = oldCapacity - 1; i >= 0; i--) {
        VMPtr<HashtableEntry> e = old->get(i);
        while (e) {
            VMPtr<HashtableEntry> following = e->next;
            int32_t index = bucketOf(e->hash, newCapacity);
            e->next = grown->get(index);
            grown->set(index, e);
            e = following;
        }
    }
}

VMPtr<Object> Hashtable::remove(VMPtr<Object> key)
{
    VMSynchronized guard(this);
    int32_t hash = vm_nonNull(key)->hashCode();
    int32_t index = bucketOf(hash, table->length);
    VMPtr<HashtableEntry> previous;
    for (VMPtr<HashtableEntry> e = table->get(index); e; previous = e, e = e->next) {
        if (e->hash == hash && e->key->equals(key)) {
            if (previous)
                previous->next = e->next;
            else
                table->set(index, e->next);
            count--;
            return e->value;
        }
    }
    return nullptr;
}

void Hashtable::clear()
{
    VMSynchronized guard(this);
    for (int32_t i = table->length - 1; i >= 0; i--)
        table->set(i, nullptr);
    count = 0;
}

// ---- Object ----

VMPtr<String> Hashtable::toString()
{
    VMSynchronized guard(this);
    int32_t max = size() - 1;
    VMPtr<java::lang::StringBuffer> buffer = java::lang::StringBuffer::newInstance()->init();
    VMPtr<Enumeration> k = keys();
    VMPtr<Enumeration> v = elements();
    buffer->append(u'{');
    for (int32_t i = 0; i <= max; i++) {
        buffer->append(k->nextElement()->toString());
        buffer->append(u'=');
        buffer->append(v->nextElement()->toString());
        if (i < max)
            buffer->append(", ");
    }
    buffer->append(u'}');
    return buffer->toString();
}

} // namespace java::util

VM_REGISTER_CLASS(java::util::Hashtable, "java.util.Hashtable", "java.lang.Object",
                  "target/winmo/pb_src/j2me/java_util_Hashtable", nullptr);
