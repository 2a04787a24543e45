#include "java/util/Enumeration.h"

VM_REGISTER_INTERFACE(java::util::Enumeration, "java.util.Enumeration",
                      "target/winmo/pb_src/j2me/java_util_Enumeration", nullptr);
