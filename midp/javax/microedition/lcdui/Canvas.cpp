#include "javax/microedition/lcdui/Canvas.h"

#include "hal/input.h"
#include "hal/window.h"
#include "java/lang/IllegalArgumentException.h"
#include "javax/microedition/lcdui/Display.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "vm/VMBoot.h"
#include "vm/VMSynchronized.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

constexpr int32_t kKeyNameCapacity = 16;

} // namespace

VMPtr<Canvas> Canvas::init()
{
    Displayable::initPlatform(nullptr);
    VMSynchronized guard(Display::displayLock);
    HALCanvas* handle = nullptr;
    if (HAL_createCanvas(&handle, reinterpret_cast<intptr_t>(static_cast<Displayable*>(this))) != 0)
        _VM_fatalError("HAL_createCanvas() failed.");
    platformDisplayable = handle;
    HAL_getDisplayCapabilities(nullptr, nullptr, nullptr, &doubleBufferedFlag);
    HAL_getCanvasInputCapabilities(&pointerEventsFlag, &pointerMotionEventsFlag, &repeatEventsFlag);
    return VMPtr<Canvas>(this);
}

Canvas::~Canvas()
{
    if (platformDisplayable)
        HAL_deleteCanvas(platformCanvas());
}

HALCanvas* Canvas::platformCanvas() const
{
    return static_cast<HALCanvas*>(platformDisplayable);
}

// ---- Dispatchers ----

void Canvas::callPaint(VMPtr<Graphics> g)
{
    VMSynchronized events(Display::eventLock);
    paint(g);
}

void Canvas::callKeyPressed(int32_t keyCode)
{
    if (!shouldDeliverKeyEvent(keyCode))
        return;
    VMSynchronized events(Display::eventLock);
    keyPressed(keyCode);
}

void Canvas::callKeyRepeated(int32_t keyCode)
{
    if (!shouldDeliverKeyEvent(keyCode))
        return;
    VMSynchronized events(Display::eventLock);
    keyRepeated(keyCode);
}

void Canvas::callKeyReleased(int32_t keyCode)
{
    if (!shouldDeliverKeyEvent(keyCode))
        return;
    VMSynchronized events(Display::eventLock);
    keyReleased(keyCode);
}

void Canvas::callPointerPressed(int32_t x, int32_t y)
{
    VMSynchronized events(Display::eventLock);
    pointerPressed(x, y);
}

void Canvas::callPointerReleased(int32_t x, int32_t y)
{
    VMSynchronized events(Display::eventLock);
    pointerReleased(x, y);
}

void Canvas::callPointerDragged(int32_t x, int32_t y)
{
    VMSynchronized events(Display::eventLock);
    pointerDragged(x, y);
}

void Canvas::callShowNotify()
{
    VMSynchronized events(Display::eventLock);
    showNotify();
}

void Canvas::callHideNotify()
{
    VMSynchronized events(Display::eventLock);
    hideNotify();
}

bool Canvas::shouldDeliverKeyEvent(int32_t keyCode)
{
    if (!suppressKeyEvents)
        return true;
    int32_t action = getGameAction(keyCode);
    switch (action) {
    case UP:
    case LEFT:
    case RIGHT:
    case DOWN:
    case FIRE:
    case GAME_A:
    case GAME_B:
    case GAME_C:
    case GAME_D:
        return false;
    default:
        return true;
    }
}

// ---- Capabilities and keys ----

bool Canvas::isDoubleBuffered()
{
    return doubleBufferedFlag != 0;
}

bool Canvas::hasPointerEvents()
{
    return pointerEventsFlag != 0;
}

bool Canvas::hasPointerMotionEvents()
{
    return pointerMotionEventsFlag != 0;
}

bool Canvas::hasRepeatEvents()
{
    return repeatEventsFlag != 0;
}

int32_t Canvas::getKeyCode(int32_t gameAction)
{
    int32_t code = HAL_getKeyCode(gameAction);
    if (code == 0)
        vm_throwNew<java::lang::IllegalArgumentException>();
    return code;
}

int32_t Canvas::getGameAction(int32_t keyCode)
{
    int32_t action = HAL_getGameAction(keyCode);
    if (action == -1)
        vm_throwNew<java::lang::IllegalArgumentException>();
    return action;
}

VMPtr<String> Canvas::getKeyName(int32_t keyCode)
{
    char16_t name[kKeyNameCapacity];
    int32_t length = kKeyNameCapacity;
    if (HAL_getKeyName(keyCode, name, &length) == 0)
        vm_throwNew<java::lang::IllegalArgumentException>();
    return String::newInstance()->initFromUtf16(name, length);
}

void Canvas::setFullScreenMode(bool mode)
{
    if (mode == (fullScreenMode != 0))
        return;
    // The platform may tell the size change at once, which takes the event
    // lock: the lock order, event lock first.
    VMSynchronized events(Display::eventLock);
    VMSynchronized guard(Display::displayLock);
    fullScreenMode = mode ? 1 : 0;
    HAL_setFullScreenMode(platformDisplayable, mode ? 1 : 0);
}

// ---- MIDP callbacks: empty ----

void Canvas::keyPressed(int32_t) {}
void Canvas::keyRepeated(int32_t) {}
void Canvas::keyReleased(int32_t) {}
void Canvas::pointerPressed(int32_t, int32_t) {}
void Canvas::pointerReleased(int32_t, int32_t) {}
void Canvas::pointerDragged(int32_t, int32_t) {}
void Canvas::showNotify() {}
void Canvas::hideNotify() {}

} // namespace javax::microedition::lcdui

VM_REGISTER_ABSTRACT_CLASS(javax::microedition::lcdui::Canvas, "javax.microedition.lcdui.Canvas",
                           "javax.microedition.lcdui.Displayable",
                           "target/winmo/pb_src/j2me/javax_microedition_lcdui_Canvas", nullptr);
