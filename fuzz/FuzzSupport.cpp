#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "java/lang/Class.h"
#include "java/lang/Throwable.h"
#include "support/AppFolder.h"
#include "support/VMFixture.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"

void vxfuzz_bootVM()
{
    // The collector reclaims what each run drops once the limit is reached,
    // so one process runs for as long as the fuzzer likes.
    static const bool booted = VMFixture_start(nullptr, 0, 16u << 20, 256u << 20) == 1;
    if (!booted)
        vxfuzz_fail("the VM did not boot");
}

VXFuzzVM::~VXFuzzVM()
{
    _VM_collectGarbage(_VM_instance);
}

const vxtest::AppFolder& vxfuzz_appFolder()
{
    static const bool inMemory = [] {
        std::error_code error;
        return std::filesystem::is_directory("/dev/shm", error) &&
               setenv("TMPDIR", "/dev/shm", 1) == 0;
    }();
    // Removed at exit like any static.
    static const vxtest::AppFolder folder;
    (void)inMemory;
    return folder;
}

VMPtr<VMArray<int8_t, 1>> vxfuzz_byteArray(const void* data, size_t size)
{
    VMPtr<VMArray<int8_t, 1>> array = VMArray<int8_t, 1>::newArray(int32_t(size));
    if (size)
        std::memcpy(array->elements(), data, size);
    return array;
}

void vxfuzz_damage(std::string& picture, const uint8_t* data, size_t size, size_t at)
{
    while (at + 1 < size) {
        size_t offset = data[at];
        uint8_t mask = data[at + 1];
        at += 2;
        if (mask == 0)
            picture.resize(std::min(picture.size(), offset));
        else if (!picture.empty())
            picture[offset % picture.size()] = char(picture[offset % picture.size()] ^ mask);
    }
}

std::string vxfuzz_thrownClass(java::lang::Throwable* caught)
{
    VMPtr<java::lang::Throwable> e(caught);
    return e->getClass()->name;
}

void vxfuzz_fail(const std::string& message)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", message.c_str());
    std::abort();
}
