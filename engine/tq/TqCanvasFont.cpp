// The canvas's font.
#include "tq/TqCanvas.h"

namespace tq {

VMPtr<util::text::RichFont> TqCanvas::getFont()
{
    if (!canvasFont)
        canvasFont = util::text::RichFont::newInstance()->initSystemFont();
    return canvasFont;
}

} // namespace tq
