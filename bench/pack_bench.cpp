// Resource packs: a chunked part of 1,000 small pictures built by the pack
// builder's writer, read as the engine reads it (tables, then entries as
// bytes, streams and images), against reading the same bytes straight from
// the file system; and the engine's integer hash table against
// std::unordered_map.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unordered_map>

#include "BenchFolder.h"
#include "InVM.h"
#include "Ratios.h"
#include "java/lang/Integer.h"
#include "support/PngWriter.h"
#include "tq/Resources.h"
#include "tq/io/resource/ResourcePackChunked.h"
#include "tq/util/IntHashtable.h"

namespace {

using tq::io::resource::ResourcePack;
using tq::io::resource::ResourcePackChunked;

constexpr int kEntries = 1000;

// Builds the part once per process: rsc/RP1part0.rp with one PNG data file
// per entry, each a 16 x 16 picture of 4 colours.
struct PackFolder {
    const vxtest::AppFolder& app = benchFolder();
    PackFolder()
    {
        std::string manifest = "part 1 chunked\n";
        for (int i = 0; i < kEntries; i++) {
            std::vector<uint8_t> indices(256);
            for (size_t p = 0; p < indices.size(); p++)
                indices[p] = uint8_t((p + size_t(i)) % 4);
            std::string png = vxtest::pngPalette(
                16, 16, {0xFF000000u, 0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu | uint32_t(i)}, indices);
            std::string name = "pictures/e" + std::to_string(i) + ".png";
            app.write(name, png);
            manifest += "entry E" + std::to_string(i) + " png " + name + "\n";
        }
        buildBenchPack("pictures.manifest", manifest);
    }
    std::string dataFile(int entry) const
    {
        return app.path() + "/rsc/RP1part" + std::to_string(entry + 1) + ".png";
    }
};

const PackFolder& folder()
{
    static PackFolder* made = nullptr;
    if (!made)
        made = new PackFolder();
    return *made;
}

// The current part is a class static: a new pack starts with none.
VMPtr<ResourcePackChunked> pack()
{
    ResourcePack::currentPart = -1;
    return ResourcePackChunked::newInstance()->init();
}

void BM_PackOpenTables(benchmark::State& state)
{
    InVM vm;
    folder();
    VMPtr<ResourcePackChunked> p = pack();
    for (auto _ : state) {
        ResourcePack::currentPart = -1;
        p->loadPart(1 << 10);
    }
}
BENCHMARK(BM_PackOpenTables);

// Every entry in turn, the part already open.
void BM_PackEntryBytes(benchmark::State& state)
{
    InVM vm;
    folder();
    VMPtr<ResourcePackChunked> p = pack();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p->getBytes(1 << 10 | i).get());
        i = (i + 1) % kEntries;
    }
}
BENCHMARK(BM_PackEntryBytes);

void BM_PackEntryStream(benchmark::State& state)
{
    InVM vm;
    folder();
    VMPtr<ResourcePackChunked> p = pack();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p->getDataInputStream(1 << 10 | i)->readInt());
        i = (i + 1) % kEntries;
    }
}
BENCHMARK(BM_PackEntryStream);

void BM_PackEntryImage(benchmark::State& state)
{
    InVM vm;
    folder();
    VMPtr<ResourcePackChunked> p = pack();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p->getImage(1 << 10 | i, nullptr).get());
        i = (i + 1) % kEntries;
    }
}
BENCHMARK(BM_PackEntryImage);

// The goal's pair: opening the part and reading one entry, against reading
// the entry's bytes from its file.
void BM_PackOpenAndReadEntry(benchmark::State& state)
{
    InVM vm;
    folder();
    VMPtr<ResourcePackChunked> p = pack();
    int i = 0;
    for (auto _ : state) {
        ResourcePack::currentPart = -1;
        benchmark::DoNotOptimize(p->getBytes(1 << 10 | i).get());
        i = (i + 1) % kEntries;
    }
}
BENCHMARK(BM_PackOpenAndReadEntry);

void BM_FileReadEntry(benchmark::State& state)
{
    {
        InVM vm; // the part is built by the engine's writers
        folder();
    }
    const PackFolder& f = folder();
    std::vector<std::string> names;
    for (int i = 0; i < kEntries; i++)
        names.push_back(f.dataFile(i));
    std::vector<char> buffer(4096);
    int i = 0;
    for (auto _ : state) {
        std::FILE* file = std::fopen(names[size_t(i)].c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), file));
        std::fclose(file);
        i = (i + 1) % kEntries;
    }
}
BENCHMARK(BM_FileReadEntry);

// Keys as the engine uses them: resource ids spread over a few parts.
std::vector<int32_t> hashKeys()
{
    std::vector<int32_t> keys;
    std::mt19937 random(7);
    for (int i = 0; i < 4096; i++)
        keys.push_back(int32_t(random() % 64) << 10 | int32_t(random() % 1024));
    return keys;
}

void BM_IntHashtablePutGet(benchmark::State& state)
{
    InVM vm;
    std::vector<int32_t> keys = hashKeys();
    VMPtr<java::lang::Object> value = java::lang::Integer::newInstance()->init(1);
    for (auto _ : state) {
        VMPtr<tq::util::IntHashtable> table = tq::util::IntHashtable::newInstance()->init(64);
        for (int32_t key : keys)
            table->put(key, value);
        for (int32_t key : keys)
            benchmark::DoNotOptimize(table->get(key).get());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(keys.size()) * 2);
}
BENCHMARK(BM_IntHashtablePutGet);

// The same boxed value, held by a plain map.
void BM_UnorderedMapPutGet(benchmark::State& state)
{
    InVM vm;
    std::vector<int32_t> keys = hashKeys();
    VMPtr<java::lang::Object> value = java::lang::Integer::newInstance()->init(1);
    for (auto _ : state) {
        std::unordered_map<int32_t, java::lang::Object*> table(64);
        for (int32_t key : keys)
            table[key] = value.get();
        for (int32_t key : keys)
            benchmark::DoNotOptimize(table.find(key)->second);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(keys.size()) * 2);
}
BENCHMARK(BM_UnorderedMapPutGet);

const vxbench::Ratio packRatio("pack part open + entry read vs fopen+fread", "BM_PackOpenAndReadEntry",
                               "BM_FileReadEntry", 5.0);
const vxbench::Ratio hashRatio("IntHashtable vs unordered_map, 4096 put+get", "BM_IntHashtablePutGet",
                               "BM_UnorderedMapPutGet", 2.0);

} // namespace
