#include "wince/kernel.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

// ---- GetLastError: the calling thread's last-error word ------------------
DWORD GetLastError()
{
    return lastError;
}

// ---- SetLastError ---------------------------------------------------------
void SetLastError(DWORD error)
{
    lastError = error;
}
