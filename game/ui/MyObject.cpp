#include "ui/MyObject.h"

#include "main/Main.h"

namespace ui {

VMPtr<MyObject> MyObject::init()
{
    Object::init();
    canvas = VMPtr<tq::TqCanvas>(main::Main::canvas);
    stopped = 0;
    auxEnabled = false;
    active = true;
    spareFlag = false;
    drawOrder = 0;
    return VMPtr<MyObject>(this);
}

void MyObject::tick(int32_t, int32_t)
{
    if (stopped == 0)
        update();
}

void MyObject::setActive(bool flag)
{
    active = flag;
}

bool MyObject::isAuxEnabled()
{
    return auxEnabled;
}

int32_t MyObject::getDrawOrder()
{
    return drawOrder;
}

void MyObject::setStopped(int32_t value)
{
    stopped = value;
}

bool MyObject::isActive()
{
    return active;
}

int8_t MyObject::isStopped()
{
    return int8_t(stopped);
}

void MyObject::setDrawOrder(int32_t v)
{
    drawOrder = v;
}

void MyObject::setAuxEnabled(bool flag)
{
    auxEnabled = flag;
}

} // namespace ui

VM_REGISTER_ABSTRACT_CLASS(ui::MyObject, "ui.MyObject", "java.lang.Object", "..\\src\\ui_MyObject",
                           nullptr);
