// Window classes and windows: RegisterClassW, CreateWindowExW, DestroyWindow,
// ShowWindow, window words, client rectangle, FindWindowW and the foreground.
// Windows live on the UI thread. Other threads post to them and may move,
// show or raise them; the SDL side of that is done by the UI thread.

#include <algorithm>
#include <vector>

#include "wince/detail/ui.h"

namespace {

struct WindowClass {
    std::u16string name;
    WNDCLASSW info;
};

std::vector<WindowClass>& classes()
{
    static std::vector<WindowClass> list;
    return list;
}

std::vector<HWND>& windows()
{
    static std::vector<HWND> list;
    return list;
}

HWND g_foreground = nullptr;

WindowClass* findClass(std::u16string_view name)
{
    for (WindowClass& c : classes()) {
        if (wince_text::equalsIgnoreCase(c.name, name)) {
            return &c;
        }
    }
    return nullptr;
}

}  // namespace

namespace wince_ui {

std::recursive_mutex& windowsLock()
{
    static std::recursive_mutex lock;
    return lock;
}

bool isLiveWindow(HWND window)
{
    return window && std::find(windows().begin(), windows().end(), window) != windows().end();
}

HWND windowFromSdlId(uint32_t id)
{
    std::lock_guard guard(windowsLock());
    for (HWND w : windows()) {
        if (w->sdlId == id) {
            return w;
        }
    }
    return nullptr;
}

HWND firstWindow()
{
    std::lock_guard guard(windowsLock());
    return windows().empty() ? nullptr : windows().front();
}

}  // namespace wince_ui

// RegisterClassW: remembers the class by name; a second class of one name fails.
ATOM RegisterClassW(const WNDCLASSW* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard guard(wince_ui::windowsLock());
    std::u16string name(windowClass->lpszClassName);
    if (findClass(name)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    classes().push_back({name, *windowClass});
    classes().back().info.lpszClassName = nullptr;  // the copy owns the name
    return static_cast<ATOM>(classes().size());
}

// UnregisterClassW: forgets the class; windows of it keep their procedure.
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE)
{
    if (!className) {
        return FALSE;
    }
    std::lock_guard guard(wince_ui::windowsLock());
    auto& list = classes();
    auto it = std::find_if(list.begin(), list.end(), [&](const WindowClass& c) {
        return wince_text::equalsIgnoreCase(c.name, className);
    });
    if (it == list.end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    list.erase(it);
    return TRUE;
}

// CreateWindowExW: a top-level window backed by an SDL window. Default size is
// the whole screen; WM_CREATE is sent before the call returns.
HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR title, DWORD style, INT, INT, INT width,
                     INT height, HWND, HMENU, HINSTANCE, LPVOID)
{
    HWND window = nullptr;
    {
        std::lock_guard guard(wince_ui::windowsLock());
        WindowClass* c = className ? findClass(className) : nullptr;
        if (!c) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        window = new HWND__;
        window->className = c->name;
        window->title = title ? title : u"";
        window->proc = c->info.lpfnWndProc;
        window->width = width == CW_USEDEFAULT ? GetSystemMetrics(SM_CXSCREEN) : width;
        window->height = height == CW_USEDEFAULT ? GetSystemMetrics(SM_CYSCREEN) : height;
    }
    if (!wince_ui::createSdlWindow(window)) {
        delete window;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    {
        std::lock_guard guard(wince_ui::windowsLock());
        windows().push_back(window);
    }
    if (window->proc(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (style & WS_VISIBLE) {
        ShowWindow(window, SW_SHOW);
    }
    return window;
}

// DefWindowProcW: closing destroys the window; everything else answers 0.
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return 0;
    }
}

// DestroyWindow: sends WM_DESTROY, then drops the window, its timers and its
// queued messages.
BOOL DestroyWindow(HWND window)
{
    {
        std::lock_guard guard(wince_ui::windowsLock());
        if (!wince_ui::isLiveWindow(window)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
    }
    window->proc(window, WM_DESTROY, 0, 0);
    {
        std::lock_guard guard(wince_ui::windowsLock());
        auto& list = windows();
        list.erase(std::remove(list.begin(), list.end(), window), list.end());
        if (g_foreground == window) {
            g_foreground = nullptr;
        }
    }
    wince_ui::killWindowTimers(window);
    wince_ui::purge(window);
    wince_ui::destroySdlWindow(window);
    delete window;
    return TRUE;
}

// ShowWindow: answers whether the window was visible before.
BOOL ShowWindow(HWND window, INT showCommand)
{
    if (!IsWindow(window)) {
        return FALSE;
    }
    BOOL was;
    {
        std::lock_guard guard(wince_ui::windowsLock());
        was = window->visible;
        window->visible = showCommand != SW_HIDE;
    }
    wince_ui::showSdlWindow(window, showCommand);
    return was;
}

BOOL IsWindow(HWND window)
{
    std::lock_guard guard(wince_ui::windowsLock());
    return wince_ui::isLiveWindow(window);
}

BOOL IsWindowVisible(HWND window)
{
    std::lock_guard guard(wince_ui::windowsLock());
    return wince_ui::isLiveWindow(window) && window->visible;
}

BOOL IsWindowEnabled(HWND window)
{
    return IsWindow(window) && window->enabled;
}

// GetWindowLongW / SetWindowLongW: only the user data word is kept.
LONG_PTR GetWindowLongW(HWND window, INT index)
{
    if (!IsWindow(window) || index != GWL_USERDATA) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return window->userData;
}

LONG_PTR SetWindowLongW(HWND window, INT index, LONG_PTR value)
{
    if (!IsWindow(window) || index != GWL_USERDATA) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LONG_PTR old = window->userData;
    window->userData = value;
    return old;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    std::lock_guard guard(wince_ui::windowsLock());
    if (!rect || !wince_ui::isLiveWindow(window)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *rect = RECT{0, 0, window->width, window->height};
    return TRUE;
}

// MoveWindow: a top-level window has no frame, so the size is the client
// size; a change is reported with WM_SIZE (sent on the calling thread; the
// SDL window follows on the UI thread).
BOOL MoveWindow(HWND window, INT, INT, INT width, INT height, BOOL)
{
    bool changed;
    {
        std::lock_guard guard(wince_ui::windowsLock());
        if (!wince_ui::isLiveWindow(window) || width < 0 || height < 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        changed = width != window->width || height != window->height;
        window->width = width;
        window->height = height;
    }
    if (changed) {
        wince_ui::resizeSdlWindow(window, width, height);
        SendMessageW(window, WM_SIZE, 0,
                     static_cast<LPARAM>((width & 0xFFFF) | ((height & 0xFFFF) << 16)));
    }
    return TRUE;
}

// InvalidateRect / UpdateWindow: the platform layer draws its frame after
// every burst of messages, so a repaint is only a WM_PAINT in the queue.
BOOL InvalidateRect(HWND window, const RECT*, BOOL)
{
    return IsWindow(window);
}

BOOL UpdateWindow(HWND window)
{
    if (!IsWindow(window)) {
        return FALSE;
    }
    SendMessageW(window, WM_PAINT, 0, 0);
    return TRUE;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    std::lock_guard guard(wince_ui::windowsLock());
    if (!paint || !wince_ui::isLiveWindow(window)) {
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    paint->rcPaint = RECT{0, 0, window->width, window->height};
    return nullptr;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT*)
{
    return IsWindow(window);
}

// FindWindowW: windows of this process, by class name and/or title.
HWND FindWindowW(LPCWSTR className, LPCWSTR title)
{
    std::lock_guard guard(wince_ui::windowsLock());
    for (HWND w : windows()) {
        if (className && !wince_text::equalsIgnoreCase(w->className, className)) {
            continue;
        }
        if (title && w->title != title) {
            continue;
        }
        return w;
    }
    return nullptr;
}

// SetForegroundWindow: the low bit of the handle (a Windows CE way of asking
// for the owned pop-ups too) is ignored.
BOOL SetForegroundWindow(HWND window)
{
    window = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(window) & ~uintptr_t{1});
    if (!IsWindow(window)) {
        return FALSE;
    }
    {
        std::lock_guard guard(wince_ui::windowsLock());
        g_foreground = window;
    }
    wince_ui::raiseSdlWindow(window);
    return TRUE;
}

HWND GetForegroundWindow()
{
    std::lock_guard guard(wince_ui::windowsLock());
    return g_foreground;
}
