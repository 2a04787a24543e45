#pragma once
// The VM heap: every allocation of the VM core and of the system's classes.
//
// Each block has a 4-byte header word in front of the caller's bytes: the block
// size (requested size + 4) in bits 0-29 and the kind in bits 30-31 (0 counted,
// 1 reserve: counted, made while the thread reports an out-of-memory
// condition, 2 unaccounted: made while accounting was off). On this 64-bit
// host the header is padded in front so that the caller's bytes are aligned
// for any type; the accounting still counts requested size + 4.
//
// The used count is kept under a current limit between a minimum and a
// maximum; a request that does not fit collects, moves the limit to twice the
// need and retries, up to three collections, then throws OutOfMemoryError.

#include <cstdint>

void _VM_initHeap(uint32_t minimum, uint32_t maximum);
void _VM_endHeapAccounting();
// Never null when it returns; the contents are not cleared.
void* _VM_malloc(uint32_t size, bool mayThrow);
inline void* _VM_new(uint32_t size) { return _VM_malloc(size, true); }
void _VM_free(void* block);
// The size a block was requested with.
uint32_t _VM_blockSize(const void* block);
uint32_t _VM_getFreeMemory();
uint32_t _VM_getTotalMemory();

struct VMInstance;

// The collection a refused request runs before it retries: the collector
// unless a test replaces it. Returns the previous hook.
typedef void (*VMCollectHook)(VMInstance* vm);
VMCollectHook _VM_setCollectHook(VMCollectHook hook);
// One collection through the installed hook; nothing without one.
void _VM_collectGarbage(VMInstance* vm);

// Stress mode of debug builds: every allocation by a VM thread first runs a
// collection, and freed blocks are filled with a pattern, so a missing root
// shows at once. False (and nothing changes) in optimised builds.
bool _VM_setCollectOnEveryAllocation(bool on);

// The accounting state, for Runtime figures and tests.
struct VMHeapState {
    uint8_t accountingOn;
    uint32_t used;
    uint32_t minimumLimit;
    uint32_t currentLimit;
    uint32_t maximumLimit;
};
VMHeapState _VM_getHeapState();
// Replaces the accounting state (tests that need exact limits).
void _VM_setHeapState(const VMHeapState& state);
