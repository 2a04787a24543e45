#pragma once
// Pictures of the game for a person to look at: a 240 x 320 picture written
// as a paletted PNG through the engine's PNG writer into the build's
// screenshot folder (VX_SCREENSHOT_DIR). Pictures of up to 256 colours keep
// them exactly; more are mapped onto a cube of 6 x 7 x 6 levels.

#include <string>

#include "javax/microedition/lcdui/Image.h"

namespace vxtest {

// Writes image as <name>.png; its path, which the console is told.
std::string writeScreenshot(VMPtr<javax::microedition::lcdui::Image> image,
                            const std::string& name);
// The scene manager's picture of the current frame, written as above.
std::string screenshotScene(const std::string& name);

} // namespace vxtest
