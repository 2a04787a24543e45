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

// Boots the VM once, on the benchmark's thread, and keeps the VM lock.
void bootOnce()
{
    if (_VM_instance)
        return;
    HALCallbacks callbacks{};
    callbacks.enterVM = &VMThread::enterVM;
    HAL_setCallbacks(&callbacks);
    HALThread* uiThread = HAL_getCurrentThread();
    if (!uiThread)
        HAL_createMainThread(&uiThread);
    HAL_lockVM();
    _VM_create(16u << 20, 256u << 20, uiThread, nullptr, 0);
}

void BM_LocalReference(benchmark::State& state)
{
    bootOnce();
    VMPtr<java::lang::Object> object = _VM_newObject();
    for (auto _ : state) {
        VMPtr<java::lang::Object> local(object);
        benchmark::DoNotOptimize(local.get());
    }
}
BENCHMARK(BM_LocalReference);

void BM_MallocFree(benchmark::State& state)
{
    bootOnce();
    uint32_t size = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        void* block = _VM_malloc(size, true);
        benchmark::DoNotOptimize(block);
        _VM_free(block);
    }
}
BENCHMARK(BM_MallocFree)->Arg(16)->Arg(256);

} // namespace
