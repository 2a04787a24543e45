#pragma once
// The hub's shared context as the toolkit reads it (canvas, font, texts,
// font selection), in one place until the hub's class is merged.

#include "tq/TqCanvas.h"
#include "tq/util/text/RichFont.h"
#include "tq/util/text/Translation.h"

namespace ui {

inline VMPtr<tq::TqCanvas> hubCanvas()
{
    return VMPtr<tq::TqCanvas>();
}

inline VMPtr<tq::util::text::RichFont> hubFont()
{
    return VMPtr<tq::util::text::RichFont>();
}

inline VMPtr<tq::util::text::Translation> hubTexts()
{
    return VMPtr<tq::util::text::Translation>();
}

inline void hubSelectFont(int32_t) {}

} // namespace ui
