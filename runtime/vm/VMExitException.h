#pragma once
// The unwinding of an allowed exit (Runtime.exit): not a Throwable, so no
// application handler catches it; the thread's run wrapper turns it into the
// VM's exit-requested flag.

#include <cstdint>

#include "vm/VMException.h"

class VMExitException : public VMException {
public:
    explicit VMExitException(int32_t status) : status(status) {}
    [[noreturn]] void _VM_throw() override { throw this; }

    int32_t status;
};
