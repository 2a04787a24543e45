// The VM's two hottest paths, a local reference made and destroyed and a heap
// block allocated and freed within the limit, and full collections of live
// heaps of several shapes.

#include <benchmark/benchmark.h>

#include "InVM.h"
#include "Ratios.h"
#include "hal/callbacks.h"
#include "hal/thread.h"
#include "java/lang/Integer.h"
#include "java/lang/Object.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "java/util/Hashtable.h"
#include "java/util/Vector.h"
#include "vm/VMArray.h"
#include "vm/VMBoot.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMThread.h"

namespace {

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

using java::lang::Integer;
using java::lang::String;
using java::util::Hashtable;
using java::util::Vector;

void collect()
{
    _VM_collectGarbage(_VM_instance);
}

int64_t countObjects()
{
    int64_t count = 0;
    for (java::lang::Object* o = _VM_instance->objectList; o; o = o->objNext)
        ++count;
    return count;
}

// Collections of a heap whose garbage is already gone: only the live objects
// are marked and walked.
void runCollections(benchmark::State& state)
{
    collect();
    for (auto _ : state)
        collect();
    state.counters["objects"] = double(countObjects());
}

// The yardstick: a plain loop over the same objects, reading each one's
// header once.
void runWalks(benchmark::State& state)
{
    collect();
    for (auto _ : state) {
        uintptr_t sum = 0;
        for (java::lang::Object* o = _VM_instance->objectList; o; o = o->objNext)
            sum += uintptr_t(o->monitorCount);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["objects"] = double(countObjects());
}

// range(0) small live objects: Integers held by one Vector.
VMPtr<Vector> smallObjects(int32_t count)
{
    VMPtr<Vector> held = Vector::newInstance()->init(count);
    for (int32_t i = 0; i < count; ++i)
        held->addElement(Integer::newInstance()->init(i));
    return held;
}

// A heap of about 4 MB of live objects of mixed shapes: a Hashtable from
// Integers to strings, int arrays, Vectors of strings and StringBuffers.
VMPtr<Hashtable> mixedHeap4MB()
{
    collect();
    uint32_t start = _VM_getHeapState().used;
    VMPtr<Hashtable> table = Hashtable::newInstance()->init();
    for (int32_t i = 0; _VM_getHeapState().used - start < (4u << 20); ++i) {
        VMPtr<java::lang::Object> value;
        switch (i % 4) {
        case 0:
            value = String::newFromCString("a string of some length");
            break;
        case 1:
            value = VMArray<int32_t>::newArray(16);
            break;
        case 2: {
            VMPtr<Vector> strings = Vector::newInstance()->init(3);
            for (int32_t k = 0; k < 3; ++k)
                strings->addElement(String::valueOf(i + k));
            value = strings;
            break;
        }
        default:
            value = java::lang::StringBuffer::newInstance()->init();
            break;
        }
        table->put(Integer::newInstance()->init(i), value);
    }
    return table;
}

void BM_VMCollectSmallObjects(benchmark::State& state)
{
    InVM vm;
    VMPtr<Vector> held = smallObjects(static_cast<int32_t>(state.range(0)));
    runCollections(state);
}
BENCHMARK(BM_VMCollectSmallObjects)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_VMWalkSmallObjects(benchmark::State& state)
{
    InVM vm;
    VMPtr<Vector> held = smallObjects(static_cast<int32_t>(state.range(0)));
    runWalks(state);
}
BENCHMARK(BM_VMWalkSmallObjects)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_VMCollectMixedHeap4MB(benchmark::State& state)
{
    InVM vm;
    VMPtr<Hashtable> table = mixedHeap4MB();
    runCollections(state);
}
BENCHMARK(BM_VMCollectMixedHeap4MB)->Unit(benchmark::kMillisecond);

void BM_VMWalkMixedHeap4MB(benchmark::State& state)
{
    InVM vm;
    VMPtr<Hashtable> table = mixedHeap4MB();
    runWalks(state);
}
BENCHMARK(BM_VMWalkMixedHeap4MB)->Unit(benchmark::kMillisecond);

// The goals are absolute; the ratio to the walk says how far the machine's
// speed explains a miss.
const vxbench::Ratio collect10k("full collection, 10k live vs a walk", "BM_VMCollectSmallObjects/10000",
                                "BM_VMWalkSmallObjects/10000", 50, true);
const vxbench::Ratio collect100k("full collection, 100k live vs a walk", "BM_VMCollectSmallObjects/100000",
                                 "BM_VMWalkSmallObjects/100000", 500, true);
const vxbench::Ratio collectMixed("full collection, 4 MB mixed vs a walk", "BM_VMCollectMixedHeap4MB",
                                  "BM_VMWalkMixedHeap4MB", 500, true);

} // namespace
