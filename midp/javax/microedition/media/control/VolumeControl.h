#pragma once
// javax.microedition.media.control.VolumeControl: a player's level 0..100
// and its mute switch.

#include <cstdint>

#include "javax/microedition/media/Control.h"

namespace javax::microedition::media::control {

class VolumeControl : public virtual Control {
    VM_INTERFACE(VolumeControl)

    virtual void setMute(bool mute) = 0;
    virtual bool isMuted() = 0;
    // Returns the level now in force.
    virtual int32_t setLevel(int32_t level) = 0;
    virtual int32_t getLevel() = 0;
};

} // namespace javax::microedition::media::control
