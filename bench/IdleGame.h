#pragma once
// A MIDlet and a game canvas that do nothing: the owners the benchmarks
// need around the part they measure.

#include "javax/microedition/midlet/MIDlet.h"
#include "tq/TqCanvas.h"

namespace bench {

class IdleMIDlet : public javax::microedition::midlet::MIDlet {
    VM_CLASS(IdleMIDlet, javax::microedition::midlet::MIDlet)

    VMPtr<IdleMIDlet> init()
    {
        MIDlet::init();
        return VMPtr<IdleMIDlet>(this);
    }
    void startApp() override {}
    void pauseApp() override {}
    void destroyApp(bool) override {}
};

// Its thread, once initialised, waits for a show that never comes.
class IdleCanvas : public tq::TqCanvas {
    VM_CLASS(IdleCanvas, tq::TqCanvas)

    VMPtr<IdleCanvas> init(VMPtr<MIDlet> owner)
    {
        TqCanvas::init(owner);
        return VMPtr<IdleCanvas>(this);
    }
    void update() override {}
    void paint(VMPtr<Graphics>) override {}
};

} // namespace bench
