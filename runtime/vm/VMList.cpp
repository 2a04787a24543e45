#include "vm/VMList.h"

#include "vm/VMHeap.h"

namespace {

VMListNode* newNode(void* value)
{
    VMListNode* node = static_cast<VMListNode*>(_VM_new(sizeof(VMListNode)));
    node->value = value;
    node->next = node->prev = nullptr;
    return node;
}

} // namespace

void VMList_init(VMList* list)
{
    list->first = list->last = nullptr;
}

void VMList_prepend(VMList* list, void* value)
{
    if (!value)
        return;
    VMListNode* node = newNode(value);
    node->next = list->first;
    if (list->first)
        list->first->prev = node;
    else
        list->last = node;
    list->first = node;
}

void VMList_append(VMList* list, void* value)
{
    if (!value)
        return;
    VMListNode* node = newNode(value);
    node->prev = list->last;
    if (list->last)
        list->last->next = node;
    else
        list->first = node;
    list->last = node;
}

void VMList_unlink(VMList* list, VMListNode* node)
{
    if (node->prev)
        node->prev->next = node->next;
    else
        list->first = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        list->last = node->prev;
    _VM_free(node);
}

void VMList_remove(VMList* list, void* value)
{
    for (VMListNode* node = list->first; node; node = node->next) {
        if (node->value == value) {
            VMList_unlink(list, node);
            return;
        }
    }
}

void VMList_clear(VMList* list)
{
    VMListNode* node = list->first;
    while (node) {
        VMListNode* next = node->next;
        _VM_free(node);
        node = next;
    }
    list->first = list->last = nullptr;
}
