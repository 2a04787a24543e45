// The in-play HUD: its items and boxes over the play test pack's panels,
// the life icons, the end banner, and the boss bar's width and fill for
// every hit-point count, a maximum of 0 included.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/PlayHarness.h"
#include "game/ui/UiFixture.h"
#include "scene/mainGame/ClsUiIngame.h"
#include "support/LangTestSupport.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::ClsUiIngame;
using scene::mainGame::MainGame;
using uitest::Calls;
using uitest::Ints;
using uitest::rect4;

namespace {

// A boss that answers the hit points it is given.
class HpBoss : public scene::mainGame::boss::ClsBoss {
    VM_CLASS(HpBoss, scene::mainGame::boss::ClsBoss)

    void start() override {}
    int32_t getBossHp() override { return hp; }
    int32_t getMaxHp() override { return max; }

    int32_t hp = 0;
    int32_t max = 0;
};

// A player that answers the lives it is given.
class LivesPlayer : public ClsPlayer {
    VM_CLASS(LivesPlayer, ClsPlayer)

    int32_t getLives() override { return count; }

    int32_t count = 3;
};

class ClsUiIngameTest : public playtest::PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        player = LivesPlayer::newInstance();
        player->init();
        MainGame::player = player;
        MainGame::bossStarted = false;
    }
    void TearDown() override
    {
        MainGame::player = nullptr;
        player = nullptr;
        MainGame::boss3 = nullptr;
        MainGame::bossStarted = false;
        PlayFixture::TearDown();
    }

    // A HUD as the play scene makes it: 10 places, its items built.
    static VMPtr<ClsUiIngame> built()
    {
        VMPtr<ClsUiIngame> hud = ClsUiIngame::newInstance()->init();
        hud->allocItems(10);
        hud->setupItems();
        return hud;
    }
    static Ints lifeFrames(const VMPtr<ClsUiIngame>& hud)
    {
        Ints frames;
        for (int32_t i = hud->lastLifeItem - 2; i <= hud->lastLifeItem; i++)
            frames.push_back(hud->getItemFrame(i));
        return frames;
    }
    static Ints place(const VMPtr<ClsUiIngame>& hud, int32_t i)
    {
        return {hud->getItemX(i), hud->getItemY(i), hud->getItemFrame(i)};
    }

    VMStatic<LivesPlayer> player;
};

TEST_F(ClsUiIngameTest, BuildsItsItemsAtTheirPlacesAndReadsTheirBoxes)
{
    VMPtr<ClsUiIngame> hud = built();
    EXPECT_EQ(hud->topBarItem, 0);
    EXPECT_EQ(hud->lastLifeItem, 3);
    EXPECT_EQ(hud->bossBarItem, 4);
    EXPECT_EQ(hud->bannerItem, 5);
    EXPECT_EQ(ClsUiIngame::pauseButtonItem, 6);
    EXPECT_EQ(hud->nextItem, 7);

    // The life icon is 10 wide and 8 high: the icons stand one icon width
    // apart, one width from the left and one height from the top; the boss
    // bar two heights down.
    EXPECT_EQ(ClsUiIngame::iconHeight, 8);
    const Ints expected[] = {
        {240, 0, 1},                             // top bar
        {10, 8, 31}, {20, 8, 31}, {30, 8, 31},   // lives
        {120, 16, 1},                            // boss bar, idle look
        {120, 160, 1},                         // banner, nothing shown
        {240, 0, 19},                          // pause button
    };
    for (int32_t i = 0; i < 7; i++)
        EXPECT_EQ(place(hud, i), expected[i]) << "item " << i;
    EXPECT_EQ(hud->getItemKind(hud->bannerItem), ClsUiIngame::ANIM_ITEM);

    // The bar's fill is frame 0's box 0, read before the idle look.
    EXPECT_EQ((Ints{hud->barX, hud->barY, hud->barFullWidth, hud->barHeight}),
              (Ints{116, 12, 8, 8}));
    EXPECT_EQ(hud->barWidth, 0);
    EXPECT_EQ(rect4(hud->getMoneyRect()), (Ints{40, 4, 80, 16}));
    EXPECT_EQ(rect4(hud->getPauseButtonRect()), (Ints{210, 0, 30, 30}));

    // Every place, used or not, is clipped to the screen.
    for (int32_t i = 0; i < 10; i++)
        EXPECT_EQ(rect4(hud->itemClip->get(i)), (Ints{0, 0, 240, 320})) << "place " << i;

    hud->setPauseFrame15();
    EXPECT_EQ(hud->getItemFrame(ClsUiIngame::pauseButtonItem), 15);
    hud->setPauseFrame19();
    EXPECT_EQ(hud->getItemFrame(ClsUiIngame::pauseButtonItem), 19);
}

TEST_F(ClsUiIngameTest, LivesLostTurnTheRightmostIconsOff)
{
    const struct {
        int32_t lives;
        Ints frames;
    } cases[] = {
        {3, {31, 31, 31}}, {2, {31, 31, 32}}, {1, {31, 32, 32}}, {0, {32, 32, 32}},
        {4, {31, 31, 31}}, {-1, {31, 31, 31}},  // no such count: nothing changes
    };
    for (const auto& c : cases) {
        VMPtr<ClsUiIngame> hud = built();
        player->count = c.lives;
        hud->update();
        EXPECT_EQ(lifeFrames(hud), c.frames) << c.lives << " lives";
    }

    // An icon once off stays off for the stage.
    VMPtr<ClsUiIngame> hud = built();
    player->count = 1;
    hud->update();
    player->count = 3;
    hud->update();
    EXPECT_EQ(lifeFrames(hud), (Ints{31, 32, 32}));
}

TEST_F(ClsUiIngameTest, EndBannerShowsHowTheStageEnded)
{
    for (bool cleared : {true, false}) {
        VMPtr<ClsUiIngame> hud = built();
        EXPECT_EQ(hud->getItemFrame(hud->bannerItem), ClsUiIngame::BANNER_NONE);
        hud->showEndBanner(cleared);
        int32_t shown = cleared ? ClsUiIngame::BANNER_CLEARED : ClsUiIngame::BANNER_DESTROYED;
        EXPECT_EQ(hud->getItemFrame(hud->bannerItem), shown);
        EXPECT_EQ(hud->players->get(hud->bannerItem)->getAnimation(), shown);
    }
}

TEST_F(ClsUiIngameTest, BossBarWidthStaysWithinTheBar)
{
    const struct {
        int32_t full, hp, max, width;
    } cases[] = {
        {100, 1000, 1000, 100}, {100, 500, 1000, 50}, {100, 0, 1000, 0},
        {100, 1, 1000, 0},      // (100 * 1 * 100 / 1000) / 100 truncates to 0
        {100, 999, 1000, 99},   {7, 1, 3, 2},
        {100, 5, 0, 0},         // no maximum: empty, no division
        {100, 5, -10, 0},       {100, -30, 1000, 0},
        {100, 1500, 1000, 100}, // more than the maximum: a full bar
        {240, 2000000, 2000000, 240}, {240, 1000000, 2000000, 120},  // past 2^31 on the way
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClsUiIngame::bossBarWidth(c.full, c.hp, c.max), c.width)
            << c.full << " " << c.hp << "/" << c.max;
}

TEST_F(ClsUiIngameTest, BossBarFollowsTheBossDuringTheFightOnly)
{
    MainGame::stage = 2;
    VMPtr<HpBoss> boss = HpBoss::newInstance();
    boss->hp = 500;
    boss->max = 1000;
    MainGame::boss3 = boss;
    VMPtr<ClsUiIngame> hud = built();
    auto painted = [&] {
        VMPtr<uitest::RecordingGraphics> g = uitest::RecordingGraphics::newInstance();
        hud->paintBossBar(g);
        return g->calls;
    };

    // Before the fight: the idle look, no width, nothing filled.
    hud->update();
    EXPECT_EQ(hud->getItemFrame(hud->bossBarItem), 1);
    EXPECT_EQ(hud->barWidth, 0);
    EXPECT_EQ(painted(), Calls{});

    MainGame::bossStarted = true;
    const struct {
        int32_t hp, max, width;
    } fight[] = {{1000, 1000, 8}, {500, 1000, 4}, {0, 1000, 0}, {-40, 1000, 0},
                 {4000, 1000, 8}, {500, 0, 0}};
    for (const auto& f : fight) {
        boss->hp = f.hp;
        boss->max = f.max;
        hud->update();
        EXPECT_EQ(hud->getItemFrame(hud->bossBarItem), 0);
        EXPECT_EQ(hud->barWidth, f.width) << f.hp << "/" << f.max;
        EXPECT_EQ(painted(), Calls{"fill 116 12 " + std::to_string(f.width) + " 8 FF0000"});
    }

    // A stage without a boss answers 0 of 0: an empty bar.
    boss->hp = boss->max = 1000;
    hud->update();
    MainGame::stage = 8;
    hud->update();
    EXPECT_EQ(hud->barWidth, 0);

    // The fight over, the fill is no longer drawn and the width is kept.
    MainGame::stage = 2;
    hud->update();
    MainGame::bossStarted = false;
    boss->hp = 0;
    hud->update();
    EXPECT_EQ(hud->barWidth, 8);
    EXPECT_EQ(painted(), Calls{});
}

TEST_F(ClsUiIngameTest, PlaySceneShowsTheMoneyInTheMoneyBoxAndTheLivesLeft)
{
    // The scene's own player here.
    MainGame::player = nullptr;
    player = nullptr;
    startStage(2, 1);
    MainGame::money = 2500;
    frame(play.get());
    VMPtr<ui::Addon> label = play->moneyLabel;
    EXPECT_EQ(vmText(label->labelTexts->get(0)), "$ 2500");
    VMPtr<ClsUiIngame::IntArray> at = label->labelPositions->get(0);
    EXPECT_EQ((Ints{(*at)[0], (*at)[1]}), (Ints{40, 4})) << "the money box's corner";

    VMPtr<ClsUiIngame> hud = play->hud;
    EXPECT_EQ(lifeFrames(hud), (Ints{31, 31, 31}));
    MainGame::player->setLives(1);
    frame(play.get());
    EXPECT_EQ(lifeFrames(hud), (Ints{31, 32, 32}));
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(LivesPlayer, "tests.mainGame.LivesPlayer", "scene.mainGame.ClsPlayer",
                             "tests_mainGame_LivesPlayer", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(HpBoss, "tests.mainGame.HpBoss", "scene.mainGame.boss.ClsBoss",
                             "tests_mainGame_HpBoss", nullptr);
