// The canvas's font.
#include "tq/TqCanvas.h"

#include "tq/util/text/RichFont.h"

namespace tq {

namespace {

// Kept here: the canvas's header only names the class.
VMStatic<util::text::RichFont>& canvasFont = *new VMStatic<util::text::RichFont>();

} // namespace

VMPtr<util::text::RichFont> TqCanvas::getFont()
{
    if (!canvasFont)
        canvasFont = util::text::RichFont::newInstance()->initSystemFont();
    return canvasFont;
}

} // namespace tq
