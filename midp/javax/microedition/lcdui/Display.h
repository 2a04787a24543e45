#pragma once
// javax.microedition.lcdui.Display: the one display of the application. It
// knows the current displayable, turns the platform's display, input and
// command events into calls on it, and runs serial calls on the UI thread.
//
// Two monitors order the work, both plain objects held in statics:
//   the display lock guards the state of the display and the displayables
//     (current, requested and pending displayable, commands, listener,
//     title, ticker, sizes);
//   the event lock is held around every call into application callbacks
//     (paint, keys, pointer, show and hide notices, size changes, command
//     actions, serial calls), so callbacks never overlap.
//
// Lock order: the event lock before the display lock. Callbacks run under
// the event lock and may take the display lock (setCurrent, getWidth ...);
// setCurrent, whose show event calls the notices under the event lock while
// the display lock is held, therefore takes the event lock first. No path
// takes the event lock while it holds the display lock without holding the
// event lock already. Both are re-entrant monitors used under the VM lock; a
// thread that waits for one gives the VM lock away meanwhile.

#include <cstdint>

#include "java/lang/Runnable.h"
#include "java/lang/String.h"
#include "java/util/Vector.h"
#include "javax/microedition/lcdui/Displayable.h"

struct HALCommand;
struct HALGraphics;
namespace javax::microedition::midlet { class MIDlet; }

namespace javax::microedition::lcdui {

class Alert;

class Display : public virtual java::lang::Object {
    VM_CLASS(Display, java::lang::Object)

    enum ColorSpecifier : int32_t {
        COLOR_BACKGROUND = 0,
        COLOR_FOREGROUND = 1,
        COLOR_HIGHLIGHTED_BACKGROUND = 2,
        COLOR_HIGHLIGHTED_FOREGROUND = 3,
        COLOR_BORDER = 4,
        COLOR_HIGHLIGHTED_BORDER = 5,
    };
    enum BorderStyle : int32_t { SOLID = 0, DOTTED = 1 };

    // Reads the capabilities, sets the foreground flag and, for the first
    // display, registers the event listener.
    VMPtr<Display> init();

    // The one display; the MIDlet is not looked at (null is accepted).
    static VMPtr<Display> getDisplay(VMPtr<javax::microedition::midlet::MIDlet> m);

    // An unknown specifier throws IllegalArgumentException.
    virtual int32_t getColor(int32_t colorSpecifier);
    virtual int32_t getBorderStyle(bool highlighted);
    virtual bool isColor();
    virtual int32_t numColors();
    virtual int32_t numAlphaLevels();
    // The current displayable; during a switch the one being switched to.
    virtual VMPtr<Displayable> getCurrent();
    // Shows the alert, then nextDisplayable. Nulls throw
    // NullPointerException; an alert as nextDisplayable
    // IllegalArgumentException.
    virtual void setCurrent(VMPtr<Alert> alert, VMPtr<Displayable> nextDisplayable);
    // Shows next (null changes nothing); the show and hide notices have run
    // when it returns.
    virtual void setCurrent(VMPtr<Displayable> next);
    // Runs r.run on the UI thread after the messages queued now. Null
    // throws NullPointerException.
    virtual void callSerially(VMPtr<java::lang::Runnable> r);
    // A negative duration throws IllegalArgumentException; else false.
    static bool vibrate(int32_t duration);

    // The display's event listener (all events, priority 1).
    static void onEvent(int32_t event, int32_t count, const intptr_t* words);
    // The platform's serial-call runner: the oldest queued runnable.
    static void runSerially(intptr_t);

    static void staticInit();
    VM_STATIC(java::lang::Object, displayLock);
    VM_STATIC(java::lang::Object, eventLock);
    VM_STATIC(Display, instance);
    // Runnables waiting for their serial call, oldest first.
    VM_STATIC(java::util::Vector, serialCalls);

    uint8_t isColorFlag;
    int32_t colorCount;
    int32_t alphaLevelCount;
    VMField<Displayable> current;
    VMField<Displayable> requested;
    VMField<Displayable> pending;
    uint8_t foreground;

private:
    // Hands d to the platform, which delivers its show event at once.
    void request(VMPtr<Displayable> d);
    void setForeground(bool on);
    void show(VMPtr<Displayable> d);
    // Paints d through a Graphics over the platform's context.
    void paint(HALGraphics* context, VMPtr<Displayable> d, int32_t width, int32_t height);
    void command(HALCommand* handle);
    // The current displayable under the display lock.
    VMPtr<Displayable> currentDisplayable();

public:
    VM_FIELDS(current, requested, pending)
};

} // namespace javax::microedition::lcdui
