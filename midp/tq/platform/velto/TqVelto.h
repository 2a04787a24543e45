#pragma once
// tq.platform.velto.TqVelto: platform services the engine needs beyond MIDP:
// the display orientation, the keep-awake switch and players made from bytes
// in memory. Static operations only.

#include <cstdint>

#include "java/lang/String.h"
#include "vm/VMArray.h"

namespace javax::microedition::media { class Player; }

namespace tq::platform::velto {

class TqVelto : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(TqVelto, java::lang::Object)

    // The platform's orientation number, 0..4.
    static int32_t getOrientation();
    // False when the platform does not offer the orientation.
    static bool setOrientation(int32_t orientation);
    // False keeps the device awake (the platform resets its idle timer
    // periodically); true lets it idle again. Returns true.
    static bool setSystemIdleEnabled(bool enabled);
    // A player for the sound in data[offset .. offset + length - 1].
    static VMPtr<javax::microedition::media::Player> createPlayer(
        VMPtr<VMArray<int8_t, 1>> data, int32_t offset, int32_t length,
        VMPtr<java::lang::String> type);
};

} // namespace tq::platform::velto
