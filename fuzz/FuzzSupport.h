#pragma once
// Shared pieces of the fuzz targets.

#include <cstddef>
#include <cstdint>
#include <string>

#include "vm/VMArray.h"

namespace java::lang { class Throwable; }
namespace vxtest { class AppFolder; }

// Boots the VM once per process (the test fixture's boot with no boot
// class, a heap of up to 256 MB); aborts when the boot fails.
void vxfuzz_bootVM();

// One input of a target that uses the VM, held for the whole input: boots
// the VM on first use and, at the end of the input, collects what the input
// left behind, so the objects it made are freed within the run (libFuzzer's
// leak check then only runs for the rare input that keeps memory).
class VXFuzzVM {
public:
    VXFuzzVM() { vxfuzz_bootVM(); }
    ~VXFuzzVM();
    VXFuzzVM(const VXFuzzVM&) = delete;
    VXFuzzVM& operator=(const VXFuzzVM&) = delete;
};

// The process's temporary application folder, made on first use in memory
// (/dev/shm) where there is one: the record stores flush every change, and
// on a disk that alone held the targets to a few inputs a second.
const vxtest::AppFolder& vxfuzz_appFolder();

// A new VM byte array holding the bytes.
VMPtr<VMArray<int8_t, 1>> vxfuzz_byteArray(const void* data, size_t size);

// Damages a picture made from a recipe: offset and xor pairs from data[at]
// on, a 0 xor cutting the picture at the offset instead.
void vxfuzz_damage(std::string& picture, const uint8_t* data, size_t size, size_t at);

// The class name of a caught VM exception (taking it under a reference).
std::string vxfuzz_thrownClass(java::lang::Throwable* caught);

// Aborts with the message: a broken invariant is a finding like a crash.
[[noreturn]] void vxfuzz_fail(const std::string& message);

#define VXFUZZ_CHECK(condition, message)                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            vxfuzz_fail(std::string(#condition ": ") + (message));                                 \
    } while (0)
