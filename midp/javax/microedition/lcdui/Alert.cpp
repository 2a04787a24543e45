#include "javax/microedition/lcdui/Alert.h"

#include "vm/VMStringLiterals.h"

namespace javax::microedition::lcdui {

VMStatic<Command>& Alert::DISMISS_COMMAND()
{
    static auto* command = new VMStatic<Command>(); // lives to the process's end
    return *command;
}

void Alert::staticInit()
{
    DISMISS_COMMAND() = Command::newInstance()->init(_VM_literal(""), Command::OK, 0);
}

VMPtr<Alert> Alert::init(VMPtr<java::lang::String> alertTitle)
{
    initPlatform(nullptr);
    title = alertTitle;
    return VMPtr<Alert>(this);
}

void Alert::markReferences(uint32_t bits)
{
    Displayable::markReferences(bits);
    _VM_markField(nextDisplayable, bits);
}

} // namespace javax::microedition::lcdui

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::Alert, "javax.microedition.lcdui.Alert",
                             "javax.microedition.lcdui.Screen",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Alert",
                             &javax::microedition::lcdui::Alert::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::DefaultAlertListener,
                             "javax.microedition.lcdui.DefaultAlertListener", "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Alert", nullptr);
