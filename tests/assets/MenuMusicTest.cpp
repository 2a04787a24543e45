#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "assets/support/SoundEntries.h"
#include "hal/audio.h"
#include "support/HalTestSupport.h"
#include "wince/MidiSynth.h"

namespace {

std::vector<uint8_t> menuMusicFile()
{
    return vxtest::encodeEntry("score", VX_GAME_SOUND_DIR "/menu.score");
}

class MenuMusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* font = std::getenv("VEXALON_SOUNDFONT");
        std::filesystem::path path = font && *font ? font : "/usr/share/sounds/sf2/TimGM6mb.sf2";
        ASSERT_TRUE(std::filesystem::exists(path)) << path << ": the set-up installs the sound font";
    }
};

TEST_F(MenuMusicTest, KeepsToWhatTheMidiPlayerPlays)
{
    std::vector<MIDIWAVEMESSAGE> messages = vxtest::playedMessages(menuMusicFile());
    ASSERT_FALSE(messages.empty());
    for (const MIDIWAVEMESSAGE& m : messages) {
        uint32_t kind = m.message & 0xF0;
        EXPECT_TRUE(kind == 0x90 || kind == 0xB0 || kind == 0xC0) << std::hex << m.message;
    }
    // A menu loop of half a minute to a minute, ticks being milliseconds.
    EXPECT_GE(vxtest::playedLength(messages), 30000u);
    EXPECT_LE(vxtest::playedLength(messages), 60000u);
}

TEST_F(MenuMusicTest, PlaysThroughThePlatformPlayerForItsLengthAndIsHeard)
{
    std::vector<uint8_t> file = menuMusicFile();
    uint64_t length = vxtest::playedLength(vxtest::playedMessages(file));
    wince::useManualAudio(true);
    // The player echoes every message it reads to the console: not here.
    std::fflush(stdout);
    int console = dup(1);
    int nowhere = open("/dev/null", O_WRONLY);
    dup2(nowhere, 1);
    HALPlayer* player = nullptr;
    int32_t created = HAL_createPlayerWithData(&player, reinterpret_cast<const int8_t*>(file.data()),
                                               int32_t(file.size()), 6, 0);
    std::fflush(stdout);
    dup2(console, 1);
    close(console);
    close(nowhere);
    ASSERT_EQ(created, 0);
    ASSERT_EQ(HAL_startPlayer(player), 0);

    std::vector<float> frames;
    wince::pumpAudio(DWORD(length - 20), &frames);
    int32_t state = -1;
    EXPECT_EQ(HAL_getPlayerState(&state, player), 0);
    EXPECT_EQ(state, 2); // still playing
    // Every second is heard, none too loud for the mix.
    float peak = 0;
    for (size_t second = 0; second + 1 < frames.size() / (2 * wince::kAudioRate); second++) {
        double energy = 0;
        for (size_t i = 2 * second * wince::kAudioRate; i < 2 * (second + 1) * wince::kAudioRate; i++) {
            energy += double(frames[i]) * frames[i];
            peak = std::max(peak, std::fabs(frames[i]));
        }
        EXPECT_GT(std::sqrt(energy / (2 * wince::kAudioRate)), 0.01) << "second " << second;
    }
    EXPECT_GT(peak, 0.1f);
    EXPECT_LT(peak, 1.0f);

    wince::pumpAudio(40);
    EXPECT_EQ(HAL_getPlayerState(&state, player), 0);
    EXPECT_EQ(state, 1); // at its end
    EXPECT_EQ(HAL_closePlayer(player), 0);
    wince::useManualAudio(false);
}

TEST_F(MenuMusicTest, EndsEveryNoteItStartsWithinALoop)
{
    std::vector<MIDIWAVEMESSAGE> messages = vxtest::playedMessages(menuMusicFile());
    // Twice round, as the looping player plays it, rendered by the MIDI
    // device's synthesizer, a tick being a millisecond, then three seconds.
    messages.insert(messages.end(), messages.begin(), messages.end());
    MidiSynth synth(wince::kAudioRate);
    std::vector<float> frames;
    uint64_t ticks = 0;
    auto renderTo = [&](uint64_t ms) {
        size_t done = frames.size() / 2;
        frames.resize(2 * (ms * wince::kAudioRate / 1000), 0.0f);
        synth.renderAdd(frames.data() + 2 * done, uint32_t(frames.size() / 2 - done), 1.0f, 1.0f);
    };
    for (const MIDIWAVEMESSAGE& m : messages) {
        ticks += m.deltaTicks;
        renderTo(ticks);
        synth.send(m.message);
    }
    EXPECT_TRUE(synth.isSounding());
    renderTo(ticks + 3000);
    EXPECT_FALSE(synth.isSounding());
}

TEST(MusicEntryTypeTest, RefusesASynthesizerWithoutItsSoundFont)
{
    vxtest::ScopedEnv font("VEXALON_SOUNDFONT", "/nonexistent/vexalon.sf2");
    std::string error;
    try {
        vxtest::encodeEntry("music", VX_GAME_SOUND_DIR "/menu.score");
    } catch (const packbuilder::BuildError& e) {
        error = e.what();
    }
    EXPECT_NE(error.find("menu.score: the synthesizer gave no sound"), std::string::npos) << error;
}

}  // namespace
