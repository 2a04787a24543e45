#pragma once
// The runtime's callback table and the platform's main line.

#include <cstdint>

struct HALThread;

// The six runtime callbacks, in slot order. HAL_setCallbacks copies the table
// and fills empty slots with defaults.
struct HALCallbacks {
    // 0: create and boot the runtime (initial limit, maximum limit, the UI
    // thread's record, boot class dotted name, entry word) -> HALBootResult.
    int32_t (*init)(uint32_t initialLimit, uint32_t maximumLimit, HALThread* mainThread,
                    const char* bootClass, intptr_t entryArgument);
    // 1: a platform event (type, number of data words, the words).
    int32_t (*event)(int32_t type, int32_t count, const intptr_t* data);
    // 2: give up the VM (never called by the platform layer).
    void (*leaveVM)();
    // 3: called after every retaking of the VM lock; returns the runtime's
    // record of the calling thread.
    void* (*enterVM)();
    // 4: one garbage collection.
    void (*gc)();
    // 5: stop the runtime's threads and destroy the runtime.
    void (*shutdown)();
};

// Copies the table (null: keeps the current one), then fills empty slots
// with defaults. Called before any thread of the layer runs.
void HAL_setCallbacks(const HALCallbacks* table);
// The table as it stands (all defaults before the first HAL_setCallbacks).
const HALCallbacks& HAL_callbacks();

// Runs start-up, the message loop and shutdown; returns the exit code.
int HAL_main(void* instance, int showCommand);

// Posts an event to the runtime; with takeLock the VM lock is taken around it.
// Does nothing once shutdown has begun.
void HAL_postEvent(int32_t type, int32_t count, const intptr_t* data, bool takeLock);
// The exit sequence: exit event, then the runtime's shutdown callback.
void HAL_requestExit();
// Asks the main window to run the exit sequence (window message 1025).
void HAL_postExit();
// Remembers a URL to open in the system browser at shutdown.
int32_t HAL_openURL(const char16_t* url, int32_t length, uint8_t* mustExit);
