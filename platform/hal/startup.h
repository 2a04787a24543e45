#pragma once
// The platform's main line: start-up, the UI thread's message loop, the
// application's activity and shutdown. HAL_main (hal/callbacks.h) runs them.

#include <cstdint>

// Start-up in its fixed order; false when the program must end with code 1
// (a second instance, no window, no thread slot, no power thread).
bool HAL_init(void* instance, int showCommand);
// Runs until the quit message; returns its exit code.
int HAL_runMessageLoop();
// Stops the platform services in their fixed order.
void HAL_shutdown();

// The application is active while its window is active and the power is on;
// a change posts event 1 (inactive) or 2 (active).
void HAL_setWindowActive(bool active);
void HAL_setPowerOn(bool on);
bool HAL_isApplicationActive();
// Back to active window and power on (start-up).
void HAL_resetActivity();
// Set at start-up when the Samsung SDK reports an optical mouse.
void HAL_setOpticalMouse(bool present);

// The UI thread's identifier, taken at start-up.
uint32_t HAL_getUIThreadId();
