// The menu music on the game's own packs, as the real program hears it:
// sound on loads sound 3 from resource 1081 as a WAV player, the sound
// manager's tick starts it, and it loops.

#include <gtest/gtest.h>

#include "game/support/HubFixture.h"
#include "javax/microedition/media/Player.h"
#include "support/LangTestSupport.h"
#include "tq/MediaManagerImpl.h"
#include "wince/waveout.h"

using main::Main;
using MidpPlayer = javax::microedition::media::Player;

namespace {

class MusicOnGamePackTest : public vxtest::HubFixture {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        copyPack(VX_OPENING_PACKS);
        wince::useManualAudio(true);
        makeGame();
    }
    void TearDown() override
    {
        HubFixture::TearDown();
        wince::useManualAudio(false);
    }
};

TEST_F(MusicOnGamePackTest, SoundOnMakesAWavPlayerThatStartsAndLoops)
{
    Main::instance->soundOn(4);
    VMPtr<tq::MediaManagerImpl> sounds =
        vm_cast<tq::MediaManagerImpl>(VMPtr<tq::MediaManager>(Main::instance->mediaManager));
    ASSERT_NE(sounds, nullptr);
    ASSERT_TRUE(sounds->isLoaded(Main::MUSIC_SOUND));
    VMPtr<MidpPlayer> player = vm_cast<MidpPlayer>(sounds->players->get(Main::MUSIC_SOUND));
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->getState(), MidpPlayer::REALIZED);
    EXPECT_EQ(vmText(player->getContentType()), "audio/x-wav");

    Main::instance->replayMusic();
    sounds->run();
    EXPECT_EQ(player->getState(), MidpPlayer::STARTED);
    EXPECT_EQ(sounds->getSoundState(Main::MUSIC_SOUND), 1);
    wince::pumpAudio(500);
    EXPECT_EQ(player->getState(), MidpPlayer::STARTED);
    EXPECT_GT(player->getMediaTime(), 0);

    // Past its end it goes round again from its start.
    int64_t lengthMs = player->getDuration() / 1000;
    ASSERT_GT(lengthMs, 1000);
    wince::pumpAudio(DWORD(lengthMs - 500 + 200));
    EXPECT_EQ(player->getState(), MidpPlayer::STARTED);
    EXPECT_LT(player->getMediaTime(), 1000 * 1000);
}

} // namespace
