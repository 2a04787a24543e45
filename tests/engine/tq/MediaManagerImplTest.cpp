// The sound manager on real players with manual audio: queued starts on the
// frame tick, priorities per channel, channel volumes on the players' volume
// controls, sound switched off, unloading and closing, failed loads.

#include <string>

#include <gtest/gtest.h>

#include "com/tarquel/velto/media/Player.h"
#include "engine/support/EngineBytes.h"
#include "engine/support/TestGameCanvas.h"
#include "support/LangTestSupport.h"
#include "support/SoundImages.h"
#include "support/VMFixture.h"
#include "tq/MediaManagerImpl.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"
#include "wince/waveout.h"

using tq::MediaManagerImpl;
using tq::Resources;
using tq::TqCanvas;
using MidpPlayer = javax::microedition::media::Player;
using PlayerImpl = com::tarquel::velto::media::Player;

namespace {

// A canvas that is not shown yet: its thread waits, the tests tick the
// manager themselves.
class MediaManagerImplTest : public vxtest::GameCanvasFixture {
protected:
    void SetUp() override
    {
        wince::useManualAudio(true);
        GameCanvasFixture::SetUp();
        sounds = MediaManagerImpl::create()->init(VMPtr<TqCanvas>(canvas), 10);
    }
    void TearDown() override
    {
        sounds->close();
        Resources::closePack();
        GameCanvasFixture::TearDown();
    }

    // A one-second WAV in slot `sound`.
    void loadWav(int32_t sound, int32_t priority)
    {
        sounds->loadSoundData(sound, vmBytes(vxtest::byteWav(1000)), 1, 1, priority);
        ASSERT_TRUE(sounds->isLoaded(sound));
    }
    VMPtr<PlayerImpl> player(int32_t sound)
    {
        return VMPtr<PlayerImpl>(dynamic_cast<PlayerImpl*>(sounds->players->get(sound).get()));
    }
    int32_t current(int32_t channel) { return (*sounds->currentSound)[channel]; }
    int32_t pending(int32_t channel) { return (*sounds->pendingSound)[channel]; }

    VMPtr<MediaManagerImpl> sounds;
};

TEST_F(MediaManagerImplTest, AFreshManagerHasTenQuietChannelsAtFullVolume)
{
    EXPECT_EQ(canvas->mediaManager.get(), static_cast<tq::MediaManager*>(sounds.get()));
    EXPECT_EQ(sounds->getChannelCount(), 10);
    for (int32_t c = 0; c < 10; c++)
        EXPECT_EQ(sounds->getChannelVolume(c), 100);
    EXPECT_FALSE(sounds->isSoundPlaying(-1));
    EXPECT_FALSE(sounds->isLoaded(0));
    EXPECT_EQ(sounds->getSoundState(0), 0);
    EXPECT_EQ(sounds->getChannelState(0), 2);
    // Sound is on by default, through the canvas's settings.
    EXPECT_FALSE(canvas->soundSetting);
    EXPECT_TRUE(sounds->isSoundEnabled());
    EXPECT_TRUE(canvas->soundSetting);
    EXPECT_EQ(vmText(MediaManagerImpl::getMimeType(1)), "audio/x-wav");
    EXPECT_EQ(vmText(MediaManagerImpl::getMimeType(0)), "audio/midi");
    EXPECT_EQ(vmText(MediaManagerImpl::getMimeType(2)), "audio/midi");
}

TEST_F(MediaManagerImplTest, ARequestStartsOnlyAtTheNextTick)
{
    loadWav(3, 0);
    loadWav(4, 0);
    EXPECT_EQ(sounds->getSoundState(3), 4);
    sounds->playSound(1, 4);
    sounds->run();
    EXPECT_TRUE(sounds->isSoundPlaying(4));

    sounds->playSound(1, 3);
    EXPECT_FALSE(sounds->isSoundPlaying(3));
    EXPECT_EQ(pending(1), 3);
    sounds->run();
    // The channel's previous sound is stopped, the new one started.
    EXPECT_FALSE(sounds->isSoundPlaying(4));
    EXPECT_TRUE(sounds->isSoundPlaying(3));
    EXPECT_EQ(sounds->getSoundState(3), 1);
    EXPECT_EQ(sounds->getChannelState(1), 1);
    EXPECT_EQ(current(1), 3);
    EXPECT_EQ(pending(1), -1);

    // A tick without a request leaves the sound running where it is.
    wince::pumpAudio(200);
    int64_t played = player(3)->getMediaTime();
    EXPECT_GT(played, 0);
    sounds->run();
    EXPECT_EQ(player(3)->getMediaTime(), played);
    // A new request plays it again from its beginning.
    sounds->playSound(1, 3);
    sounds->run();
    EXPECT_EQ(player(3)->getMediaTime(), 0);
}

TEST_F(MediaManagerImplTest, PrioritiesDecideWhoGetsTheChannel)
{
    loadWav(0, 1);
    loadWav(1, 5);
    loadWav(2, 5);
    // A lower request is dropped while a higher one waits; an equal one
    // replaces it.
    sounds->playSound(2, 1);
    sounds->playSound(2, 0);
    EXPECT_EQ(pending(2), 1);
    sounds->playSound(2, 2);
    EXPECT_EQ(pending(2), 2);
    sounds->run();
    // ... and while the higher one still sounds.
    sounds->playSound(2, 0);
    EXPECT_EQ(pending(2), -1);
    // Once it has stopped, the lower one gets the channel.
    sounds->stopChannel(2);
    EXPECT_FALSE(sounds->isSoundPlaying(2));
    EXPECT_EQ(current(2), 2);
    sounds->playSound(2, 0);
    EXPECT_EQ(pending(2), 0);
    // A higher request takes over from a waiting lower one.
    sounds->playSound(2, 1);
    EXPECT_EQ(pending(2), 1);
    // Other channels are not affected.
    sounds->playSound(3, 0);
    EXPECT_EQ(pending(3), 0);
}

TEST_F(MediaManagerImplTest, ChannelArgumentsAreClampedNeverRefused)
{
    loadWav(5, 0);
    const int32_t cases[][2] = {{25, 9}, {9, 9}, {-4, 0}, {1, 1}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        sounds->playSound(c[0], 5);
        EXPECT_EQ(pending(c[1]), 5);
        sounds->stopChannel(c[0]);
        EXPECT_EQ(pending(c[1]), -1);
    }
    EXPECT_EQ(sounds->playVideo(25), 9);
    EXPECT_EQ(sounds->closeVideo(-3), 0);
    EXPECT_EQ(sounds->loadVideo(25), -1);
    EXPECT_EQ(sounds->getVideoSnapshot(0)->length, 0);
}

TEST_F(MediaManagerImplTest, ChannelVolumesReachThePlayers)
{
    const int32_t stored[][2] = {{150, 100}, {-7, 0}, {0, 0}, {1, 1}, {100, 100}, {37, 37}};
    for (const auto& v : stored) {
        SCOPED_TRACE(v[0]);
        sounds->setChannelVolume(0, v[0]);
        EXPECT_EQ(sounds->getChannelVolume(0), v[1]);
    }
    sounds->setChannelVolume(-1, 50);
    for (int32_t c = 0; c < 10; c++)
        EXPECT_EQ(sounds->getChannelVolume(c), 50);

    // Applied when the sound starts, with the master volume leaving every
    // level as it is ...
    loadWav(1, 0);
    sounds->setChannelVolume(4, 73);
    sounds->playSound(4, 1);
    EXPECT_EQ(player(1)->getLevel(), -1);
    sounds->run();
    EXPECT_EQ(player(1)->getLevel(), 73);
    // ... and at once while it plays.
    sounds->setChannelVolume(4, 12);
    EXPECT_EQ(player(1)->getLevel(), 12);
    // Another channel's volume does not touch it.
    sounds->setChannelVolume(5, 90);
    EXPECT_EQ(player(1)->getLevel(), 12);
}

TEST_F(MediaManagerImplTest, SoundSwitchedOffStopsEverythingAndIgnoresRequests)
{
    loadWav(0, 0);
    loadWav(1, 0);
    sounds->playSound(0, 0);
    sounds->run();
    sounds->playSound(1, 1);
    sounds->setSoundEnabled(false);
    EXPECT_FALSE(canvas->soundSetting);
    EXPECT_FALSE(sounds->isSoundPlaying(-1));
    EXPECT_EQ(pending(1), -1);
    sounds->playSound(1, 1);
    EXPECT_EQ(pending(1), -1);
    sounds->run();
    EXPECT_FALSE(sounds->isSoundPlaying(-1));
    // Later default settings do not turn it back on.
    canvas->initDefaultSettings(true);
    EXPECT_FALSE(sounds->isSoundEnabled());

    sounds->setSoundEnabled(true);
    sounds->playSound(1, 1);
    sounds->run();
    EXPECT_TRUE(sounds->isSoundPlaying(1));
}

TEST_F(MediaManagerImplTest, UnloadingClearsTheSoundsWaits)
{
    loadWav(2, 0);
    loadWav(3, 0);
    sounds->playSound(0, 2);
    sounds->playSound(6, 2);
    sounds->playSound(7, 3);
    VMPtr<PlayerImpl> two = player(2);
    sounds->unloadSound(2);
    EXPECT_FALSE(sounds->isLoaded(2));
    EXPECT_EQ(two->getState(), MidpPlayer::CLOSED);
    EXPECT_EQ(pending(0), -1);
    EXPECT_EQ(pending(6), -1);
    EXPECT_EQ(pending(7), 3);
    sounds->unloadSound(-1);
    EXPECT_FALSE(sounds->isLoaded(3));
    EXPECT_EQ(pending(7), -1);
    sounds->run();
}

TEST_F(MediaManagerImplTest, AClosedManagerLoadsAndPlaysNothing)
{
    loadWav(0, 0);
    sounds->playSound(0, 0);
    sounds->run();
    VMPtr<PlayerImpl> zero = player(0);
    sounds->close();
    EXPECT_EQ(zero->getState(), MidpPlayer::CLOSED);
    EXPECT_FALSE(sounds->isLoaded(0));
    EXPECT_FALSE(sounds->isSoundEnabled());
    EXPECT_FALSE(sounds->isSoundPlaying(-1));
    sounds->loadSoundData(1, vmBytes(vxtest::byteWav(100)), 1, 1, 0);
    EXPECT_FALSE(sounds->isLoaded(1));
    sounds->setChannelVolume(0, 20);
    EXPECT_EQ(sounds->getChannelVolume(0), 20);
    EXPECT_EQ(sounds->getSoundState(0), 0);
    sounds->close();
}

TEST_F(MediaManagerImplTest, FailedLoadsLeaveTheManagerWorking)
{
    // MIDI from bytes: no player is made.
    sounds->loadSoundData(0, vmBytes(vxtest::byteWav(100)), 0, -1, 0);
    EXPECT_FALSE(sounds->isLoaded(0));
    // Damaged WAV: the player is kept but cannot be realized; requests and
    // ticks go on without it.
    sounds->loadSoundData(1, vmBytes(std::string("RIFF....WAVEjunk")), 1, 1, 0);
    EXPECT_TRUE(sounds->isLoaded(1));
    EXPECT_EQ(sounds->getSoundState(1), 6);
    sounds->playSound(0, 1);
    sounds->run();
    EXPECT_FALSE(sounds->isSoundPlaying(1));
    // A null array, an unopenable locator: nothing.
    sounds->loadSoundData(2, nullptr, 1, 1, 0);
    EXPECT_FALSE(sounds->isLoaded(2));
    sounds->loadSoundLocator(3, 0, 1, vmString("http://host/a.wav"), 1, 0);
    EXPECT_FALSE(sounds->isLoaded(3));
    loadWav(4, 0);
    sounds->playSound(0, 4);
    sounds->run();
    EXPECT_TRUE(sounds->isSoundPlaying(4));
}

TEST_F(MediaManagerImplTest, ResourceSoundsArePlayedFromThePackInPlace)
{
    // Entry 1 is a WAV (type byte 1) behind another entry; entry 2 a MIDI.
    VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(3);
    entries->set(0, vmBytes(std::string("padding")));
    entries->set(1, vmBytes(vxtest::byteWav(500)));
    entries->set(2, vmBytes(vxtest::byteWav(500)));
    VMPtr<VMByteArray> pack = Resources::buildPack(entries, vmBytes(Bytes{0xFF, 1, 0}));
    ASSERT_TRUE(Resources::openPack(vmDataStream(bytesOf(pack))));

    sounds->loadSound(6, 1, -1, 3);
    ASSERT_TRUE(sounds->isLoaded(6));
    EXPECT_EQ((*sounds->soundPriority)[6], 3);
    EXPECT_EQ(vmText(player(6)->getContentType()), "audio/x-wav");
    sounds->playSound(2, 6);
    sounds->run();
    EXPECT_TRUE(sounds->isSoundPlaying(6));
    // An endless sound plays on past its length.
    wince::pumpAudio(1200);
    EXPECT_TRUE(sounds->isSoundPlaying(6));

    // Type 0 asks for MIDI, which the players cannot take from bytes.
    sounds->loadSound(7, 2, -1, 0);
    EXPECT_FALSE(sounds->isLoaded(7));
}

} // namespace

namespace {

// The manager driven by the canvas's own frames.
using CanvasSoundTest = MediaManagerImplTest;

TEST_F(CanvasSoundTest, QueuedSoundsStartOnceAFrameAfterTheUpdate)
{
    loadWav(1, 0);
    show();
    ASSERT_TRUE(runUntil([&] { return canvas->updates >= 1; }));
    std::vector<std::pair<int32_t, bool>> seen;
    canvas->onUpdate = [&] {
        bool playing = sounds->isSoundPlaying(1);
        seen.emplace_back(canvas->updates, playing);
        if (seen.size() == 1) {
            sounds->playSound(3, 1);
            // Requested in this update: still waiting when it returns.
            EXPECT_FALSE(sounds->isSoundPlaying(1));
        }
    };
    ASSERT_TRUE(runUntil([&] { return seen.size() >= 3; }));
    canvas->onUpdate = nullptr;
    EXPECT_FALSE(seen[0].second);
    EXPECT_TRUE(seen[1].second);
    EXPECT_EQ(current(3), 1);
    // Started once: later frames leave it running from where it is.
    wince::pumpAudio(100);
    int64_t played = player(1)->getMediaTime();
    int32_t frames = canvas->updates;
    ASSERT_TRUE(runUntil([&] { return canvas->updates >= frames + 2; }));
    EXPECT_EQ(player(1)->getMediaTime(), played);
}

TEST_F(CanvasSoundTest, SuspendAndResumeStopEveryChannel)
{
    loadWav(0, 0);
    loadWav(1, 0);
    show();
    ASSERT_TRUE(runUntil([&] { return canvas->updates >= 1; }));
    for (int32_t request : {TqCanvas::ACTIVITY_SUSPEND, TqCanvas::ACTIVITY_RESUME}) {
        SCOPED_TRACE(request);
        sounds->playSound(0, 0);
        sounds->run();
        sounds->playSound(5, 1);
        ASSERT_TRUE(sounds->isSoundPlaying(0));
        canvas->requestActivityState(request);
        EXPECT_FALSE(sounds->isSoundPlaying(-1));
        EXPECT_EQ(pending(5), -1);
        // The manager does not start them again by itself.
        int32_t frames = canvas->updates;
        ASSERT_TRUE(runUntil([&] { return canvas->updates >= frames + 2; }));
        EXPECT_FALSE(sounds->isSoundPlaying(-1));
    }
}

TEST_F(CanvasSoundTest, ExitClosesTheManager)
{
    loadWav(0, 0);
    show();
    ASSERT_TRUE(runUntil([&] { return canvas->updates >= 1; }));
    EXPECT_TRUE(stop());
    EXPECT_TRUE(sounds->closed);
    EXPECT_FALSE(sounds->isLoaded(0));
}

} // namespace
