// The MIDlet's state rule, its calls back into the platform, and the
// PushRegistry's refusal.

#include <gtest/gtest.h>

#include "TestClasses.h"
#include "hal/hal.h"
#include "java/lang/NullPointerException.h"
#include "javax/microedition/io/ConnectionNotFoundException.h"
#include "javax/microedition/io/PushRegistry.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "wince/shell.h"
#include "wince/testing.h"

using javax::microedition::midlet::MIDlet;

namespace {

class MIDletTest : public VMFixture {};

TEST_F(MIDletTest, StateRuleAcceptsAndRefusesByTheCurrentState)
{
    // For each current state, the states it accepts (bit n for state n).
    struct Rule {
        int32_t from;
        uint32_t accepted;
    };
    const Rule rules[] = {
        {MIDlet::PAUSED, 0x7Fu & ~(1u << MIDlet::PAUSING)},
        {MIDlet::ACTIVE, 0x7Fu & ~(1u << MIDlet::CREATED) & ~(1u << MIDlet::STARTING)},
        {MIDlet::CREATED, 0x7Fu & ~(1u << MIDlet::PAUSING)},
        {MIDlet::STARTING, 0x7Fu},
        {MIDlet::PAUSING, 0x7Fu},
        {MIDlet::DESTROYING, 1u << MIDlet::DESTROYED},
        {MIDlet::DESTROYED, 0},
    };
    VMPtr<vxtest::TestMIDlet> midlet = vxtest::TestMIDlet::newInstance()->init();
    EXPECT_EQ(midlet->state, MIDlet::CREATED);
    for (const Rule& rule : rules) {
        for (int32_t next = 0; next <= 6; ++next) {
            midlet->state = rule.from;
            bool expected = (rule.accepted >> next) & 1;
            EXPECT_EQ(midlet->setState(next), expected) << rule.from << " -> " << next;
            EXPECT_EQ(midlet->state, expected ? next : rule.from);
        }
    }
}

TEST_F(MIDletTest, NotifyDestroyedEndsInTheFinalStateFromAnyOtherState)
{
    VMPtr<vxtest::TestMIDlet> midlet = vxtest::TestMIDlet::newInstance()->init();
    for (int32_t from : {MIDlet::ACTIVE, MIDlet::DESTROYING, MIDlet::CREATED}) {
        midlet->state = from;
        midlet->notifyDestroyed();
        EXPECT_EQ(midlet->state, MIDlet::DESTROYED);
    }
    EXPECT_TRUE(vxtest::CallLog::all().empty()) << "destroyApp must not be called";
}

TEST_F(MIDletTest, PlatformRequestStoresTheURLAndAsksForExit)
{
    VMPtr<vxtest::TestMIDlet> midlet = vxtest::TestMIDlet::newInstance()->init();
    EXPECT_TRUE(vmThrows<java::lang::NullPointerException>([&] { midlet->platformRequest(nullptr); }));
    EXPECT_TRUE(midlet->platformRequest(vmString("http://example.com/")));
    // The URL waits for shutdown, which opens it in the browser.
    wince::captureShellRequests(true);
    HAL_shutdown();
    EXPECT_EQ(wince::lastShellRequest(), u"iexplore.exe|http://example.com/");
    wince::captureShellRequests(false);
}

TEST_F(MIDletTest, PushRegistryRefusesAlarms)
{
    EXPECT_TRUE(vmThrows<javax::microedition::io::ConnectionNotFoundException>(
        [] { javax::microedition::io::PushRegistry::registerAlarm(vmString("tests.TestMIDlet"), 0); },
        "not supported"));
}

} // namespace
