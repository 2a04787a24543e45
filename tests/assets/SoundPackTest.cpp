#include <array>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "assets/support/SoundEntries.h"
#include "engine/support/EngineBytes.h"
#include "engine/support/PackFolderTest.h"
#include "tq/Resources.h"

using tq::Resources;

namespace {

// The menu music and an effect built by the pack builder into the
// application's rsc/ folder, as the game's packs are.
class SoundPackTest : public PackFolderTest {
protected:
    void SetUp() override
    {
        PackFolderTest::SetUp();
        app.write("blip.synth", "tone wave=square from=660 to=990 length=80 release=30 volume=40\n");
        app.write("sound.manifest", "part 1 chunked\n"
                                    "entry MUSIC score " VX_GAME_SOUND_DIR "/menu.score\n"
                                    "entry BLIP synth blip.synth\n");
        std::string command = std::string(VX_PACKBUILDER) + " " + app.path() + "/sound.manifest " + app.path() +
                              "/rsc " + app.path() + "/SoundIds.h 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 256> buffer;
        while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
            output.append(buffer.data(), n);
        ASSERT_EQ(pclose(pipe), 0) << output;
    }
    void TearDown() override { Resources::closePack(); }

    std::string output;
};

TEST_F(SoundPackTest, TheSoundManagerFindsMusicAsMidiAndEffectsAsWav)
{
    constexpr int32_t music = 0x400, blip = 0x401;
    // The sound manager plays an entry byte of 1 as WAV, any other as MIDI.
    EXPECT_EQ(Resources::getEntryByte(music), 0);
    EXPECT_EQ(Resources::getEntryByte(blip), 1);
    EXPECT_EQ(vxtest::packedSound(music), vxtest::encodeEntry("score", VX_GAME_SOUND_DIR "/menu.score"));
    EXPECT_EQ(vxtest::packedSound(blip), vxtest::encodeEntry("synth", app.path() + "/blip.synth"));

    Bytes effect = vxtest::packedSound(blip);
    HALPlayer::WavInfo info{};
    EXPECT_EQ(HALPlayer::readWav(effect.data(), int32_t(effect.size()), &info), 0);
    EXPECT_EQ(info.sampleBytes, 22050u * 80 / 1000 * 2);
    EXPECT_FALSE(vxtest::playedMessages(vxtest::packedSound(music)).empty());
}

} // namespace
