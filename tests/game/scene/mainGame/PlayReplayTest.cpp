// Replays of stage 1 at level 1: a seeded random source, 40 ms frames and a
// ship with homing missiles and three satellites that drops to the bottom of
// the screen and sweeps left and right, flown from the stage's start until
// the waves hand over to the boss. The play state's hash after every 100th frame must
// match the list recorded here; the first frame where it does not is named.
//
// Re-recording, after a change that is meant to change the play: run
//   VX_RECORD_REPLAY=1 ./build/default/tests/vx_tests_game --gtest_filter='PlayReplayTest.*'
// and paste the printed list over kRecorded.

#include <cstdlib>
#include <iostream>

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"

namespace {

using scene::mainGame::MainGame;

// Frames the waves of the stage may take at the most.
constexpr int32_t kFrameLimit = 20000;
constexpr int32_t kEvery = 100;
// Homing missiles and three satellites, both at level 3.
constexpr playtest::Loadout kLoadout{2, 3, 2, 3};

const std::vector<uint64_t> kRecorded = {
    // 1792 frames to the boss
    0xb86a7b632aaa7a51ull, 0xca744bc3b01ff05eull, 0x256db0781539a2e6ull,
    0xfa4778738f0cc3eull, 0x1a343a2cfbefa0f2ull, 0xcfc402f520a8c22eull,
    0xa56df0897e5a0fd0ull, 0xb7837188bf122efdull, 0x7cfcb902de06cc04ull,
    0xad3b8dcc1744f41cull, 0x2158e02adcd1a1b5ull, 0x7d9aee97e1f5e17ull,
    0xbd44acbbfbe151c7ull, 0x4f88d7921f60f3d6ull, 0xfb7f47e278f32e04ull,
    0xf34194625b00efffull, 0x43bfcb6edc5ee6c4ull,
};

class PlayReplayTest : public playtest::PlayFixture {
protected:
    // The whole flight: once in play the ship goes down to the bottom, and
    // it sweeps the screen from the first frame on.
    static playtest::Script sweepingShip()
    {
        playtest::Script script;
        playtest::holdKey(script, playtest::kDownKey, 60, 100);
        playtest::sweepLeftRight(script, 0, 40, kFrameLimit / 80);
        return script;
    }
    // Stage 1 at level 1 from its start to the boss; the hashes on the way.
    std::vector<uint64_t> flyToTheBoss()
    {
        painting = true;
        startStage(0, 1, kLoadout);
        std::vector<uint64_t> hashes;
        fly(sweepingShip(), kFrameLimit, [] { return MainGame::bossStarted; }, &hashes, kEvery);
        return hashes;
    }
};

TEST_F(PlayReplayTest, StageOneFliesAsRecordedUntilTheBoss)
{
    std::vector<uint64_t> hashes = flyToTheBoss();
    ASSERT_TRUE(MainGame::bossStarted) << "no boss after " << frameNumber << " frames";
    if (std::getenv("VX_RECORD_REPLAY") != nullptr) {
        std::cout << "// " << frameNumber << " frames to the boss\n"
                  << playtest::hashListSource(hashes);
        return;
    }
    int32_t divergent = playtest::firstDivergentFrame(kRecorded, hashes, kEvery);
    EXPECT_EQ(divergent, -1) << "the play first differs from the recording by frame "
                             << divergent << " (" << frameNumber << " frames flown)";
}

TEST_F(PlayReplayTest, TwoFlightsInOneProcessAgree)
{
    // Whatever the first flight leaves in statics and caches, the second
    // starts from the same seed and flies the same stage.
    std::vector<uint64_t> first = flyToTheBoss();
    int32_t frames = frameNumber;
    std::vector<uint64_t> second = flyToTheBoss();
    EXPECT_EQ(frameNumber, frames);
    EXPECT_EQ(playtest::firstDivergentFrame(first, second, kEvery), -1);
}

TEST(PlayReplayCompare, NamesTheFirstDivergentFrame)
{
    using playtest::firstDivergentFrame;
    const std::vector<uint64_t> recorded{1, 2, 3};
    EXPECT_EQ(firstDivergentFrame(recorded, {1, 2, 3}, 100), -1);
    EXPECT_EQ(firstDivergentFrame(recorded, {1, 9, 3}, 100), 200);
    EXPECT_EQ(firstDivergentFrame(recorded, {1, 2}, 100), 300) << "a flight that ended early";
    EXPECT_EQ(firstDivergentFrame(recorded, {1, 2, 3, 4}, 100), 400) << "one that went on";
}

} // namespace
