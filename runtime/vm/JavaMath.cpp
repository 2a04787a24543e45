#include "vm/JavaMath.h"

#include "java/lang/ArithmeticException.h"
#include "vm/VMStringLiterals.h"

void _VM_throwDivideByZero()
{
    vm_throwNew<java::lang::ArithmeticException>(_VM_literal("/ by zero"));
}
