#include "wince/KernelObject.h"
#include "wince/kernel.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace {

std::atomic<DWORD> nextThreadId{0x100};

DWORD newThreadId()
{
    return nextThreadId.fetch_add(1, std::memory_order_relaxed);
}

// 0 until the thread first asks (or is started by CreateThread).
thread_local DWORD currentThreadId = 0;

// A thread made by CreateThread. Its operating-system thread is created on
// the first resume; the running thread holds a reference of its own.
class ThreadObject final : public KernelObject {
public:
    ThreadObject(LPTHREAD_START_ROUTINE start, LPVOID parameter)
        : start_(start), parameter_(parameter), id_(newThreadId())
    {
    }

    DWORD id() const { return id_; }

    DWORD resume()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (state_ != State::Suspended)
            return 0;
        addRef();
        try {
            std::thread(&ThreadObject::run, this).detach();
        } catch (const std::system_error&) {
            release();
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0xFFFFFFFFu;
        }
        state_ = State::Running;
        return 1;
    }

    DWORD wait(DWORD milliseconds) override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        auto ended = [this] { return state_ == State::Ended; };
        if (milliseconds == INFINITE)
            done_.wait(lock, ended);
        else if (!done_.wait_for(lock, std::chrono::milliseconds(milliseconds), ended))
            return WAIT_TIMEOUT;
        return WAIT_OBJECT_0;
    }

    DWORD exitCode()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return state_ == State::Ended ? exitCode_ : STILL_ACTIVE;
    }

private:
    enum class State { Suspended, Running, Ended };

    void run()
    {
        currentThreadId = id_;
        DWORD code = start_(parameter_);
        {
            std::lock_guard<std::mutex> guard(mutex_);
            exitCode_ = code;
            state_ = State::Ended;
            done_.notify_all();
        }
        release();
    }

    LPTHREAD_START_ROUTINE start_;
    LPVOID parameter_;
    DWORD id_;
    std::mutex mutex_;
    std::condition_variable done_;
    State state_ = State::Suspended;
    DWORD exitCode_ = STILL_ACTIVE;
};

}  // namespace

// ---- CreateThread: a new thread, optionally suspended --------------------
// The security and stack-size arguments are ignored (default stack).
HANDLE CreateThread(LPVOID, DWORD, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    DWORD* threadId)
{
    if (start == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ThreadObject* thread = new (std::nothrow) ThreadObject(start, parameter);
    if (thread == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HANDLE handle = KernelObject::openHandle(thread);
    if ((flags & CREATE_SUSPENDED) == 0 && thread->resume() == 0xFFFFFFFFu) {
        CloseHandle(handle);
        return nullptr;
    }
    if (threadId != nullptr)
        *threadId = thread->id();
    return handle;
}

// ---- ResumeThread: starts a suspended thread -----------------------------
DWORD ResumeThread(HANDLE handle)
{
    ThreadObject* thread = KernelObject::referenceAs<ThreadObject>(handle);
    if (thread == nullptr)
        return 0xFFFFFFFFu;
    DWORD result = thread->resume();
    thread->release();
    return result;
}

// ---- GetExitCodeThread: STILL_ACTIVE until the routine has returned ------
BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode)
{
    if (exitCode == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ThreadObject* thread = KernelObject::referenceAs<ThreadObject>(handle);
    if (thread == nullptr)
        return FALSE;
    *exitCode = thread->exitCode();
    thread->release();
    return TRUE;
}

// ---- GetCurrentThreadId: a non-zero number unique to the calling thread --
DWORD GetCurrentThreadId()
{
    if (currentThreadId == 0)
        currentThreadId = newThreadId();
    return currentThreadId;
}
