#include "tq/platform/velto/TqVelto.h"

#include "hal/device.h"
#include "hal/font.h"
#include "hal/status.h"
#include "javax/microedition/media/Manager.h"
#include "vm/VMBoot.h"
#include "vm/VMStringLiterals.h"

namespace tq::platform::velto {

int32_t TqVelto::getOrientation()
{
    int32_t orientation = 0;
    if (HAL_getOrientation(&orientation) != HAL_OK)
        _VM_fatalError("HAL_getOrientation() failed.");
    return orientation;
}

bool TqVelto::setOrientation(int32_t orientation)
{
    int32_t status = HAL_setOrientation(orientation);
    if (status == HAL_OK)
        return true;
    if (status == HAL_OUT_OF_RANGE)
        return false;
    _VM_fatalError("HAL_setOrientation() failed.");
}

bool TqVelto::setSystemIdleEnabled(bool enabled)
{
    // The platform's switch: on starts the keep-awake timer, off stops it.
    HAL_resetIdleTimer(enabled ? 0 : 1);
    return true;
}

VMPtr<javax::microedition::media::Player> TqVelto::createPlayer(VMPtr<VMArray<int8_t, 1>> data,
                                                                 int32_t offset, int32_t length,
                                                                 VMPtr<java::lang::String> type)
{
    return javax::microedition::media::Manager::createPlayer(data, offset, length, type);
}

} // namespace tq::platform::velto

VM_REGISTER_CLASS_NO_CREATOR(tq::platform::velto::TqVelto, "tq.platform.velto.TqVelto",
                             "java.lang.Object", "target/winmo/pb_src/j2me/tq_platform_velto_TqVelto",
                             nullptr);
