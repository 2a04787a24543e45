#pragma once
// java.lang.Float: the limit constants and the conversion to text ("%G": six
// significant digits, exponent form below 1E-4 and from 1E6 on).

#include <bit>
#include <cstdint>

#include "java/lang/String.h"

namespace java::lang {

class Float : public virtual Object {
    VM_ABSTRACT_CLASS(Float, Object)

    static VMPtr<String> toString(float value);

    static constexpr float MAX_VALUE = std::bit_cast<float>(uint32_t(0x7F7FFFFF));
    static constexpr float MIN_VALUE = std::bit_cast<float>(uint32_t(0x00000001));
    static constexpr float NaN = std::bit_cast<float>(uint32_t(0x7FC00000));
    static constexpr float NEGATIVE_INFINITY = std::bit_cast<float>(uint32_t(0xFF800000));
    static constexpr float POSITIVE_INFINITY = std::bit_cast<float>(uint32_t(0x7F800000));
};

} // namespace java::lang
