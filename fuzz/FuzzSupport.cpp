#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

#include "java/lang/Class.h"
#include "java/lang/Throwable.h"
#include "support/VMFixture.h"

void vxfuzz_bootVM()
{
    // The collector reclaims what each run drops once the limit is reached,
    // so one process runs for as long as the fuzzer likes.
    static const bool booted = VMFixture_start(nullptr, 0, 16u << 20, 256u << 20) == 1;
    if (!booted)
        vxfuzz_fail("the VM did not boot");
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
