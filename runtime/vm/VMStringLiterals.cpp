#include "vm/VMStringLiterals.h"

#include <new>

#include "java/lang/String.h"
#include "vm/VMHashtable.h"
#include "vm/VMHeap.h"

namespace {

VMHashtable* literalTable = nullptr;

typedef VMNative<java::lang::String> LiteralHolder;

} // namespace

VMHashtable* _VM_getStringLiteralTable()
{
    if (!literalTable) {
        VMHashtable* table = new (_VM_new(sizeof(VMHashtable))) VMHashtable();
        try {
            VMHashtable_construct(table);
        } catch (...) {
            _VM_free(table);
            throw;
        }
        literalTable = table;
    }
    return literalTable;
}

VMPtr<java::lang::String>& _VM_getStringLiteral(VMHashtable* table,
                                                VMPtr<java::lang::String>& out, const char* text)
{
    if (!text) {
        out = nullptr;
        return out;
    }
    void* found = nullptr;
    if (VMHashtable_get(table, text, &found)) {
        out = static_cast<LiteralHolder*>(found)->get();
        return out;
    }
    VMPtr<java::lang::String> string = java::lang::String::newFromCString(text);
    LiteralHolder* holder = new (_VM_new(sizeof(LiteralHolder))) LiteralHolder(string.get());
    try {
        VMHashtable_put(table, text, holder);
    } catch (...) {
        holder->~LiteralHolder();
        _VM_free(holder);
        throw;
    }
    out = string;
    return out;
}

VMPtr<java::lang::String> _VM_literal(const char* text)
{
    VMPtr<java::lang::String> out;
    _VM_getStringLiteral(_VM_getStringLiteralTable(), out, text);
    return out;
}
