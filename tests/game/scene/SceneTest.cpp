// The scene base: painting in draw order around the scene's own layer, the
// object list growing into holes and trimmed after loading, the entry steps
// one a frame, removal, and the frame's timing. Objects and scenes are small
// fakes that write what happens to them into one log.

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/TestGameCanvas.h"
#include "javax/microedition/lcdui/Image.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "ui/MyObject.h"
#include "ui/Scene.h"
#include "ui/Screen.h"
#include "wince/clock.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

namespace {

std::vector<std::string> events;

std::string joined()
{
    std::string all;
    for (const std::string& e : events)
        all += (all.empty() ? "" : " ") + e;
    return all;
}

// An object that logs its calls as "<call><id>".
class LoggedObject : public ui::MyObject {
    VM_CLASS(LoggedObject, ui::MyObject)

    VMPtr<LoggedObject> init(int32_t id, int32_t order)
    {
        MyObject::init();
        this->id = id;
        setDrawOrder(order);
        return VMPtr<LoggedObject>(this);
    }
    void release() override { events.push_back("release" + std::to_string(id)); }
    void auxUpdate() override { events.push_back("aux" + std::to_string(id)); }
    void update() override
    {
        events.push_back("update" + std::to_string(id));
        if (onUpdate)
            onUpdate();
    }
    void paint(VMPtr<Graphics>) override { events.push_back("paint" + std::to_string(id)); }
    void clearItems() override {}

    int32_t id = 0;
    std::function<void()> onUpdate;
};

// A scene whose load keeps loadMore set for its first loadFrames - 1 calls.
class LoggedScene : public ui::Scene {
    VM_CLASS(LoggedScene, ui::Scene)

    VMPtr<LoggedScene> init()
    {
        Scene::init();
        return VMPtr<LoggedScene>(this);
    }
    void load() override
    {
        loads++;
        events.push_back("load");
        loadMore = loads < loadFrames ? 1 : 0;
        if (onLoad)
            onLoad();
    }
    void load2() override { events.push_back("load2"); }
    void initTexts() override { events.push_back("texts"); }
    void paintLayer(VMPtr<Graphics>) override { events.push_back("layer"); }

    int32_t loads = 0;
    int32_t loadFrames = 1;
    std::function<void()> onLoad;
};

class SceneTest : public vxtest::GameCanvasFixture {
protected:
    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        events.clear();
        main::Main::canvas = VMPtr<tq::TqCanvas>(canvas);
        // A hub without sound: its music call does nothing.
        main::Main::instance = main::Main::newInstance();
        scene = LoggedScene::newInstance()->init();
        screenImage = Image::createImage(240, 320, false, 0);
    }
    void TearDown() override
    {
        scene = nullptr;
        main::Main::instance = nullptr;
        main::Main::canvas = nullptr;
        GameCanvasFixture::TearDown();
    }

    VMPtr<LoggedObject> object(int32_t id, int32_t order)
    {
        return LoggedObject::newInstance()->init(id, order);
    }
    // The painting of one frame, as the log records it.
    std::string paintFrame()
    {
        events.clear();
        scene->paint(VMPtr<Image>(screenImage)->getGraphics());
        return joined();
    }
    std::string updateFrame()
    {
        events.clear();
        scene->update();
        return joined();
    }
    int32_t placeOf(const VMPtr<LoggedObject>& o)
    {
        for (int32_t i = 0; i < scene->objects->length; i++) {
            if (scene->objects->get(i).get() == o.get())
                return i;
        }
        return -1;
    }

    VMStatic<LoggedScene> scene;
    VMStatic<Image> screenImage;
};

TEST_F(SceneTest, TheLayerIsPaintedBetweenTheObjectsBelowFortyAndTheRest)
{
    struct Case {
        std::vector<int32_t> orders; // draw order of objects 1, 2, ... in list order
        std::string painted;
    };
    const Case cases[] = {
        {{50, 10, 40}, "paint2 layer paint3 paint1"},
        {{40, 50}, "paint1 paint2 layer"}, // the first at exactly 40: the layer comes last
        {{60, 70}, "layer paint1 paint2"},
        {{30, 30, 20}, "paint3 paint1 paint2 layer"},
        {{10, 20}, "paint1 paint2 layer"},
        {{39, 40, 41}, "paint1 layer paint2 paint3"},
        {{}, "layer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.orders));
        scene = LoggedScene::newInstance()->init();
        for (size_t i = 0; i < c.orders.size(); i++)
            scene->addObject(object(int32_t(i + 1), c.orders[i]));
        scene->sortObjects();
        EXPECT_EQ(paintFrame(), c.painted);
        scene->trimObjects();
        EXPECT_EQ(paintFrame(), c.painted) << "after the entry's trim";
    }
}

TEST_F(SceneTest, InactiveObjectsAreNeitherPaintedNorUpdatedButKeepTheLayerInPlace)
{
    VMPtr<LoggedObject> low = object(1, 10);
    VMPtr<LoggedObject> high = object(2, 50);
    scene->addObject(high);
    scene->addObject(low);
    scene->sortObjects();
    low->setActive(false);
    EXPECT_EQ(paintFrame(), "layer paint2");
    low->setAuxEnabled(true);
    EXPECT_EQ(updateFrame(), "update2 aux1") << "list order; the aux step apart from the flag";
}

TEST_F(SceneTest, AnEnteringScenePaintsNothingOfItsOwn)
{
    scene->addObject(object(1, 10));
    scene->setEntering(true);
    EXPECT_EQ(paintFrame(), "");
}

TEST_F(SceneTest, TheListGrowsIntoItsFirstHoleOrAtTheEndAndIsTrimmedAfterLoading)
{
    std::vector<VMPtr<LoggedObject>> added;
    for (int32_t i = 0; i < 20; i++) {
        added.push_back(object(i, 0));
        scene->addObject(added.back());
    }
    EXPECT_EQ(scene->capacity, 20);
    VMPtr<LoggedObject> twentyFirst = object(20, 0);
    scene->addObject(twentyFirst);
    EXPECT_EQ(scene->capacity, 30);
    EXPECT_EQ(scene->growStep, 10);
    EXPECT_EQ(scene->objects->length, 30);
    EXPECT_EQ(scene->paintOrder->length, 30);
    EXPECT_EQ(placeOf(twentyFirst), 20);

    scene->trimObjects();
    EXPECT_EQ(scene->capacity, 21);
    EXPECT_EQ(scene->growStep, 21);
    EXPECT_EQ(scene->objects->length, 21);
    EXPECT_EQ(scene->paintOrder->length, 21);

    // Growth halves the last step, never below 5.
    scene->addObject(object(21, 0));
    EXPECT_EQ(scene->capacity, 31);
    EXPECT_EQ(placeOf(twentyFirst), 20) << "places survive growth";

    // A removed object leaves a hole that the next object fills.
    scene->removeObject(3);
    VMPtr<LoggedObject> filler = object(99, 0);
    scene->addObject(filler);
    EXPECT_EQ(placeOf(filler), 3);

    // Trimmed to nothing, the list grows again by the smallest step.
    scene->release();
    scene->trimObjects();
    EXPECT_EQ(scene->capacity, 0);
    scene->addObject(object(1, 0));
    EXPECT_EQ(scene->capacity, 5);
    EXPECT_EQ(paintFrame(), "paint1 layer");
}

TEST_F(SceneTest, RemovingAnObjectReleasesItTrimsTheListAndKeepsTheDrawOrder)
{
    VMPtr<LoggedObject> a = object(1, 50);
    VMPtr<LoggedObject> b = object(2, 10);
    VMPtr<LoggedObject> c = object(3, 60);
    VMPtr<LoggedObject> d = object(4, 20);
    for (const VMPtr<LoggedObject>& o : {a, b, c, d})
        scene->addObject(o);
    scene->trimObjects();
    scene->sortObjects();
    ASSERT_EQ(paintFrame(), "paint2 paint4 layer paint1 paint3");

    events.clear();
    scene->removeObject(1);
    EXPECT_EQ(joined(), "release2");
    EXPECT_EQ(scene->objects->length, 4) << "a hole before the last object stays";
    EXPECT_EQ(paintFrame(), "paint4 layer paint1 paint3");

    events.clear();
    scene->removeObject(3);
    EXPECT_EQ(joined(), "release4");
    EXPECT_EQ(scene->objects->length, 3) << "trimmed after the previous object";
    EXPECT_EQ(paintFrame(), "layer paint1 paint3");

    // Holes and places outside the list are left alone.
    events.clear();
    for (int32_t i : {1, 3, 100, -1})
        scene->removeObject(i);
    EXPECT_EQ(joined(), "");
    EXPECT_EQ(updateFrame(), "update1 update3");

    // A place emptied behind the scene's back is skipped.
    scene->objects->set(2, nullptr);
    EXPECT_EQ(paintFrame(), "layer paint1");
    EXPECT_EQ(updateFrame(), "update1");
}

TEST_F(SceneTest, AnEnteringSceneRunsOneEntryStepAFrame)
{
    scene->loadFrames = 3;
    scene->onLoad = [&] { scene->addObject(object(scene->loads, 50 - scene->loads)); };
    scene->setEntering(true);
    canvas->frameTime = 40;

    std::vector<std::string> frames;
    std::vector<bool> loadingFlags;
    for (int32_t frame = 0; frame < 7; frame++) {
        main::Main::layoutPending = false;
        main::Main::loadingPicturePending = false;
        frames.push_back(updateFrame());
        loadingFlags.push_back(main::Main::loadingPicturePending);
    }
    EXPECT_EQ(frames, (std::vector<std::string>{"load", "load", "load", "load2", "texts", "",
                                                "update1 update2 update3"}));
    // The loading picture is asked for on the first load frame only.
    EXPECT_EQ(loadingFlags, (std::vector<bool>{true, false, false, false, false, false, false}));
    EXPECT_FALSE(scene->entering);
    EXPECT_EQ(scene->objects->length, 3) << "trimmed";
    EXPECT_EQ(paintFrame(), "layer paint3 paint2 paint1");
    EXPECT_EQ(scene->elapsedFrameTime, 7 * 40) << "the entry frames count";
}

TEST_F(SceneTest, TheLastEntryStepAsksForALayoutPass)
{
    scene->setEntering(true);
    for (int32_t frame = 0; frame < 3; frame++)
        scene->update();
    main::Main::layoutPending = false;
    scene->update();
    EXPECT_FALSE(scene->entering);
    EXPECT_TRUE(main::Main::layoutPending);
}

TEST_F(SceneTest, TickLoadsTheWholeSceneInOneCallUnlessItIsEntering)
{
    scene->loadFrames = 2;
    scene->elapsedFrameTime = 500;
    events.clear();
    scene->tick();
    EXPECT_EQ(joined(), "load load load2 texts");
    EXPECT_EQ(scene->elapsedFrameTime, 0);

    scene->setEntering(true);
    events.clear();
    scene->tick();
    EXPECT_EQ(joined(), "");
}

TEST_F(SceneTest, EachFrameTakesTheCanvasFrameTimeAndTheClockSinceTheLastUpdate)
{
    canvas->frameTime = 33;
    scene->tick();
    wince::advanceVirtualClock(70);
    scene->update();
    EXPECT_EQ(scene->lastFrameTime, 33);
    EXPECT_EQ(ui::MyObject::frameTime, 33);
    EXPECT_EQ(scene->lastRealDelta, 70);
    wince::advanceVirtualClock(20);
    scene->update();
    EXPECT_EQ(scene->elapsedFrameTime, 66);
    EXPECT_EQ(scene->elapsedRealTime, 90);

    // A gap beyond the int range counts as none.
    scene->lastUpdateTime -= int64_t(INT32_MAX) + 10;
    scene->update();
    EXPECT_EQ(scene->lastRealDelta, 0);
    EXPECT_EQ(scene->elapsedRealTime, 90);
}

TEST_F(SceneTest, AnObjectTakenOutDuringTheUpdateIsNotSteppedFurther)
{
    VMPtr<LoggedObject> first = object(1, 0);
    VMPtr<LoggedObject> second = object(2, 0);
    VMPtr<LoggedObject> third = object(3, 0);
    for (const VMPtr<LoggedObject>& o : {first, second, third}) {
        o->setAuxEnabled(true);
        scene->addObject(o);
    }
    first->onUpdate = [&] { scene->removeObject(1); };
    EXPECT_EQ(updateFrame(), "update1 release2 aux1 update3 aux3");

    // A scene released from inside an update steps nothing after it.
    first->onUpdate = [&] { scene->release(); };
    EXPECT_EQ(updateFrame(), "update1 release1 release3");
}

TEST_F(SceneTest, ReleaseEmptiesTheListAndDropsTheScreenButKeepsTheArrays)
{
    scene->addObject(object(1, 0));
    scene->addObject(object(2, 0));
    scene->screen = ui::Screen::newInstance()->initItems();
    events.clear();
    scene->release();
    EXPECT_EQ(joined(), "release1 release2");
    EXPECT_EQ(scene->screen, nullptr);
    EXPECT_EQ(scene->objects->length, 20);
    EXPECT_EQ(scene->objects->get(0), nullptr);
    EXPECT_EQ(paintFrame(), "layer");
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(LoggedObject, "tests.scene.LoggedObject", "ui.MyObject", "tests", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(LoggedScene, "tests.scene.LoggedScene", "ui.Scene", "tests", nullptr);
