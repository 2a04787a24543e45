#include "support/VMFixture.h"

#include "hal/callbacks.h"
#include "hal/thread.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

namespace {

void collect()
{
    _VM_collectGarbage(_VM_instance);
}

} // namespace

void VMFixture_boot(uint32_t minimumLimit, uint32_t maximumLimit)
{
    if (_VM_instance)
        return;
    // No boot class: the boot stops after the first collection.
    ASSERT_EQ(VMFixture_start(nullptr, 0, minimumLimit, maximumLimit), 1);
}

int32_t VMFixture_start(const char* bootClass, intptr_t entryArgument, uint32_t minimumLimit,
                        uint32_t maximumLimit)
{
    HALCallbacks callbacks{};
    callbacks.init = &_VM_create;
    callbacks.leaveVM = &VMThread::yield;
    callbacks.enterVM = &VMThread::enterVM;
    callbacks.gc = &collect;
    HAL_setCallbacks(&callbacks);

    HALThread* uiThread = HAL_getCurrentThread();
    if (!uiThread && HAL_createMainThread(&uiThread) != 0)
        return -1;
    HAL_lockVM();
    return _VM_create(minimumLimit, maximumLimit, uiThread, bootClass, entryArgument);
}
