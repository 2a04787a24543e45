#include <cmath>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "assets/support/SoundEntries.h"
#include "wince/MidiSynth.h"

namespace {

constexpr int kRate = 44100;

// The menu music as the MIDI player keeps it.
std::vector<MIDIWAVEMESSAGE> menuMusic()
{
    return vxtest::playedMessages(vxtest::encodeEntry("score", VX_GAME_SOUND_DIR "/menu.score"));
}

// Stereo frames of the messages rendered by the MIDI device's synthesizer,
// a tick being a millisecond, then `tail` seconds more.
std::vector<float> render(MidiSynth& synth, const std::vector<MIDIWAVEMESSAGE>& messages, int tail)
{
    std::vector<float> out;
    uint64_t ticks = 0;
    auto renderTo = [&](uint64_t frames) {
        size_t done = out.size() / 2;
        out.resize(2 * frames, 0.0f);
        synth.renderAdd(out.data() + 2 * done, uint32_t(frames - done), 1.0f, 1.0f);
    };
    for (const MIDIWAVEMESSAGE& m : messages) {
        ticks += m.deltaTicks;
        renderTo(ticks * kRate / 1000);
        synth.send(m.message);
    }
    renderTo((ticks + 1000u * tail) * kRate / 1000);
    return out;
}

TEST(MenuMusicTest, KeepsToWhatTheMidiPlayerPlays)
{
    std::vector<MIDIWAVEMESSAGE> messages = menuMusic();
    ASSERT_FALSE(messages.empty());
    uint64_t length = 0;
    for (const MIDIWAVEMESSAGE& m : messages) {
        length += m.deltaTicks;
        uint32_t kind = m.message & 0xF0;
        EXPECT_TRUE(kind == 0x90 || kind == 0xB0 || kind == 0xC0) << std::hex << m.message;
    }
    // A menu loop of half a minute to a minute, ticks being milliseconds.
    EXPECT_GE(length, 30000u);
    EXPECT_LE(length, 60000u);
}

TEST(MenuMusicTest, SoundsThroughoutWithoutClippingOrHangingNotes)
{
    const char* font = std::getenv("VEXALON_SOUNDFONT");
    std::filesystem::path path = font && *font ? font : "/usr/share/sounds/sf2/TimGM6mb.sf2";
    ASSERT_TRUE(std::filesystem::exists(path)) << path << ": the set-up installs the sound font";

    std::vector<MIDIWAVEMESSAGE> messages = menuMusic();
    uint64_t length = 0;
    for (const MIDIWAVEMESSAGE& m : messages)
        length += m.deltaTicks;
    // Twice round, as the looping player plays it, then three seconds.
    std::vector<MIDIWAVEMESSAGE> twice = messages;
    twice.insert(twice.end(), messages.begin(), messages.end());
    MidiSynth synth(kRate);
    std::vector<float> frames = render(synth, twice, 3);
    size_t played = size_t(2 * length * kRate / 1000);
    ASSERT_EQ(frames.size(), 2 * (played + 3 * kRate));

    // Every second of the music is heard, none is too loud.
    float peak = 0;
    for (size_t second = 0; second < played / kRate; second++) {
        double energy = 0;
        for (size_t i = 2 * second * kRate; i < 2 * (second + 1) * kRate; i++) {
            energy += double(frames[i]) * frames[i];
            peak = std::max(peak, std::fabs(frames[i]));
        }
        EXPECT_GT(std::sqrt(energy / (2 * kRate)), 0.01) << "second " << second;
    }
    EXPECT_LT(peak, 1.0f);
    EXPECT_GT(peak, 0.1f);
    // Every note ended: the voices die away after the last message.
    EXPECT_FALSE(synth.isSounding());
}

}  // namespace
