#include "javax/microedition/midlet/MIDlet.h"

#include "hal/callbacks.h"
#include "hal/status.h"
#include "java/lang/NullPointerException.h"
#include "javax/microedition/io/ConnectionNotFoundException.h"
#include "vm/VMBoot.h"

namespace javax::microedition::midlet {

VMPtr<MIDlet> MIDlet::init()
{
    Object::init();
    state = CREATED;
    return VMPtr<MIDlet>(this);
}

bool MIDlet::setState(int32_t next)
{
    bool allowed;
    switch (state) {
    case DESTROYED:
        allowed = false;
        break;
    case DESTROYING:
        allowed = next == DESTROYED;
        break;
    case ACTIVE:
        allowed = next != CREATED && next != STARTING;
        break;
    case PAUSED:
    case CREATED:
        allowed = next != PAUSING;
        break;
    default: // starting, pausing
        allowed = true;
        break;
    }
    if (allowed)
        state = next;
    return allowed;
}

void MIDlet::notifyDestroyed()
{
    setState(DESTROYED);
    HAL_postExit();
}

bool MIDlet::platformRequest(VMPtr<java::lang::String> url)
{
    vm_nonNull(url);
    uint8_t mustExit = 0;
    int32_t status = HAL_openURL(url->chars(), url->length(), &mustExit);
    if (status == HAL_NOT_FOUND)
        vm_throwNew<javax::microedition::io::ConnectionNotFoundException>();
    if (status != HAL_OK)
        _VM_fatalError("Unexpected error from HAL_openURL() in platformRequest!");
    return mustExit != 0;
}

} // namespace javax::microedition::midlet

VM_REGISTER_ABSTRACT_CLASS(javax::microedition::midlet::MIDlet, "javax.microedition.midlet.MIDlet",
                           "java.lang.Object",
                           "target/winmo/pb_src/j2me/javax_microedition_midlet_MIDlet", nullptr);
