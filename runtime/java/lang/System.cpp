#include "java/lang/System.h"

#include "com/tarquel/velto/cldc/io/ConsoleOutputStream.h"
#include "hal/device.h"
#include "hal/properties.h"
#include "java/io/PrintStream.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/Runtime.h"
#include "java/lang/String.h"
#include "vm/VMBoot.h"
#include "vm/VMCString.h"
#include "vm/VMProperties.h"
#include "vm/VMStringLiterals.h"
#include "vm/VMUtf8.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/ArrayStoreException.h"
#include "java/lang/NullPointerException.h"
#include "vm/VMArray.h"
#include "vm/VMClassRegistry.h"

namespace java::lang {

namespace {

// A range of count elements from position lies within array.
bool inRange(const VMArray_Base* array, int32_t position, int32_t count)
{
    return position >= 0 && int64_t(position) + count <= array->length;
}

// The static fields out and err.
VM_STATIC(java::io::PrintStream, outField);
VM_STATIC(java::io::PrintStream, errField);

// Both console names print to one stream.
void initializeSystem()
{
    using com::tarquel::velto::cldc::io::ConsoleOutputStream;
    VMPtr<ConsoleOutputStream> console = ConsoleOutputStream::newInstance()->init();
    VMPtr<java::io::PrintStream> stream = java::io::PrintStream::newInstance()->init(console);
    outField = stream;
    errField = stream;
}

} // namespace

VMPtr<java::io::PrintStream> System::out()
{
    _VM_clinit();
    return outField;
}

VMPtr<java::io::PrintStream> System::err()
{
    _VM_clinit();
    return errField;
}

VMPtr<String> System::getProperty(VMPtr<String> key)
{
    if (!key)
        vm_throwNew<NullPointerException>(_VM_literal("key can't be null"));
    if (key->length() == 0)
        vm_throwNew<IllegalArgumentException>(_VM_literal("key can't be empty"));

    VMCString text;
    _VM_stringToCString(key, &text);
    if (const char* value = _VM_getProperty(_VM_getPropertyTable(), text.text()))
        return String::newFromCString(value);

    int32_t length = HAL_getSystemPropertyLength(key->chars(), key->length());
    if (length < 0)
        return VMPtr<String>();
    VMPtr<String::CharArray> chars = String::CharArray::newArray(length);
    if (HAL_getSystemProperty(key->chars(), key->length(), chars->elements(), &length) != 0)
        _VM_fatalError("HAL_getSystemProperty() failed!");
    return String::newInstance()->init(chars, 0, length);
}

int64_t System::currentTimeMillis()
{
    return HAL_currentTimeMillis();
}

void System::exit(int32_t status)
{
    Runtime::getRuntime()->exit(status);
    __builtin_unreachable(); // a virtual call does not carry [[noreturn]]
}

void System::arraycopy(VMPtr<Object> src, int32_t srcPos, VMPtr<Object> dest, int32_t destPos,
                       int32_t length)
{
    if (!src || !dest)
        vm_throwNew<NullPointerException>();
    VMArray_Base* from = dynamic_cast<VMArray_Base*>(src.get());
    VMArray_Base* to = dynamic_cast<VMArray_Base*>(dest.get());
    if (!from || !to)
        vm_throwNew<ArrayStoreException>();
    bool fromPrimitive = from->elementClass == nullptr;
    bool toPrimitive = to->elementClass == nullptr;
    if (fromPrimitive != toPrimitive ||
        (fromPrimitive && from->elementTypeCode != to->elementTypeCode))
        vm_throwNew<ArrayStoreException>();
    if (length < 0 || !inRange(from, srcPos, length) || !inRange(to, destPos, length))
        vm_throwNew<ArrayIndexOutOfBoundsException>();

    if (fromPrimitive || from->elementClass == to->elementClass) {
        VMArray_Base::copyElements(to, from, srcPos, destPos, length);
        return;
    }
    VMClassRegistry* registry = _VM_getClassRegistry();
    bool checked = !_VM_isAssignableFrom(registry, from->elementClass, to->elementClass);
    // Different element classes (so two distinct arrays): element by element,
    // checking each element unless every source element fits. An element the
    // destination's native type cannot hold (a String[] row for an Object[][])
    // would be stored as null: it fails like any element that does not fit,
    // and the destination keeps what it held there.
    for (int32_t i = 0; i < length; i++) {
        Object* element = from->elementObject(srcPos + i);
        if (checked && element &&
            !_VM_isAssignableFrom(registry, element->getClass(), to->elementClass))
            vm_throwNew<ArrayStoreException>();
        Object* previous = to->elementObject(destPos + i);
        to->storeElementObject(destPos + i, element);
        if (element && !to->elementObject(destPos + i)) {
            to->storeElementObject(destPos + i, previous);
            vm_throwNew<ArrayStoreException>();
        }
    }
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::System, "java.lang.System", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_System",
                             &java::lang::initializeSystem);
