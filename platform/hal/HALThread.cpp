#include "hal/HALThread.h"

#include "hal/callbacks.h"
#include "hal/fatal.h"

#include "wince/kernel.h"
#include "wince/ole.h"

#include <new>

namespace {

std::atomic<DWORD> tlsIndex{TLS_OUT_OF_INDEXES};

// The operating-system thread routine.
DWORD threadStart(LPVOID parameter)
{
    HALThread* thread = static_cast<HALThread*>(parameter);
    DWORD slot = HAL_getThreadTlsIndex();
    if (!TlsSetValue(slot, thread)) {
        thread->running.store(false);
        return 1;
    }
    if (thread->entry != nullptr) {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        HAL_enterVM();
        thread->entry(thread->data);
        // The body is done while the lock is still held: whoever takes the
        // lock next and deletes this record waits only for the lines below.
        thread->running.store(false);
        HAL_releaseVMLock();
        CoUninitialize();
    }
    thread->running.store(false);
    TlsSetValue(slot, nullptr);
    thread->finished.store(true);
    return 0;
}

bool isThreadHandle(HANDLE handle)
{
    return handle != INVALID_HANDLE_VALUE && handle != HALThread::kMainThreadHandle && handle != nullptr;
}

// A fresh record with its wake event; null when either cannot be made.
HALThread* newRecord()
{
    HALThread* thread = new (std::nothrow) HALThread;
    if (thread == nullptr)
        return nullptr;
    thread->wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (thread->wake == nullptr) {
        delete thread;
        return nullptr;
    }
    return thread;
}

void freeRecord(HALThread* thread)
{
    if (thread->wake != nullptr)
        CloseHandle(thread->wake);
    delete thread;
}

}  // namespace

void HALThread::sleepInSlices(const std::atomic<bool>& sleeping, HANDLE wake, uint32_t milliseconds)
{
    uint64_t elapsed = 0;
    uint64_t step = milliseconds < 2 ? milliseconds : 2;
    while (sleeping.load() && elapsed < milliseconds) {
        DWORD before = GetTickCount();
        if (wake != nullptr)
            WaitForSingleObject(wake, static_cast<DWORD>(step));
        else
            Sleep(static_cast<DWORD>(step));
        elapsed += static_cast<DWORD>(GetTickCount() - before);
        step *= 2;
        if (elapsed < milliseconds && step + elapsed > milliseconds)
            step = milliseconds - elapsed;
    }
}

void HALThread::wakeUp()
{
    sleeping.store(false);
    if (wake != nullptr)
        SetEvent(wake);
}

void HAL_wakeThread(HALThread* thread)
{
    if (thread != nullptr)
        thread->wakeUp();
}

uint32_t HAL_getThreadTlsIndex()
{
    DWORD index = tlsIndex.load();
    if (index != TLS_OUT_OF_INDEXES)
        return index;
    DWORD fresh = TlsCall(TLS_FUNCALLOC, 0);
    if (fresh == TLS_OUT_OF_INDEXES)
        return TLS_OUT_OF_INDEXES;
    if (!tlsIndex.compare_exchange_strong(index, fresh)) {
        TlsCall(TLS_FUNCFREE, fresh);  // another thread allocated it first
        return index;
    }
    return fresh;
}

HALThread* HAL_getCurrentThread()
{
    DWORD index = HAL_getThreadTlsIndex();
    if (index == TLS_OUT_OF_INDEXES)
        return nullptr;
    return static_cast<HALThread*>(TlsGetValue(index));
}

int32_t HAL_createThread(HALThread** out, HALThreadEntry entry, intptr_t data)
{
    if (out == nullptr)
        return 2;
    *out = nullptr;
    if (HAL_getThreadTlsIndex() == TLS_OUT_OF_INDEXES)
        return 1;
    HALThread* thread = newRecord();
    if (thread == nullptr)
        return 5;
    thread->entry = entry;
    thread->data = data;
    // Suspended: no operating-system thread exists until HAL_startThread.
    HANDLE handle = CreateThread(nullptr, 0, threadStart, thread, CREATE_SUSPENDED, nullptr);
    if (handle == nullptr) {
        freeRecord(thread);
        return 5;
    }
    thread->handle = handle;
    *out = thread;
    return 0;
}

int32_t HAL_createMainThread(HALThread** out)
{
    if (out == nullptr)
        return 2;
    *out = nullptr;
    DWORD index = HAL_getThreadTlsIndex();
    if (index == TLS_OUT_OF_INDEXES)
        return 1;
    HALThread* thread = newRecord();
    if (thread == nullptr)
        return 5;
    thread->handle = HALThread::kMainThreadHandle;
    if (!TlsSetValue(index, thread)) {
        freeRecord(thread);
        return 1;
    }
    *out = thread;
    return 0;
}

int32_t HAL_startThread(HALThread* thread)
{
    if (thread == nullptr || thread->started.exchange(true))
        return 0;
    thread->running.store(true);
    if (ResumeThread(thread->handle) == 0xFFFFFFFFu) {
        // Never ran: it can be deleted as a thread that was never started.
        thread->running.store(false);
        thread->started.store(false);
        return 5;
    }
    return 0;
}

void HAL_cancelThread(HALThread* thread)
{
    if (thread != nullptr)
        thread->cancelled.store(true);
}

bool HAL_isThreadCancelled(const HALThread* thread)
{
    return thread != nullptr && thread->cancelled.load();
}

void HAL_deleteThread(HALThread* thread)
{
    if (thread == nullptr)
        return;
    if (thread->running.load())
        HAL_fatalError("HAL_deleteThread() called on thread that has not finished\n");
    if (isThreadHandle(thread->handle)) {
        if (thread->started.load())
            WaitForSingleObject(thread->handle, INFINITE);
        CloseHandle(thread->handle);
    }
    DWORD index = HAL_getThreadTlsIndex();
    if (index != TLS_OUT_OF_INDEXES && TlsGetValue(index) == thread)
        TlsSetValue(index, nullptr);
    freeRecord(thread);
}

intptr_t HAL_getCurrentThreadData()
{
    HALThread* thread = HAL_getCurrentThread();
    return thread != nullptr ? thread->data : 0;
}

void HAL_setCurrentThreadData(HALThread* thread, intptr_t data)
{
    if (thread != nullptr)
        thread->data = data;
}

void* HAL_sleep(uint32_t milliseconds)
{
    HALThread* thread = HAL_getCurrentThread();
    // A thread without a record cannot be woken early.
    std::atomic<bool> ownFlag{true};
    std::atomic<bool>& sleeping = thread != nullptr ? thread->sleeping : ownFlag;
    HANDLE wake = thread != nullptr ? thread->wake : nullptr;
    if (wake != nullptr)
        ResetEvent(wake);  // a wake-up meant for an earlier sleep
    sleeping.store(true);
    uint32_t depth = HAL_releaseVMLock();
    HALThread::sleepInSlices(sleeping, wake, milliseconds);
    sleeping.store(false);
    return HAL_restoreVMLock(depth);
}
