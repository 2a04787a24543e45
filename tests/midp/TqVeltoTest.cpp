// The platform extension natives: orientation, the keep-awake switch and the
// player made from bytes.

#include <cstring>

#include <gtest/gtest.h>

#include "hal/hal.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "javax/microedition/media/MediaException.h"
#include "javax/microedition/media/Player.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "support/SoundImages.h"
#include "support/VMFixture.h"
#include "tq/platform/velto/TqVelto.h"
#include "wince/testing.h"
#include "wince/waveout.h"

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

TEST_F(TqVeltoTest, PlayerFromBytesComesFromTheMediaFactory)
{
    wince::useManualAudio(true);
    using ByteArray = java::lang::String::ByteArray;
    std::string wav = vxtest::byteWav(40);
    VMPtr<ByteArray> data = ByteArray::newArray(static_cast<int32_t>(wav.size()) + 2);
    std::memcpy(data->elements() + 2, wav.data(), wav.size());

    VMPtr<javax::microedition::media::Player> player =
        TqVelto::createPlayer(data, 2, static_cast<int32_t>(wav.size()), vmString("audio/x-wav"));
    ASSERT_TRUE(player);
    EXPECT_EQ(player->getState(), javax::microedition::media::Player::UNREALIZED);
    player->close();

    // The factory's refusals pass through unchanged.
    EXPECT_TRUE(vmThrows<javax::microedition::media::MediaException>(
        [&] { TqVelto::createPlayer(data, 2, 4, vmString("audio/mpeg")); }));
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { TqVelto::createPlayer(data, 0, static_cast<int32_t>(wav.size()) + 3, vmString("audio/x-wav")); }));
}
