#pragma once
// javax.microedition.lcdui.Canvas: the displayable that receives keys,
// touches and paint calls. The display calls its dispatchers; each holds the
// event lock while it runs the overridable MIDP callback, also when the
// callback throws.

#include <cstdint>

#include "javax/microedition/lcdui/Displayable.h"

class HALCanvas;

namespace javax::microedition::lcdui {

class Canvas : public Displayable {
    VM_ABSTRACT_CLASS(Canvas, Displayable)

    enum GameAction : int32_t {
        UP = 1,
        LEFT = 2,
        RIGHT = 5,
        DOWN = 6,
        FIRE = 8,
        GAME_A = 9,
        GAME_B = 10,
        GAME_C = 11,
        GAME_D = 12,
    };

    // Initialises the Display class, then makes the platform canvas and reads
    // the platform's capabilities under the display lock.
    VMPtr<Canvas> init();
    // Deletes the platform canvas (a platform resource only).
    ~Canvas() override;

    void callPaint(VMPtr<Graphics> g) override;
    void callKeyPressed(int32_t keyCode) override;
    void callKeyRepeated(int32_t keyCode) override;
    void callKeyReleased(int32_t keyCode) override;
    void callPointerPressed(int32_t x, int32_t y) override;
    void callPointerReleased(int32_t x, int32_t y) override;
    void callPointerDragged(int32_t x, int32_t y) override;
    void callShowNotify() override;
    void callHideNotify() override;

    virtual bool isDoubleBuffered();
    virtual bool hasPointerEvents();
    virtual bool hasPointerMotionEvents();
    virtual bool hasRepeatEvents();
    // The platform's table; an unknown value throws IllegalArgumentException
    // (getGameAction answers 0 for a key without a game action).
    virtual int32_t getKeyCode(int32_t gameAction);
    virtual VMPtr<java::lang::String> getKeyName(int32_t keyCode);
    virtual int32_t getGameAction(int32_t keyCode);
    virtual void setFullScreenMode(bool mode);
    virtual void paint(VMPtr<Graphics> g) = 0;
    virtual void keyPressed(int32_t keyCode);
    virtual void keyRepeated(int32_t keyCode);
    virtual void keyReleased(int32_t keyCode);
    virtual void pointerPressed(int32_t x, int32_t y);
    virtual void pointerReleased(int32_t x, int32_t y);
    virtual void pointerDragged(int32_t x, int32_t y);
    virtual void showNotify();
    virtual void hideNotify();

    uint8_t suppressKeyEvents;
    uint8_t pointerEventsFlag;
    uint8_t pointerMotionEventsFlag;
    uint8_t repeatEventsFlag;
    uint8_t doubleBufferedFlag;

protected:
    // False for a key whose game action a GameCanvas with suppression
    // reports through its key states only.
    bool shouldDeliverKeyEvent(int32_t keyCode);
    HALCanvas* platformCanvas() const;
};

} // namespace javax::microedition::lcdui
