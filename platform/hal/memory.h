#pragma once
// The counted platform heap and the runtime heap's source of blocks.

#include <cstdint>

// Counted blocks: a 16-byte header in front; null when memory runs out (after
// a collection and the shell's free-memory request) or the size cannot carry
// its header.
void* HAL_malloc(uint32_t size);
void HAL_free(void* block);
uint32_t HAL_getAllocatedBytes();
// As HAL_malloc / HAL_free, also counted as image bytes.
void* HAL_mallocCounted(uint32_t size);
void HAL_freeCounted(void* block);
uint32_t HAL_getImageBytes();

// Plain blocks for the runtime heap; useReserve 1 first gives up the
// emergency reserve.
void* HAL_allocFromSystem(uint32_t size, uint32_t useReserve);
void HAL_freeToSystem(void* block);
int32_t HAL_compactHeap();
void HAL_reserveMemory();
void HAL_releaseReserve();
