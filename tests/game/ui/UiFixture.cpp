#include "UiFixture.h"

VM_REGISTER_CLASS_NO_CREATOR(uitest::RecordingGraphics, "tests.ui.RecordingGraphics",
                             "javax.microedition.lcdui.Graphics", "tests", nullptr);
