// The main menu's panel on the game's own pictures: its four items and where
// the arrows sit on the select button's arrow row, the boxes it keeps, and
// the pressed looks of the three buttons and their way back.

#include <array>
#include <cstdint>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "scene/mainMenu/ClsUiMainMenu.h"

using scene::mainMenu::ClsUiMainMenu;

namespace {

using Box = std::array<int32_t, 4>;

Box box(const VMPtr<ClsUiMainMenu::IntArray>& b)
{
    return {(*b)[0], (*b)[1], (*b)[2], (*b)[3]};
}

class ClsUiMainMenuTest : public menutest::MenuFixture {
protected:
    VMPtr<ClsUiMainMenu> built()
    {
        VMPtr<ClsUiMainMenu> panel = ClsUiMainMenu::newInstance()->init();
        panel->allocItems(7);
        panel->build();
        return panel;
    }
    // The three buttons' frames: select, up, down.
    static std::array<int32_t, 3> frames(const VMPtr<ClsUiMainMenu>& panel)
    {
        return {panel->getItemFrame(panel->selectItem), panel->getItemFrame(panel->upItem),
                panel->getItemFrame(panel->downItem)};
    }
};

TEST_F(ClsUiMainMenuTest, BuildPutsTheArrowsOnTheSelectButtonsArrowRow)
{
    VMPtr<ClsUiMainMenu> panel = built();
    EXPECT_EQ(panel->getItemCapacity(), 7);
    EXPECT_EQ(panel->getNextItem(), 4);
    EXPECT_EQ((std::array<int32_t, 4>{panel->titleItem, panel->selectItem, panel->upItem,
                                      panel->downItem}),
              (std::array<int32_t, 4>{0, 1, 2, 3}));
    EXPECT_EQ(panel->getItemKind(panel->titleItem), ClsUiMainMenu::FRAME_ITEM);
    EXPECT_EQ(panel->getItemKind(panel->selectItem), ClsUiMainMenu::FRAME_ITEM);
    EXPECT_EQ(panel->getItemKind(panel->upItem), ClsUiMainMenu::ANIM_ITEM);
    EXPECT_EQ(panel->getItemKind(panel->downItem), ClsUiMainMenu::ANIM_ITEM);
    EXPECT_EQ(frames(panel), (std::array<int32_t, 3>{1, 5, 7}));

    Box row = box(panel->getItemBox(panel->selectItem, 3));
    ASSERT_GT(row[2], 0) << "the select button has an arrow row";
    EXPECT_EQ(panel->arrowX, row[0] + row[2] / 2);
    EXPECT_EQ(panel->upY, row[1]);
    EXPECT_EQ(panel->downY, row[1] + row[3]);
    EXPECT_EQ(box(panel->getUpBox()), box(panel->getItemBox(panel->upItem, 0)));
    EXPECT_EQ(box(panel->getDownBox()), box(panel->getItemBox(panel->downItem, 0)));
    EXPECT_GT((*panel->getUpBox())[2], 0);
    EXPECT_GT((*panel->getDownBox())[2], 0);
    // The up arrow's box lies above the down arrow's.
    EXPECT_LT((*panel->getUpBox())[1], (*panel->getDownBox())[1]);
    for (int32_t k : {0, 2, 3})
        EXPECT_EQ(box(panel->getSelectBox(k)), box(panel->getItemBox(panel->selectItem, k))) << k;
}

TEST_F(ClsUiMainMenuTest, PressesShowTheirLookAndTheReleasesPutItBack)
{
    struct Case {
        const char* name;
        void (ClsUiMainMenu::*press)();
        std::array<int32_t, 3> pressed;
        void (ClsUiMainMenu::*back)();
    };
    const Case cases[] = {
        {"select", &ClsUiMainMenu::pressSelect, {0, 5, 7}, &ClsUiMainMenu::releaseSelect},
        {"up", &ClsUiMainMenu::pressUp, {1, 4, 7}, &ClsUiMainMenu::resetArrows},
        {"down", &ClsUiMainMenu::pressDown, {1, 5, 6}, &ClsUiMainMenu::resetArrows},
    };
    VMPtr<ClsUiMainMenu> panel = built();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ((*panel).*c.press)();
        EXPECT_EQ(frames(panel), c.pressed);
        ((*panel).*c.back)();
        EXPECT_EQ(frames(panel), (std::array<int32_t, 3>{1, 5, 7}));
    }
}

TEST_F(ClsUiMainMenuTest, ResetArrowsPutsMovedArrowsBackInPlace)
{
    VMPtr<ClsUiMainMenu> panel = built();
    Box up = box(panel->getUpBox());
    Box down = box(panel->getDownBox());
    panel->pressUp();
    panel->pressDown();
    panel->setItemPosition(panel->upItem, 3, 4);
    panel->setItemPosition(panel->downItem, 50, 60);
    panel->resetArrows();
    EXPECT_EQ(box(panel->getItemBox(panel->upItem, 0)), up);
    EXPECT_EQ(box(panel->getItemBox(panel->downItem, 0)), down);
}

TEST_F(ClsUiMainMenuTest, TheArrowsNudgeInPlaceForEver)
{
    VMPtr<ClsUiMainMenu> panel = built();
    // Two pixels towards their direction and back, however long the menu runs.
    EXPECT_EQ(boxDrift(panel, {panel->upItem, panel->downItem}, 0, 1000),
              (std::vector<Drift>{{0, 0, -2, 0}, {0, 0, 0, 2}}));
}

} // namespace
