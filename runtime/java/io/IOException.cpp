#include "java/io/IOException.h"

VM_REGISTER_CLASS(java::io::IOException, "java.io.IOException",
                  "java.lang.Exception",
                  "target/winmo/pb_src/j2me/java_io_IOException", nullptr);
