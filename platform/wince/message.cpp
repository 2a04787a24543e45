// The message queue: PostMessageW (any thread), PeekMessageW, GetMessageW,
// TranslateMessage, DispatchMessageW, SendMessageW, PostQuitMessage and the
// wait for input. One queue serves the UI thread, which owns every window;
// SDL's events and due timers join it whenever the UI thread looks at it.
// A waiting UI thread sleeps until input comes, a message is posted or the
// next timer is due; nothing polls.

#include <condition_variable>
#include <deque>

#include "wince/detail/ui.h"

namespace {

std::mutex g_queueLock;
std::condition_variable g_queueChanged;
std::deque<MSG> g_queue;
uint64_t g_posted = 0;  // counts posts, so a waiter sees new arrivals
uint64_t g_wakes = 0;   // counts posts and other reasons to look again

// Gathers input until `ready` holds under the queue lock or the time is up,
// sleeping in between until something arrives or a timer is due.
template <typename Ready>
bool waitFor(DWORD milliseconds, Ready ready);

bool matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax)
{
    // Thread messages (WM_QUIT among them) reach a reader that asks for one
    // window too, so a loop filtered on its main window still sees the quit.
    if (window && msg.hwnd && msg.hwnd != window) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return msg.message >= filterMin && msg.message <= filterMax;
}

// Moves SDL's events and due timers into the queue.
void gatherInput()
{
    wince_ui::pumpEvents();
    wince_ui::postDueTimers();
}

bool take(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove)
{
    std::lock_guard guard(g_queueLock);
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
        if (matches(*it, window, filterMin, filterMax)) {
            *msg = *it;
            if (remove) {
                g_queue.erase(it);
            }
            return true;
        }
    }
    return false;
}

// The character a key gives on a US keyboard, or 0. Only printable
// characters are produced: Return, Escape, Back and Tab keep their key codes.
char16_t characterOf(UINT vk, bool shift)
{
    static constexpr char kDigitsShifted[] = ")!@#$%^&*(";
    if (vk >= 'A' && vk <= 'Z') {
        return static_cast<char16_t>(shift ? vk : vk + 32);
    }
    if (vk >= '0' && vk <= '9') {
        return static_cast<char16_t>(shift ? kDigitsShifted[vk - '0'] : vk);
    }
    if (vk >= 96 && vk <= 105) {
        return static_cast<char16_t>('0' + vk - 96);
    }
    struct Punctuation {
        UINT vk;
        char plain;
        char shifted;
    };
    static constexpr Punctuation kPunctuation[] = {
        {VK_SPACE, ' ', ' '}, {106, '*', '*'}, {107, '+', '+'}, {109, '-', '-'},
        {110, '.', '.'},      {111, '/', '/'}, {186, ';', ':'}, {187, '=', '+'},
        {188, ',', '<'},      {189, '-', '_'}, {190, '.', '>'}, {191, '/', '?'},
        {192, '`', '~'},      {219, '[', '{'}, {220, '\\', '|'}, {221, ']', '}'},
        {222, '\'', '"'},
    };
    for (const Punctuation& p : kPunctuation) {
        if (p.vk == vk) {
            return static_cast<char16_t>(shift ? p.shifted : p.plain);
        }
    }
    return 0;
}

template <typename Ready>
bool waitFor(DWORD milliseconds, Ready ready)
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        uint64_t wakes;
        {
            std::lock_guard guard(g_queueLock);
            wakes = g_wakes;
        }
        gatherInput();
        DWORD wait = wince_ui::timeToNextTimer();
        {
            std::lock_guard guard(g_queueLock);
            if (ready()) {
                return true;
            }
        }
        if (milliseconds != INFINITE) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                return false;
            }
            wait = std::min(wait, static_cast<DWORD>(left.count()));
        }
        // SDL wakes the UI thread itself when its driver has input of its
        // own; otherwise everything that arrives counts a wake.
        if (!wince_ui::waitForSdlEvent(wait)) {
            std::unique_lock guard(g_queueLock);
            auto woken = [wakes] { return g_wakes != wakes; };
            if (wait == INFINITE) {
                g_queueChanged.wait(guard, woken);
            } else {
                g_queueChanged.wait_for(guard, std::chrono::milliseconds(wait), woken);
            }
        }
    }
}

}  // namespace

namespace wince_ui {

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard guard(g_queueLock);
        g_queue.push_back(MSG{window, message, wParam, lParam, GetTickCount(), POINT{}});
        ++g_posted;
        ++g_wakes;
    }
    g_queueChanged.notify_all();
    wakeSdlWait();
}

void wake()
{
    {
        std::lock_guard guard(g_queueLock);
        ++g_wakes;
    }
    g_queueChanged.notify_all();
    wakeSdlWait();
}

void purge(HWND window)
{
    std::lock_guard guard(g_queueLock);
    std::erase_if(g_queue, [window](const MSG& m) { return m.hwnd == window; });
}

bool isQueued(HWND window, UINT message, WPARAM wParam)
{
    std::lock_guard guard(g_queueLock);
    for (const MSG& m : g_queue) {
        if (m.hwnd == window && m.message == message && m.wParam == wParam) {
            return true;
        }
    }
    return false;
}

}  // namespace wince_ui

// ---- PostMessageW: safe from any thread ---------------------------------
// A null window posts a thread message; a window that is gone is refused.
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard guard(wince_ui::windowsLock());
    if (window && !wince_ui::isLiveWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    wince_ui::post(window, message, wParam, lParam);
    return TRUE;
}

// ---- PostQuitMessage: queues WM_QUIT behind what is already queued -----
void PostQuitMessage(INT exitCode)
{
    wince_ui::post(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

// ---- PeekMessageW: never blocks --------------------------------------------
BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT remove)
{
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    gatherInput();
    return take(msg, window, filterMin, filterMax, (remove & PM_REMOVE) != 0);
}

// ---- GetMessageW: blocks until a message arrives; FALSE for WM_QUIT ------
BOOL GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax)
{
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    for (;;) {
        uint64_t seen;
        {
            std::lock_guard guard(g_queueLock);
            seen = g_posted;
        }
        if (PeekMessageW(msg, window, filterMin, filterMax, PM_REMOVE)) {
            return msg->message != WM_QUIT;
        }
        waitFor(INFINITE, [seen] { return g_posted != seen; });
    }
}

// ---- MsgWaitForMultipleObjectsEx: waits for input, without handles ------
DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE*, DWORD milliseconds, DWORD, DWORD)
{
    if (count != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    return waitFor(milliseconds, [] { return !g_queue.empty(); }) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

// ---- TranslateMessage: queues WM_CHAR for a key that types a character --
BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN) {
        return FALSE;
    }
    char16_t c = characterOf(static_cast<UINT>(msg->wParam), wince_ui::isKeyDown(VK_SHIFT));
    if (c == 0) {
        return FALSE;
    }
    wince_ui::post(msg->hwnd, WM_CHAR, c, msg->lParam);
    return TRUE;
}

// ---- DispatchMessageW: hands a message to its window's procedure --------
// WM_TIMER with a timer routine in its long parameter calls the routine.
LRESULT DispatchMessageW(const MSG* msg)
{
    if (!msg || !IsWindow(msg->hwnd)) {
        return 0;
    }
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// ---- SendMessageW: calls the procedure at once (UI thread only) ---------
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(window, message, wParam, lParam);
}

// ---- ImmGetVirtualKey: no input method, so the placeholder stays --------
UINT ImmGetVirtualKey(HWND)
{
    return VK_PROCESSKEY;
}
