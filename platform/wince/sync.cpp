#include "wince/KernelObject.h"
#include "wince/kernel.h"

#include <mutex>
#include <new>

namespace {

static_assert(sizeof(std::recursive_mutex) <= sizeof(CRITICAL_SECTION::storage));
static_assert(alignof(std::recursive_mutex) <= 16);

std::recursive_mutex& lockOf(LPCRITICAL_SECTION section)
{
    return *std::launder(reinterpret_cast<std::recursive_mutex*>(section->storage));
}

}  // namespace

// ---- WaitForSingleObject: waits for a thread (or other waitable object) --
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    KernelObject* object = KernelObject::reference(handle);
    if (object == nullptr)
        return WAIT_FAILED;
    DWORD result = object->wait(milliseconds);
    object->release();
    return result;
}

// ---- InitializeCriticalSection: a free re-entrant lock -------------------
void InitializeCriticalSection(LPCRITICAL_SECTION section)
{
    new (section->storage) std::recursive_mutex;
    section->OwnerThread = 0;
    section->RecursionCount = 0;
}

// ---- DeleteCriticalSection -----------------------------------------------
void DeleteCriticalSection(LPCRITICAL_SECTION section)
{
    lockOf(section).~recursive_mutex();
}

// ---- EnterCriticalSection: blocks until held; re-entry counts ------------
void EnterCriticalSection(LPCRITICAL_SECTION section)
{
    lockOf(section).lock();
    section->OwnerThread = GetCurrentThreadId();
    ++section->RecursionCount;
}

// ---- TryEnterCriticalSection ---------------------------------------------
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section)
{
    if (!lockOf(section).try_lock())
        return FALSE;
    section->OwnerThread = GetCurrentThreadId();
    ++section->RecursionCount;
    return TRUE;
}

// ---- LeaveCriticalSection: undoes one enter of the owner -----------------
void LeaveCriticalSection(LPCRITICAL_SECTION section)
{
    if (--section->RecursionCount == 0)
        section->OwnerThread = 0;
    lockOf(section).unlock();
}
