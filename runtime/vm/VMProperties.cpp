#include "vm/VMProperties.h"

#include <cstring>
#include <new>

#include "vm/VMBoot.h"
#include "vm/VMHashtable.h"
#include "vm/VMHeap.h"

namespace {

// Enters one pair; the value is copied onto the VM heap.
void addProperty(void* context, const char* key, const char* value)
{
    VMHashtable* table = static_cast<VMHashtable*>(context);
    if (VMHashtable_get(table, key))
        _VM_fatalError("Duplicate property detected!");
    uint32_t size = static_cast<uint32_t>(std::strlen(value)) + 1;
    char* copy = static_cast<char*>(_VM_new(size));
    std::memcpy(copy, value, size);
    VMHashtable_put(table, key, copy);
}

} // namespace

void _VM_fillPropertyTable(VMHashtable* table, void (*list)(HALPropertySink, void*))
{
    list(&addProperty, table);
}

VMHashtable* _VM_getPropertyTable()
{
    static VMHashtable* table = nullptr;
    if (!table) {
        VMHashtable* built = static_cast<VMHashtable*>(_VM_new(sizeof(VMHashtable)));
        new (built) VMHashtable();
        VMHashtable_construct(built);
        _VM_fillPropertyTable(built, &HAL_listBuiltInProperties);
        table = built;
    }
    return table;
}

const char* _VM_getProperty(const VMHashtable* table, const char* key)
{
    void* value = nullptr;
    if (!table || !key || !VMHashtable_get(table, key, &value))
        return nullptr;
    return static_cast<const char*>(value);
}
