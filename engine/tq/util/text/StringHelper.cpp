#include "tq/util/text/StringHelper.h"

namespace tq::util::text {

int32_t StringHelper::lastIndexOf(VMPtr<java::lang::String> s, char16_t c, int32_t from, int32_t to)
{
    for (int32_t i = to; i >= from; i--) {
        if (s->charAt(i) == c)
            return i;
    }
    return -1;
}

} // namespace tq::util::text

VM_REGISTER_CLASS(tq::util::text::StringHelper, "tq.util.text.StringHelper", "java.lang.Object",
                  "..\\src\\tq_util_text_StringHelper", nullptr);
