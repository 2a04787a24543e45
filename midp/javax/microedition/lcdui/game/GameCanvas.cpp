#include "javax/microedition/lcdui/game/GameCanvas.h"

#include "hal/graphics.h"
#include "hal/input.h"
#include "hal/screen.h"
#include "hal/window.h"
#include "vm/VMBoot.h"

namespace javax::microedition::lcdui::game {

VMPtr<GameCanvas> GameCanvas::init(bool suppress)
{
    Canvas::init();
    suppressKeyEvents = suppress ? 1 : 0;
    if (HAL_createScreenBuffer(platformDisplayable, &screenBuffer) != 0)
        _VM_fatalError("HAL_createScreenBuffer() failed.");
    return VMPtr<GameCanvas>(this);
}

GameCanvas::~GameCanvas()
{
    if (screenBuffer)
        HAL_deleteScreenBuffer(screenBuffer);
}

void GameCanvas::paint(VMPtr<Graphics> g)
{
    HAL_drawScreenBuffer(g->platformContext(), screenBuffer, g->getTranslateX(),
                         g->getTranslateY());
}

VMPtr<Graphics> GameCanvas::getGraphics()
{
    if (!graphics) {
        graphics = Graphics::createForScreenBuffer(screenBuffer);
        return graphics;
    }
    int32_t width = 0;
    int32_t height = 0;
    HAL_getScreenBufferSize(screenBuffer, &width, &height);
    graphics->resetTarget(width, height);
    graphics->resetState(true);
    return graphics;
}

int32_t GameCanvas::getKeyStates()
{
    return HAL_getKeyStates();
}

void GameCanvas::flushGraphics()
{
    if (HAL_flushScreenBuffer(screenBuffer) != 0)
        _VM_fatalError("HAL_flushScreenBuffer() failed.");
}

void GameCanvas::flushGraphics(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (HAL_flushScreenBufferRegion(screenBuffer, x, y, width, height) != 0)
        _VM_fatalError("HAL_flushScreenBufferRegion() failed.");
}

} // namespace javax::microedition::lcdui::game

VM_REGISTER_ABSTRACT_CLASS(javax::microedition::lcdui::game::GameCanvas,
                           "javax.microedition.lcdui.game.GameCanvas",
                           "javax.microedition.lcdui.Canvas",
                           "target/winmo/pb_src/j2me/javax_microedition_lcdui_game_GameCanvas", nullptr);
