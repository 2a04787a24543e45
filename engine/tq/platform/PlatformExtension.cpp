#include "tq/platform/PlatformExtension.h"

VM_REGISTER_INTERFACE(tq::platform::PlatformExtension, "tq.platform.PlatformExtension",
                      "..\\src\\tq_platform_PlatformExtension", nullptr);
