#pragma once
// Named mutexes, as far as the single-instance check needs them.

#include "wince/errors.h"
#include "wince/kernel.h"

// A named mutex exists once per name in the application folder: a second
// CreateMutexW of the name, in this process or in another program started
// from the same folder, gets a handle with ERROR_ALREADY_EXISTS. Programs in
// different folders do not see each other's mutexes. Closing the first
// handle ends the mutex. Waiting on it is not supported. The lock files live
// in the user's runtime folder ($XDG_RUNTIME_DIR, else a private folder in
// the temporary folder), so any application folder and name can have one;
// when even that fails the reason goes to standard error and the result is
// null.
HANDLE CreateMutexW(LPVOID security, BOOL initialOwner, LPCWSTR name);
