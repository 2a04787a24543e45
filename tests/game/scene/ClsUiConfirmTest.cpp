// The yes/no panel: its four items and the boxes it keeps, the pressed
// frames of the two buttons, and the item indices every panel agrees on.

#include <array>

#include <gtest/gtest.h>

#include "game/scene/SceneFixture.h"
#include "scene/mainMenu/ClsUiConfirm.h"

using scene::mainMenu::ClsUiConfirm;

namespace {

using Box = std::array<int32_t, 4>;

Box box(const VMPtr<ClsUiConfirm::IntArray>& b)
{
    return {(*b)[0], (*b)[1], (*b)[2], (*b)[3]};
}

class ClsUiConfirmTest : public scenetest::SceneFixture {
protected:
    VMPtr<ClsUiConfirm> built(int32_t places)
    {
        VMPtr<ClsUiConfirm> panel = ClsUiConfirm::newInstance()->init();
        panel->allocItems(places);
        panel->build();
        return panel;
    }
};

TEST_F(ClsUiConfirmTest, BuildAddsTheFourItemsAndKeepsTheirBoxes)
{
    VMPtr<ClsUiConfirm> panel = built(7);
    EXPECT_EQ(panel->getNextItem(), 4);
    EXPECT_EQ(ClsUiConfirm::dialogItem, 1);
    EXPECT_EQ(ClsUiConfirm::yesItem, 2);
    EXPECT_EQ(ClsUiConfirm::noItem, 3);
    EXPECT_EQ(panel->getItemFrame(0), 0);
    EXPECT_EQ(panel->getItemFrame(ClsUiConfirm::dialogItem), 30);
    EXPECT_EQ(panel->getItemFrame(ClsUiConfirm::yesItem), 21);
    EXPECT_EQ(panel->getItemFrame(ClsUiConfirm::noItem), 20);

    // The fixture's buttons hang from their corners; the dialog is centred.
    EXPECT_EQ(box(panel->getYesBox()), (Box{176, 288, 64, 32}));
    EXPECT_EQ(box(panel->getNoBox()), (Box{0, 288, 64, 32}));
    EXPECT_EQ(box(panel->getTitleBox()), (Box{30, 96, 180, 20}));
    EXPECT_EQ(box(panel->getQuestionBox()), (Box{30, 124, 180, 96}));
    EXPECT_EQ(box(panel->getBodyBox()), (Box{24, 94, 192, 132}));
}

TEST_F(ClsUiConfirmTest, APressChangesOnlyItsButtonsFrame)
{
    VMPtr<ClsUiConfirm> panel = built(7);
    auto frames = [&] {
        return std::array<int32_t, 2>{panel->getItemFrame(ClsUiConfirm::yesItem),
                                      panel->getItemFrame(ClsUiConfirm::noItem)};
    };
    panel->pressYes();
    EXPECT_EQ(frames(), (std::array<int32_t, 2>{17, 20}));
    panel->pressNo();
    EXPECT_EQ(frames(), (std::array<int32_t, 2>{17, 16}));
    EXPECT_EQ(box(panel->getYesBox()), (Box{176, 288, 64, 32})) << "the kept box stays";
    panel->resetButtons();
    EXPECT_EQ(frames(), (std::array<int32_t, 2>{21, 20}));
    panel->resetButtons();
    EXPECT_EQ(frames(), (std::array<int32_t, 2>{21, 20}));
}

TEST_F(ClsUiConfirmTest, PanelsOfEitherSizeAgreeOnTheItemIndices)
{
    VMPtr<ClsUiConfirm> menuPanel = built(4);
    std::array<int32_t, 3> menu{ClsUiConfirm::dialogItem, ClsUiConfirm::yesItem,
                                ClsUiConfirm::noItem};
    ClsUiConfirm::dialogItem = ClsUiConfirm::yesItem = ClsUiConfirm::noItem = -5;
    VMPtr<ClsUiConfirm> questionPanel = built(7);
    EXPECT_EQ(menu, (std::array<int32_t, 3>{ClsUiConfirm::dialogItem, ClsUiConfirm::yesItem,
                                            ClsUiConfirm::noItem}));
    // Each panel answers for its own pictures through the shared indices.
    menuPanel->pressNo();
    EXPECT_EQ(menuPanel->getItemFrame(ClsUiConfirm::noItem), 16);
    EXPECT_EQ(questionPanel->getItemFrame(ClsUiConfirm::noItem), 20);
}

} // namespace
