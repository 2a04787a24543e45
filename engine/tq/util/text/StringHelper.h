#pragma once
// tq.util.text.StringHelper: static string utilities of the text package.

#include <cstdint>

#include "java/lang/String.h"

namespace tq::util::text {

class StringHelper : public virtual java::lang::Object {
    VM_CLASS(StringHelper, java::lang::Object)

    VMPtr<StringHelper> init() { return VMPtr<StringHelper>(this); }

    // The largest i with from <= i <= to and s[i] == c, or -1; the character
    // at to is examined first. An index outside s throws
    // StringIndexOutOfBoundsException; from > to answers -1 unread.
    static int32_t lastIndexOf(VMPtr<java::lang::String> s, char16_t c, int32_t from, int32_t to);
};

} // namespace tq::util::text
