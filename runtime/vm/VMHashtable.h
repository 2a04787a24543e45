#pragma once
// The VM's table from NUL-terminated byte strings to non-null pointer values,
// on the VM heap: separate chains, new entries at the end of their chain.
// Keys are owned copies.

#include <cstdint>

#include "vm/VMCString.h"

struct VMHashtableEntry {
    void* value;
    VMCString key;
    VMHashtableEntry* next;
};

struct VMHashtable {
    VMHashtableEntry** buckets = nullptr;
    uint32_t bucketCount = 0;
    uint32_t entryCount = 0;
};

// 31-fold hash of the key's bytes taken as signed 8-bit values.
uint32_t VMHashtable_hash(const char* key);

// 200 buckets.
void VMHashtable_construct(VMHashtable* table);
void VMHashtable_init(VMHashtable* table, uint32_t bucketCount);
// An equal key gets the new value; otherwise a new entry is appended.
void VMHashtable_put(VMHashtable* table, const char* key, void* value);
// True, with the value stored in *value when given, when the key is present.
bool VMHashtable_get(const VMHashtable* table, const char* key, void** value = nullptr);
void VMHashtable_destroy(VMHashtable* table);
