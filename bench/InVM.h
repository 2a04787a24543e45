#pragma once
// Entering the VM from a benchmark.

#include "hal/callbacks.h"
#include "hal/thread.h"
#include "vm/VMBoot.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

// Holds the VM for one benchmark, booting it on first use; the lock is given
// back afterwards so that the platform's lock benchmarks can run.
class InVM {
public:
    InVM()
    {
        HAL_lockVM();
        if (_VM_instance) {
            VMThread::enterVM();
            return;
        }
        HALCallbacks callbacks{};
        callbacks.enterVM = &VMThread::enterVM;
        HAL_setCallbacks(&callbacks);
        HALThread* uiThread = HAL_getCurrentThread();
        if (!uiThread)
            HAL_createMainThread(&uiThread);
        _VM_create(16u << 20, 256u << 20, uiThread, nullptr, 0);
    }
    ~InVM() { HAL_unlockVM(); }
};
