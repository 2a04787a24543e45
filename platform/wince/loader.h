#pragma once
// Libraries loaded at run time. The device SDKs and the connection manager
// are not present on the desktop, so every load fails and their features
// stay off, as on a device without them.

#include "wince/errors.h"
#include "wince/kernel.h"

typedef struct HINSTANCE__* HMODULE;
typedef void (*FARPROC)();

// Null with ERROR_MOD_NOT_FOUND: no library is loadable.
HMODULE LoadLibraryW(LPCWSTR fileName);
// Null with ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddressW(HMODULE module, LPCWSTR procName);
BOOL FreeLibrary(HMODULE module);
// The program's own module for a null name; null (ERROR_MOD_NOT_FOUND) for
// any other.
HMODULE GetModuleHandleW(LPCWSTR name);
