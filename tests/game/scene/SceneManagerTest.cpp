// The scene manager: the first scene, scene changes (what goes before the
// new scene comes), ids without a scene, the order of the scene and the
// touch state in a frame, pause, release, and the logical keys.

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HubTestIds.h"
#include "game/support/FakeScene.h"
#include "game/support/HubFixture.h"
#include "game/support/RecordingMediaManager.h"
#include "scene/SceneManager.h"
#include "tq/input/PointerInputKeyManager.h"
#include "tq/input/PointerInputKeyRegion.h"
#include "ui/Pointer.h"
#include "ui/ResManager.h"

using main::Main;
using scene::SceneManager;
using tq::input::PointerInputKeyManager;
using vxtest::FakeScene;
using vxtest::RecordingMediaManager;

namespace {

using Calls = std::vector<std::string>;

class SceneManagerTest : public vxtest::HubFixture {
protected:
    void SetUp() override
    {
        HubFixture::SetUp();
        makeGame();
        canvas->startPointerInput();
        manager = SceneManager::newInstance()->init();
        Main::sceneManager = manager;
        Main::layoutPending = false;
    }

    static VMPtr<ui::Scene> scene() { return SceneManager::currentScene; }

    vxtest::FakeScenes scenes;
    VMStatic<SceneManager> manager;
};

TEST_F(SceneManagerTest, MakingTheManagerLoadsTheTextsAndSceneZeroAtOnce)
{
    EXPECT_EQ(SceneManager::instance.get(), manager.get());
    EXPECT_EQ(manager->canvas.get(), static_cast<tq::TqCanvas*>(canvas.get()));
    EXPECT_NE(SceneManager::pointer, nullptr);
    EXPECT_EQ(Main::textId, SceneManager::TEXTS);
    EXPECT_NE(Main::texts, nullptr);
    EXPECT_EQ(manager->currentId, 0);
    EXPECT_EQ(manager->previousId, -1);
    ASSERT_NE(scene(), nullptr);
    EXPECT_FALSE(scene()->entering);
    EXPECT_EQ(FakeScene::stepsOf(0), (Calls{"load", "load2", "texts"}));
    EXPECT_EQ(scene()->texts.get(), Main::texts.get()) << "the scene took the loaded texts";
}

TEST_F(SceneManagerTest, AChangeClearsEverythingOfTheOldSceneBeforeTheNewOneIsMade)
{
    VMPtr<RecordingMediaManager> sound = soundOnLogged(3);
    VMPtr<ui::Scene> logo = scene();
    PointerInputKeyManager::addRegion(
        tq::input::PointerInputKeyRegion::createKeyRegion(ui::Pointer::KEY_UP, 0, 0, 40, 40));
    (*ui::Pointer::pressed)[0] = true;
    ui::ResManager::load(hubtest::LOADING, -1);
    ASSERT_EQ(ui::ResManager::used, 1);
    FakeScene::log.clear();

    manager->changeScene(SceneManager::SOUND_QUESTION);

    EXPECT_EQ(FakeScene::log, (Calls{"0 release"})) << "the new scene only enters";
    EXPECT_EQ(sound->calls, (Calls{"stop -1"}));
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(ui::Pointer::KEY_UP), 0);
    EXPECT_FALSE((*ui::Pointer::pressed)[0]) << "the touch state starts afresh";
    EXPECT_EQ(ui::ResManager::used, 0);
    EXPECT_TRUE(Main::layoutPending);
    EXPECT_EQ(manager->previousId, 0);
    EXPECT_EQ(manager->currentId, SceneManager::SOUND_QUESTION);
    ASSERT_NE(scene(), nullptr);
    EXPECT_NE(scene().get(), logo.get());
    EXPECT_EQ(vm_cast<FakeScene>(scene())->sceneId, SceneManager::SOUND_QUESTION);
    EXPECT_TRUE(scene()->entering);
    EXPECT_EQ(scene()->entryStage, 0);
}

TEST_F(SceneManagerTest, AnEnteringSceneLoadsOverTheNextFrames)
{
    manager->changeScene(SceneManager::TITLE);
    FakeScene::log.clear();
    for (int32_t frame = 0; frame < 4; frame++)
        manager->update();
    EXPECT_EQ(FakeScene::stepsOf(SceneManager::TITLE),
              (Calls{"update", "load", "update", "load2", "update", "texts", "update"}));
    EXPECT_FALSE(scene()->entering);

    manager->changeScene(SceneManager::MAIN_MENU);
    EXPECT_EQ(manager->previousId, SceneManager::TITLE);
    EXPECT_EQ(manager->currentId, SceneManager::MAIN_MENU);
}

TEST_F(SceneManagerTest, ChangingToTheCurrentIdDoesNothing)
{
    VMPtr<RecordingMediaManager> sound = soundOnLogged(3);
    VMPtr<ui::Scene> logo = scene();
    FakeScene::log.clear();
    manager->changeScene(0);
    EXPECT_EQ(FakeScene::log, Calls{});
    EXPECT_EQ(sound->calls, Calls{});
    EXPECT_FALSE(Main::layoutPending);
    EXPECT_EQ(scene().get(), logo.get());
    EXPECT_EQ(manager->previousId, -1);
}

TEST_F(SceneManagerTest, AnIdWithoutASceneKeepsTheCurrentSceneAndSaysSo)
{
    VMPtr<RecordingMediaManager> sound = soundOnLogged(3);
    VMPtr<ui::Scene> logo = scene();
    FakeScene::log.clear();
    for (int32_t id : {3, 5, 8, 13, -1, 65536, 0x7FFFFFFF}) {
        ::testing::internal::CaptureStdout();
        manager->changeScene(id);
        std::string said = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(said, "No scene has id " + std::to_string(id) + "; scene 0 stays\n") << id;
        EXPECT_EQ(scene().get(), logo.get()) << id;
        EXPECT_EQ(manager->currentId, 0) << id;
        EXPECT_EQ(manager->previousId, -1) << id;
    }
    EXPECT_EQ(FakeScene::log, Calls{});
    EXPECT_EQ(sound->calls, Calls{});
    EXPECT_FALSE(Main::layoutPending);
    manager->update();
    EXPECT_EQ(FakeScene::log, (Calls{"0 update"}));
}

TEST_F(SceneManagerTest, TheSceneSeesTheTouchStateOfThePreviousFrame)
{
    std::vector<bool> seen;
    FakeScene::onUpdate = [&](FakeScene&) { seen.push_back((*ui::Pointer::pressed)[0]); };
    canvas->pointerPressed(100, 100);
    manager->update();
    EXPECT_TRUE((*ui::Pointer::pressed)[0]) << "the pointer took the press after the scene";
    manager->update();
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

TEST_F(SceneManagerTest, PaintAndPauseGoToTheCurrentScene)
{
    VMPtr<javax::microedition::lcdui::Image> image =
        javax::microedition::lcdui::Image::createImage(240, 320, false, 0);
    FakeScene::log.clear();
    manager->paint(image->getGraphics());
    manager->pause();
    manager->resume();
    EXPECT_EQ(FakeScene::log, (Calls{"0 paint", "0 pause"}));
}

TEST_F(SceneManagerTest, ReleaseDropsTheSceneAndTheTouchState)
{
    ui::Pointer::directionRegions = ui::Pointer::RegionArray::newArray(4);
    FakeScene::log.clear();
    manager->release();
    EXPECT_EQ(FakeScene::log, (Calls{"0 release"}));
    EXPECT_EQ(SceneManager::currentScene, nullptr);
    EXPECT_EQ(SceneManager::pointer, nullptr);
    EXPECT_EQ(ui::Pointer::directionRegions, nullptr);

    // A released manager answers frames with nothing.
    manager->update();
    manager->pause();
    manager->release();
    EXPECT_EQ(FakeScene::log, (Calls{"0 release"}));
}

// ---- Logical keys -------------------------------------------------------------------------

// The game keys of each logical key; key 12 while held is {27, 15}.
const std::vector<std::set<int32_t>> kLogicalKeys = {
    {16}, {17}, {18}, {19}, {20}, {21}, {22}, {23}, {24}, {25},
    {10}, {3},  {27, 7}, {29, 15}, {1, 30, 18}, {2, 32, 20}, {5, 33, 22}, {6, 31, 24},
    {8, 34, 21}, {4, 15}, {}, {7}, {15},
};

std::set<int32_t> heldKeys(int32_t logical)
{
    return logical == 12 ? std::set<int32_t>{27, 15} : kLogicalKeys[size_t(logical)];
}

TEST_F(SceneManagerTest, EachLogicalKeyAnswersForItsGameKeysOnly)
{
    for (int32_t game = 1; game <= 40; game++) {
        canvas->pressKey(game);
        canvas->latchKeys();
        for (int32_t logical = -2; logical <= 24; logical++) {
            bool inRange = logical >= 0 && logical < SceneManager::LOGICAL_KEYS;
            bool pressed = inRange && kLogicalKeys[size_t(logical)].count(game) != 0;
            bool held = inRange && heldKeys(logical).count(game) != 0;
            EXPECT_EQ(manager->wasKeyPressed(logical), pressed) << logical << " by " << game;
            EXPECT_EQ(manager->isKeyHeld(logical), held) << logical << " by " << game;
            EXPECT_FALSE(manager->wasKeyReleased(logical)) << logical << " by " << game;
        }
        canvas->releaseKey(game);
        canvas->latchKeys();
        for (int32_t logical = -2; logical <= 24; logical++) {
            bool inRange = logical >= 0 && logical < SceneManager::LOGICAL_KEYS;
            bool released = inRange && kLogicalKeys[size_t(logical)].count(game) != 0;
            EXPECT_EQ(manager->wasKeyReleased(logical), released) << logical << " by " << game;
            EXPECT_FALSE(manager->isKeyHeld(logical)) << logical << " by " << game;
        }
        canvas->latchKeys();
    }
}

TEST_F(SceneManagerTest, KeyTwelveIsHeldByGameKeyFifteenButPressedByGameKeySeven)
{
    canvas->pressKey(15);
    canvas->latchKeys();
    EXPECT_TRUE(manager->isKeyHeld(12));
    EXPECT_FALSE(manager->wasKeyPressed(12));
    canvas->releaseKey(15);
    canvas->pressKey(7);
    canvas->latchKeys();
    EXPECT_FALSE(manager->isKeyHeld(12));
    EXPECT_TRUE(manager->wasKeyPressed(12));
    EXPECT_FALSE(manager->wasKeyReleased(12)) << "game key 15 went up, 7 did not";
}

} // namespace
