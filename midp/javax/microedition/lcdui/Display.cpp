#include "javax/microedition/lcdui/Display.h"

#include "hal/status.h"
#include "hal/window.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/Throwable.h"
#include "java/util/Vector.h"
#include "javax/microedition/lcdui/Alert.h"
#include "javax/microedition/lcdui/Command.h"
#include "javax/microedition/lcdui/CommandListener.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "vm/VMBoot.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMSynchronized.h"

namespace javax::microedition::lcdui {

using java::lang::Object;

namespace {

constexpr uint32_t kAllEvents = 0x7FFFFFFF;
constexpr int32_t kListenerPriority = 1;

bool g_listenerRegistered = false;

Displayable* displayableOf(intptr_t word)
{
    return reinterpret_cast<Displayable*>(word);
}

// Runs an application callback: a Throwable is printed and dropped, any
// other exception is fatal with the message.
template<class F>
void runCallback(F callback, const char* fatalMessage)
{
    try {
        callback();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        failure->printStackTrace();
    } catch (...) {
        _VM_fatalError(fatalMessage);
    }
}

} // namespace

void Display::staticInit()
{
    displayLock = Object::newInstance();
    eventLock = Object::newInstance();
    serialCalls = java::util::Vector::newInstance()->init();
    instance = Display::newInstance()->init();
}

// ---- Creation and capabilities ----

VMPtr<Display> Display::init()
{
    Object::init();
    HAL_getDisplayCapabilities(&isColorFlag, &colorCount, &alphaLevelCount, nullptr);
    foreground = 1;
    // One listener serves the one display; a further display must not make
    // every event arrive twice.
    if (!g_listenerRegistered) {
        HAL_addEventListener(&Display::onEvent, kAllEvents, kListenerPriority);
        g_listenerRegistered = true;
    }
    return VMPtr<Display>(this);
}

VMPtr<Display> Display::getDisplay(VMPtr<javax::microedition::midlet::MIDlet>)
{
    _VM_clinit();
    VMSynchronized guard(displayLock);
    return instance;
}

int32_t Display::getColor(int32_t colorSpecifier)
{
    static constexpr int32_t kColors[] = {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xAFAFAF, 0x606060};
    if (colorSpecifier < COLOR_BACKGROUND || colorSpecifier > COLOR_HIGHLIGHTED_BORDER)
        vm_throwNew<java::lang::IllegalArgumentException>();
    return kColors[colorSpecifier];
}

int32_t Display::getBorderStyle(bool highlighted)
{
    return highlighted ? SOLID : DOTTED;
}

bool Display::isColor()
{
    return isColorFlag != 0;
}

int32_t Display::numColors()
{
    return colorCount;
}

int32_t Display::numAlphaLevels()
{
    return alphaLevelCount;
}

bool Display::vibrate(int32_t duration)
{
    if (duration < 0)
        vm_throwNew<java::lang::IllegalArgumentException>();
    return false;
}

// ---- The current displayable ----

VMPtr<Displayable> Display::getCurrent()
{
    VMSynchronized guard(displayLock);
    return current ? VMPtr<Displayable>(current) : VMPtr<Displayable>(pending);
}

void Display::setCurrent(VMPtr<Displayable> next)
{
    VMSynchronized events(eventLock); // the lock order: event lock first
    VMSynchronized guard(displayLock);
    if (auto alert = vm_cast<Alert>(next); alert && next != requested) {
        alert->nextDisplayable = requested;
        if (vm_cast<Alert>(VMPtr<Displayable>(requested)))
            vm_throwNew<java::lang::IllegalArgumentException>();
    }
    request(next);
}

void Display::setCurrent(VMPtr<Alert> alert, VMPtr<Displayable> nextDisplayable)
{
    if (!alert || !nextDisplayable)
        vm_throwNew<java::lang::NullPointerException>();
    if (vm_cast<Alert>(nextDisplayable))
        vm_throwNew<java::lang::IllegalArgumentException>();
    VMSynchronized events(eventLock);
    VMSynchronized guard(displayLock);
    alert->nextDisplayable = nextDisplayable;
    request(alert);
}

void Display::request(VMPtr<Displayable> d)
{
    // An alert has no platform side here: what follows it is shown instead.
    if (auto alert = vm_cast<Alert>(d))
        d = alert->nextDisplayable;
    if (!d || !d->platformDisplayable)
        return;
    requested = d;
    HAL_setCurrentDisplayable(d->platformDisplayable);
}

VMPtr<Displayable> Display::currentDisplayable()
{
    VMSynchronized guard(displayLock);
    return current;
}

void Display::setForeground(bool on)
{
    VMPtr<Displayable> shown;
    {
        VMSynchronized guard(displayLock);
        if (on == (foreground != 0))
            return;
        foreground = on ? 1 : 0;
        shown = current;
    }
    if (!shown)
        return;
    if (on)
        shown->callShowNotify();
    else
        shown->callHideNotify();
}

void Display::show(VMPtr<Displayable> d)
{
    VMPtr<Displayable> old;
    {
        VMSynchronized guard(displayLock);
        if (d == current)
            return;
        old = current;
        current = nullptr;
        pending = d;
    }
    if (old)
        old->callHideNotify();
    if (d)
        d->callShowNotify();
    VMSynchronized guard(displayLock);
    current = d;
    pending = nullptr;
}

void Display::paint(HALGraphics* context, VMPtr<Displayable> d, int32_t width, int32_t height)
{
    // The context lives for this call only: the Graphics gives it back also
    // when the paint throws.
    VMPtr<Graphics> g = Graphics::createForContext(context, width, height);
    try {
        if (d)
            d->callPaint(g);
    } catch (...) {
        g->releaseContext();
        throw;
    }
    g->releaseContext();
}

// ---- Commands and serial calls ----

void Display::command(HALCommand* handle)
{
    VMPtr<Command> found;
    VMPtr<CommandListener> listener;
    VMPtr<Displayable> target;
    {
        VMSynchronized guard(displayLock);
        target = current;
        if (!target || !target->commandListener || !target->commands)
            return;
        listener = target->commandListener;
        for (int32_t i = 0; i < target->commandCount; i++) {
            Command* c = target->commands->elements()[i];
            if (c->platformCommand == handle) {
                found = c;
                break;
            }
        }
    }
    if (!found)
        return;
    runCallback(
        [&] {
            VMSynchronized events(eventLock);
            listener->commandAction(found, target);
        },
        "Unexpected exception in handleCommandEvent()!");
}

void Display::callSerially(VMPtr<java::lang::Runnable> r)
{
    vm_nonNull(r);
    serialCalls->addElement(r);
    if (HAL_callSerially(&Display::runSerially, 0) != HAL_OK)
        _VM_fatalError("Call to HAL_callSerially() failed!");
}

void Display::runSerially(intptr_t)
{
    runCallback(
        [] {
            VMSynchronized events(eventLock);
            VMPtr<java::util::Vector> queue = serialCalls;
            if (queue->isEmpty())
                return;
            VMPtr<java::lang::Runnable> r = vm_cast<java::lang::Runnable>(queue->firstElement());
            queue->removeElementAt(0);
            r->run();
        },
        "Unexpected exception in callSerially_run()!");
}

// ---- Events ----

void Display::onEvent(int32_t event, int32_t count, const intptr_t* words)
{
    VMPtr<Display> display = instance;
    if (!display)
        return;
    auto word = [&](int32_t i) { return i < count && words ? words[i] : 0; };
    switch (event) {
    case HAL_EVENT_INACTIVE:
        display->setForeground(false);
        break;
    case HAL_EVENT_ACTIVE:
        display->setForeground(true);
        break;
    case HAL_EVENT_DISPLAYABLE_CHANGED:
        display->show(displayableOf(word(0)));
        break;
    case HAL_EVENT_DISPLAYABLE_SIZE:
        if (Displayable* d = displayableOf(word(0)))
            VMPtr<Displayable>(d)->callSizeChanged(int32_t(word(1)), int32_t(word(2)));
        break;
    case HAL_EVENT_PAINT:
        display->paint(reinterpret_cast<HALGraphics*>(word(0)), displayableOf(word(1)),
                       int32_t(word(2)), int32_t(word(3)));
        break;
    case HAL_EVENT_KEY_PRESSED:
    case HAL_EVENT_KEY_RELEASED:
    case HAL_EVENT_KEY_REPEATED:
    case HAL_EVENT_POINTER_PRESSED:
    case HAL_EVENT_POINTER_RELEASED:
    case HAL_EVENT_POINTER_DRAGGED: {
        VMPtr<Displayable> d = display->currentDisplayable();
        if (!d)
            break;
        auto a = int32_t(word(0));
        auto b = int32_t(word(1));
        if (event == HAL_EVENT_KEY_PRESSED)
            d->callKeyPressed(a);
        else if (event == HAL_EVENT_KEY_RELEASED)
            d->callKeyReleased(a);
        else if (event == HAL_EVENT_KEY_REPEATED)
            d->callKeyRepeated(a);
        else if (event == HAL_EVENT_POINTER_PRESSED)
            d->callPointerPressed(a, b);
        else if (event == HAL_EVENT_POINTER_RELEASED)
            d->callPointerReleased(a, b);
        else
            d->callPointerDragged(a, b);
        break;
    }
    case HAL_EVENT_COMMAND:
        display->command(reinterpret_cast<HALCommand*>(word(0)));
        break;
    default:
        break;
    }
}

} // namespace javax::microedition::lcdui

VM_REGISTER_CLASS(javax::microedition::lcdui::Display, "javax.microedition.lcdui.Display",
                  "java.lang.Object", "target/winmo/pb_src/j2me/javax_microedition_lcdui_Display",
                  &javax::microedition::lcdui::Display::staticInit);
