#pragma once
// The built-in system properties: a VM string table from 8-bit key to 8-bit
// value, filled once from the platform's built-in list. System.getProperty
// asks it before the system property file.

#include "hal/properties.h"

struct VMHashtable;

// The table, built on first use.
VMHashtable* _VM_getPropertyTable();
// The value of key, or null when the table has no such key.
const char* _VM_getProperty(const VMHashtable* table, const char* key);
// Fills table from a platform list; a key given twice is the fatal error
// "Duplicate property detected!".
void _VM_fillPropertyTable(VMHashtable* table, void (*list)(HALPropertySink, void*));
