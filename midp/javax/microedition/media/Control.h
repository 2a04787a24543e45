#pragma once
// javax.microedition.media.Control: the marker of a player's controls.

#include "java/lang/Object.h"

namespace javax::microedition::media {

class Control : public virtual java::lang::Object {
    VM_INTERFACE(Control)
};

} // namespace javax::microedition::media
