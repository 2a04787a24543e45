#pragma once
// OLE32: apartment start and end for a thread.

#include "wince/types.h"

#define COINIT_MULTITHREADED 0x0u

// S_OK on a thread's first call, S_FALSE on a nested one.
HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit);
// Ends one CoInitializeEx of the calling thread; extra calls are ignored.
void CoUninitialize();
