#pragma once
// Entering the VM from a benchmark.

#include "HostVM.h"
#include "hal/thread.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

// Holds the VM for one benchmark, booting it on first use; the lock is given
// back afterwards so that the platform's lock benchmarks can run.
class InVM {
public:
    InVM()
    {
        if (!_VM_instance) {
            packbuilder::bootHostVM();
            return;
        }
        HAL_lockVM();
        VMThread::enterVM();
    }
    ~InVM() { HAL_unlockVM(); }
};
