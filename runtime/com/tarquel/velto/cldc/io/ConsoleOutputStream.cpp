#include "com/tarquel/velto/cldc/io/ConsoleOutputStream.h"

#include "hal/device.h"

namespace com::tarquel::velto::cldc::io {

VMPtr<ConsoleOutputStream> ConsoleOutputStream::init()
{
    OutputStream::init();
    return VMPtr<ConsoleOutputStream>(this);
}

void ConsoleOutputStream::write(int32_t b)
{
    HAL_writeConsole(b);
}

} // namespace com::tarquel::velto::cldc::io

VM_REGISTER_CLASS(com::tarquel::velto::cldc::io::ConsoleOutputStream,
                  "com.tarquel.velto.cldc.io.ConsoleOutputStream", "java.io.OutputStream",
                  "target/winmo/pb_src/j2me/com_tarquel_velto_cldc_io_ConsoleOutputStream",
                  nullptr);
