#include "java/io/DataOutput.h"

VM_REGISTER_INTERFACE(java::io::DataOutput, "java.io.DataOutput",
                      "target/winmo/pb_src/j2me/java_io_DataOutput", nullptr);
