#pragma once
// Device services: clock, idle timer, power notifications, the optional
// device SDKs, resource files, console output and commands.

#include <cstdint>

struct HALString;

// ---- Clock ------------------------------------------------------------------

uint32_t HAL_getTickCount();
// Local wall-clock milliseconds since 1970: the local time read once, then
// advanced by the tick count (kept in 64 bits across its wrap).
int64_t HAL_currentTimeMillis();
// Forgets the clock's base; the next call reads the local time again
// (start-up).
void HAL_resetClock();
// How far local time is ahead of UTC, in milliseconds.
int32_t HAL_getTimeZoneOffset();

// ---- Idle timer ---------------------------------------------------------------

// Stops the idle timer; with on set, starts it again. Returns 1.
int32_t HAL_resetIdleTimer(int32_t on);
// Nine tenths of the shortest power time-out, at most (and without one)
// 5000 ms.
uint32_t HAL_computeIdleTimerPeriod();

// ---- Power notifications ---------------------------------------------------------

bool HAL_startPowerThread();
// Tells the power thread to end, wakes it at once and waits for its end.
void HAL_stopPowerThread();

// ---- Device SDKs ---------------------------------------------------------------

bool HAL_probeSamsungSdk();
bool HAL_isOpticalMouseAvailable();
bool HAL_setOpticalMouseMode(int32_t mode);
bool HAL_isKeyFromWheel(uint32_t vk, uint32_t scanCode);
bool HAL_isDataConnectionUp();
bool HAL_establishDataConnection();
int32_t HAL_releaseDataConnection();
bool HAL_probeHtcSensor();
void HAL_closeHtcSensor();

// ---- Resource files ------------------------------------------------------------

struct HALResource;

// Opens "\\rsc\\" + name in the application folder for reading.
int32_t HAL_openResource(HALResource** out, const char16_t* name, int32_t length);
// The file size; -1 for a null handle.
int32_t HAL_getResourceSize(HALResource* resource);
// Reads *count bytes at offset; *count becomes the bytes read (fewer at the
// end of the file). 2 for null arguments, 7 when the seek or the read fails.
int32_t HAL_readResource(HALResource* resource, void* buffer, int32_t offset, int32_t* count);
void HAL_closeResource(HALResource* resource);

// ---- Platform name, console, commands ---------------------------------------------

const char* HAL_getPlatformName();
const char* HAL_getPlatformVersion();
// Writes one character to standard output, flushing after a line feed;
// 3 when the write or the flush fails.
int32_t HAL_writeConsole(int32_t character);

struct HALCommand {
    HALString* label;
    int32_t type;
    int32_t priority;
};

int32_t HAL_createCommand(HALCommand** out, const char16_t* label, int32_t length, int32_t type,
                          int32_t priority);
int32_t HAL_deleteCommand(HALCommand* command);
