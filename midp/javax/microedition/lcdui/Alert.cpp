#include "javax/microedition/lcdui/Alert.h"

#include "vm/VMStringLiterals.h"

namespace javax::microedition::lcdui {

void Alert::staticInit()
{
    DISMISS_COMMAND = Command::newInstance()->init(_VM_literal(""), Command::OK, 0);
}

VMPtr<Alert> Alert::init(VMPtr<java::lang::String> alertTitle)
{
    initPlatform(nullptr);
    title = alertTitle;
    return VMPtr<Alert>(this);
}

} // namespace javax::microedition::lcdui

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::Alert, "javax.microedition.lcdui.Alert",
                             "javax.microedition.lcdui.Screen",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Alert",
                             &javax::microedition::lcdui::Alert::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::DefaultAlertListener,
                             "javax.microedition.lcdui.DefaultAlertListener", "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Alert", nullptr);
