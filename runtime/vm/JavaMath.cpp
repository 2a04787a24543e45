#include "vm/JavaMath.h"

#include "java/lang/ArithmeticException.h"

void _VM_throwDivideByZero()
{
    vm_throwNew<java::lang::ArithmeticException>(java::lang::String::newFromCString("/ by zero"));
}
