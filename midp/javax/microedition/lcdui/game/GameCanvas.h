#pragma once
// javax.microedition.lcdui.game.GameCanvas: a canvas with an off-screen
// screen buffer owned by the platform, one cached Graphics on it, polled key
// states and the flush of the buffer to the window.

#include <cstdint>

#include "javax/microedition/lcdui/Canvas.h"
#include "javax/microedition/lcdui/Graphics.h"

struct HALScreenBuffer;

namespace javax::microedition::lcdui::game {

class GameCanvas : public Canvas {
    VM_ABSTRACT_CLASS(GameCanvas, Canvas)

    enum KeyState : int32_t {
        UP_PRESSED = 1 << UP,
        LEFT_PRESSED = 1 << LEFT,
        RIGHT_PRESSED = 1 << RIGHT,
        DOWN_PRESSED = 1 << DOWN,
        FIRE_PRESSED = 1 << FIRE,
        GAME_A_PRESSED = 1 << GAME_A,
        GAME_B_PRESSED = 1 << GAME_B,
        GAME_C_PRESSED = 1 << GAME_C,
        GAME_D_PRESSED = 1 << GAME_D,
    };

    // The canvas and its screen buffer; with suppressKeyEvents the game keys
    // reach no key callback, only getKeyStates.
    VMPtr<GameCanvas> init(bool suppressKeyEvents);
    // Deletes the screen buffer. The Graphics is not touched: it may be
    // collected in the same sweep (the platform detaches its context).
    ~GameCanvas() override;

    // Draws the whole buffer at g's origin.
    void paint(VMPtr<Graphics> g) override;
    // The one Graphics of the buffer, reset to the buffer's size and the
    // default state on every call (so earlier references are reset too).
    virtual VMPtr<Graphics> getGraphics();
    // Bit 1 << g for each game action g pressed since the last call or
    // still held.
    virtual int32_t getKeyStates();
    // Shows the whole buffer in the window.
    virtual void flushGraphics();
    // The same; the platform shows the whole buffer for a region too.
    virtual void flushGraphics(int32_t x, int32_t y, int32_t width, int32_t height);

    HALScreenBuffer* screenBuffer;
    VMField<Graphics> graphics;

    VM_FIELDS(graphics)
};

} // namespace javax::microedition::lcdui::game
