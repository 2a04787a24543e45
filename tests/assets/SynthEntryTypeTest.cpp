#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "assets/support/SoundEntries.h"
#include "wince/AudioMixer.h"

namespace {

// A sound as the WAV player reads it: its format and its samples.
struct Sound {
    HALPlayer::WavInfo info{};
    std::vector<int16_t> samples;

    int32_t peak(size_t from = 0, size_t to = SIZE_MAX) const
    {
        int32_t most = 0;
        for (size_t i = from; i < std::min(to, samples.size()); i++)
            most = std::max(most, std::abs(int32_t(samples[i])));
        return most;
    }

    // Sign changes from negative to positive or zero.
    int32_t rises(size_t from, size_t to) const
    {
        int32_t count = 0;
        for (size_t i = from + 1; i < std::min(to, samples.size()); i++)
            count += samples[i - 1] < 0 && samples[i] >= 0;
        return count;
    }
};

class SynthEntryTypeTest : public ::testing::Test {
protected:
    std::vector<uint8_t> encode(const std::string& source) { return sources.encode(source); }

    Sound read(const std::string& source)
    {
        std::vector<uint8_t> file = encode(source);
        Sound sound;
        EXPECT_EQ(HALPlayer::readWav(file.data(), int32_t(file.size()), &sound.info), 0);
        EXPECT_TRUE(AudioMixer::isPlayable(&sound.info.format));
        for (size_t i = HALPlayer::kWavHeaderBytes; i + 1 < file.size(); i += 2)
            sound.samples.push_back(int16_t(file[i] | file[i + 1] << 8));
        return sound;
    }

    vxtest::SoundSource sources{"synth", "effect.synth"};
};

TEST_F(SynthEntryTypeTest, WritesMonoSixteenBitSoundsThePlayerReads)
{
    Sound sound = read("rate 8000\ntone wave=sine from=500 length=250 volume=50\n");
    EXPECT_EQ(sound.info.format.wFormatTag, 1);
    EXPECT_EQ(sound.info.format.nChannels, 1);
    EXPECT_EQ(sound.info.format.nSamplesPerSec, 8000u);
    EXPECT_EQ(sound.info.format.wBitsPerSample, 16);
    EXPECT_EQ(sound.info.format.nAvgBytesPerSec, 16000u);
    EXPECT_EQ(sound.info.sampleBytes, 4000u);
    // Half of full scale, 125 periods in a quarter of a second.
    EXPECT_NEAR(sound.peak(), 16384, 100);
    EXPECT_NEAR(sound.rises(0, sound.samples.size()), 125, 1);

    // Without a rate: 22050 samples a second; the sound lasts until its
    // last tone ends.
    Sound late = read("tone length=100\ntone at=300 length=50\n");
    EXPECT_EQ(late.info.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(late.samples.size(), size_t(22050 * 350 / 1000));
}

TEST_F(SynthEntryTypeTest, ShapesEachWaveAtItsPitchAndVolume)
{
    struct Case {
        const char* wave;
        int32_t volume;
        bool periodic;
    };
    const Case cases[] = {
        {"sine", 40, true}, {"square", 30, true}, {"triangle", 60, true}, {"saw", 80, true}, {"noise", 25, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wave);
        std::string source = std::string("rate 10000\ntone wave=") + c.wave + " from=250 length=400 volume=" +
                             std::to_string(c.volume) + "\n";
        Sound sound = read(source);
        ASSERT_EQ(sound.samples.size(), 4000u);
        EXPECT_LE(sound.peak(), c.volume * 32767 / 100 + 1);
        EXPECT_GE(sound.peak(), c.volume * 32767 / 100 * 9 / 10);
        int32_t rises = sound.rises(0, sound.samples.size());
        if (c.periodic)
            EXPECT_NEAR(rises, 100, 1);
        else
            EXPECT_GT(rises, 10); // random values held for a period each
        // Builds are reproducible, noise included.
        EXPECT_EQ(encode(source), encode(source));
    }
}

TEST_F(SynthEntryTypeTest, SlidesThePitchAndShapesTheLoudness)
{
    // An octave down over the tone: twice the periods at its start as at its end.
    Sound slide = read("rate 16000\ntone wave=square from=800 to=400 length=1000\n");
    int32_t first = slide.rises(0, 1600);
    int32_t last = slide.rises(14400, 16000);
    EXPECT_NEAR(first, 77, 2);
    EXPECT_NEAR(last, 41, 2);

    // Silent before its start, rising over its attack, silent at its end.
    Sound shaped = read("rate 10000\ntone wave=square from=100 at=100 length=500 attack=100 release=200 volume=50\n");
    ASSERT_EQ(shaped.samples.size(), 6000u);
    EXPECT_EQ(shaped.peak(0, 1000), 0);
    EXPECT_LT(shaped.peak(1000, 1100), 16384 / 10 + 2);
    EXPECT_NEAR(shaped.peak(2000, 4000), 16384, 2);
    EXPECT_LT(shaped.peak(5900), 16384 / 20 + 2);
    EXPECT_EQ(shaped.samples.back(), 0);

    // Tones mix: two apart add up.
    Sound chord = read("rate 10000\ntone from=200 length=100 volume=30\ntone from=300 length=100 volume=30\n");
    EXPECT_GT(chord.peak(), 32767 * 45 / 100);
}

TEST_F(SynthEntryTypeTest, RefusesBadDescriptionsNamingTheLine)
{
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"tone length=10 wave=hum\n", "effect.synth:1: wave is sine, square, triangle, saw or noise: hum"},
        {"tone from=440\n", "effect.synth:1: a tone needs length=<milliseconds>"},
        {"tone length=100 attack=60 release=50\n", "effect.synth:1: attack and release last longer than the tone"},
        {"tone length=10 pitch=3\n", "effect.synth:1: unknown key pitch"},
        {"tone length=10 loud\n", "effect.synth:1: expected key=value: loud"},
        {"tone length=10 volume=101\n", "effect.synth:1: volume must be from 0 to 100: 101"},
        {"tone length=10 from=0\n", "effect.synth:1: from must be from 1 to 20000: 0"},
        {"tone length=10001\n", "effect.synth:1: length must be from 1 to 10000: 10001"},
        {"rate 4000\n", "effect.synth:1: rate must be from 8000 to 48000: 4000"},
        {"tone length=10\nrate 8000\n", "effect.synth:2: the rate comes once, before the tones"},
        {"rate 8000\nrate 8000\n", "effect.synth:2: the rate comes once, before the tones"},
        {"beep length=10\n", "effect.synth:1: unknown line: beep"},
        {"# nothing\n", "effect.synth: no tones"},
        {"tone from=100 length=50 volume=60\ntone from=100 at=20 length=50 volume=60\n",
         "effect.synth: the mix goes past full scale at 21 ms"},
    };
    for (const Case& c : cases) {
        std::string error = sources.error(c.source);
        EXPECT_NE(error.find(c.message), std::string::npos) << c.source << " gave: " << error;
    }
}

} // namespace
