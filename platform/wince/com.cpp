#include "wince/ole.h"

namespace {
// Nesting depth of CoInitializeEx on the calling thread.
thread_local uint32_t apartmentDepth = 0;
}

// ---- CoInitializeEx: enters the (multithreaded) apartment ----------------
// Only the multithreaded model is used; any other flags are refused.
HRESULT CoInitializeEx(LPVOID, DWORD coInit)
{
    if (coInit != COINIT_MULTITHREADED)
        return E_INVALIDARG;
    return apartmentDepth++ == 0 ? S_OK : S_FALSE;
}

// ---- CoUninitialize --------------------------------------------------------
void CoUninitialize()
{
    if (apartmentDepth > 0)
        --apartmentDepth;
}
