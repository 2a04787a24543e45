#include "javax/microedition/lcdui/Ticker.h"

#include "java/lang/NullPointerException.h"

namespace javax::microedition::lcdui {

VMPtr<Ticker> Ticker::init(VMPtr<java::lang::String> text)
{
    Object::init();
    setString(text);
    return VMPtr<Ticker>(this);
}

VMPtr<java::lang::String> Ticker::getString()
{
    return string;
}

void Ticker::setString(VMPtr<java::lang::String> text)
{
    string = vm_nonNull(text);
}

} // namespace javax::microedition::lcdui

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::lcdui::Ticker, "javax.microedition.lcdui.Ticker",
                             "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_lcdui_Ticker", nullptr);
