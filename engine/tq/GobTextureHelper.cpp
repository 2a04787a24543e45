#include "tq/GobTextureHelper.h"

VM_REGISTER_CLASS_NO_CREATOR(tq::GobTextureHelper, "tq.GobTextureHelper", "java.lang.Object",
                             "..\\src\\tq_GobTextureHelper", nullptr);
