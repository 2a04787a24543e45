#pragma once
// Test seam of the file stand-ins: every change to the disk made through
// them is one step (creating or truncating a file for writing, each write,
// each flush, each move, each deletion, each folder made or removed), so a
// test can stop the process's disk at any step or fill it.

#include <cstdint>

namespace wince {

enum class DiskFault {
    None,
    // From the step on, every change fails and nothing more reaches the
    // disk, as if the process had been killed there; the write at that step
    // leaves half its bytes.
    Halt,
    // From the step on, writes fail with ERROR_DISK_FULL and write nothing.
    Full,
};

// Sets the fault (counting from step 0, the next change) and restarts the
// count.
void setDiskFault(DiskFault fault, uint32_t fromStep = 0);
// Changes counted since the last setDiskFault, refused ones included.
uint32_t diskSteps();
// Called on the changing thread at every step, before any fault applies;
// null for none.
void setDiskStepWatch(void (*watch)());

}  // namespace wince
