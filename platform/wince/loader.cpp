// LoadLibraryW and GetProcAddressW: nothing to load on the desktop.

#include "wince/loader.h"

// ---- LoadLibraryW: every library is missing ---------------------------
HMODULE LoadLibraryW(LPCWSTR)
{
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

// ---- GetProcAddressW --------------------------------------------------------
FARPROC GetProcAddressW(HMODULE, LPCWSTR)
{
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

// ---- FreeLibrary: no module was ever loaded ------------------------------
BOOL FreeLibrary(HMODULE)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

// ---- GetModuleHandleW: the executable stands for itself --------------------
HMODULE GetModuleHandleW(LPCWSTR name)
{
    static char executable;
    if (name) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(&executable);
}
