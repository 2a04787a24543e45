#include "java/io/EOFException.h"

VM_REGISTER_CLASS(java::io::EOFException, "java.io.EOFException",
                  "java.io.IOException",
                  "target/winmo/pb_src/j2me/java_io_EOFException", nullptr);
