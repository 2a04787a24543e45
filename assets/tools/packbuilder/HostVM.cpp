#include "HostVM.h"

#include "hal/callbacks.h"
#include "hal/thread.h"
#include "vm/VMBoot.h"
#include "vm/VMThread.h"

namespace packbuilder {

void bootHostVM()
{
    HAL_lockVM();
    HALCallbacks callbacks{};
    callbacks.enterVM = &VMThread::enterVM;
    HAL_setCallbacks(&callbacks);
    HALThread* uiThread = HAL_getCurrentThread();
    if (!uiThread)
        HAL_createMainThread(&uiThread);
    _VM_create(16u << 20, 512u << 20, uiThread, nullptr, 0);
}

} // namespace packbuilder
