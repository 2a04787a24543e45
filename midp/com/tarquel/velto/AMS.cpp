#include "com/tarquel/velto/AMS.h"

#include "hal/properties.h"
#include "hal/status.h"
#include "java/lang/Class.h"
#include "java/lang/InstantiationException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "javax/microedition/midlet/MIDletStateChangeException.h"
#include "vm/VMArray.h"
#include "vm/VMBoot.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMStringLiterals.h"

namespace com::tarquel::velto {

using java::lang::String;
using javax::microedition::midlet::MIDlet;

namespace {

constexpr int32_t kInactive = 1;
constexpr int32_t kActive = 2;
constexpr int32_t kExit = 3;

void entryPoint(intptr_t)
{
    AMS::main();
}

} // namespace

void AMS::staticInit()
{
    HAL_addEventListener(&AMS::onActivate, 1u << kActive, 0);
    HAL_addEventListener(&AMS::onDeactivateOrExit, (1u << kInactive) | (1u << kExit), 2);
}

void AMS::main()
{
    main(nullptr);
}

void AMS::main(VMPtr<VMArray<String, 1>>)
{
    if (!launchMIDlet(1))
        _VM_fatalError("Failed to load MIDlet!");
}

VMPtr<String> AMS::getAppProperty(VMPtr<String> key)
{
    vm_nonNull(key);
    int32_t length = HAL_getApplicationPropertyLength(key->chars(), key->length());
    if (length < 0)
        return nullptr;
    VMPtr<String::CharArray> value = String::CharArray::newArray(length);
    int32_t status = HAL_getApplicationProperty(key->chars(), key->length(), value->elements(),
                                                &length);
    if (status == HAL_NOT_FOUND)
        return nullptr;
    if (status != HAL_OK)
        _VM_fatalError("HAL_getApplicationProperty() failed!");
    return String::newInstance()->init(value, 0, length);
}

bool AMS::launchMIDlet(int32_t n)
{
    VMPtr<java::lang::StringBuffer> key = java::lang::StringBuffer::newInstance()->init();
    key->append(_VM_literal("MIDlet-"));
    key->append(n);
    VMPtr<String> declaration = getAppProperty(key->toString());
    if (!declaration)
        return false;
    // Name, icon, class: only the third field is used; with fewer than two
    // commas the whole value is taken.
    int32_t first = declaration->indexOf(',');
    int32_t second = declaration->indexOf(',', first + 1);
    VMPtr<String> className = declaration->substring(second + 1)->trim();
    VMPtr<MIDlet> midlet = createMIDlet(className);
    currentMIDlet = midlet;
    if (midlet->setState(MIDlet::STARTING))
        start(midlet);
    return true;
}

VMPtr<MIDlet> AMS::createMIDlet(VMPtr<String> className)
{
    VMPtr<java::lang::Class> cls = java::lang::Class::forName(className);
    VMPtr<Object> instance = cls->newInstance();
    if (!_VM_isInstanceOf(_VM_getClassRegistry(), instance.get(), MIDlet::classRecord()))
        vm_throwNew<java::lang::InstantiationException>(_VM_literal("Class not a MIDlet"));
    return vm_cast<MIDlet>(instance);
}

void AMS::start(const VMPtr<MIDlet>& midlet)
{
    midlet->startApp();
    midlet->setState(MIDlet::ACTIVE);
}

void AMS::onActivate(int32_t event, int32_t, const intptr_t*)
{
    VMPtr<MIDlet> midlet = currentMIDlet;
    if (!midlet || event != kActive)
        return;
    if (midlet->setState(MIDlet::STARTING))
        start(midlet);
}

void AMS::onDeactivateOrExit(int32_t event, int32_t, const intptr_t*)
{
    VMPtr<MIDlet> midlet = currentMIDlet;
    if (!midlet)
        return;
    if (event == kInactive) {
        if (midlet->setState(MIDlet::PAUSING)) {
            midlet->pauseApp();
            midlet->setState(MIDlet::PAUSED);
        }
    } else if (event == kExit) {
        if (midlet->setState(MIDlet::DESTROYING)) {
            try {
                midlet->destroyApp(true);
            } catch (javax::microedition::midlet::MIDletStateChangeException* refused) {
                VMPtr<javax::microedition::midlet::MIDletStateChangeException> ignored(refused);
            }
            midlet->setState(MIDlet::DESTROYED);
        }
    }
}

} // namespace com::tarquel::velto

VM_REGISTER_CLASS_NO_CREATOR(com::tarquel::velto::AMS, "com.tarquel.velto.AMS", "java.lang.Object",
                             "target/winmo/pb_src/j2me/com_tarquel_velto_AMS",
                             &com::tarquel::velto::AMS::staticInit);
VM_REGISTER_ENTRY_POINT(com::tarquel::velto::AMS, &com::tarquel::velto::entryPoint);
