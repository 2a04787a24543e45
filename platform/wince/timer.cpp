// Window timers: SetTimer and KillTimer. A due timer puts one WM_TIMER in the
// queue (never more than one per timer); it is due by GetTickCount, so the
// virtual clock drives it in tests.

#include <algorithm>
#include <vector>

#include "wince/detail/ui.h"

namespace {

struct Timer {
    HWND window;
    UINT_PTR id;
    DWORD period;
    DWORD due;
    TIMERPROC proc;
};

std::mutex g_timersLock;
std::vector<Timer> g_timers;

}  // namespace

namespace wince_ui {

void postDueTimers()
{
    DWORD now = GetTickCount();
    std::vector<Timer> due;
    {
        std::lock_guard guard(g_timersLock);
        for (Timer& t : g_timers) {
            if (static_cast<int32_t>(now - t.due) >= 0) {
                due.push_back(t);
                t.due = now + t.period;
            }
        }
    }
    for (const Timer& t : due) {
        if (!isQueued(t.window, WM_TIMER, t.id)) {
            post(t.window, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
        }
    }
}

DWORD timeToNextTimer()
{
    DWORD now = GetTickCount();
    DWORD next = INFINITE;
    std::lock_guard guard(g_timersLock);
    for (const Timer& t : g_timers) {
        int32_t left = static_cast<int32_t>(t.due - now);
        next = std::min(next, static_cast<DWORD>(std::max(left, 0)));
    }
    return next;
}

void killWindowTimers(HWND window)
{
    std::lock_guard guard(g_timersLock);
    std::erase_if(g_timers, [window](const Timer& t) { return t.window == window; });
}

}  // namespace wince_ui

// ---- SetTimer: a timer of a window; the same id replaces the old one ----
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (!IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    elapse = elapse == 0 ? 1 : elapse;
    {
        std::lock_guard guard(g_timersLock);
        std::erase_if(g_timers, [&](const Timer& t) { return t.window == window && t.id == id; });
        g_timers.push_back(Timer{window, id, elapse, GetTickCount() + elapse, proc});
    }
    wince_ui::wake();  // a waiting UI thread takes the new time-out
    return id == 0 ? 1 : id;
}

// ---- KillTimer -------------------------------------------------------------
BOOL KillTimer(HWND window, UINT_PTR id)
{
    std::lock_guard guard(g_timersLock);
    size_t removed =
        std::erase_if(g_timers, [&](const Timer& t) { return t.window == window && t.id == id; });
    return removed != 0;
}
