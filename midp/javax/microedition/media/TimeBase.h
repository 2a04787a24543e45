#pragma once
// javax.microedition.media.TimeBase: only a reference type of the Player
// operations; nothing implements it and it is not registered.

#include "java/lang/Object.h"

namespace javax::microedition::media {

class TimeBase : public virtual java::lang::Object {
};

} // namespace javax::microedition::media
