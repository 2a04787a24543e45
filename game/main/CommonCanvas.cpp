#include "main/CommonCanvas.h"

#include "main/Main.h"

namespace main {

VMPtr<CommonCanvas> CommonCanvas::init(VMPtr<MIDlet> owner)
{
    TqCanvas::init(owner);
    exiting = false;
    return VMPtr<CommonCanvas>(this);
}

void CommonCanvas::update()
{
    if (exiting)
        return;
    latchKeys();
    if (Main::instance)
        Main::instance->update();
}

void CommonCanvas::paint(VMPtr<Graphics> g)
{
    if (exiting || !Main::instance)
        return;
    Main::instance->paint(g);
}

void CommonCanvas::applicationStateChanged(int32_t notice)
{
    // The hub is missing only when its construction failed.
    VMPtr<Main> hub = Main::instance;
    switch (notice) {
    case 0:
        setFrameTimeBoundA(FRAME_TIME_MIN);
        exiting = false;
        break;
    case 1:
        if (hub)
            hub->pause();
        break;
    case 2:
        Main::layoutPending = true;
        if (hub)
            hub->resume();
        break;
    case 3:
        exiting = true;
        if (hub)
            hub->closeSound();
        Main::stop();
        break;
    case 4:
        Main::layoutPending = true;
        break;
    case 5:
        if (hub)
            hub->afterResume();
        break;
    default:
        break;
    }
    TqCanvas::applicationStateChanged(notice);
}

} // namespace main

VM_REGISTER_CLASS_NO_CREATOR(main::CommonCanvas, "main.CommonCanvas", "tq.TqCanvas",
                             "..\\src\\main_CommonCanvas", nullptr);
