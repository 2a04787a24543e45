// A stage flown twice with the same seed, frame time and input: the play
// state agrees after every 100th frame.

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"

namespace {

using scene::mainGame::MainGame;

class PlayReplayTest : public playtest::PlayFixture {};

TEST_F(PlayReplayTest, SameSeedAndInputFlyTheSameStage)
{
    playtest::Script script;
    playtest::sweepLeftRight(script, 20, 30, 4);
    std::vector<uint64_t> first, second;
    startStage(0, 1);
    fly(script, 300, [] { return false; }, &first);
    startStage(0, 1);
    fly(script, 300, [] { return false; }, &second);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(playtest::firstDivergentFrame(first, second, 100), -1);
}

} // namespace
