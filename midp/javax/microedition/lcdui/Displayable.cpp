#include "javax/microedition/lcdui/Displayable.h"

#include "hal/window.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/System.h"
#include "javax/microedition/lcdui/Command.h"
#include "javax/microedition/lcdui/CommandListener.h"
#include "javax/microedition/lcdui/Display.h"
#include "javax/microedition/lcdui/Ticker.h"
#include "vm/VMBoot.h"
#include "vm/VMSynchronized.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

constexpr int32_t kCommandGrowth = 4;

} // namespace

VMPtr<Displayable> Displayable::initPlatform(HALDisplayable* displayable)
{
    Object::init();
    Display::_VM_clinit();
    VMSynchronized guard(Display::displayLock);
    platformDisplayable = displayable;
    return VMPtr<Displayable>(this);
}

VMPtr<String> Displayable::getTitle()
{
    VMSynchronized guard(Display::displayLock);
    return title;
}

void Displayable::setTitle(VMPtr<String> s)
{
    VMSynchronized guard(Display::displayLock);
    if (s == title || (title && title->equals(s)))
        return;
    title = s;
    if (s)
        HAL_setDisplayableTitle(platformDisplayable, s->chars(), s->length());
    else
        HAL_setDisplayableTitle(platformDisplayable, nullptr, 0);
}

VMPtr<Ticker> Displayable::getTicker()
{
    VMSynchronized guard(Display::displayLock);
    return ticker;
}

void Displayable::setTicker(VMPtr<Ticker> t)
{
    VMSynchronized guard(Display::displayLock);
    if (t == ticker)
        return;
    ticker = t;
    VMPtr<String> text = t ? t->getString() : nullptr;
    if (text)
        HAL_setDisplayableTicker(platformDisplayable, text->chars(), text->length());
    else
        HAL_setDisplayableTicker(platformDisplayable, nullptr, 0);
}

bool Displayable::isShown()
{
    VMSynchronized guard(Display::displayLock);
    VMPtr<Display> display = Display::instance;
    return display && display->foreground && display->current.get() == this;
}

void Displayable::addCommand(VMPtr<Command> c)
{
    vm_nonNull(c);
    VMSynchronized guard(Display::displayLock);
    if (appendCommand(c))
        HAL_addCommand(platformDisplayable, c->platformCommand);
}

void Displayable::removeCommand(VMPtr<Command> c)
{
    VMSynchronized guard(Display::displayLock);
    if (removeCommandEntry(c) >= 0)
        HAL_removeCommand(platformDisplayable, c->platformCommand);
}

void Displayable::setCommandListener(VMPtr<CommandListener> l)
{
    VMSynchronized guard(Display::displayLock);
    commandListener = l;
}

int32_t Displayable::getWidth()
{
    VMSynchronized guard(Display::displayLock);
    int32_t width = 0;
    if (HAL_getDisplayableSize(platformDisplayable, &width, nullptr) != 0)
        _VM_fatalError("HAL_getDisplayableSize() failed.");
    return width;
}

int32_t Displayable::getHeight()
{
    VMSynchronized guard(Display::displayLock);
    int32_t height = 0;
    if (HAL_getDisplayableSize(platformDisplayable, nullptr, &height) != 0)
        _VM_fatalError("HAL_getDisplayableSize() failed.");
    return height;
}

void Displayable::callSizeChanged(int32_t w, int32_t h)
{
    VMSynchronized guard(Display::eventLock);
    sizeChanged(w, h);
}

void Displayable::callPaint(VMPtr<Graphics>) {}
void Displayable::callKeyPressed(int32_t) {}
void Displayable::callKeyRepeated(int32_t) {}
void Displayable::callKeyReleased(int32_t) {}
void Displayable::callPointerPressed(int32_t, int32_t) {}
void Displayable::callPointerReleased(int32_t, int32_t) {}
void Displayable::callPointerDragged(int32_t, int32_t) {}
void Displayable::callShowNotify() {}
void Displayable::callHideNotify() {}
void Displayable::sizeChanged(int32_t, int32_t) {}

bool Displayable::appendCommand(VMPtr<Command> c)
{
    for (int32_t i = 0; i < commandCount; i++) {
        if (commands->elements()[i] == c.get())
            return false;
    }
    if (!commands || commandCount == commands->length) {
        // The new list is complete before it replaces the old one.
        VMPtr<CommandArray> grown = CommandArray::newArray(commandCount + kCommandGrowth);
        if (commands)
            java::lang::System::arraycopy(commands, 0, grown, 0, commandCount);
        commands = grown;
    }
    commands->set(commandCount, c);
    commandCount++;
    return true;
}

int32_t Displayable::removeCommandEntry(VMPtr<Command> c)
{
    for (int32_t i = 0; i < commandCount; i++) {
        if (commands->elements()[i] == c.get()) {
            commandCount--;
            commands->elements()[i] = commands->elements()[commandCount];
            commands->elements()[commandCount] = nullptr;
            return i;
        }
    }
    return -1;
}

} // namespace javax::microedition::lcdui

VM_REGISTER_ABSTRACT_CLASS(javax::microedition::lcdui::Displayable,
                           "javax.microedition.lcdui.Displayable", "java.lang.Object",
                           "target/winmo/pb_src/j2me/javax_microedition_lcdui_Displayable", nullptr);
