#pragma once
// The counted platform heap and the runtime heap's source of blocks.

#include <cstdint>

// Counted blocks: a 16-byte header in front. Null when memory runs out (after
// a collection and the shell's free-memory request) or when the size cannot
// carry its header; no counter changes then.
void* HAL_malloc(uint32_t size);
// Null is ignored.
void HAL_free(void* block);
// Bytes held in counted blocks, headers included (saturates at 2^32 - 1).
uint32_t HAL_getAllocatedBytes();
// As HAL_malloc / HAL_free, also counted as image bytes.
void* HAL_mallocCounted(uint32_t size);
void HAL_freeCounted(void* block);
uint32_t HAL_getImageBytes();

// Plain blocks for the runtime heap, aligned for any type; useReserve 1 first
// gives up the emergency reserve.
void* HAL_allocFromSystem(uint32_t size, uint32_t useReserve);
void HAL_freeToSystem(void* block);
int32_t HAL_compactHeap();
// The 64 KB emergency reserve: made at start-up, given back at shutdown or to
// the runtime heap.
void HAL_reserveMemory();
void HAL_releaseReserve();
bool HAL_holdsReserve();
