#include "hal/hal.h"

#include <gtest/gtest.h>

#include <cstring>

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
