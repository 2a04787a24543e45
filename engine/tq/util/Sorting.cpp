#include "tq/util/Sorting.h"

VM_REGISTER_CLASS_NO_CREATOR(tq::util::Sorting, "tq.util.Sorting", "java.lang.Object",
                             "..\\src\\tq_util_Sorting", nullptr);
VM_REGISTER_INTERFACE(tq::util::Sorting_TQC_Comparator, "tq.util.Sorting$Comparator",
                      "..\\src\\tq_util_Sorting", nullptr);
