// HALCanvas: keys, stylus and full-screen mode of a MIDP canvas.

#include "hal/HALCanvas.h"
#include "hal/window.h"
#include "wince/shell.h"

HALCanvas::HALCanvas(intptr_t runtimeObject) : HALDisplayable(runtimeObject) {}

void HALCanvas::setFullScreenMode(bool on)
{
    fullScreen_ = on;
    HWND window = HAL_getMainWindow();
    SetForegroundWindow(window);
    RECT area{};
    if (on) {
        SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    } else {
        SHFullScreen(window, SHFS_SHOWTASKBAR | SHFS_HIDESIPBUTTON | SHFS_SHOWSTARTICON);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    MoveWindow(window, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    checkSize();
}

LRESULT HALCanvas::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The point of a stylus message: x in the low word, y in the high word.
    auto x = static_cast<int16_t>(lParam & 0xFFFF);
    auto y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
    switch (message) {
    case WM_KEYDOWN:
        keyboard_.keyDown(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_KEYUP:
        keyboard_.keyUp(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_CHAR:
        keyboard_.character(wParam);
        return 0;
    case WM_LBUTTONDOWN:
        pointer_.down(x, y);
        return 0;
    case WM_LBUTTONUP:
        pointer_.up(x, y);
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & MK_LBUTTON) {
            pointer_.drag(x, y);
            return 0;
        }
        break;
    default:
        break;
    }
    return HALDisplayable::handleMessage(message, wParam, lParam);
}
