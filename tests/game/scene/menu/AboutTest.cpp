// The about page: its panel and texts over the game's own pictures, the body
// scrolled by keys and by drags, the back key's look, and leaving once, on
// release, by key or by touch.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "scene/SceneManager.h"
#include "scene/menu/About.h"
#include "support/LangTestSupport.h"

using playtest::InputEvent;
using scene::menu::About;
using scene::menu::ClsUiAbout;
using Strings = std::vector<std::string>;
using scenetest::requests;

namespace {

class AboutTest : public menutest::MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        about = About::newInstance()->init();
        ASSERT_TRUE(show(VMPtr<ui::Scene>(about)));
        requests.clear();
    }
    void TearDown() override
    {
        about = nullptr;
        MenuFixture::TearDown();
    }

    int32_t backFrame() { return about->panel->getItemFrame(about->panel->backItem); }
    int32_t line() { return about->labels->scrollLine; }
    // A touch held at (x, y0), moved to (x, y1) and seen there for one frame.
    void drag(int32_t y0, int32_t y1)
    {
        touchDown(120, y0);
        step({{frameNumber, InputEvent::TOUCH_MOVE, 0, 120, y1}});
        step({});
    }

    VMStatic<About> about;
};

TEST_F(AboutTest, TheManagerMakesThePageForScene4)
{
    VMPtr<ui::Scene> made = scene::SceneManager::findScene(scene::SceneManager::ABOUT)(4);
    EXPECT_NE(dynamic_cast<About*>(made.get()), nullptr);
}

TEST_F(AboutTest, EnteringBuildsThePanelTitleAndScrollingBody)
{
    VMPtr<ClsUiAbout> panel = about->panel;
    EXPECT_EQ(panel->getDrawOrder(), 20);
    EXPECT_EQ(panel->getItemCapacity(), 4);
    EXPECT_EQ(panel->getNextItem(), 3);
    EXPECT_EQ(panel->getItemFrame(panel->textPageItem), 29);
    EXPECT_EQ(backFrame(), 21);

    VMPtr<ui::Addon> labels = about->labels;
    EXPECT_EQ(labels->getDrawOrder(), 53);
    EXPECT_EQ(labels->labelCount, 1);
    EXPECT_EQ(vmText(labels->labelTexts->get(0)), "About");
    // The title on the page's title strip, the body in its text area.
    VMPtr<VMArray<int32_t, 1>> title = panel->headingBox;
    VMPtr<VMArray<int32_t, 2>> positions = labels->labelPositions;
    EXPECT_EQ((*positions->get(0))[0], (*title)[0]);
    EXPECT_EQ((*positions->get(0))[1], (*title)[1]);
    EXPECT_EQ((*labels->labelWidths)[0], (*title)[2]);
    VMPtr<VMArray<int32_t, 1>> text = panel->textBox;
    EXPECT_EQ(labels->textX, (*text)[0]);
    EXPECT_EQ(labels->textY, (*text)[1]);
    EXPECT_EQ(labels->textWidth, (*text)[2]);
    EXPECT_EQ(labels->textHeight, (*text)[3]);
    EXPECT_GT((*text)[3], 4 * (*title)[3]) << "the body has the large box";
    EXPECT_EQ(labels->textFont, 1);
    EXPECT_TRUE(labels->scrolling);
    EXPECT_TRUE(labels->isAuxEnabled());
    EXPECT_GT(labels->lineCount, labels->visibleLines) << "the body is long enough to scroll";
}

TEST_F(AboutTest, TheBodyIsHeadingVersionAndTextWithNothingBetween)
{
    std::string body = vmText(about->bodyText());
    const std::string head = "VEXALON - a space shooter\nVersion 1.0.0\n\nSteer your ship";
    EXPECT_EQ(body.substr(0, head.size()), head);
    std::string text45 = vmText(main::Main::texts->getString(45));
    ASSERT_GE(body.size(), text45.size());
    EXPECT_EQ(body.substr(body.size() - text45.size()), text45);
    EXPECT_EQ(body.size(), head.size() - std::string("Steer your ship").size() + text45.size());
}

TEST_F(AboutTest, KeysScrollALineAndStopAtBothEnds)
{
    tapKey(menutest::kUpKey);
    EXPECT_EQ(line(), 0) << "up at the first line";

    int32_t last = about->labels->lineCount - about->labels->visibleLines;
    for (int32_t i = 1; i <= last; i++) {
        tapKey(menutest::kDownKey);
        ASSERT_EQ(line(), i);
    }
    tapKey(menutest::kDownKey);
    EXPECT_EQ(line(), last) << "down with the last line shown";
    tapKey(menutest::kUpKey);
    EXPECT_EQ(line(), last - 1);
    EXPECT_EQ(requests, Strings{});
}

// The drag is measured from where the touch went down, so a drag held past
// 49 pixels scrolls one line every frame.
TEST_F(AboutTest, ADragScrollsALineAFrameOnlyWhenLongerThan49Pixels)
{
    struct Case {
        int32_t dy;
        int32_t scrolled;
    };
    const Case cases[] = {{49, 0}, {50, 1}, {-49, 0}, {-50, -1}, {120, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("drag " + std::to_string(c.dy));
        for (int32_t k = 0; k < 3; k++)
            tapKey(menutest::kDownKey);
        int32_t before = line();
        drag(150, 150 + c.dy);
        EXPECT_EQ(line(), before + c.scrolled);
        step({});
        EXPECT_EQ(line(), before + 2 * c.scrolled) << "held";
        // The lift reaches the page a frame later: the drag still holds in
        // this one.
        step({{frameNumber, InputEvent::TOUCH_UP, 0, 120, 150 + c.dy}});
        int32_t held = line();
        step({});
        EXPECT_EQ(line(), held) << "the release scrolls nothing";
        // Back to the first line for the next case.
        while (line() > 0)
            tapKey(menutest::kUpKey);
    }
    EXPECT_EQ(requests, Strings{});
}

TEST_F(AboutTest, AReleaseOutsideTheBackKeyOnlyRestoresIt)
{
    VMPtr<VMArray<int32_t, 1>> back = about->panel->getBackBox();
    touchDown(centreX(back), centreY(back));
    EXPECT_EQ(backFrame(), 17);
    touchUp(30, 40);
    EXPECT_EQ(backFrame(), 21);
    EXPECT_EQ(requests, Strings{});
    // The release point is kept as a 1 x 1 box.
    VMPtr<VMArray<int32_t, 1>> point = about->workValues;
    EXPECT_EQ((*point)[0], 30);
    EXPECT_EQ((*point)[1], 40);
    EXPECT_EQ((*point)[2], 1);
    EXPECT_EQ((*point)[3], 1);
}

TEST_F(AboutTest, TheBackKeyShowsItsPressAndLeavesOnRelease)
{
    pressKey(menutest::kRightSoftKey);
    idle(3);
    EXPECT_EQ(backFrame(), 17);
    EXPECT_EQ(requests, Strings{});

    step({{frameNumber, InputEvent::KEY_UP, menutest::kRightSoftKey}});
    EXPECT_EQ(requests, Strings{"changeScene 1"});
    EXPECT_FALSE(about->labels->isAuxEnabled());
    for (int32_t i = 0; i < about->objects->length; i++)
        EXPECT_EQ(about->objects->get(i), nullptr) << "the page released itself";
    EXPECT_TRUE(about->left);
}

TEST_F(AboutTest, ATapOnTheBackKeyLeaves)
{
    tap(about->panel->getBackBox());
    EXPECT_EQ(requests, Strings{"changeScene 1"});
}

TEST_F(AboutTest, AKeyAndATouchReleasedInOneFrameLeaveOnce)
{
    VMPtr<VMArray<int32_t, 1>> back = about->panel->getBackBox();
    pressKey(menutest::kRightSoftKey);
    touchDown(centreX(back), centreY(back));
    // The touch's release is seen a frame after it comes, with the key's.
    step({{frameNumber, InputEvent::TOUCH_UP, 0, centreX(back), centreY(back)}});
    EXPECT_EQ(requests, Strings{});
    step({{frameNumber, InputEvent::KEY_UP, menutest::kRightSoftKey}});
    EXPECT_EQ(requests, Strings{"changeScene 1"});

    idle(2);
    about->leave();
    EXPECT_EQ(requests, Strings{"changeScene 1"});
}

TEST_F(AboutTest, ARefusedChangeLetsThePageTryAgain)
{
    scenetest::RecordingSceneManager::refused = 1;
    tap(about->panel->getBackBox());
    EXPECT_FALSE(about->left);
    // Still shown and scrolling.
    ASSERT_NE(about->panel, nullptr);
    ASSERT_NE(about->labels, nullptr);
    EXPECT_TRUE(about->labels->isAuxEnabled());
    EXPECT_GT(about->objects->length, 0);
    EXPECT_NE(about->objects->get(0), nullptr);
    scenetest::RecordingSceneManager::refused = -1;
    tapKey(menutest::kRightSoftKey);
    EXPECT_EQ(requests, (Strings{"changeScene 1", "changeScene 1"}));
    EXPECT_TRUE(about->left);
}

} // namespace
