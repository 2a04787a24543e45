#include "java/util/VectorEnumerator.h"

#include "java/util/NoSuchElementException.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMSynchronized.h"

namespace java::util {

VMPtr<VectorEnumerator> VectorEnumerator::init(VMPtr<Vector> v)
{
    Object::init();
    vector = v;
    count = 0;
    return VMPtr<VectorEnumerator>(this);
}

bool VectorEnumerator::hasMoreElements()
{
    return count < vector->elementCount;
}

VMPtr<java::lang::Object> VectorEnumerator::nextElement()
{
    {
        VMSynchronized guard(vector);
        if (count < vector->elementCount)
            return vector->elementData->get(count++);
    }
    vm_throwNew<NoSuchElementException>(_VM_literal("VectorEnumerator"));
}

} // namespace java::util

VM_REGISTER_CLASS_NO_CREATOR(java::util::VectorEnumerator, "java.util.VectorEnumerator",
                             "java.lang.Object", "target/winmo/pb_src/j2me/java_util_Vector",
                             nullptr);
VM_IMPLEMENTS(java::util::VectorEnumerator, "java.util.Enumeration");
