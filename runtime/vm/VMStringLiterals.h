#pragma once
// Interned string literals: every literal of the system's classes is one
// String for the whole process, held by a native-scope reference that is
// never removed, so literals are never collected.

#include "vm/VMPtr.h"

struct VMHashtable;
namespace java::lang { class String; }

// The literal table, made on first use.
VMHashtable* _VM_getStringLiteralTable();
// Sets out to the String of text (null for a null text), interning it on
// first use. Returns out.
VMPtr<java::lang::String>& _VM_getStringLiteral(VMHashtable* table, VMPtr<java::lang::String>& out,
                                                const char* text);
// The String of a literal text.
VMPtr<java::lang::String> _VM_literal(const char* text);
