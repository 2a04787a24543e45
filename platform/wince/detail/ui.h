#pragma once
// Inside the window stand-in: the window record, the message queue and the
// SDL backend. Only the stand-in's own sources include this file.

#include <SDL.h>

#include <mutex>
#include <string>
#include <vector>

#include "wince/detail/text.h"
#include "wince/user.h"

struct HWND__ {
    std::u16string className;
    std::u16string title;
    WNDPROC proc = nullptr;
    LONG_PTR userData = 0;
    INT width = 0;  // client size
    INT height = 0;
    bool visible = false;
    bool enabled = true;
    SDL_Window* sdl = nullptr;
    uint32_t sdlId = 0;
    // What GDI drew into the client area (RGB565, width x height), guarded
    // by windowsLock, and how often it was shown.
    std::vector<uint16_t> frame;
    uint32_t presents = 0;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
};

namespace wince_ui {

// Guards the window list; PostMessageW checks handles under it.
std::recursive_mutex& windowsLock();
bool isLiveWindow(HWND window);  // caller holds windowsLock
HWND windowFromSdlId(uint32_t id);
HWND firstWindow();

// The queue. post appends and wakes a waiting reader; purge drops every
// message of a destroyed window.
void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void purge(HWND window);
bool isQueued(HWND window, UINT message, WPARAM wParam);

// Timers: posts WM_TIMER for every timer that is due and not yet queued.
void postDueTimers();
void killWindowTimers(HWND window);

// SDL backend. pumpEvents (UI thread) turns SDL's events into messages;
// show, resize and raise may be asked for on any thread and reach SDL on the
// UI thread.
bool createSdlWindow(HWND window);
void destroySdlWindow(HWND window);
void showSdlWindow(HWND window, INT showCommand);
void resizeSdlWindow(HWND window, INT width, INT height);
void raiseSdlWindow(HWND window);
void pumpEvents();
// Shows the window's frame (caller holds windowsLock): at once on the UI
// thread, else when it next gathers input.
void presentFrame(HWND window);
// The virtual key behind an SDL key, or 0; and back.
UINT virtualKeyFromSdl(SDL_Keycode key);
SDL_Keycode sdlFromVirtualKey(UINT vk);
// Whether a virtual key is down as the backend last saw it.
bool isKeyDown(UINT vk);

}  // namespace wince_ui
