#include "java/lang/Class.h"

#include <cstring>

#include "com/tarquel/velto/cldc/io/ResourceInputStream.h"
#include "java/io/IOException.h"
#include "java/lang/ClassNotFoundException.h"
#include "java/lang/IllegalAccessException.h"
#include "java/lang/InstantiationException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/String.h"
#include "java/lang/StringBuffer.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMCString.h"
#include "vm/VMUtf8.h"

namespace java::lang {

Class::Class(const char* name, const char* superName, const char* sourcePath,
             VMStaticInitializer staticInitializer, VMInstanceCreator creator, bool isInterface,
             bool isAbstract, int32_t arrayDimensions, int32_t elementTypeCode,
             Class* elementClass)
    : state(staticInitializer ? NOT_INITIALIZED : INITIALIZED), name(name),
      superName(superName ? superName : ""), sourcePath(sourcePath),
      staticInitializer(staticInitializer), creator(creator), isInterfaceFlag(isInterface),
      isAbstractFlag(isAbstract), arrayDimensions(arrayDimensions),
      elementTypeCode(elementTypeCode), elementClass(elementClass), selfReference(this)
{
    VMList_init(&interfaces);
    _VM_registerClass(_VM_getClassRegistry(), name, this);
    _VM_endConstruction(this);
}

Class::~Class()
{
    VMList_clear(&interfaces);
}

VMPtr<String> Class::getName()
{
    return String::newFromCString(name);
}

VMPtr<String> Class::toString()
{
    VMCString text(isInterface() ? "interface " : "class ");
    text.append(name);
    return String::newFromCString(text.text());
}

VMPtr<Class> Class::forName(VMPtr<String> className)
{
    VMCString key;
    _VM_stringToCString(className, &key);
    Class* cls = _VM_findClass(_VM_getClassRegistry(), key.text() ? key.text() : "");
    if (!cls)
        vm_throwNew<ClassNotFoundException>();
    return VMPtr<Class>(cls);
}

VMPtr<Object> Class::newInstance()
{
    if (isArray() || isInterface() || isAbstractFlag)
        vm_throwNew<InstantiationException>();
    VMPtr<Object> object;
    if (creator)
        object = creator();
    if (!object)
        vm_throwNew<IllegalAccessException>();
    return object;
}

VMPtr<String> Class::resolveResourceName(VMPtr<String> name)
{
    if (vm_nonNull(name)->length() > 0 && name->charAt(0) == u'/')
        return name->substring(1);
    // The package of this class as a folder: "x.y.Z" gives "x/y/".
    VMPtr<StringBuffer> path = StringBuffer::newInstance();
    path->init();
    if (const char* last = std::strrchr(this->name, '.')) {
        for (const char* at = this->name; at <= last; at++)
            path->append(char16_t(*at == '.' ? '/' : *at));
    }
    path->append(name);
    return path->toString();
}

// A leading "/" names the resource from the top of the resource folder; any
// other name is looked up under the class's package. Null when it cannot be
// opened.
VMPtr<Object> Class::getResourceAsStream(VMPtr<String> name)
{
    using com::tarquel::velto::cldc::io::ResourceInputStream;
    VMPtr<String> resolved = resolveResourceName(name);
    try {
        return ResourceInputStream::newInstance()->init(resolved);
    } catch (java::io::IOException* caught) {
        VMPtr<java::io::IOException> failure(caught);
        return VMPtr<Object>();
    }
}

bool Class::isInstance(VMPtr<Object> object)
{
    return _VM_isInstanceOf(_VM_getClassRegistry(), object.get(), this);
}

bool Class::isAssignableFrom(Class* other)
{
    return _VM_isAssignableFrom(_VM_getClassRegistry(), other, this);
}

} // namespace java::lang

VM_REGISTER_CLASS_NO_CREATOR(java::lang::Class, "java.lang.Class", "java.lang.Object",
                             "target/winmo/pb_src/j2me/java_lang_Class", nullptr);
