#pragma once
// Creating, booting and tearing down the VM; the fatal-error exit.

#include <cstdint>

struct HALCallbacks;
struct HALThread;
struct VMInstance;

// The platform's initialise callback: creates the instance and boots it.
// Returns _VM_start's result.
int32_t _VM_create(uint32_t minimumLimit, uint32_t maximumLimit, HALThread* uiThread,
                   const char* bootClass, intptr_t entryArgument);
void _VM_constructInstance(VMInstance* vm);
// 0 when the boot class's entry point returned, 1 without a boot class name,
// 2 when an exception left the boot.
int32_t _VM_start(VMInstance* vm, uint32_t minimumLimit, uint32_t maximumLimit,
                  HALThread* uiThread, const char* bootClass, intptr_t entryArgument);
// Stops the other threads (asking, then interrupting, then cancelling, with
// a wait after each) and tears the runtime down; teardown happens regardless.
void _VM_shutdown(VMInstance* vm);
void _VM_destroyInstance(VMInstance* vm);
// The platform's shutdown callback: shutdown, destruction, pointer cleared.
void _VM_shutdownCallback();

// Fills the platform's callback table with the runtime's six entries.
void _VM_fillCallbacks(HALCallbacks* table);

// Ends the process with exit status 1; the message is not shown.
[[noreturn]] void _VM_fatalError(const char* message);
// The fatal exit for a mistake in a class's glue (a field not traced, a
// wrong base name): the message goes to the error console first, since the
// fatal exit itself shows nothing.
[[noreturn]] void _VM_glueError(const char* message);
// The runtime's debug print: writes nothing.
void _VM_printDebug(const char* text);

// Boot phases: the value is stored before the step it names.
enum VMBootPhase : int32_t {
    VM_PHASE_HEAP = 1,
    VM_PHASE_TABLES = 2,
    VM_PHASE_REGISTRY = 3,
    VM_PHASE_REGISTER_CLASSES = 4,
    VM_PHASE_INTERFACES = 6,
    VM_PHASE_ENTRY_POINTS = 7,
    VM_PHASE_SEAL = 8,
    VM_PHASE_UI_THREAD = 9,
    VM_PHASE_CORE_CLASSES = 10,
    VM_PHASE_SYSTEM_THREADS = 11,
    VM_PHASE_FIRST_COLLECTION = 12,
    VM_PHASE_BOOT_CLASS = 14,
};
