#include "javax/microedition/lcdui/Screen.h"

VM_REGISTER_ABSTRACT_CLASS(javax::microedition::lcdui::Screen, "javax.microedition.lcdui.Screen",
                           "javax.microedition.lcdui.Displayable",
                           "target/winmo/pb_src/j2me/javax_microedition_lcdui_Screen", nullptr);
