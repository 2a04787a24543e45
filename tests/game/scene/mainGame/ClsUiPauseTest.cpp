// The pause panel: its boxes and marker over the play test pack's panel,
// the marker on each row, and the rows marked by key and touch in the play
// scene.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"
#include "game/ui/UiFixture.h"
#include "scene/mainGame/ClsUiPause.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::ClsUiPause;
using scene::mainGame::MainGame;

namespace {

using Strings = std::vector<std::string>;

using playtest::kDownKey;
using playtest::kPauseKey;
using playtest::kUpKey;
using uitest::Ints;
using uitest::rect4;

// The test pack's panel at (120, 160): title (40, 100, 160, 20), upper row
// (40, 130, 160, 24), lower row (60, 170, 100, 24). The marker stands at the
// upper row's centre on both rows, not at the lower row's (110).
constexpr int32_t kMarkerX = 120;
constexpr int32_t kUpperY = 142;
constexpr int32_t kLowerY = 182;

Ints marker(const VMPtr<ClsUiPause>& panel)
{
    return {panel->getItemX(ClsUiPause::markerItem), panel->getItemY(ClsUiPause::markerItem)};
}

class ClsUiPauseTest : public playtest::PlayFixture {
protected:
    // A panel as the play scene makes it: 3 places, its items built.
    static VMPtr<ClsUiPause> built()
    {
        VMPtr<ClsUiPause> panel = ClsUiPause::newInstance()->init();
        panel->allocItems(3);
        panel->setupItems();
        return panel;
    }
    // Stage 2 entered, the ship in play.
    void startPlaying()
    {
        startStage(2, 1);
        MainGame::player->setState(ClsPlayer::STATE_PLAYING);
    }
    void tap(int32_t key)
    {
        canvas->pressKey(key);
        frame(play.get());
        canvas->releaseKey(key);
        frame(play.get());
    }
    void touch(bool down, int32_t x, int32_t y)
    {
        (*ui::Pointer::currentX)[0] = x;
        (*ui::Pointer::currentY)[0] = y;
        (*ui::Pointer::pressed)[0] = down;
        (*ui::Pointer::released)[0] = !down;
        play->handlePauseInput();
    }
};

TEST_F(ClsUiPauseTest, BuildsTheBackgroundWithItsBoxesAndTheMarkerOnTheUpperRow)
{
    VMPtr<ClsUiPause> panel = built();
    EXPECT_EQ(ClsUiPause::backgroundItem, 0);
    EXPECT_EQ(ClsUiPause::markerItem, 1);
    EXPECT_EQ(panel->nextItem, 2);
    EXPECT_EQ((Ints{panel->getItemX(0), panel->getItemY(0), panel->getItemFrame(0)}),
              (Ints{120, 160, 30}));
    EXPECT_EQ(panel->getItemFrame(ClsUiPause::markerItem), 32);

    EXPECT_EQ(rect4(panel->getTitleRect()), (Ints{40, 100, 160, 20}));
    EXPECT_EQ(rect4(panel->getUpperRowRect()), (Ints{40, 130, 160, 24}));
    EXPECT_EQ(rect4(panel->getLowerRowRect()), (Ints{60, 170, 100, 24}));
    EXPECT_EQ(ClsUiPause::markerX, kMarkerX);
    EXPECT_EQ(panel->upperRowCentreY, kUpperY);
    EXPECT_EQ(panel->lowerRowCentreY, kLowerY);
    EXPECT_EQ(marker(panel), (Ints{kMarkerX, kUpperY}));
}

TEST_F(ClsUiPauseTest, MarkerMovesBetweenTheRowsAndKeepsItsX)
{
    VMPtr<ClsUiPause> panel = built();
    const struct {
        bool upper;
        int32_t y;
    } steps[] = {{false, kLowerY}, {false, kLowerY}, {true, kUpperY}, {true, kUpperY},
                 {false, kLowerY}};
    for (const auto& s : steps) {
        panel->selectRow(s.upper);
        EXPECT_EQ(marker(panel), (Ints{kMarkerX, s.y})) << s.upper;
    }
}

TEST_F(ClsUiPauseTest, PlaySceneMarksRowsByKeyAndTouchAndActsOnTheRelease)
{
    startPlaying();
    tap(kPauseKey);
    ASSERT_TRUE(play->paused);
    ASSERT_TRUE(play->pausePanel->isActive());
    VMPtr<ClsUiPause> panel = play->pausePanel;
    EXPECT_EQ(marker(panel), (Ints{kMarkerX, kUpperY}));

    tap(kDownKey);
    EXPECT_EQ(marker(panel), (Ints{kMarkerX, kLowerY}));
    tap(kUpKey);
    EXPECT_EQ(marker(panel), (Ints{kMarkerX, kUpperY}));

    // Down on the quit row marks it; lifted on the continue row, play goes
    // on. The rows' edges count as inside.
    touch(true, 160, 194);
    EXPECT_EQ(marker(panel), (Ints{kMarkerX, kLowerY}));
    EXPECT_TRUE(play->paused);
    EXPECT_TRUE(play->pauseChoice);
    touch(false, 40, 130);
    EXPECT_FALSE(play->paused);
    EXPECT_TRUE(play->pauseChoice);
    EXPECT_FALSE(panel->isActive());
    EXPECT_EQ(sceneRequests(), Strings{});

    // Reopened, the marker stands on the row the touch answered.
    tap(kPauseKey);
    ASSERT_TRUE(play->paused);
    EXPECT_EQ(marker(panel), (Ints{kMarkerX, kUpperY}));

    // A touch between the rows, or beside the narrower quit row, does
    // nothing.
    for (const Ints& at : {Ints{120, 160}, Ints{200, 180}}) {
        touch(true, at[0], at[1]);
        touch(false, at[0], at[1]);
        EXPECT_TRUE(play->paused) << at[0] << " " << at[1];
        EXPECT_EQ(marker(panel), (Ints{kMarkerX, kUpperY})) << at[0] << " " << at[1];
    }

    // Lifted on the quit row: the stage ends.
    touch(false, 60, 180);
    EXPECT_FALSE(play->paused);
    EXPECT_FALSE(play->pauseChoice);
    EXPECT_EQ(sceneRequests(), Strings{"changeScene 10"});
}

} // namespace
