#pragma once
// javax.microedition.lcdui.Alert, as far as the display needs it: the
// displayable shown after the alert, and the dismiss command. An alert has
// no platform displayable on this platform.

#include "javax/microedition/lcdui/Command.h"
#include "javax/microedition/lcdui/Screen.h"

namespace javax::microedition::lcdui {

class Alert : public Screen {
    VM_CLASS(Alert, Screen)

    VMPtr<Alert> init(VMPtr<java::lang::String> title);

    static void staticInit();
    // Command ("", OK, 0).
    VM_STATIC(Command, DISMISS_COMMAND);

    VMField<Displayable> nextDisplayable;

    VM_FIELDS(nextDisplayable)
};

// The listener class the alert's registration names; no members.
class DefaultAlertListener : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(DefaultAlertListener, java::lang::Object)
};

} // namespace javax::microedition::lcdui
