#pragma once
// The main window and the displayable operations of the MIDP classes.

#include <cstdint>

#include "hal/HALCanvas.h"
#include "hal/HALDisplayable.h"

// Creates the main window with the application name as class and title,
// and its registry notices; false (last error set) when it cannot.
bool HAL_createMainWindow(void* instance, const char16_t* name);
// Closes the window's two registry notices.
void HAL_closeRegistryNotices();
// Closes the notices; destroys the window and its class when they still
// exist.
void HAL_destroyMainWindow();
HWND HAL_getMainWindow();

int32_t HAL_setCurrentDisplayable(HALDisplayable* displayable);
HALDisplayable* HAL_getCurrentDisplayable();
int32_t HAL_createCanvas(HALCanvas** out, intptr_t runtimeCanvas);
int32_t HAL_deleteCanvas(HALCanvas* canvas);
int32_t HAL_getDisplayableSize(HALDisplayable* displayable, int32_t* width, int32_t* height);
void HAL_setFullScreenMode(HALDisplayable* displayable, int32_t mode);
void HAL_setDisplayableTitle(HALDisplayable* displayable, const char16_t* text, int32_t length);
void HAL_setDisplayableTicker(HALDisplayable* displayable, const char16_t* text, int32_t length);
void HAL_addCommand(HALDisplayable* displayable, void* command);
void HAL_removeCommand(HALDisplayable* displayable, void* command);
// Runs runner(argument) on the UI thread, holding the VM lock, after the
// messages already queued. 0, or 1 when there is no main window to run it.
int32_t HAL_callSerially(void (*runner)(intptr_t), intptr_t argument);
void HAL_getDisplayCapabilities(uint8_t* isColour, int32_t* colours, int32_t* alphaLevels,
                                uint8_t* doubleBuffered);
