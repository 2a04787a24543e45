#include "java/io/DataInput.h"

VM_REGISTER_INTERFACE(java::io::DataInput, "java.io.DataInput",
                      "target/winmo/pb_src/j2me/java_io_DataInput", nullptr);
