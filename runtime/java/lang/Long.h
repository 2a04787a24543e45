#pragma once
// java.lang.Long: a boxed long and its conversion to text.

#include <cstdint>

#include "java/lang/String.h"

namespace java::lang {

class Long : public virtual Object {
    VM_CLASS(Long, Object)

    VMPtr<Long> init(int64_t value);

    // The low 32 bits XOR the high 32 bits.
    int32_t hashCode() override { return int32_t(uint64_t(value) ^ (uint64_t(value) >> 32)); }
    bool equals(VMPtr<Object> other) override;
    VMPtr<String> toString() override;

    // A radix outside 2 .. 36 becomes 10.
    static VMPtr<String> toString(int64_t l, int32_t radix);

    int64_t value = 0;
};

} // namespace java::lang
