#include "java/io/UTFDataFormatException.h"

VM_REGISTER_CLASS(java::io::UTFDataFormatException, "java.io.UTFDataFormatException",
                  "java.io.IOException",
                  "target/winmo/pb_src/j2me/java_io_UTFDataFormatException", nullptr);
