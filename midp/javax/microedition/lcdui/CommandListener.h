#pragma once
// javax.microedition.lcdui.CommandListener: receives a displayable's command
// actions.

#include "java/lang/Object.h"

namespace javax::microedition::lcdui {

class Command;
class Displayable;

class CommandListener : public virtual java::lang::Object {
    VM_INTERFACE(CommandListener)

    virtual void commandAction(VMPtr<Command> c, VMPtr<Displayable> d) = 0;
};

} // namespace javax::microedition::lcdui
