#pragma once
// ui.MyObject: the base of every object a scene updates and paints each
// frame (panels, planes, bullets, explosions, the background). It holds the
// flags the scene's frame loop consults: active (update and paint), stopped
// (tick skips update) and auxEnabled (the scene also calls auxUpdate); the
// key by which the scene orders painting; the game canvas; and the
// class-wide frame time that every timer of the game reads.

#include <cstdint>

#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "tq/TqCanvas.h"

namespace ui {

class MyObject : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(MyObject, java::lang::Object)

    using Graphics = javax::microedition::lcdui::Graphics;

    // Takes the canvas from the hub; active, not stopped, draw order 0.
    VMPtr<MyObject> init();

    // Frees what the object holds.
    virtual void release() = 0;
    // update unless stopped.
    virtual void tick(int32_t a, int32_t b);
    virtual void auxUpdate() = 0;
    virtual void update() = 0;
    virtual void setActive(bool flag);
    virtual bool isAuxEnabled();
    virtual int32_t getDrawOrder();
    virtual void setStopped(int32_t value);
    virtual bool isActive();
    virtual void paint(VMPtr<Graphics> g) = 0;
    virtual void clearItems() = 0;
    // The low byte of stopped.
    virtual int8_t isStopped();
    virtual void setDrawOrder(int32_t v);
    virtual void setAuxEnabled(bool flag);

    // The length of the current frame in ms, written by the scene before it
    // updates its objects.
    static inline int32_t frameTime = 0;

    int32_t stopped = 0;
    VMField<tq::TqCanvas> canvas;
    bool auxEnabled = false;
    bool active = false;
    // Kept at 0.
    bool spareFlag = false;
    int32_t drawOrder = 0;

    VM_FIELDS(canvas)
};

} // namespace ui
