#include "main/CommonMIDlet.h"

#include "javax/microedition/lcdui/Display.h"
#include "main/CommonCanvas.h"

namespace main {

VMPtr<CommonMIDlet> CommonMIDlet::init()
{
    MIDlet::init();
    return VMPtr<CommonMIDlet>(this);
}

void CommonMIDlet::startApp()
{
    if (canvas) {
        canvas->showNotify();
        return;
    }
    canvas = CommonCanvas::newInstance()->init(VMPtr<CommonMIDlet>(this));
    main = Main::newInstance()->init(VMPtr<tq::TqCanvas>(canvas));
    javax::microedition::lcdui::Display::getDisplay(VMPtr<CommonMIDlet>(this))
        ->setCurrent(VMPtr<javax::microedition::lcdui::Displayable>(canvas));
}

void CommonMIDlet::pauseApp()
{
    if (canvas)
        canvas->hideNotify();
}

void CommonMIDlet::destroyApp(bool)
{
    // After a start that never got this far there is no hub to stop.
    if (main)
        main->closeSound();
    Main::stop();
    main = nullptr;
    if (canvas)
        canvas->requestActivityState(tq::TqCanvas::ACTIVITY_EXIT);
}

} // namespace main

VM_REGISTER_CLASS(main::CommonMIDlet, "main.CommonMIDlet", "javax.microedition.midlet.MIDlet",
                  "..\\src\\main_CommonMIDlet", nullptr);
