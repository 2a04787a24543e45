// The VM's two hottest paths: a local reference made and destroyed, and a
// heap block allocated and freed within the limit.

#include <benchmark/benchmark.h>

#include "hal/callbacks.h"
#include "hal/thread.h"
#include "java/lang/Object.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

namespace {

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

void BM_VMLocalReference(benchmark::State& state)
{
    InVM vm;
    VMPtr<java::lang::Object> object = _VM_newObject();
    for (auto _ : state) {
        VMPtr<java::lang::Object> local(object);
        benchmark::DoNotOptimize(local.get());
    }
}
BENCHMARK(BM_VMLocalReference);

void BM_VMMallocFree(benchmark::State& state)
{
    InVM vm;
    uint32_t size = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        void* block = _VM_malloc(size, true);
        benchmark::DoNotOptimize(block);
        _VM_free(block);
    }
}
BENCHMARK(BM_VMMallocFree)->Arg(16)->Arg(256);

} // namespace
