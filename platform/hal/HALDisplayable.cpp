// HALDisplayable: the base window procedure of every displayable, and the
// messages the main window handles before any displayable exists.

#include "hal/HALDisplayable.h"
#include "hal/callbacks.h"
#include "hal/font.h"
#include "hal/screen.h"
#include "hal/startup.h"
#include "hal/status.h"
#include "hal/window.h"
#include "wince/shell.h"

namespace {

constexpr UINT kSettingChangeResolution = 0x3002;
constexpr UINT kExitMessage = WM_USER + 1;        // 1025
constexpr UINT kGcMessage = WM_USER - 1;          // 1023
constexpr UINT kPhoneNotice = WM_USER + 2;        // 1026
constexpr UINT kPowerMessage = WM_USER + 3;       // 1027
constexpr UINT kOrientationMessage = WM_USER + 4; // 1028
constexpr UINT kSmsNotice = WM_USER + 5;          // 1029

SHACTIVATEINFO g_activation{};

}  // namespace

HALDisplayable::HALDisplayable(intptr_t runtimeObject) : runtimeObject_(runtimeObject)
{
    RECT client{};
    if (GetClientRect(HAL_getMainWindow(), &client)) {
        width_ = client.right - client.left;
        height_ = client.bottom - client.top;
    }
}

bool HALDisplayable::isShown() const
{
    return IsWindowVisible(HAL_getMainWindow());
}

LRESULT HALDisplayable::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return handleWindowMessage(this, HAL_getMainWindow(), message, wParam, lParam);
}

void HALDisplayable::checkSize()
{
    RECT client{};
    if (!GetClientRect(HAL_getMainWindow(), &client)) {
        return;
    }
    int32_t width = client.right - client.left;
    int32_t height = client.bottom - client.top;
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    intptr_t data[3] = {runtimeObject_, width, height};
    HAL_postEvent(HAL_EVENT_DISPLAYABLE_SIZE, 3, data, true);
}

LRESULT HALDisplayable::handleWindowMessage(HALDisplayable* displayable, HWND window,
                                            UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_activation = SHACTIVATEINFO{};
        g_activation.cbSize = sizeof(g_activation);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        HAL_reapplyOrientation();
        if (displayable) {
            displayable->checkSize();
            HAL_resizeScreenBuffer(displayable->screenBuffer());
        }
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == kSettingChangeResolution) {
            HAL_reapplyOrientation();
            if (displayable) {
                displayable->checkSize();
                HAL_resizeScreenBuffer(displayable->screenBuffer());
            }
        }
        return 0;
    case WM_ACTIVATE: {
        bool active = wParam < 0x10000 && ((wParam & 0xFFFF) == WA_ACTIVE ||
                                           (wParam & 0xFFFF) == WA_CLICKACTIVE);
        HAL_setWindowActive(active);
        if (active && displayable) {
            displayable->setFullScreenMode(displayable->isFullScreen());
        }
        SHHandleWMActivate(window, wParam, lParam, &g_activation, 0);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_CLOSE:
    case kExitMessage:
        HAL_requestExit();
        DestroyWindow(window);
        return 0;
    case WM_ERASEBKGND:
        return -1;
    case kGcMessage:
        HAL_callbacks().gc();
        return 0;
    case kPhoneNotice:
    case kSmsNotice:
        return 0;
    case kPowerMessage:
        HAL_setPowerOn(wParam == 1);
        return 0;
    case kOrientationMessage:
        return 0;  // the display orientation is fixed on the desktop
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
