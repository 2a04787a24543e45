#pragma once
// Registry reads: a small in-memory table with the keys the platform layer
// reads (the power time-outs and the device name).

#include "wince/errors.h"
#include "wince/kernel.h"

typedef struct HKEY__* HKEY;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u)))

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_BINARY 3u
#define REG_DWORD 4u

#define KEY_QUERY_VALUE 0x0001u
#define KEY_READ 0x20019u

// Results are error codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ...).
LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, DWORD access, HKEY* result);
// A null data pointer asks for the size only; a buffer that is too small gets
// ERROR_MORE_DATA and the needed size.
LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegCloseKey(HKEY key);
