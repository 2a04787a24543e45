// Events: CreateEventW, SetEvent, ResetEvent, and their waits.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>

#include "wince/KernelObject.h"
#include "wince/detail/clock.h"
#include "wince/kernel.h"

namespace {

class EventObject final : public KernelObject {
public:
    EventObject(bool manualReset, bool set) : manualReset_(manualReset), set_(set) {}

    void set(bool on)
    {
        std::lock_guard guard(mutex_);
        set_ = on;
        if (on)
            changed_.notify_all();
    }

    DWORD wait(DWORD milliseconds) override
    {
        // A timed wait on the virtual clock passes virtual time, then looks
        // again; a wait without limit blocks as on the real clock.
        if (milliseconds != 0 && milliseconds != INFINITE && !isSet() &&
            wince_clock::sleepVirtually(milliseconds))
            milliseconds = 0;
        std::unique_lock lock(mutex_);
        auto ready = [this] { return set_; };
        if (milliseconds == INFINITE)
            changed_.wait(lock, ready);
        else if (!changed_.wait_for(lock, std::chrono::milliseconds(milliseconds), ready))
            return WAIT_TIMEOUT;
        if (!manualReset_)
            set_ = false;
        return WAIT_OBJECT_0;
    }

private:
    bool isSet()
    {
        std::lock_guard guard(mutex_);
        return set_;
    }

    const bool manualReset_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_;
};

BOOL setEvent(HANDLE handle, bool on)
{
    auto* event = KernelObject::referenceAs<EventObject>(handle);
    if (!event)
        return FALSE;
    event->set(on);
    event->release();
    return TRUE;
}

}  // namespace

// ---- CreateEventW: an unnamed event --------------------------------------
HANDLE CreateEventW(LPVOID, BOOL manualReset, BOOL initialState, LPCWSTR name)
{
    if (name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* event = new (std::nothrow) EventObject(manualReset != FALSE, initialState != FALSE);
    if (!event) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return KernelObject::openHandle(event);
}

// ---- SetEvent -----------------------------------------------------------------
BOOL SetEvent(HANDLE event)
{
    return setEvent(event, true);
}

// ---- ResetEvent ---------------------------------------------------------------
BOOL ResetEvent(HANDLE event)
{
    return setEvent(event, false);
}
