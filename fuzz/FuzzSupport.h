#pragma once
// Shared pieces of the fuzz targets.

#include <string>

namespace java::lang { class Throwable; }

// Boots the VM once per process (the test fixture's boot with no boot
// class, a heap of up to 256 MB); aborts when the boot fails.
void vxfuzz_bootVM();

// The class name of a caught VM exception (taking it under a reference).
std::string vxfuzz_thrownClass(java::lang::Throwable* caught);

// Aborts with the message: a broken invariant is a finding like a crash.
[[noreturn]] void vxfuzz_fail(const std::string& message);

#define VXFUZZ_CHECK(condition, message)                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            vxfuzz_fail(std::string(#condition ": ") + (message));                                 \
    } while (0)
