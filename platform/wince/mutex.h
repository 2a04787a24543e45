#pragma once
// Named mutexes, as far as the single-instance check needs them.

#include "wince/errors.h"
#include "wince/kernel.h"

// A named mutex exists once per name in the application folder: a second
// CreateMutexW of the name, in this process or in another program started
// from the same folder, gets a handle with ERROR_ALREADY_EXISTS. Programs in
// different folders do not see each other's mutexes. Closing the first
// handle ends the mutex. Waiting on it is not supported.
HANDLE CreateMutexW(LPVOID security, BOOL initialOwner, LPCWSTR name);
