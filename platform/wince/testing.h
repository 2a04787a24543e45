#pragma once
// Test seam of the window, device and shell stand-ins: input given as a user
// would give it, and device facts a test can set. Input goes through SDL's
// event queue to the first window, so it takes the same road as real input;
// it may be injected from any thread once that window exists.

#include <string>
#include <vector>

#include "wince/registry.h"
#include "wince/user.h"

namespace wince {

// A key press (down) or release; repeat marks SDL's auto-repeat. False when
// the key has no SDL counterpart or no window exists.
bool injectKey(UINT vk, bool down, bool repeat = false);
// WM_LBUTTONDOWN, WM_LBUTTONUP, or WM_MOUSEMOVE with the button held.
bool injectStylus(UINT message, int x, int y);

enum class WindowEvent { FocusGained, FocusLost, Minimized, Restored, Close, Resized };
// width and height are used by Resized only.
bool injectWindowEvent(WindowEvent kind, int width = 0, int height = 0);
// A message for the first window that travels behind the input injected
// before it, so a test knows when that input has been handled.
bool injectMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// A power notification with these flags to every queue that asked for one
// (POWER_STATE_ON in the flags means the power is on).
void injectPowerNotice(DWORD flags);
// How often SystemIdleTimerReset has been called.
uint32_t idleTimerResets();
// How many power-notification requests are active.
size_t powerNotificationRequests();

// Device facts: screen size, and the system parameter texts (null keeps a text).
void setScreenSize(INT width, INT height);
void setDeviceTexts(const char16_t* oemInfo, const char16_t* manufacturer,
                    const char16_t* platformType);
// Back to the stand-in's own device.
void resetDevice();

// Free memory as GlobalMemoryStatus reports it (both figures in bytes);
// useRealMemory goes back to the machine's figures.
void setAvailableMemory(DWORD physical, DWORD virtualBytes);
void useRealMemory();
// Puts the figures set above into a status (used by GlobalMemoryStatus).
void applyMemoryFigures(MEMORYSTATUS* status);

// How often HeapCompact has given free heap memory back to the system.
uint32_t heapTrims();

// The FluidSynth library the next MIDI device loads (null: the usual names).
// Made while no MIDI device is open; a library already loaded stays loaded.
void useSynthLibrary(const char* name);

// Registry values of the in-memory table.
void setRegistryDword(HKEY root, const char16_t* key, const char16_t* name, DWORD value);
void setRegistryString(HKEY root, const char16_t* key, const char16_t* name,
                       const char16_t* value);
void resetRegistry();  // the stand-in's own values
void clearRegistry();  // no keys at all

// While capturing, ShellExecuteEx records its request instead of starting a
// program; lastShellRequest answers "file|parameters" of the last one.
void captureShellRequests(bool on);
std::u16string lastShellRequest();

// What GDI last drew into the window's client area (RGB565, top row first)
// and its size; empty for a dead window. How often a frame was shown.
std::vector<uint16_t> windowFrame(HWND window, INT* width = nullptr, INT* height = nullptr);
uint32_t windowPresents(HWND window);
// The display's orientation as ChangeDisplaySettingsEx reports it (DMDO_*),
// and how many changes were asked for, with the last one asked.
void setDisplayOrientation(DWORD orientation);
uint32_t displayChanges(DWORD* lastRequested = nullptr);

}  // namespace wince
