#include "hal/hal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

namespace {

TEST(Heap, CountsWholeBlocksIncludingTheirHeader)
{
    uint32_t base = HAL_getAllocatedBytes();
    void* empty = HAL_malloc(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(HAL_getAllocatedBytes(), base + 16);

    void* block = HAL_malloc(100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u);
    std::memset(block, 0xAB, 100);
    EXPECT_EQ(HAL_getAllocatedBytes(), base + 16 + 116);

    HAL_free(block);
    HAL_free(nullptr);
    HAL_free(empty);
    EXPECT_EQ(HAL_getAllocatedBytes(), base);
}

TEST(Heap, ImageBlocksCountInBothCounters)
{
    uint32_t allocated = HAL_getAllocatedBytes();
    uint32_t images = HAL_getImageBytes();
    void* pixels = HAL_mallocCounted(64);
    ASSERT_NE(pixels, nullptr);
    void* other = HAL_malloc(8);
    EXPECT_EQ(HAL_getImageBytes(), images + 80);
    EXPECT_EQ(HAL_getAllocatedBytes(), allocated + 80 + 24);
    HAL_freeCounted(pixels);
    HAL_free(other);
    HAL_freeCounted(nullptr);
    EXPECT_EQ(HAL_getImageBytes(), images);
    EXPECT_EQ(HAL_getAllocatedBytes(), allocated);
}

// Each thread counts on its own: blocks made on one thread and freed on
// another, by more threads than there are counters, over threads that end,
// leave the totals exact.
TEST(Heap, CountsStayExactAcrossThreadsThatComeAndGo)
{
    uint32_t allocated = HAL_getAllocatedBytes();
    uint32_t images = HAL_getImageBytes();
    std::vector<void*> blocks(100, nullptr);
    std::vector<std::thread> makers;
    for (size_t t = 0; t < blocks.size(); t++)
        makers.emplace_back([&blocks, t] { blocks[t] = t % 2 ? HAL_malloc(uint32_t(t)) : HAL_mallocCounted(8); });
    for (std::thread& maker : makers)
        maker.join();
    uint32_t made = 0;
    for (size_t t = 0; t < blocks.size(); t++)
        made += t % 2 ? uint32_t(t) + 16 : 24;
    EXPECT_EQ(HAL_getAllocatedBytes(), allocated + made);
    EXPECT_EQ(HAL_getImageBytes(), images + 50 * 24);

    std::thread freer([&blocks] {
        for (size_t t = 0; t < blocks.size(); t++)
            t % 2 ? HAL_free(blocks[t]) : HAL_freeCounted(blocks[t]);
    });
    freer.join();
    EXPECT_EQ(HAL_getAllocatedBytes(), allocated);
    EXPECT_EQ(HAL_getImageBytes(), images);
}

TEST(Heap, RefusesSizesWhoseHeaderWouldOverflow)
{
    uint32_t base = HAL_getAllocatedBytes();
    for (uint32_t size : {0xFFFFFFF0u, 0xFFFFFFF1u, 0xFFFFFFFFu}) {
        EXPECT_EQ(HAL_malloc(size), nullptr) << size;
        EXPECT_EQ(HAL_mallocCounted(size), nullptr) << size;
    }
    EXPECT_EQ(HAL_getAllocatedBytes(), base);
    EXPECT_EQ(HAL_getImageBytes(), 0u);
}

TEST(Heap, TheReserveIsGivenUpOnlyWhenAskedFor)
{
    EXPECT_FALSE(HAL_holdsReserve());
    HAL_reserveMemory();
    EXPECT_TRUE(HAL_holdsReserve());
    HAL_reserveMemory();  // one reserve only

    void* plain = HAL_allocFromSystem(4096, 0);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(HAL_holdsReserve());
    void* rescued = HAL_allocFromSystem(4096, 1);
    ASSERT_NE(rescued, nullptr);
    EXPECT_FALSE(HAL_holdsReserve());
    EXPECT_EQ(HAL_getAllocatedBytes(), 0u);  // system blocks are not counted

    HAL_freeToSystem(plain);
    HAL_freeToSystem(rescued);
    HAL_freeToSystem(nullptr);
    HAL_releaseReserve();  // none held: nothing happens
    HAL_reserveMemory();
    HAL_releaseReserve();
    EXPECT_FALSE(HAL_holdsReserve());
    EXPECT_EQ(HAL_compactHeap(), 0);
}

}  // namespace
