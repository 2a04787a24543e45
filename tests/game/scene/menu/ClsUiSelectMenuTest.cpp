// The stage selection's panel on the game's own menu pictures: where its
// items stand once built, which stage picture is lit, the pressed and
// normal looks of the arrows and buttons, and the arrows nudging in place.

#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "scene/menu/ClsUiSelectMenu.h"

using scene::menu::ClsUiSelectMenu;
using IntArray = ClsUiSelectMenu::IntArray;

namespace {

class ClsUiSelectMenuTest : public menutest::MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        panel = ClsUiSelectMenu::newInstance()->init();
        panel->allocItems(20);
        panel->setupItems();
    }
    void TearDown() override
    {
        panel = nullptr;
        MenuFixture::TearDown();
    }
    // The window's box k, as the items are placed from it.
    VMPtr<IntArray> windowBox(int32_t k) { return panel->getItemBox(11, k); }
    // The stage whose picture is lit; -1 when none is or several are.
    int32_t litStage()
    {
        int32_t lit = -1;
        for (int32_t i = panel->firstStageItem; i <= panel->lastStageItem; i++) {
            if (panel->getItemFrame(i) == 0) {
                if (lit != -1)
                    return -1;
                lit = i - panel->firstStageItem;
            }
        }
        return lit;
    }

    VMStatic<ClsUiSelectMenu> panel;
};

TEST_F(ClsUiSelectMenuTest, SetupPlacesTheItemsFromTheWindowsBoxes)
{
    ASSERT_EQ(panel->getNextItem(), 19);
    EXPECT_EQ(panel->firstStageItem, 2);
    EXPECT_EQ(panel->lastStageItem, 9);
    EXPECT_EQ(panel->overlayItem, 10);
    EXPECT_EQ(panel->titleItem, 12);
    EXPECT_EQ(panel->topBarItem, 13);
    EXPECT_EQ(panel->leftArrowItem, 14);
    EXPECT_EQ(panel->rightArrowItem, 15);
    EXPECT_EQ(panel->progressItem, 16);
    EXPECT_EQ(panel->playItem, 17);
    EXPECT_EQ(panel->backItem, 18);

    VMPtr<IntArray> picture = windowBox(0);
    VMPtr<IntArray> row = windowBox(3);
    ASSERT_GT((*picture)[2], 0) << "the window has its picture box";
    ASSERT_GT((*row)[2], 0) << "and its arrow row";
    int32_t rowMiddle = (*row)[1] + (*row)[3] / 2;
    struct Place {
        int32_t item, x, y, look;
    };
    const Place places[] = {
        {0, 120, 160, 0},
        {1, (*picture)[0], (*picture)[1], 0},
        {2, (*picture)[0], (*picture)[1], 0},
        {3, (*picture)[0], (*picture)[1], 1},
        {9, (*picture)[0], (*picture)[1], 1},
        {10, (*picture)[0], (*picture)[1], 9},
        {11, 120, 160, 2},
        {12, 0, 0, 3},
        {13, 240, 0, 1},
        {14, (*row)[0], rowMiddle, 9},
        {15, (*row)[0] + (*row)[2], rowMiddle, 11},
        {16, 120, (*row)[1] + (*row)[3], 0},
        {17, 240, 320, 21},
        {18, 0, 320, 18},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.item);
        EXPECT_EQ(panel->getItemX(p.item), p.x);
        EXPECT_EQ(panel->getItemY(p.item), p.y);
        EXPECT_EQ(panel->getItemFrame(p.item), p.look);
    }
    // Every picture of the stack is an animation item over the window.
    for (int32_t i = 1; i <= 10; i++)
        EXPECT_EQ(panel->getItemKind(i), ui::Screen::ANIM_ITEM) << i;
    EXPECT_EQ(panel->getItemKind(14), ui::Screen::ANIM_ITEM);
    EXPECT_EQ(panel->getItemKind(17), ui::Screen::FRAME_ITEM);
}

TEST_F(ClsUiSelectMenuTest, ShowStageLightsOnlyTheChosenPictureAndFlashesTheBezel)
{
    for (int32_t stage : {7, 0, 3}) {
        SCOPED_TRACE(stage);
        panel->showStage(stage);
        EXPECT_EQ(litStage(), stage);
        EXPECT_EQ(panel->getItemFrame(panel->overlayItem), 8);
        // The flash hands on to the bezel, ready to flash again.
        for (int32_t t = 0; t < 50; t++) {
            ui::MyObject::frameTime = 40;
            panel->update();
        }
        EXPECT_EQ(panel->getItemFrame(panel->overlayItem), 9);
    }
}

TEST_F(ClsUiSelectMenuTest, PressedLooksAndBackToNormal)
{
    struct Look {
        const char* name;
        std::function<void(ClsUiSelectMenu*)> op;
        int32_t item;
        int32_t frame;
    };
    const Look looks[] = {
        {"left down", &ClsUiSelectMenu::leftDown, 14, 8},
        {"right down", &ClsUiSelectMenu::rightDown, 15, 10},
        {"play down", &ClsUiSelectMenu::playDown, 17, 17},
        {"back down", &ClsUiSelectMenu::backDown, 18, 14},
        {"play 38", &ClsUiSelectMenu::playButtonFrame38, 17, 38},
        {"play up", &ClsUiSelectMenu::playUp, 17, 21},
        {"back up", &ClsUiSelectMenu::backUp, 18, 18},
        {"progress", [](ClsUiSelectMenu* p) { p->showProgress(3); }, 16, 3},
    };
    for (const Look& l : looks) {
        SCOPED_TRACE(l.name);
        l.op(panel.get());
        EXPECT_EQ(panel->getItemFrame(l.item), l.frame);
    }

    // The arrows come back to their looks and their rest positions.
    int32_t leftX = panel->getItemX(14), leftY = panel->getItemY(14);
    int32_t rightX = panel->getItemX(15), rightY = panel->getItemY(15);
    panel->leftDown();
    panel->rightDown();
    panel->setItemPosition(14, leftX - 3, leftY);
    panel->setItemPosition(15, rightX + 3, rightY);
    panel->arrowsNormal();
    EXPECT_EQ(panel->getItemFrame(14), 9);
    EXPECT_EQ(panel->getItemFrame(15), 11);
    EXPECT_EQ(panel->getItemX(14), leftX);
    EXPECT_EQ(panel->getItemX(15), rightX);
    EXPECT_EQ(panel->getItemY(15), rightY);
}

TEST_F(ClsUiSelectMenuTest, TheArrowsNudgeInPlaceForEver)
{
    // Two pixels towards their direction and back, however long the menu runs.
    EXPECT_EQ(boxDrift(panel, {panel->leftArrowItem, panel->rightArrowItem},
                       ClsUiSelectMenu::TOUCH_BOX, 1000),
              (std::vector<Drift>{{-2, 0, 0, 0}, {0, 2, 0, 0}}));
}

TEST_F(ClsUiSelectMenuTest, EachBoxIsItsOwnItems)
{
    // The getters tell apart items that mirror each other on the screen.
    VMPtr<IntArray> left = panel->getLeftArrowRect();
    VMPtr<IntArray> right = panel->getRightArrowRect();
    VMPtr<IntArray> play = panel->getPlayRect(0);
    VMPtr<IntArray> back = panel->getBackRect();
    VMPtr<IntArray> title = panel->getTitleRect();
    VMPtr<IntArray> money = panel->getMoneyRect();
    for (VMPtr<IntArray> box : {left, right, play, back, title, money, panel->getPlayRect(2)}) {
        EXPECT_GT((*box)[2], 0);
        EXPECT_GT((*box)[3], 0);
    }
    EXPECT_LT((*left)[0], (*right)[0]);
    EXPECT_LT((*back)[0], (*play)[0]);
    EXPECT_GT((*play)[1], (*right)[1]) << "the buttons stand below the arrows";
    EXPECT_LT((*title)[0], (*money)[0]) << "the title bar is on the left, the money on the right";
}

} // namespace
