#pragma once
// Platform status codes and the numbered platform events.

#include <cstdint>

// Every HAL_ operation that reports a result returns one of these; results
// travel through out-parameters.
enum HALStatus : int32_t {
    HAL_OK = 0,
    HAL_NOT_AVAILABLE = 1,  // the platform service is not available
    HAL_BAD_ARGUMENT = 2,   // a null handle or pointer, an index below 1
    HAL_END_OF_DATA = 3,    // end of data or stream failure
    HAL_NOT_FOUND = 4,      // missing, or cannot be opened
    HAL_OUT_OF_MEMORY = 5,
    HAL_DEVICE_ERROR = 6,
    HAL_IO_ERROR = 7,
    HAL_OUT_OF_RANGE = 8,
};

// Events posted to the runtime's event callback. Data words are pointer-sized
// so that a displayable's object travels whole.
enum HALEvent : int32_t {
    HAL_EVENT_INACTIVE = 1,
    HAL_EVENT_ACTIVE = 2,
    HAL_EVENT_EXIT = 3,
    HAL_EVENT_TIME_ZONE = 4,
    HAL_EVENT_DISPLAYABLE_CHANGED = 5,  // 1 word: the runtime's displayable
    HAL_EVENT_DISPLAYABLE_SIZE = 6,     // 3 words: displayable, width, height
    HAL_EVENT_PAINT = 7,                // 4 words: graphics context, displayable, width, height
    HAL_EVENT_KEY_PRESSED = 8,          // 1 word: key code
    HAL_EVENT_KEY_RELEASED = 9,
    HAL_EVENT_KEY_REPEATED = 10,
    HAL_EVENT_POINTER_PRESSED = 11,     // 2 words: x, y
    HAL_EVENT_POINTER_RELEASED = 12,
    HAL_EVENT_POINTER_DRAGGED = 13,
    HAL_EVENT_COMMAND = 15,             // 1 word: the platform command
};

// Boot results of the init callback.
enum HALBootResult : int32_t {
    HAL_BOOT_OK = 0,
    HAL_BOOT_INITIALIZATION_FAILED = 1,
    HAL_BOOT_UNCAUGHT_EXCEPTION = 2,
};
