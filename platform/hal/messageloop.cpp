// The UI thread's message loop. While the application is active it handles
// every queued message in bursts and draws after each burst; while inactive
// it waits for the next message. Every message is handled under the VM lock.

#include "hal/HALDisplayable.h"
#include "hal/screen.h"
#include "hal/startup.h"
#include "hal/thread.h"
#include "hal/window.h"

namespace {

constexpr UINT kInputMethodKey = VK_PROCESSKEY;  // 229
// How long an active loop with nothing to do waits for input before it
// looks again (without the VM lock).
constexpr DWORD kIdleWait = 5;

// Key messages are translated first, and the characters they give are
// handled before the key itself, so the canvas sees the character first.
void translateKey(MSG* msg, HWND window)
{
    UINT realKey = 0;
    if (msg->wParam == kInputMethodKey) {
        realKey = ImmGetVirtualKey(window);
        msg->wParam = realKey;
    }
    TranslateMessage(msg);
    MSG character;
    while (PeekMessageW(&character, window, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        DispatchMessageW(&character);
    }
    if (realKey != 0) {
        msg->wParam = kInputMethodKey;
        TranslateMessage(msg);
        msg->wParam = realKey;
    }
}

// Handles one message; true when it is the quit message.
bool handle(MSG* msg, HWND window)
{
    if (msg->message == WM_QUIT) {
        return true;
    }
    if (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) {
        translateKey(msg, window);
    }
    DispatchMessageW(msg);
    return false;
}

// After each burst: the current canvas's flushed frame, if one waits.
void showPendingFrame()
{
    if (HALDisplayable* displayable = HAL_getCurrentDisplayable()) {
        HAL_flushPendingScreenBuffer(displayable->screenBuffer());
    }
}

}  // namespace

int HAL_runMessageLoop()
{
    int result = 1;
    bool ending = false;
    while (!ending) {
        while (!ending && HAL_isApplicationActive()) {
            HAL_enterVM();
            HWND window = HAL_getMainWindow();
            MSG msg;
            bool handled = false;
            // Messages after the quit message in the same burst are still
            // handled.
            while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
                handled = true;
                if (handle(&msg, window)) {
                    result = static_cast<int>(msg.wParam);
                    ending = true;
                }
            }
            showPendingFrame();
            HAL_unlockVM();
            if (!handled && !ending) {
                MsgWaitForMultipleObjectsEx(0, nullptr, kIdleWait, QS_ALLINPUT, 0);
            }
        }
        while (!ending && !HAL_isApplicationActive()) {
            MSG msg;
            HWND window = HAL_getMainWindow();
            if (!GetMessageW(&msg, window, 0, 0)) {
                result = static_cast<int>(msg.wParam);
                ending = true;
                break;
            }
            HAL_enterVM();
            if (handle(&msg, window)) {
                result = static_cast<int>(msg.wParam);
                ending = true;
            }
            HAL_unlockVM();
        }
    }
    return result;
}
