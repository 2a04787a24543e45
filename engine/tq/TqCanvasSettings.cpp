// The canvas's user settings: sound and the two vibration switches, on
// until the game turns them off.
#include "tq/TqCanvas.h"

#include "vm/VMSynchronized.h"

namespace tq {

void TqCanvas::initDefaultSettings(bool)
{
    VMSynchronized lock(this);
    if (settingsInitialised)
        return;
    settingsInitialised = true;
    soundSetting = true;
    vibrationEnabled = true;
    alertVibrationEnabled = true;
}

} // namespace tq
