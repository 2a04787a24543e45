// The pause panel: its boxes and marker over the play test pack's panel,
// the marker on each row, and in the play scene: rows marked by key and
// touch, and every play object frozen while the panel is open.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/SceneFixture.h"
#include "main/Game.h"
#include "scene/mainGame/ClsUiPause.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/weapon/ClsEnemyBullet.h"
#include "tq/util/FastRandom.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::ClsUiPause;
using scene::mainGame::MainGame;

namespace {

using Ints = std::vector<int32_t>;
using Strings = std::vector<std::string>;

// Game keys of the logical keys the pause panel answers.
constexpr int32_t kPauseKey = 29;
constexpr int32_t kUpKey = 1;
constexpr int32_t kDownKey = 6;
constexpr int32_t kSelectKey = 8;

// The test pack's panel at (120, 160): title (40, 100, 160, 20), upper row
// (40, 130, 160, 24), lower row (40, 170, 160, 24).
constexpr int32_t kMarkerX = 120;
constexpr int32_t kUpperY = 142;
constexpr int32_t kLowerY = 182;

Ints box(const VMPtr<ClsUiPause::IntArray>& b)
{
    return Ints(b->elements(), b->elements() + 4);
}

Ints marker(const VMPtr<ClsUiPause>& panel)
{
    return {panel->getItemX(ClsUiPause::markerItem), panel->getItemY(ClsUiPause::markerItem)};
}

class ClsUiPauseTest : public scenetest::SceneFixture {
protected:
    void SetUp() override
    {
        SceneFixture::SetUp();
        copyPack(VX_PLAY_PACK);
        main::Main::random = tq::util::FastRandom::newInstance()->init(int64_t(7));
        main::Main::game = main::Game::newInstance()->init();
        MainGame::selectedStage = 2;
    }
    void TearDown() override
    {
        play = nullptr;
        main::Main::game = nullptr;
        main::Main::random = nullptr;
        SceneFixture::TearDown();
    }

    // A panel as the play scene makes it: 3 places, its items built.
    static VMPtr<ClsUiPause> built()
    {
        VMPtr<ClsUiPause> panel = ClsUiPause::newInstance()->init();
        panel->allocItems(3);
        panel->setupItems();
        return panel;
    }
    // A play scene entered as the manager does it, the ship in play.
    void startPlaying()
    {
        play = MainGame::newInstance()->init();
        scene::SceneManager::currentScene = VMPtr<ui::Scene>(play.get());
        play->setEntering(true);
        ASSERT_TRUE(enter(play.get()));
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

    VMStatic<MainGame> play;
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

    EXPECT_EQ(box(panel->getTitleRect()), (Ints{40, 100, 160, 20}));
    EXPECT_EQ(box(panel->getUpperRowRect()), (Ints{40, 130, 160, 24}));
    EXPECT_EQ(box(panel->getLowerRowRect()), (Ints{40, 170, 160, 24}));
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
    touch(true, 200, 194);
    EXPECT_EQ(marker(panel), (Ints{kMarkerX, kLowerY}));
    EXPECT_TRUE(play->paused);
    EXPECT_TRUE(play->pauseChoice);
    touch(false, 40, 130);
    EXPECT_FALSE(play->paused);
    EXPECT_TRUE(play->pauseChoice);
    EXPECT_FALSE(panel->isActive());
    EXPECT_EQ(sceneRequests(), Strings{});

    // A touch between the rows does nothing.
    tap(kPauseKey);
    ASSERT_TRUE(play->paused);
    touch(true, 120, 160);
    touch(false, 120, 160);
    EXPECT_TRUE(play->paused);

    // Lifted on the quit row: the stage ends.
    touch(false, 120, 180);
    EXPECT_FALSE(play->paused);
    EXPECT_FALSE(play->pauseChoice);
    EXPECT_EQ(sceneRequests(), Strings{"changeScene 10"});
}

// What a play object shows: each item's place, frame and animation step,
// and a plane's element positions.
Ints looks(ui::MyObject* o)
{
    Ints out;
    auto* panel = dynamic_cast<ui::Screen*>(o);
    if (panel == nullptr)
        return out;
    for (int32_t i = 0; i < panel->nextItem; i++) {
        out.insert(out.end(), {panel->getItemX(i), panel->getItemY(i), panel->getItemFrame(i)});
        VMPtr<tq::AnimPlayer> player = panel->players->get(i);
        out.push_back(player != nullptr ? player->getStep() : -1);
    }
    if (auto* plane = dynamic_cast<scene::mainGame::ClsPlane*>(o); plane && plane->x) {
        out.insert(out.end(), plane->x->elements(), plane->x->elements() + plane->x->length);
        out.insert(out.end(), plane->y->elements(), plane->y->elements() + plane->y->length);
    }
    return out;
}

TEST_F(ClsUiPauseTest, PauseFreezesEveryPlayObjectUntilPlayGoesOn)
{
    startPlaying();
    VMPtr<scene::mainGame::weapon::ClsExplo> explo = MainGame::explosions;
    // The pool is made here when the scene has not made it.
    if (explo->nextItem == 0)
        explo->setupItems();
    // Some play first, then an explosion and a falling shot.
    for (int32_t i = 0; i < 30; i++)
        frame(play.get());
    MainGame::player->setState(ClsPlayer::STATE_PLAYING);
    explo->explode(1, 50, 60);
    VMPtr<scene::mainGame::weapon::ClsEnemyBullet> shot =
        scene::mainGame::weapon::ClsEnemyBullet::newInstance()->init(100 << 5, 100 << 5, 0, 32, 1);
    MainGame::enemyBullets->add(shot);

    tap(kPauseKey);
    ASSERT_TRUE(play->paused);
    std::vector<ui::MyObject*> frozen{MainGame::player.get(), MainGame::enemies.get(),
                                      MainGame::explosions.get(), play->themeItem.get()};
    if (MainGame::getBoss() != nullptr)
        frozen.push_back(MainGame::getBoss().get());
    ASSERT_EQ(frozen.size(), 5u) << "stage 2 has its boss";
    std::vector<Ints> before;
    for (ui::MyObject* o : frozen)
        before.push_back(looks(o));
    int32_t shotY = shot->y;

    for (int32_t i = 0; i < 25; i++)
        frame(play.get());
    for (size_t k = 0; k < frozen.size(); k++) {
        EXPECT_NE(frozen[k]->isStopped(), 0) << k;
        EXPECT_EQ(looks(frozen[k]), before[k]) << "object " << k << " moved while paused";
    }
    EXPECT_EQ(shot->y, shotY);
    EXPECT_EQ(explo->getItemFrame(0), 1) << "the explosion is held";

    // Continue: the shot falls again and the explosion plays on.
    tap(kSelectKey);
    ASSERT_FALSE(play->paused);
    for (ui::MyObject* o : frozen)
        EXPECT_EQ(o->isStopped(), 0);
    Ints held = looks(explo.get());
    for (int32_t i = 0; i < 5 && looks(explo.get()) == held; i++)
        frame(play.get());
    EXPECT_NE(looks(explo.get()), held);
    EXPECT_GT(shot->y, shotY);
}

} // namespace
