#include "hal/callbacks.h"

namespace {

int32_t defaultInit(uint32_t, uint32_t, HALThread*, const char*, intptr_t)
{
    return 0;
}
int32_t defaultEvent(int32_t, int32_t, const intptr_t*)
{
    return 0;
}
void doNothing() {}
void* defaultEnterVM()
{
    return nullptr;
}

constexpr HALCallbacks kDefaults = {defaultInit, defaultEvent, doNothing, defaultEnterVM, doNothing, doNothing};

HALCallbacks table = kDefaults;

template <typename Slot>
void fill(Slot& slot, Slot fallback)
{
    if (slot == nullptr)
        slot = fallback;
}

}  // namespace

void HAL_setCallbacks(const HALCallbacks* given)
{
    if (given != nullptr)
        table = *given;
    fill(table.init, kDefaults.init);
    fill(table.event, kDefaults.event);
    fill(table.leaveVM, kDefaults.leaveVM);
    fill(table.enterVM, kDefaults.enterVM);
    fill(table.gc, kDefaults.gc);
    fill(table.shutdown, kDefaults.shutdown);
}

const HALCallbacks& HAL_callbacks()
{
    return table;
}
