// The main window, its procedure, and the displayable operations.

#include <atomic>
#include <new>
#include <string>

#include "hal/callbacks.h"
#include "hal/status.h"
#include "hal/window.h"
#include "wince/shell.h"

namespace {

constexpr UINT kPhoneNotice = WM_USER + 2;  // 1026
constexpr UINT kSmsNotice = WM_USER + 5;    // 1029

std::atomic<HWND> g_mainWindow{nullptr};  // read by other threads too
HINSTANCE g_instance = nullptr;
std::u16string g_className;
HREGNOTIFY g_notices[2] = {nullptr, nullptr};

HALDisplayable* currentOf(HWND window)
{
    return reinterpret_cast<HALDisplayable*>(GetWindowLongW(window, GWL_USERDATA));
}

LRESULT mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HALDisplayable* displayable = currentOf(window);
    if (displayable && window == g_mainWindow) {
        return displayable->handleMessage(message, wParam, lParam);
    }
    // Before a displayable is current (and for any other window) the main
    // window still answers closing, activation and power messages.
    return HALDisplayable::handleWindowMessage(nullptr, window, message, wParam, lParam);
}

}  // namespace

bool HAL_createMainWindow(void* instance, const char16_t* name)
{
    if (!instance) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    g_instance = static_cast<HINSTANCE>(instance);
    g_className = name;
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = g_instance;
    windowClass.lpszClassName = name;
    if (!RegisterClassW(&windowClass)) {
        return false;
    }
    HWND window = CreateWindowExW(0, name, name, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, g_instance,
                                  nullptr);
    if (!window) {
        UnregisterClassW(name, g_instance);
        return false;
    }
    g_mainWindow = window;
    RegistryNotifyWindow(HKEY_LOCAL_MACHINE, u"System\\State\\Phone", u"Status", window,
                         kPhoneNotice, 1, nullptr, &g_notices[0]);
    RegistryNotifyWindow(HKEY_CURRENT_USER, u"System\\State\\Messages\\SMS\\Unread", u"Count",
                         window, kSmsNotice, 2, nullptr, &g_notices[1]);
    return true;
}

void HAL_closeRegistryNotices()
{
    for (HREGNOTIFY& notice : g_notices) {
        if (notice) {
            RegistryCloseNotification(notice);
            notice = nullptr;
        }
    }
}

void HAL_destroyMainWindow()
{
    HAL_closeRegistryNotices();
    HWND window = g_mainWindow.exchange(nullptr);
    if (IsWindow(window)) {
        DestroyWindow(window);
    }
    // Nothing left in the queue is for anyone now (a quit from the destroy
    // among it).
    MSG stale;
    while (PeekMessageW(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
    if (!g_className.empty()) {
        UnregisterClassW(g_className.c_str(), g_instance);
        g_className.clear();
    }
}

HWND HAL_getMainWindow()
{
    return g_mainWindow;
}

int32_t HAL_setCurrentDisplayable(HALDisplayable* displayable)
{
    SetWindowLongW(g_mainWindow, GWL_USERDATA, reinterpret_cast<LONG_PTR>(displayable));
    InvalidateRect(g_mainWindow, nullptr, TRUE);
    UpdateWindow(g_mainWindow);
    intptr_t data = displayable ? displayable->runtimeObject() : 0;
    HAL_postEvent(HAL_EVENT_DISPLAYABLE_CHANGED, 1, &data, false);
    return 0;
}

HALDisplayable* HAL_getCurrentDisplayable()
{
    return IsWindow(g_mainWindow) ? currentOf(g_mainWindow) : nullptr;
}

int32_t HAL_createCanvas(HALCanvas** out, intptr_t runtimeCanvas)
{
    if (!out) {
        return HAL_BAD_ARGUMENT;
    }
    *out = new (std::nothrow) HALCanvas(runtimeCanvas);
    return *out ? HAL_OK : HAL_OUT_OF_MEMORY;
}

int32_t HAL_deleteCanvas(HALCanvas* canvas)
{
    if (canvas && HAL_getCurrentDisplayable() == canvas) {
        SetWindowLongW(g_mainWindow, GWL_USERDATA, 0);
    }
    delete canvas;
    return 0;
}

int32_t HAL_getDisplayableSize(HALDisplayable* displayable, int32_t* width, int32_t* height)
{
    if (!displayable) {
        return 2;
    }
    if (width) {
        *width = displayable->getWidth();
    }
    if (height) {
        *height = displayable->getHeight();
    }
    return 0;
}

void HAL_setFullScreenMode(HALDisplayable* displayable, int32_t mode)
{
    if (displayable) {
        displayable->setFullScreenMode(mode != 0);
    }
}

void HAL_setDisplayableTitle(HALDisplayable* displayable, const char16_t* text, int32_t length)
{
    if (displayable && text) {
        displayable->setTitle(text, length);
    }
}

void HAL_setDisplayableTicker(HALDisplayable* displayable, const char16_t* text, int32_t length)
{
    if (displayable && text) {
        displayable->setTicker(text, length);
    }
}

void HAL_addCommand(HALDisplayable* displayable, void* command)
{
    if (displayable && command) {
        displayable->addCommand(command);
    }
}

void HAL_removeCommand(HALDisplayable* displayable, void* command)
{
    if (displayable && command) {
        displayable->removeCommand(command);
    }
}

int32_t HAL_callSerially(void (*runner)(intptr_t), intptr_t argument)
{
    if (!runner) {
        return HAL_BAD_ARGUMENT;
    }
    HWND window = g_mainWindow;
    if (!window || !PostMessageW(window, HAL_SERIAL_CALL_MESSAGE, reinterpret_cast<WPARAM>(runner),
                                 argument)) {
        return HAL_NOT_AVAILABLE;
    }
    return HAL_OK;
}

void HAL_getDisplayCapabilities(uint8_t* isColour, int32_t* colours, int32_t* alphaLevels,
                                uint8_t* doubleBuffered)
{
    constexpr int kBitsPerPixel = 16;  // the RGB565 screen
    if (isColour) {
        *isColour = 1;
    }
    if (colours) {
        *colours = kBitsPerPixel >= 32 ? 0 : 1 << kBitsPerPixel;
    }
    if (alphaLevels) {
        *alphaLevels = 32;
    }
    if (doubleBuffered) {
        *doubleBuffered = 1;
    }
}
