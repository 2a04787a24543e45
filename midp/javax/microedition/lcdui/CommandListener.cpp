#include "javax/microedition/lcdui/CommandListener.h"

VM_REGISTER_INTERFACE(javax::microedition::lcdui::CommandListener,
                      "javax.microedition.lcdui.CommandListener",
                      "target/winmo/pb_src/j2me/javax_microedition_lcdui_CommandListener", nullptr);
