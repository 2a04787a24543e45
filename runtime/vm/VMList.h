#pragma once
// The VM's own doubly linked list of non-null pointer values, on the VM heap.

struct VMListNode {
    void* value;
    VMListNode* next;
    VMListNode* prev;
};

struct VMList {
    VMListNode* first = nullptr;
    VMListNode* last = nullptr;
};

void VMList_init(VMList* list);
void VMList_prepend(VMList* list, void* value);
void VMList_append(VMList* list, void* value);
void VMList_unlink(VMList* list, VMListNode* node);
void VMList_remove(VMList* list, void* value);
void VMList_clear(VMList* list);
inline VMListNode* VMList_first(const VMList* list) { return list->first; }
inline VMListNode* VMList_next(const VMListNode* node) { return node ? node->next : nullptr; }
inline void* VMList_value(const VMListNode* node) { return node ? node->value : nullptr; }
