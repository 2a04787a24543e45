// The platform layer's hot paths: the VM lock and the counted heap.

#include "hal/hal.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "Ratios.h"

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

// The C library's own, as the yardstick.
void BM_GlibcMallocFree(benchmark::State& state)
{
    const auto size = static_cast<size_t>(state.range(0));
    for (auto _ : state) {
        void* block = std::malloc(size);
        benchmark::DoNotOptimize(block);
        std::free(block);
    }
}
BENCHMARK(BM_GlibcMallocFree)->Arg(16)->Arg(256)->Arg(4096);

const vxbench::Ratio malloc16("HAL_malloc + free 16 B vs glibc", "BM_MallocFree/16", "BM_GlibcMallocFree/16", 1.2);
const vxbench::Ratio malloc256("HAL_malloc + free 256 B vs glibc", "BM_MallocFree/256",
                               "BM_GlibcMallocFree/256", 1.2);
const vxbench::Ratio malloc4096("HAL_malloc + free 4096 B vs glibc", "BM_MallocFree/4096",
                                "BM_GlibcMallocFree/4096", 1.2);

}  // namespace
