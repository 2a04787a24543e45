// The application manager: reading the MIDlet declaration, creating and
// starting the MIDlet, and driving its life cycle from the platform's
// application events.

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "com/tarquel/velto/AMS.h"
#include "hal/hal.h"
#include "java/lang/ClassNotFoundException.h"
#include "java/lang/InstantiationException.h"
#include "java/lang/RuntimeException.h"
#include "javax/microedition/lcdui/Display.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMEventRegistry.h"
#include "vm/VMSynchronized.h"

using com::tarquel::velto::AMS;
using javax::microedition::midlet::MIDlet;
using vxtest::CallLog;

namespace {

class AMSTest : public VMFixture {
protected:
    // Loads the application properties from a folder holding this app.prop.
    void useProperties(const std::string& text)
    {
        folder_.writeAppProperties(text);
        HAL_loadProperties();
        AMS::_VM_clinit();
    }

    static void post(int32_t event) { HAL_dispatchEvent(event, 0, nullptr); }

    vxtest::AppFolder folder_;
};

TEST_F(AMSTest, DeclarationsNameTheClassInTheirThirdField)
{
    const char* declarations[] = {
        "MIDlet-1: Test, /icon.png, tests.TestMIDlet\n",
        "MIDlet-1:   Test ,  , tests.TestMIDlet  \n",
        "MIDlet-1: tests.TestMIDlet\n",
    };
    for (const char* text : declarations) {
        SCOPED_TRACE(text);
        CallLog::clear();
        useProperties(text);
        EXPECT_TRUE(AMS::launchMIDlet(1));
        ASSERT_TRUE(AMS::currentMIDlet);
        EXPECT_EQ(AMS::currentMIDlet->getClass(), vxtest::TestMIDlet::classRecord());
        EXPECT_EQ(AMS::currentMIDlet->state, MIDlet::ACTIVE);
        // A MIDlet launched before hides its canvas first.
        std::vector<std::string> calls = CallLog::all();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front(), "startApp");
        EXPECT_EQ(calls.back(), "canvas.showNotify");
    }
}

TEST_F(AMSTest, DeclarationsThatNameNoMIDletFail)
{
    useProperties("MIDlet-1: Test, tests.TestMIDlet\n");
    EXPECT_TRUE(vmThrows<java::lang::ClassNotFoundException>([] { AMS::launchMIDlet(1); }));
    useProperties("MIDlet-1: Test, , java.lang.Object\n");
    EXPECT_TRUE(vmThrows<java::lang::InstantiationException>([] { AMS::launchMIDlet(1); },
                                                             "Class not a MIDlet"));
    useProperties("MIDlet-2: Test, , tests.TestMIDlet\n");
    EXPECT_FALSE(AMS::launchMIDlet(1));
    EXPECT_FALSE(AMS::currentMIDlet);
    EXPECT_TRUE(CallLog::all().empty());
}

TEST_F(AMSTest, ApplicationPropertiesAreReadWholeOrNull)
{
    useProperties("MIDlet-Name: Vexalon\nEmpty: \n");
    EXPECT_EQ(vmText(AMS::getAppProperty(vmString("MIDlet-Name"))), "Vexalon");
    EXPECT_EQ(vmText(AMS::getAppProperty(vmString("Empty"))), "");
    EXPECT_EQ(vmText(AMS::getAppProperty(vmString("Absent"))), "<null>");
}

TEST_F(AMSTest, ApplicationEventsDriveTheLifeCycle)
{
    useProperties("MIDlet-1: Test, , tests.TestMIDlet\n");
    post(1); // before the MIDlet exists: ignored
    post(2);
    post(3);
    EXPECT_TRUE(CallLog::all().empty());

    ASSERT_TRUE(AMS::launchMIDlet(1));
    post(2); // active already
    post(1);
    post(1); // paused already
    post(2);
    post(3);
    post(3); // destroyed
    post(2);
    // The display hears about inactivity before the manager pauses, and the
    // manager starts the MIDlet before the display shows the canvas again.
    EXPECT_EQ(CallLog::all(), std::vector<std::string>({
                                  "startApp", "canvas.showNotify",
                                  "canvas.hideNotify", "pauseApp",
                                  "startApp", "canvas.showNotify",
                                  "destroyApp true",
                              }));
    EXPECT_EQ(AMS::currentMIDlet->state, MIDlet::DESTROYED);
}

TEST_F(AMSTest, ExitAfterNotifyDestroyedCallsNothing)
{
    useProperties("MIDlet-1: Test, , tests.TestMIDlet\n");
    ASSERT_TRUE(AMS::launchMIDlet(1));
    AMS::currentMIDlet->notifyDestroyed();
    post(3);
    EXPECT_EQ(CallLog::all(), std::vector<std::string>({"startApp", "canvas.showNotify"}));
}

TEST_F(AMSTest, RefusedDestroyStillEndsDestroyed)
{
    useProperties("MIDlet-1: Test, , tests.TestMIDlet\n");
    ASSERT_TRUE(AMS::launchMIDlet(1));
    vxtest::TestMIDlet::destroyRefuses = true;
    EXPECT_EQ(HAL_dispatchEvent(3, 0, nullptr), 0);
    EXPECT_EQ(AMS::currentMIDlet->state, MIDlet::DESTROYED);
}

TEST_F(AMSTest, FailingStartIsReportedAndLeavesNoMonitorHeld)
{
    useProperties("MIDlet-1: Test, , tests.TestMIDlet\n");
    ASSERT_TRUE(AMS::launchMIDlet(1));
    post(1);
    VMStatic<java::lang::Object> held;
    held = java::lang::Object::newInstance();
    vxtest::TestMIDlet::onStart = [&] {
        VMSynchronized guard(held.get());
        vm_throwNew<java::lang::RuntimeException>(vmString("start failed"));
    };
    testing::internal::CaptureStdout();
    EXPECT_EQ(HAL_dispatchEvent(2, 0, nullptr), VM_EVENT_UNCAUGHT_EXCEPTION);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("java.lang.RuntimeException: start failed"), std::string::npos) << printed;
    EXPECT_EQ(AMS::currentMIDlet->state, MIDlet::STARTING);
    EXPECT_FALSE(_VM_holdsMonitor(held.get()));
    EXPECT_FALSE(_VM_holdsMonitor(javax::microedition::lcdui::Display::eventLock.get()));
    EXPECT_FALSE(_VM_holdsMonitor(javax::microedition::lcdui::Display::displayLock.get()));
    // A later activation starts it again.
    vxtest::TestMIDlet::onStart = nullptr;
    post(2);
    EXPECT_EQ(AMS::currentMIDlet->state, MIDlet::ACTIVE);
}

} // namespace
