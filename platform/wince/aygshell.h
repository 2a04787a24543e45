#pragma once
// AYGSHELL functions (imported by ordinal on the device).

#include "wince/types.h"

// Ordinal 10: asks the shell to free `bytes` of memory by closing other
// programs; non-zero when it did. Nothing else runs here to be closed, so it
// reports that nothing was freed.
BOOL SHCloseApps(DWORD bytes);
