#pragma once
// com.tarquel.velto.cldc.io.ConsoleOutputStream: hands each byte to the
// platform's standard output. It never fails: the platform's status is
// ignored.

#include "java/io/OutputStream.h"

namespace com::tarquel::velto::cldc::io {

class ConsoleOutputStream : public java::io::OutputStream {
    VM_CLASS(ConsoleOutputStream, java::io::OutputStream)

    VMPtr<ConsoleOutputStream> init();

    using OutputStream::write;
    void write(int32_t b) override;
};

} // namespace com::tarquel::velto::cldc::io
