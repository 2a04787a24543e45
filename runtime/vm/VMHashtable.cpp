#include "vm/VMHashtable.h"

#include <cstring>
#include <new>

#include "vm/VMHeap.h"

namespace {

constexpr uint32_t kDefaultBuckets = 200;

VMHashtableEntry** chainOf(const VMHashtable* table, const char* key)
{
    return &table->buckets[VMHashtable_hash(key) % table->bucketCount];
}

} // namespace

uint32_t VMHashtable_hash(const char* key)
{
    uint32_t h = 0;
    for (const char* p = key; *p; ++p)
        h = 31 * h + static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(*p)));
    return h;
}

void VMHashtable_construct(VMHashtable* table)
{
    VMHashtable_init(table, kDefaultBuckets);
}

void VMHashtable_init(VMHashtable* table, uint32_t bucketCount)
{
    uint32_t bytes = bucketCount * static_cast<uint32_t>(sizeof(VMHashtableEntry*));
    table->buckets = static_cast<VMHashtableEntry**>(_VM_new(bytes));
    std::memset(table->buckets, 0, bytes);
    table->bucketCount = bucketCount;
    table->entryCount = 0;
}

void VMHashtable_put(VMHashtable* table, const char* key, void* value)
{
    VMHashtableEntry** at = chainOf(table, key);
    for (; *at; at = &(*at)->next) {
        if ((*at)->key.equals(key)) {
            (*at)->value = value;
            return;
        }
    }
    void* block = _VM_new(sizeof(VMHashtableEntry));
    VMHashtableEntry* entry;
    try {
        entry = new (block) VMHashtableEntry{value, VMCString(key), nullptr};
    } catch (...) {
        _VM_free(block);
        throw;
    }
    *at = entry;
    ++table->entryCount;
}

bool VMHashtable_get(const VMHashtable* table, const char* key, void** value)
{
    for (VMHashtableEntry* entry = *chainOf(table, key); entry; entry = entry->next) {
        if (entry->key.equals(key)) {
            if (value)
                *value = entry->value;
            return true;
        }
    }
    return false;
}

void VMHashtable_destroy(VMHashtable* table)
{
    for (uint32_t i = 0; i < table->bucketCount; ++i) {
        VMHashtableEntry* entry = table->buckets[i];
        while (entry) {
            VMHashtableEntry* next = entry->next;
            entry->~VMHashtableEntry();
            _VM_free(entry);
            entry = next;
        }
    }
    _VM_free(table->buckets);
    table->buckets = nullptr;
    table->bucketCount = 0;
    table->entryCount = 0;
}
