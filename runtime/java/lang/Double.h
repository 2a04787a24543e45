#pragma once
// java.lang.Double: the limit constants and the conversion to text ("%G": six
// significant digits, exponent form below 1E-4 and from 1E6 on).

#include <bit>
#include <cstdint>

#include "java/lang/String.h"

namespace java::lang {

class Double : public virtual Object {
    VM_ABSTRACT_CLASS(Double, Object)

    static VMPtr<String> toString(double value);

    static constexpr double MAX_VALUE = std::bit_cast<double>(uint64_t(0x7FEFFFFFFFFFFFFF));
    static constexpr double MIN_VALUE = std::bit_cast<double>(uint64_t(0x0000000000000001));
    static constexpr double NaN = std::bit_cast<double>(uint64_t(0x7FF8000000000000));
    static constexpr double NEGATIVE_INFINITY = std::bit_cast<double>(uint64_t(0xFFF0000000000000));
    static constexpr double POSITIVE_INFINITY = std::bit_cast<double>(uint64_t(0x7FF0000000000000));
};

} // namespace java::lang
