#include "vm/VMEventRegistry.h"

#include "java/lang/Throwable.h"
#include "vm/VMHeap.h"
#include "vm/VMList.h"

namespace {

constexpr int kPriorities = 3;

struct Listener {
    VMEventListener function;
    uint32_t mask;
};

struct Registry {
    VMList lists[kPriorities];
};

Registry* registry = nullptr;

bool listensTo(const Listener* listener, int32_t event)
{
    return event >= 0 && event < 32 && (listener->mask & (1u << event)) && listener->function;
}

} // namespace

void _VM_createEventRegistry()
{
    if (registry)
        return;
    auto* created = static_cast<Registry*>(_VM_new(sizeof(Registry)));
    for (VMList& list : created->lists)
        VMList_init(&list);
    registry = created;
}

void _VM_destroyEventRegistry()
{
    if (!registry)
        return;
    for (int priority = kPriorities - 1; priority >= 0; --priority) {
        VMList& list = registry->lists[priority];
        for (VMListNode* node = VMList_first(&list); node; node = VMList_next(node))
            _VM_free(VMList_value(node));
        VMList_clear(&list);
    }
    _VM_free(registry);
    registry = nullptr;
}

void HAL_addEventListener(VMEventListener function, uint32_t mask, int32_t priority)
{
    if (!registry)
        return;
    int list = priority == 0 || priority == 2 ? priority : 1;
    auto* listener = static_cast<Listener*>(_VM_new(sizeof(Listener)));
    listener->function = function;
    listener->mask = mask;
    try {
        VMList_append(&registry->lists[list], listener);
    } catch (...) {
        _VM_free(listener);
        throw;
    }
}

int32_t HAL_dispatchEvent(int32_t event, int32_t count, const intptr_t* words)
{
    if (!registry)
        return 0;
    try {
        for (VMList& list : registry->lists) {
            for (VMListNode* node = VMList_first(&list); node; node = VMList_next(node)) {
                auto* listener = static_cast<Listener*>(VMList_value(node));
                if (listensTo(listener, event))
                    listener->function(event, count, words);
            }
        }
    } catch (java::lang::Throwable* caught) {
        _VM_printUncaught(caught);
        return VM_EVENT_UNCAUGHT_EXCEPTION;
    } catch (...) {
        return VM_EVENT_UNCAUGHT_EXCEPTION;
    }
    return 0;
}
