#include "java/lang/Long.h"

#include "java/lang/Integer.h"

namespace java::lang {

VMPtr<Long> Long::init(int64_t v)
{
    Object::init();
    value = v;
    return VMPtr<Long>(this);
}

bool Long::equals(VMPtr<Object> other)
{
    Long* boxed = dynamic_cast<Long*>(other.get());
    return boxed && boxed->value == value;
}

VMPtr<String> Long::toString()
{
    return String::valueOf(value);
}

VMPtr<String> Long::toString(int64_t l, int32_t radix)
{
    _VM_clinit();
    return Integer::formatSigned(l, radix);
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Long, "java.lang.Long", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Long", nullptr);
