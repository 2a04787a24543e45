#pragma once
// javax.microedition.media.PlayerListener: only a reference type of the
// Player operations; nothing implements it and it is not registered.

#include "java/lang/Object.h"

namespace javax::microedition::media {

class PlayerListener : public virtual java::lang::Object {
};

} // namespace javax::microedition::media
