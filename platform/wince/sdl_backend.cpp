// The SDL side of the windows: one SDL window per window, and SDL's events
// turned into Windows messages with Windows' numbers and packing. Runs on the
// UI thread; the test injections below push SDL events from any thread.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "wince/detail/ui.h"
#include "wince/testing.h"

namespace {

std::atomic<bool> g_sdlReady{false};
std::thread::id g_uiThread;
// Whether the video driver has input of its own (a display), so the UI
// thread waits in SDL; the dummy and off-screen drivers get their events only
// from SDL_PushEvent, whose callers then wake the queue's wait.
bool g_driverHasInput = false;
// The user events of the stand-in: one that wakes the UI thread's SDL wait
// (and whether one is on its way), one that carries an injected message.
std::atomic<uint32_t> g_wakeEvent{0};
std::atomic<uint32_t> g_messageEvent{0};
std::atomic<bool> g_wakePending{false};
std::array<std::atomic<bool>, 256> g_keyDown{};

// Changes to SDL windows asked for by other threads, run by the UI thread
// when it next gathers input (SDL's video functions belong to one thread).
struct Deferred {
    HWND window;
    std::function<void(SDL_Window*)> apply;
};
std::mutex g_deferredLock;
std::vector<Deferred> g_deferred;

struct KeyPair {
    SDL_Keycode sdl;
    UINT vk;
};

// SDL keys and the virtual keys they stand for. Letters and digits follow
// by rule in virtualKeyFromSdl.
constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},   {SDLK_TAB, VK_TAB},           {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN},  {SDLK_LSHIFT, VK_SHIFT},      {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},    {SDLK_RCTRL, VK_CONTROL},     {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},        {SDLK_ESCAPE, VK_ESCAPE},     {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, 33},           {SDLK_PAGEDOWN, 34},          {SDLK_END, 35},
    {SDLK_HOME, 36},             {SDLK_LEFT, VK_LEFT},         {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},      {SDLK_DOWN, VK_DOWN},         {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},           {SDLK_LGUI, 91},              {SDLK_KP_0, 96},
    {SDLK_KP_1, 97},             {SDLK_KP_2, 98},              {SDLK_KP_3, 99},
    {SDLK_KP_4, 100},            {SDLK_KP_5, 101},             {SDLK_KP_6, 102},
    {SDLK_KP_7, 103},            {SDLK_KP_8, 104},             {SDLK_KP_9, 105},
    {SDLK_KP_MULTIPLY, 106},     {SDLK_KP_PLUS, 107},          {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},       {SDLK_KP_DIVIDE, 111},        {SDLK_F1, 112},
    {SDLK_F2, 113},              {SDLK_F3, 114},               {SDLK_F4, 115},
    {SDLK_F5, 116},              {SDLK_F6, 117},               {SDLK_F7, 118},
    {SDLK_F8, 119},              {SDLK_F9, 120},               {SDLK_F10, 121},
    {SDLK_F11, 122},             {SDLK_F12, 123},              {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},          {SDLK_COMMA, 188},            {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},          {SDLK_SLASH, 191},            {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},     {SDLK_BACKSLASH, 220},        {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

LPARAM packPoint(int x, int y)
{
    return static_cast<LPARAM>((static_cast<uint32_t>(x) & 0xFFFF) |
                               ((static_cast<uint32_t>(y) & 0xFFFF) << 16));
}

// Key message long parameter: repeat count 1, scan code in bits 16..23, the
// previous-state bit 30 (the key was down already) and the transition bit 31.
LPARAM keyParameter(const SDL_KeyboardEvent& key)
{
    uint32_t word = 1 | ((static_cast<uint32_t>(key.keysym.scancode) & 0xFF) << 16);
    if (key.type == SDL_KEYUP) {
        word |= (1u << 30) | (1u << 31);
    } else if (key.repeat) {
        word |= 1u << 30;
    }
    return static_cast<LPARAM>(word);
}

void translateWindowEvent(HWND window, const SDL_WindowEvent& e)
{
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        wince_ui::post(window, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_RESTORED:
        wince_ui::post(window, WM_ACTIVATE, WA_ACTIVE, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        wince_ui::post(window, WM_ACTIVATE, WA_INACTIVE, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        wince_ui::post(window, WM_ACTIVATE, WA_INACTIVE | (1u << 16), 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        bool changed;
        {
            std::lock_guard guard(wince_ui::windowsLock());
            changed = e.data1 != window->width || e.data2 != window->height;
            window->width = e.data1;
            window->height = e.data2;
        }
        if (changed) {
            wince_ui::post(window, WM_SIZE, 0, packPoint(e.data1, e.data2));
        }
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
        if (!wince_ui::isQueued(window, WM_PAINT, 0)) {
            wince_ui::post(window, WM_PAINT, 0, 0);
        }
        break;
    default:
        break;
    }
}

void translate(const SDL_Event& e)
{
    if (e.type == g_wakeEvent) {
        g_wakePending = false;
        return;
    }
    if (e.type == g_messageEvent) {  // a message injected behind earlier input
        if (HWND window = wince_ui::windowFromSdlId(e.user.windowID)) {
            wince_ui::post(window, static_cast<UINT>(e.user.code),
                           reinterpret_cast<WPARAM>(e.user.data1),
                           reinterpret_cast<LPARAM>(e.user.data2));
        }
        return;
    }
    switch (e.type) {
    case SDL_QUIT:  // an interrupt from the terminal closes the window
        if (HWND window = wince_ui::firstWindow()) {
            wince_ui::post(window, WM_CLOSE, 0, 0);
        }
        break;
    case SDL_WINDOWEVENT:
        if (HWND window = wince_ui::windowFromSdlId(e.window.windowID)) {
            translateWindowEvent(window, e.window);
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        HWND window = wince_ui::windowFromSdlId(e.key.windowID);
        UINT vk = wince_ui::virtualKeyFromSdl(e.key.keysym.sym);
        if (!window || vk == 0) {
            break;
        }
        bool down = e.type == SDL_KEYDOWN;
        g_keyDown[vk] = down;
        wince_ui::post(window, down ? WM_KEYDOWN : WM_KEYUP, vk, keyParameter(e.key));
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (HWND window = wince_ui::windowFromSdlId(e.button.windowID);
            window && e.button.button == SDL_BUTTON_LEFT) {
            bool down = e.type == SDL_MOUSEBUTTONDOWN;
            wince_ui::post(window, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? MK_LBUTTON : 0,
                           packPoint(e.button.x, e.button.y));
        }
        break;
    case SDL_MOUSEMOTION:
        if (HWND window = wince_ui::windowFromSdlId(e.motion.windowID)) {
            WPARAM buttons = (e.motion.state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0;
            wince_ui::post(window, WM_MOUSEMOVE, buttons, packPoint(e.motion.x, e.motion.y));
        }
        break;
    default:
        break;
    }
}

// SDL's stand-ins for a display: chosen by name only, never as a fallback.
bool isHeadless(const char* driver)
{
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

bool initSdl()
{
    if (g_sdlReady) {
        return true;
    }
    // Frames are drawn in software and shown through the window's own
    // surface: no GL stack behind it (loading one costs a second and many
    // threads at start). The environment may still ask for one.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "SDL video could not start: %s\n", SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* chosen = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (isHeadless(driver) && !(chosen && *chosen)) {
        // Without a display SDL falls back to drawing off screen, and the
        // program would run unseen for ever.
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        std::fprintf(stderr, "No display found: set DISPLAY (or WAYLAND_DISPLAY) to show the "
                             "window, or SDL_VIDEODRIVER=dummy to run without one.\n");
        return false;
    }
    g_driverHasInput = !isHeadless(driver);
    uint32_t events = SDL_RegisterEvents(2);
    if (events == static_cast<uint32_t>(-1)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        std::fprintf(stderr, "SDL has no user events left: %s\n", SDL_GetError());
        return false;
    }
    g_wakeEvent = events;
    g_messageEvent = events + 1;
    g_uiThread = std::this_thread::get_id();
    g_sdlReady = true;
    return true;
}

bool onUiThread()
{
    return g_sdlReady && std::this_thread::get_id() == g_uiThread;
}

// Applies a change to the window's SDL window: at once on the UI thread,
// else when the UI thread next gathers input, which it is woken to do.
void onUiThreadFor(HWND window, std::function<void(SDL_Window*)> apply)
{
    if (onUiThread()) {
        if (window->sdl) {
            apply(window->sdl);
        }
        return;
    }
    {
        std::lock_guard guard(g_deferredLock);
        g_deferred.push_back({window, std::move(apply)});
    }
    wince_ui::wake();
}

void runDeferred()
{
    std::vector<Deferred> work;
    {
        std::lock_guard guard(g_deferredLock);
        work.swap(g_deferred);
    }
    for (Deferred& d : work) {
        if (IsWindow(d.window) && d.window->sdl) {
            d.apply(d.window->sdl);
        }
    }
}

// Pushes an event for the first window; false when there is none.
bool pushForFirstWindow(SDL_Event& event, uint32_t* windowIdField)
{
    HWND window = wince_ui::firstWindow();
    if (!window || !g_sdlReady) {
        return false;
    }
    *windowIdField = window->sdlId;
    bool pushed = SDL_PushEvent(&event) == 1;
    wince_ui::wake();
    return pushed;
}

}  // namespace

namespace wince_ui {

UINT virtualKeyFromSdl(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<UINT>('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<UINT>(key);
    }
    for (const KeyPair& k : kKeys) {
        if (k.sdl == key) {
            return k.vk;
        }
    }
    return 0;
}

SDL_Keycode sdlFromVirtualKey(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z') {
        return static_cast<SDL_Keycode>(SDLK_a + (vk - 'A'));
    }
    if (vk >= '0' && vk <= '9') {
        return static_cast<SDL_Keycode>(vk);
    }
    for (const KeyPair& k : kKeys) {
        if (k.vk == vk) {
            return k.sdl;
        }
    }
    return SDLK_UNKNOWN;
}

bool isKeyDown(UINT vk)
{
    return vk < g_keyDown.size() && g_keyDown[vk];
}

bool createSdlWindow(HWND window)
{
    if (!initSdl()) {
        return false;
    }
    window->sdl = SDL_CreateWindow(wince_text::toUtf8(window->title).c_str(),
                                   SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                   window->width, window->height,
                                   SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window->sdl) {
        std::fprintf(stderr, "SDL window could not be made: %s\n", SDL_GetError());
        return false;
    }
    window->sdlId = SDL_GetWindowID(window->sdl);
    return true;
}

void destroySdlWindow(HWND window)
{
    {
        std::lock_guard guard(g_deferredLock);
        std::erase_if(g_deferred, [window](const Deferred& d) { return d.window == window; });
    }
    if (window->texture) {
        SDL_DestroyTexture(window->texture);
        window->texture = nullptr;
    }
    if (window->renderer) {
        SDL_DestroyRenderer(window->renderer);
        window->renderer = nullptr;
    }
    if (window->sdl) {
        SDL_DestroyWindow(window->sdl);
        window->sdl = nullptr;
    }
}

void showSdlWindow(HWND window, INT showCommand)
{
    onUiThreadFor(window, [showCommand](SDL_Window* sdl) {
        switch (showCommand) {
        case SW_HIDE:
            SDL_HideWindow(sdl);
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
            SDL_ShowWindow(sdl);
            SDL_MinimizeWindow(sdl);
            break;
        default:
            SDL_ShowWindow(sdl);
            if (showCommand == SW_RESTORE) {
                SDL_RestoreWindow(sdl);
            }
            break;
        }
    });
}

void resizeSdlWindow(HWND window, INT width, INT height)
{
    onUiThreadFor(window, [width, height](SDL_Window* sdl) { SDL_SetWindowSize(sdl, width, height); });
}

void raiseSdlWindow(HWND window)
{
    onUiThreadFor(window, [](SDL_Window* sdl) { SDL_RaiseWindow(sdl); });
}

bool waitForSdlEvent(DWORD milliseconds)
{
    if (!onUiThread() || !g_driverHasInput) {
        return false;
    }
    runDeferred();
    SDL_Event event;
    int timeout =
        milliseconds == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(milliseconds, INT32_MAX));
    if (timeout != 0 && SDL_WaitEventTimeout(&event, timeout)) {
        translate(event);
    }
    return true;
}

void wakeSdlWait()
{
    if (!g_sdlReady || !g_driverHasInput || onUiThread() || g_wakePending.exchange(true)) {
        return;
    }
    SDL_Event e{};
    e.type = g_wakeEvent;
    if (SDL_PushEvent(&e) != 1) {
        g_wakePending = false;  // a full queue: the next post tries again
    }
}

void presentFrame(HWND window)
{
    ++window->presents;
    onUiThreadFor(window, [window](SDL_Window* sdl) {
        std::lock_guard guard(wince_ui::windowsLock());
        int width = window->width;
        int height = window->height;
        if (width < 1 || height < 1 || window->frame.size() != static_cast<size_t>(width) * height) {
            return;
        }
        if (!window->renderer) {
            window->renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE);
            if (!window->renderer) {
                return;
            }
        }
        int textureWidth = 0;
        int textureHeight = 0;
        if (window->texture) {
            SDL_QueryTexture(window->texture, nullptr, nullptr, &textureWidth, &textureHeight);
        }
        if (!window->texture || textureWidth != width || textureHeight != height) {
            if (window->texture) {
                SDL_DestroyTexture(window->texture);
            }
            window->texture = SDL_CreateTexture(window->renderer, SDL_PIXELFORMAT_RGB565,
                                                SDL_TEXTUREACCESS_STREAMING, width, height);
            if (!window->texture) {
                return;
            }
        }
        SDL_UpdateTexture(window->texture, nullptr, window->frame.data(), width * 2);
        SDL_RenderCopy(window->renderer, window->texture, nullptr, nullptr);
        SDL_RenderPresent(window->renderer);
    });
}

void pumpEvents()
{
    if (!onUiThread()) {
        return;
    }
    runDeferred();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        translate(event);
    }
}

}  // namespace wince_ui

namespace wince {

bool injectKey(UINT vk, bool down, bool repeat)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = wince_ui::sdlFromVirtualKey(vk);
    e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
    if (e.key.keysym.sym == SDLK_UNKNOWN) {
        return false;
    }
    return pushForFirstWindow(e, &e.key.windowID);
}

bool injectStylus(UINT message, int x, int y)
{
    SDL_Event e{};
    if (message == WM_MOUSEMOVE) {
        e.type = SDL_MOUSEMOTION;
        e.motion.state = SDL_BUTTON_LMASK;
        e.motion.x = x;
        e.motion.y = y;
        return pushForFirstWindow(e, &e.motion.windowID);
    }
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONUP) {
        return false;
    }
    bool down = message == WM_LBUTTONDOWN;
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return pushForFirstWindow(e, &e.button.windowID);
}

bool injectWindowEvent(WindowEvent kind, int width, int height)
{
    static constexpr SDL_WindowEventID kEvents[] = {
        SDL_WINDOWEVENT_FOCUS_GAINED, SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_MINIMIZED,
        SDL_WINDOWEVENT_RESTORED,     SDL_WINDOWEVENT_CLOSE,      SDL_WINDOWEVENT_SIZE_CHANGED,
    };
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = static_cast<uint8_t>(kEvents[static_cast<int>(kind)]);
    e.window.data1 = width;
    e.window.data2 = height;
    return pushForFirstWindow(e, &e.window.windowID);
}

bool injectMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    SDL_Event e{};
    e.type = g_messageEvent;
    e.user.code = static_cast<Sint32>(message);
    e.user.data1 = reinterpret_cast<void*>(wParam);
    e.user.data2 = reinterpret_cast<void*>(lParam);
    return pushForFirstWindow(e, &e.user.windowID);
}

}  // namespace wince
