#include "java/util/NoSuchElementException.h"

VM_REGISTER_CLASS(java::util::NoSuchElementException, "java.util.NoSuchElementException",
                  "java.lang.RuntimeException",
                  "target/winmo/pb_src/j2me/java_util_NoSuchElementException", nullptr);
