// The platform extension natives: orientation and the keep-awake switch.

#include <gtest/gtest.h>

#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/platform/velto/TqVelto.h"
#include "wince/testing.h"

using tq::platform::velto::TqVelto;

namespace {

class TqVeltoTest : public VMFixture {
protected:
    void useProperties(const std::string& text)
    {
        folder_.writeAppProperties(text);
        HAL_loadProperties();
        HAL_loadOrientationTable();
    }

    vxtest::AppFolder folder_;
};

TEST_F(TqVeltoTest, OrientationsTheDisplayCannotShowAreRefusedWithoutException)
{
    useProperties("");
    EXPECT_EQ(TqVelto::getOrientation(), 1);
    EXPECT_TRUE(TqVelto::setOrientation(0));
    EXPECT_TRUE(TqVelto::setOrientation(1));
    for (int32_t refused : {2, 3, 4, 5, -1})
        EXPECT_FALSE(TqVelto::setOrientation(refused)) << refused;
    // Orientation 0 drawn turned by 270 degrees: the upright display shows
    // orientation 270 instead.
    useProperties("WinceDisplayOrientation0: rotate90cw\nWinceDisplayOrientation270: normal\n");
    EXPECT_EQ(TqVelto::getOrientation(), 4);
    EXPECT_FALSE(TqVelto::setOrientation(1));
    EXPECT_TRUE(TqVelto::setOrientation(4));
}

TEST_F(TqVeltoTest, IdleSwitchOffKeepsTheDeviceAwakeAndOnLetsItIdle)
{
    uint32_t before = wince::idleTimerResets();
    EXPECT_TRUE(TqVelto::setSystemIdleEnabled(false));
    EXPECT_EQ(wince::idleTimerResets(), before + 1); // the keep-awake timer starts
    EXPECT_TRUE(TqVelto::setSystemIdleEnabled(true));
    EXPECT_EQ(wince::idleTimerResets(), before + 1);
}

} // namespace
