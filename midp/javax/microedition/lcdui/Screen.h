#pragma once
// javax.microedition.lcdui.Screen: the base of the high-level displayables.

#include "javax/microedition/lcdui/Displayable.h"

namespace javax::microedition::lcdui {

class Screen : public Displayable {
    VM_ABSTRACT_CLASS(Screen, Displayable)
};

} // namespace javax::microedition::lcdui
