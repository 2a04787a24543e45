#pragma once
// javax.microedition.lcdui.Displayable: the base of everything the display
// can show. It keeps the title, the ticker, the command list and listener,
// and the platform displayable that stands for it on the platform side. Its
// state is guarded by the display lock (see Display.h for the lock order);
// the dispatchers are empty here and filled by Canvas.

#include <cstdint>

#include "java/lang/String.h"
#include "javax/microedition/lcdui/Command.h"
#include "javax/microedition/lcdui/CommandListener.h"
#include "javax/microedition/lcdui/Ticker.h"
#include "vm/VMArray.h"

class HALDisplayable;

namespace javax::microedition::lcdui {

class Graphics;

class Displayable : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(Displayable, java::lang::Object)

    using CommandArray = VMArray<Command, 1>;

    // Initialises the Display class, then stores the platform displayable.
    VMPtr<Displayable> initPlatform(HALDisplayable* displayable);

    virtual VMPtr<java::lang::String> getTitle();
    virtual void setTitle(VMPtr<java::lang::String> s);
    virtual VMPtr<Ticker> getTicker();
    virtual void setTicker(VMPtr<Ticker> t);
    // True while the application is in the foreground and this is current.
    virtual bool isShown();
    // A null command throws NullPointerException; a command already in the
    // list is not added twice.
    virtual void addCommand(VMPtr<Command> c);
    virtual void removeCommand(VMPtr<Command> c);
    virtual void setCommandListener(VMPtr<CommandListener> l);
    virtual int32_t getWidth();
    virtual int32_t getHeight();
    // sizeChanged under the event lock.
    virtual void callSizeChanged(int32_t w, int32_t h);

    // Dispatchers of the display's events; empty for a plain displayable.
    virtual void callPaint(VMPtr<Graphics> g);
    virtual void callKeyPressed(int32_t keyCode);
    virtual void callKeyRepeated(int32_t keyCode);
    virtual void callKeyReleased(int32_t keyCode);
    virtual void callPointerPressed(int32_t x, int32_t y);
    virtual void callPointerReleased(int32_t x, int32_t y);
    virtual void callPointerDragged(int32_t x, int32_t y);
    virtual void callShowNotify();
    virtual void callHideNotify();
    virtual void sizeChanged(int32_t w, int32_t h);

    // Appends c unless it is in the list (the list grows by 4); true when
    // it joined.
    virtual bool appendCommand(VMPtr<Command> c);
    // Removes c, moving the last entry into its place; its former index, or
    // -1 when absent.
    virtual int32_t removeCommandEntry(VMPtr<Command> c);

    uint8_t fullScreenMode;
    VMField<CommandArray> commands;
    int32_t commandCount;
    VMField<CommandListener> commandListener;
    VMField<java::lang::String> title;
    VMField<Ticker> ticker;
    HALDisplayable* platformDisplayable;

    VM_FIELDS(commands, commandListener, title, ticker)
};

} // namespace javax::microedition::lcdui
