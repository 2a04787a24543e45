// Texts: a page of wrapped text in a bitmap font (DejaVu Sans at 11 pixels,
// built by the pack builder's writer) laid out and drawn into a 240 x 320
// picture, as a scene of the game shows a story or help page.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchFolder.h"
#include "InVM.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "tq/Resources.h"
#include "tq/ResourcesExt.h"
#include "tq/io/resource/ResourcePack.h"
#include "tq/util/text/RichFont.h"
#include "tq/util/text/WrappedText.h"

namespace {

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using tq::util::text::RichFont;
using tq::util::text::WrappedText;

constexpr int32_t kFontId = 2 << 10 | 1; // part 2, entry 1

const char* const kPage =
    "Commander, the northern fleet has broken through our outer defences. Their carriers "
    "launch wave after wave of interceptors, and the shield generators on the moon base "
    "will not hold much longer. Take the prototype fighter, clear the asteroid field and "
    "destroy the command ship before it reaches orbit. Collect the credits the enemies "
    "leave behind: the shop between stages sells stronger engines, wider guns and "
    "better armour. Watch for the boss at the end of every stage - its weak points glow "
    "red just before it fires. Good luck, pilot. We are all counting on you tonight.";

VMPtr<RichFont> pageFont()
{
    buildBenchFonts();
    tq::io::resource::ResourcePack::currentPart = -1;
    VMPtr<RichFont> font = RichFont::newInstance()->initSystemFont();
    font->setGlyphs(tq::ResourcesExt::loadGobs(kFontId));
    return font;
}

void BM_TextLayoutPage(benchmark::State& state)
{
    InVM vm;
    VMPtr<RichFont> font = pageFont();
    VMPtr<java::lang::String> page = java::lang::String::newFromCString(kPage);
    VMPtr<WrappedText> wrapped = WrappedText::newInstance()->init(nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(wrapped->setText(font, page, 228));
    state.counters["lines"] = wrapped->getLineCount();
}
BENCHMARK(BM_TextLayoutPage);

void BM_TextDrawPage(benchmark::State& state)
{
    InVM vm;
    VMPtr<RichFont> font = pageFont();
    VMPtr<WrappedText> wrapped = WrappedText::newInstance()->init(nullptr);
    wrapped->setText(font, java::lang::String::newFromCString(kPage), 228);
    wrapped->setLineSpacing(2);
    VMPtr<Image> screen = Image::createImage(240, 320, false, int32_t(0xFF000020u));
    VMPtr<Graphics> g = screen->getGraphics();
    for (auto _ : state)
        wrapped->draw(g, 6, 8, Graphics::TOP | Graphics::LEFT);
    state.counters["glyphs"] = double(std::string(kPage).size());
}
BENCHMARK(BM_TextDrawPage);

void BM_TextLayoutAndDrawPage(benchmark::State& state)
{
    InVM vm;
    VMPtr<RichFont> font = pageFont();
    VMPtr<java::lang::String> page = java::lang::String::newFromCString(kPage);
    VMPtr<WrappedText> wrapped = WrappedText::newInstance()->init(nullptr);
    VMPtr<Image> screen = Image::createImage(240, 320, false, int32_t(0xFF000020u));
    VMPtr<Graphics> g = screen->getGraphics();
    for (auto _ : state) {
        wrapped->setText(font, page, 228);
        wrapped->draw(g, 6, 8, Graphics::TOP | Graphics::HCENTER);
    }
}
BENCHMARK(BM_TextLayoutAndDrawPage);

} // namespace
