#include "java/io/UnsupportedEncodingException.h"

VM_REGISTER_CLASS(java::io::UnsupportedEncodingException, "java.io.UnsupportedEncodingException",
                  "java.io.IOException",
                  "target/winmo/pb_src/j2me/java_io_UnsupportedEncodingException", nullptr);
