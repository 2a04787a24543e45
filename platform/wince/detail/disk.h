#pragma once
// Inside the file stand-ins: errno to Windows error codes, and the test
// seam's gate in front of every change to the disk (see wince/diskfaults.h).

#include "wince/types.h"

namespace wince_disk {

// The Windows error code for an errno value.
DWORD errorFromErrno(int error);

enum class Change { Create, Write, Flush, Move, Delete, MakeFolder, RemoveFolder };

// Counts one change; false with the last error set when the seam makes it
// fail (nothing may then reach the disk).
bool allow(Change change);
// True while the seam stands for a stopped process: a write refused by
// allow() still puts half its bytes on the disk, as a write cut short does.
bool halted();

}  // namespace wince_disk
