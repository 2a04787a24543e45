// The platform layer's hot paths: the VM lock and the counted heap.

#include "hal/hal.h"

#include <benchmark/benchmark.h>

namespace {

void BM_VMLockEnterLeave(benchmark::State& state)
{
    for (auto _ : state) {
        HAL_lockVM();
        HAL_unlockVM();
    }
}
BENCHMARK(BM_VMLockEnterLeave);

void BM_VMLockReentry(benchmark::State& state)
{
    HAL_lockVM();
    for (auto _ : state) {
        HAL_lockVM();
        HAL_unlockVM();
    }
    HAL_unlockVM();
}
BENCHMARK(BM_VMLockReentry);

// Two threads taking turns on the lock.
void BM_VMLockContended(benchmark::State& state)
{
    for (auto _ : state) {
        HAL_lockVM();
        benchmark::DoNotOptimize(HAL_holdsVMLock());
        HAL_unlockVM();
    }
}
BENCHMARK(BM_VMLockContended)->Threads(2);

void BM_MallocFree(benchmark::State& state)
{
    const auto size = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        void* block = HAL_malloc(size);
        benchmark::DoNotOptimize(block);
        HAL_free(block);
    }
}
BENCHMARK(BM_MallocFree)->Arg(16)->Arg(256)->Arg(4096);

}  // namespace
