// The shop panel on the game's own art: where build puts every item (the
// arrows at the ends of the marker strip, the markers and cursor on it, the
// preview point in the backdrop), the boxes it answers, the frames its
// operations show, the arrows going home, and their nudge staying in place.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "game/ui/UiFixture.h"
#include "scene/menu/ClsUiShopMenu.h"

using scene::menu::ClsUiShopMenu;
using uitest::ints;
using uitest::Ints;
using uitest::rect4;

namespace {

using Panel = ClsUiShopMenu;

class ClsUiShopMenuTest : public menutest::MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        panel = Panel::newInstance()->init();
        panel->allocItems(20);
        panel->build();
    }

    Ints place(int32_t item) { return {panel->getItemX(item), panel->getItemY(item)}; }
    int32_t frameOf(int32_t item) { return panel->getItemFrame(item); }
    Ints markerFrames()
    {
        Ints frames;
        for (int32_t i = 0; i < Panel::MARKER_COUNT; i++)
            frames.push_back(frameOf(Panel::firstMarkerItem + i));
        return frames;
    }

    VMPtr<Panel> panel;
};

TEST_F(ClsUiShopMenuTest, BuildAddsTheItemsInOrderWithTheirFirstFrames)
{
    EXPECT_EQ((Ints{Panel::backgroundItem, panel->titleItem, panel->moneyItem, panel->rowItem,
                    panel->leftArrowItem, panel->rightArrowItem, panel->backItem,
                    panel->actionItem, Panel::firstMarkerItem, Panel::cursorItem}),
              (Ints{0, 1, 2, 3, 4, 5, 6, 7, 8, 16}));
    EXPECT_EQ(panel->getNextItem(), 17);
    EXPECT_EQ((Ints{frameOf(0), frameOf(1), frameOf(2), frameOf(3), frameOf(4), frameOf(5),
                    frameOf(6), frameOf(7), frameOf(16)}),
              (Ints{4, 3, 1, 5, 9, 11, 18, 21, 9}));
    EXPECT_EQ(markerFrames(), Ints(8, Panel::MARKER_OWNED));
    // The arrows are animations (they move); everything else is a frame.
    for (int32_t i = 0; i < panel->getNextItem(); i++) {
        bool arrow = i == panel->leftArrowItem || i == panel->rightArrowItem;
        EXPECT_EQ(panel->getItemKind(i), arrow ? Panel::ANIM_ITEM : Panel::FRAME_ITEM) << i;
    }
    EXPECT_EQ(place(Panel::backgroundItem), (Ints{120, 0}));
    EXPECT_EQ(place(panel->titleItem), (Ints{0, 0}));
    EXPECT_EQ(place(panel->moneyItem), (Ints{240, 0}));
    EXPECT_EQ(place(panel->backItem), (Ints{0, 320}));
    EXPECT_EQ(place(panel->actionItem), (Ints{240, 320}));
}

TEST_F(ClsUiShopMenuTest, RowsArrowsMarkersAndPreviewFollowTheBackdropAndTheMarkerStrip)
{
    Ints b3 = rect4(panel->getPreviewBox());
    EXPECT_EQ(b3, (Ints{10, 32, 220, 124}));
    EXPECT_EQ(place(panel->rowItem), (Ints{120, b3[1] + b3[3]})) << "the row hangs below the window";
    // The preview ship flies in the middle of the window, on the backdrop's
    // box 2 (126 on this art).
    EXPECT_EQ((Ints{panel->getPreviewX(), panel->getPreviewY()}), (Ints{b3[0] + b3[2] / 2, 126}));

    Ints b5 = rect4(panel->getRowBox(Panel::MARKER_STRIP_BOX));
    EXPECT_EQ(b5, (Ints{12, 186, 216, 30}));
    int32_t my = b5[1] + b5[3] / 2;
    EXPECT_EQ(place(panel->leftArrowItem), (Ints{b5[0], my}));
    EXPECT_EQ(place(panel->rightArrowItem), (Ints{b5[0] + b5[2], my}));
    EXPECT_EQ(ints(panel->leftArrowHome), (Ints{b5[0], my}));
    EXPECT_EQ(ints(panel->rightArrowHome), (Ints{b5[0] + b5[2], my}));

    // Nine steps across the strip; the eight markers stand on steps 1 to 8.
    EXPECT_EQ((Ints{Panel::markerStep, Panel::markerX0, Panel::markerY}),
              (Ints{b5[2] / 9, b5[0] + b5[2] / 9, my}));
    for (int32_t i = 0; i < Panel::MARKER_COUNT; i++)
        EXPECT_EQ(place(Panel::firstMarkerItem + i), (Ints{36 + i * 24, 201})) << "marker " << i;
    EXPECT_EQ(place(Panel::cursorItem), (Ints{60, 201})) << "over marker 1 when added";
}

TEST_F(ClsUiShopMenuTest, EveryPlaceIsClippedToTheScreen)
{
    // Unused places too: the shop may fill them later.
    for (int32_t i = 0; i < 20; i++)
        EXPECT_EQ(rect4(panel->itemClip->get(i)), (Ints{0, 0, 240, 320})) << "place " << i;
}

TEST_F(ClsUiShopMenuTest, BoxGettersAnswerTheBoxesOfTheCurrentFramesInNewArrays)
{
    struct Case {
        std::string name;
        std::function<VMPtr<Panel::IntArray>()> get;
        Ints box;
    };
    const std::vector<Case> cases = {
        {"preview", [&] { return panel->getPreviewBox(); }, {10, 32, 220, 124}},
        {"left", [&] { return panel->getLeftBox(); }, {0, 183, 24, 36}},
        {"right", [&] { return panel->getRightBox(); }, {216, 183, 24, 36}},
        {"back", [&] { return panel->getBackBox(); }, {0, 290, 80, 30}},
        {"action", [&] { return panel->getActionBox(); }, {160, 290, 80, 30}},
        {"title", [&] { return panel->getTitleBox(); }, {6, 3, 104, 20}},
        {"money", [&] { return panel->getMoneyBox(); }, {142, 5, 62, 18}},
        {"weapon row", [&] { return panel->getRowBox(Panel::WEAPON_ROW_BOX); }, {4, 160, 112, 22}},
        {"support row", [&] { return panel->getRowBox(Panel::SUPPORT_ROW_BOX); }, {124, 160, 112, 22}},
        {"level", [&] { return panel->getRowBox(Panel::LEVEL_BOX); }, {16, 223, 96, 14}},
        {"price", [&] { return panel->getRowBox(Panel::PRICE_BOX); }, {128, 232, 100, 14}},
        {"start row", [&] { return panel->getRowBox(Panel::START_ROW_BOX); }, {60, 260, 120, 24}},
        {"next level", [&] { return panel->getRowBox(Panel::NEXT_LEVEL_BOX); }, {16, 240, 96, 14}},
    };
    for (const Case& c : cases) {
        VMPtr<Panel::IntArray> first = c.get();
        ASSERT_EQ(first->length, 5) << c.name;
        EXPECT_EQ(rect4(first), c.box) << c.name;
        (*first)[0] = -999;
        VMPtr<Panel::IntArray> second = c.get();
        EXPECT_NE(first.get(), second.get()) << c.name;
        EXPECT_EQ(rect4(second), c.box) << c.name << ": a caller's change stays its own";
    }
    // The row boxes come from the frame shown: the start row keeps them.
    panel->showStartRow();
    EXPECT_EQ(rect4(panel->getRowBox(Panel::START_ROW_BOX)), (Ints{60, 260, 120, 24}));
}

TEST_F(ClsUiShopMenuTest, OperationsShowTheirFrames)
{
    struct Case {
        std::string name;
        std::function<void()> act;
        int32_t item;
        int32_t frame;
    };
    const std::vector<Case> cases = {
        {"showRow support", [&] { panel->showRow(false); }, panel->rowItem, 6},
        {"showRow weapon", [&] { panel->showRow(true); }, panel->rowItem, 5},
        {"pressLeft", [&] { panel->pressLeft(); }, panel->leftArrowItem, 8},
        {"pressRight", [&] { panel->pressRight(); }, panel->rightArrowItem, 10},
        {"pressBack", [&] { panel->pressBack(); }, panel->backItem, 14},
        {"releaseBack", [&] { panel->releaseBack(); }, panel->backItem, 18},
        {"pressAction", [&] { panel->pressAction(); }, panel->actionItem, 17},
        {"releaseAction", [&] { panel->releaseAction(); }, panel->actionItem, 21},
        {"hideAction", [&] { panel->hideAction(); }, panel->actionItem, 46},
        {"setMarker", [&] { panel->setMarker(7, Panel::MARKER_EMPTY); }, Panel::firstMarkerItem + 7, 10},
        {"showCursor", [&] { panel->showCursor(); }, Panel::cursorItem, 9},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(frameOf(c.item), c.frame) << c.name;
    }
}

TEST_F(ClsUiShopMenuTest, StartRowHidesTheMarkersCursorAndLeftArrowAndShowsTheActionKey)
{
    panel->hideAction();
    panel->pressRight();
    panel->showStartRow();
    EXPECT_EQ((Ints{frameOf(panel->rowItem), frameOf(panel->actionItem),
                    frameOf(panel->leftArrowItem), frameOf(Panel::cursorItem)}),
              (Ints{12, 21, 16, 11}));
    EXPECT_EQ(markerFrames(), Ints(8, Panel::MARKER_HIDDEN));
    EXPECT_EQ(frameOf(panel->rightArrowItem), 10) << "hideArrows is the right arrow's job";
    panel->hideArrows();
    EXPECT_EQ((Ints{frameOf(panel->leftArrowItem), frameOf(panel->rightArrowItem)}), (Ints{16, 16}));
    panel->showCursor();
    EXPECT_EQ(frameOf(Panel::cursorItem), 9);
}

TEST_F(ClsUiShopMenuTest, ResettingAnArrowBringsItHomeInItsNormalLook)
{
    Ints leftHome = place(panel->leftArrowItem);
    Ints rightHome = place(panel->rightArrowItem);
    auto disturb = [&] {
        panel->hideArrows();
        panel->setItemPosition(panel->leftArrowItem, 3, 4);
        panel->setItemPosition(panel->rightArrowItem, 5, 6);
    };

    disturb();
    panel->resetLeftArrow();
    EXPECT_EQ(place(panel->leftArrowItem), leftHome);
    EXPECT_EQ(frameOf(panel->leftArrowItem), 9);
    EXPECT_EQ(place(panel->rightArrowItem), (Ints{5, 6})) << "the other arrow stays";
    EXPECT_EQ(frameOf(panel->rightArrowItem), 16);
    panel->resetRightArrow();
    EXPECT_EQ(place(panel->rightArrowItem), rightHome);
    EXPECT_EQ(frameOf(panel->rightArrowItem), 11);

    disturb();
    panel->pressLeft();
    panel->resetArrows();
    EXPECT_EQ((Ints{frameOf(panel->leftArrowItem), frameOf(panel->rightArrowItem)}), (Ints{9, 11}));
    EXPECT_EQ(place(panel->leftArrowItem), leftHome);
    EXPECT_EQ(place(panel->rightArrowItem), rightHome);
}

TEST_F(ClsUiShopMenuTest, TheArrowsNudgeInPlaceForEver)
{
    EXPECT_EQ(boxDrift(panel, {panel->leftArrowItem, panel->rightArrowItem}, ClsUiShopMenu::ARROW_BOX,
                       1000),
              (std::vector<Drift>{{-2, 0, 0, 0}, {0, 2, 0, 0}}));
}

TEST_F(ClsUiShopMenuTest, CursorMovesOverTheChosenMarker)
{
    for (int32_t s : {0, 4, 7}) {
        panel->moveCursor(s);
        EXPECT_EQ(place(Panel::cursorItem), place(Panel::firstMarkerItem + s)) << s;
    }
}

} // namespace
