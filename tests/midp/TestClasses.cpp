#include "TestClasses.h"

#include <condition_variable>
#include <mutex>

#include "java/lang/RuntimeException.h"
#include "javax/microedition/lcdui/Display.h"
#include "javax/microedition/midlet/MIDletStateChangeException.h"
#include "support/LangTestSupport.h"

namespace vxtest {

using namespace javax::microedition::lcdui;

namespace {

std::mutex g_lock;
std::condition_variable g_changed;
std::vector<std::string> g_entries;

} // namespace

void CallLog::add(const std::string& entry)
{
    std::lock_guard guard(g_lock);
    g_entries.push_back(entry);
    g_changed.notify_all();
}

std::vector<std::string> CallLog::all()
{
    std::lock_guard guard(g_lock);
    return g_entries;
}

void CallLog::clear()
{
    std::lock_guard guard(g_lock);
    g_entries.clear();
}

bool CallLog::waitFor(const std::string& entry, int times, std::chrono::milliseconds limit)
{
    std::unique_lock guard(g_lock);
    return g_changed.wait_for(guard, limit, [&] {
        int seen = 0;
        for (const std::string& e : g_entries)
            seen += e == entry;
        return seen >= times;
    });
}

// ---- TestCanvas ----

TestCanvas::~TestCanvas()
{
    ++freed;
}

VMPtr<TestCanvas> TestCanvas::init()
{
    return init("canvas");
}

VMPtr<TestCanvas> TestCanvas::init(const std::string& canvasName, bool suppressKeyEvents)
{
    GameCanvas::init(suppressKeyEvents);
    name = canvasName;
    return VMPtr<TestCanvas>(this);
}

void TestCanvas::paint(VMPtr<Graphics> g)
{
    CallLog::add(name + ".paint");
    GameCanvas::paint(g);
}

void TestCanvas::keyPressed(int32_t keyCode)
{
    CallLog::add(name + ".keyPressed " + std::to_string(keyCode));
    if (onKeyPressed)
        onKeyPressed();
}

void TestCanvas::keyRepeated(int32_t keyCode)
{
    CallLog::add(name + ".keyRepeated " + std::to_string(keyCode));
}

void TestCanvas::keyReleased(int32_t keyCode)
{
    CallLog::add(name + ".keyReleased " + std::to_string(keyCode));
    if (onKeyReleased)
        onKeyReleased();
}

void TestCanvas::pointerPressed(int32_t x, int32_t y)
{
    CallLog::add(name + ".pointerPressed " + std::to_string(x) + " " + std::to_string(y));
}

void TestCanvas::pointerReleased(int32_t x, int32_t y)
{
    CallLog::add(name + ".pointerReleased " + std::to_string(x) + " " + std::to_string(y));
}

void TestCanvas::pointerDragged(int32_t x, int32_t y)
{
    CallLog::add(name + ".pointerDragged " + std::to_string(x) + " " + std::to_string(y));
}

void TestCanvas::showNotify()
{
    CallLog::add(name + ".showNotify");
    if (onShow)
        onShow();
}

void TestCanvas::hideNotify()
{
    CallLog::add(name + ".hideNotify");
}

void TestCanvas::sizeChanged(int32_t w, int32_t h)
{
    CallLog::add(name + ".sizeChanged " + std::to_string(w) + " " + std::to_string(h));
}

// ---- TestCommandListener ----

void TestCommandListener::commandAction(VMPtr<Command> c, VMPtr<Displayable> d)
{
    auto canvas = vm_cast<TestCanvas>(d);
    CallLog::add("command " + vmText(c->getLabel()) + " " + (canvas ? canvas->name : "?"));
}

// ---- TestRunnable ----

VMPtr<TestRunnable> TestRunnable::init(const std::string& runLabel)
{
    Object::init();
    label = runLabel;
    return VMPtr<TestRunnable>(this);
}

void TestRunnable::run()
{
    CallLog::add("run " + label);
}

// ---- TestMIDlet ----

VMPtr<TestMIDlet> TestMIDlet::init()
{
    MIDlet::init();
    return VMPtr<TestMIDlet>(this);
}

void TestMIDlet::startApp()
{
    CallLog::add("startApp");
    if (onStart)
        onStart();
    if (startThrows)
        vm_throwNew<java::lang::RuntimeException>(vmString("start failed"));
    if (!canvas) {
        canvas = TestCanvas::newInstance()->init();
        if (onCanvasMade)
            onCanvasMade(canvas);
        Display::getDisplay(VMPtr<MIDlet>(this))->setCurrent(VMPtr<Displayable>(canvas));
    }
}

void TestMIDlet::pauseApp()
{
    CallLog::add("pauseApp");
}

void TestMIDlet::destroyApp(bool unconditional)
{
    CallLog::add(std::string("destroyApp ") + (unconditional ? "true" : "false"));
    if (destroyRefuses)
        vm_throwNew<javax::microedition::midlet::MIDletStateChangeException>();
}

} // namespace vxtest

VM_REGISTER_CLASS(vxtest::TestCanvas, "tests.TestCanvas", "javax.microedition.lcdui.game.GameCanvas",
                  "tests/midp/TestCanvas", nullptr);
VM_REGISTER_CLASS(vxtest::TestCommandListener, "tests.TestCommandListener", "java.lang.Object",
                  "tests/midp/TestCommandListener", nullptr);
VM_IMPLEMENTS(vxtest::TestCommandListener, "javax.microedition.lcdui.CommandListener");
VM_REGISTER_CLASS_NO_CREATOR(vxtest::TestRunnable, "tests.TestRunnable", "java.lang.Object",
                             "tests/midp/TestRunnable", nullptr);
VM_IMPLEMENTS(vxtest::TestRunnable, "java.lang.Runnable");
VM_REGISTER_CLASS(vxtest::TestMIDlet, "tests.TestMIDlet", "javax.microedition.midlet.MIDlet",
                  "tests/midp/TestMIDlet", nullptr);
