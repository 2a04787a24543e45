// The menu music as the game's pack holds it (sound 3 from resource 1081),
// read through the platform's WAV reader: PCM that lasts exactly as long as
// its score, and whose last samples flow into its first when it loops.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "assets/support/SoundEntries.h"
#include "engine/support/PackFolderTest.h"

using tq::Resources;

namespace {

constexpr int32_t kMusic = 0x439;
constexpr size_t kHeaderBytes = 44;

class MenuMusicPackTest : public PackFolderTest {
protected:
    void SetUp() override
    {
        PackFolderTest::SetUp();
        copyPack(VX_GAME_RSC);
    }
    void TearDown() override { Resources::closePack(); }
};

TEST_F(MenuMusicPackTest, IsAWavAsLongAsItsScoreThatLoopsWithoutAClick)
{
    // The sound manager gives type byte 1 the content type "audio/x-wav".
    ASSERT_EQ(Resources::getEntryByte(kMusic), 1);
    Bytes file = vxtest::packedSound(kMusic);
    HALPlayer::WavInfo info{};
    ASSERT_EQ(HALPlayer::readWav(file.data(), int32_t(file.size()), &info), 0);
    EXPECT_EQ(info.format.wFormatTag, 1);
    EXPECT_EQ(info.format.nChannels, 1);
    EXPECT_EQ(info.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(info.format.wBitsPerSample, 16);
    ASSERT_EQ(file.size(), kHeaderBytes + info.sampleBytes);

    std::vector<int32_t> s(info.sampleBytes / 2);
    for (size_t i = 0; i < s.size(); i++)
        s[i] = int16_t(file[kHeaderBytes + 2 * i] | file[kHeaderBytes + 2 * i + 1] << 8);
    uint64_t ms = vxtest::playedLength(
        vxtest::playedMessages(vxtest::encodeEntry("score", VX_GAME_SOUND_DIR "/menu.score")));
    EXPECT_EQ(s.size(), ms * 22050 / 1000);
    ASSERT_GT(s.size(), 1000u);

    // Played in a loop, sample i follows i - 1 and the first the last.
    size_t n = s.size();
    auto at = [&](int64_t i) { return s[size_t((i % int64_t(n) + int64_t(n)) % int64_t(n))]; };
    auto step = [&](int64_t i) { return at(i) - at(i - 1); };
    auto bend = [&](int64_t i) { return step(i + 1) - step(i); };
    // Around the join the music moves as it does a little before and after
    // it: a step or a bend at the join no larger than the largest within
    // 2 ms either side (a click is a step the neighbours do not have).
    int32_t nearStep = 0, nearBend = 0;
    for (int64_t d = 2; d <= 44; d++) {
        for (int64_t i : {-d, d}) {
            nearStep = std::max(nearStep, std::abs(step(i)));
            nearBend = std::max(nearBend, std::abs(bend(i)));
        }
    }
    for (int64_t i : {0, 1}) {
        EXPECT_LE(std::abs(step(i)), nearStep + 64) << "step into sample " << i;
        EXPECT_LE(std::abs(bend(i - 1)), nearBend + 64) << "bend at sample " << i - 1;
    }
    // The loop is heard at its join: not silence meeting silence.
    EXPECT_GT(nearStep, 16);
}

} // namespace
