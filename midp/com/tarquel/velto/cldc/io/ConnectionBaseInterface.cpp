#include "com/tarquel/velto/cldc/io/ConnectionBaseInterface.h"

VM_REGISTER_INTERFACE(com::tarquel::velto::cldc::io::ConnectionBaseInterface,
                      "com.tarquel.velto.cldc.io.ConnectionBaseInterface",
                      "target/winmo/pb_src/j2me/com_tarquel_velto_cldc_io_ConnectionBaseInterface", nullptr);
