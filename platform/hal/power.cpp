// The power-notification thread: turns the device's power transitions into
// window message 1027 for the main window. Shutdown closes its queue, which
// wakes the thread at once.

#include <cstddef>
#include <mutex>

#include "hal/device.h"
#include "hal/window.h"
#include "wince/power.h"

namespace {

constexpr UINT kPowerMessage = WM_USER + 3;  // 1027
constexpr DWORD kNoticeBytes = 44;

constexpr DWORD kEndWait = 5000;  // ms; the thread ends at once when woken

std::mutex g_lock;
bool g_run = false;
HANDLE g_queue = nullptr;   // the running thread's queue, while it listens
HANDLE g_thread = nullptr;  // kept so that shutdown can see the thread end

DWORD powerThread(LPVOID)
{
    MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), MSGQUEUE_NOPRECOMMIT, 0, kNoticeBytes, TRUE};
    HANDLE queue = CreateMsgQueue(nullptr, &options);
    if (!queue) {
        return 0;
    }
    HANDLE notifications = RequestPowerNotifications(queue, PBT_TRANSITION);
    {
        std::lock_guard guard(g_lock);
        if (!notifications || !g_run) {
            // No notices, or shutdown came first.
            if (notifications) {
                StopPowerNotifications(notifications);
            }
            CloseMsgQueue(queue);
            return 0;
        }
        g_queue = queue;
    }
    for (;;) {
        alignas(POWER_BROADCAST) BYTE notice[kNoticeBytes];
        DWORD bytes = 0;
        DWORD flags = 0;
        if (!ReadMsgQueue(queue, notice, sizeof(notice), &bytes, INFINITE, &flags)) {
            break;  // the queue was closed
        }
        if (bytes >= offsetof(POWER_BROADCAST, Length)) {
            DWORD powerFlags = reinterpret_cast<const POWER_BROADCAST*>(notice)->Flags;
            PostMessageW(HAL_getMainWindow(), kPowerMessage, (powerFlags >> 16) & 1, 0);
        }
    }
    StopPowerNotifications(notifications);
    std::lock_guard guard(g_lock);
    if (g_queue == queue) {
        CloseMsgQueue(queue);
        g_queue = nullptr;
    }
    return 0;
}

}  // namespace

bool HAL_startPowerThread()
{
    {
        std::lock_guard guard(g_lock);
        g_run = true;
    }
    g_thread = CreateThread(nullptr, 0, powerThread, nullptr, 0, nullptr);
    if (!g_thread) {
        std::lock_guard guard(g_lock);
        g_run = false;
        return false;
    }
    return true;
}

void HAL_stopPowerThread()
{
    {
        std::lock_guard guard(g_lock);
        g_run = false;
        if (g_queue) {
            CloseMsgQueue(g_queue);  // wakes the thread
            g_queue = nullptr;
        }
    }
    if (g_thread) {
        WaitForSingleObject(g_thread, kEndWait);
        CloseHandle(g_thread);
        g_thread = nullptr;
    }
}
