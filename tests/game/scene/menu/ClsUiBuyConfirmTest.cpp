// The shop's dialog on the game's own art: its items on the dialog's button
// row, the boxes it keeps for the labels and touches, the choice it shows,
// the OK key's looks, and the black screen behind it.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/scene/menu/MenuFixture.h"
#include "game/ui/UiFixture.h"
#include "scene/menu/ClsUiBuyConfirm.h"

using scene::menu::ClsUiBuyConfirm;
using uitest::Ints;
using uitest::rect4;
using uitest::RecordingGraphics;

namespace {

using Dialog = ClsUiBuyConfirm;

class ClsUiBuyConfirmTest : public menutest::MenuFixture {
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        dialog = Dialog::newInstance()->init();
        dialog->allocItems(5);
        dialog->build();
    }

    Ints place(int32_t item) { return {dialog->getItemX(item), dialog->getItemY(item)}; }
    // Yes, No and OK.
    Ints looks()
    {
        return {dialog->getItemFrame(dialog->yesItem), dialog->getItemFrame(dialog->noItem),
                dialog->getItemFrame(dialog->okItem)};
    }

    VMPtr<Dialog> dialog;
};

TEST_F(ClsUiBuyConfirmTest, BuildPutsYesOkAndNoOnTheDialogsButtonRowWithNoChosen)
{
    EXPECT_EQ((Ints{Dialog::dialogItem, dialog->yesItem, dialog->noItem, dialog->okItem}),
              (Ints{0, 1, 2, 3}));
    EXPECT_EQ(dialog->getItemFrame(Dialog::dialogItem), 30);
    EXPECT_EQ(looks(), (Ints{14, 13, 46})) << "No chosen, OK hidden";
    EXPECT_FALSE(dialog->isYes());

    Ints d0 = rect4(dialog->getItemBox(Dialog::dialogItem, Dialog::BUTTON_ROW_BOX));
    EXPECT_EQ(d0, (Ints{58, 174, 124, 38}));
    int32_t row = d0[1] + d0[3];
    EXPECT_EQ(place(Dialog::dialogItem), (Ints{120, 160}));
    EXPECT_EQ(place(dialog->yesItem), (Ints{d0[0], row}));
    EXPECT_EQ(place(dialog->noItem), (Ints{d0[0] + d0[2], row}));
    EXPECT_EQ(place(dialog->okItem), (Ints{d0[0] + d0[2] / 2, row}));
    EXPECT_EQ(dialog->getItemKind(dialog->yesItem), Dialog::ANIM_ITEM);
    EXPECT_EQ(dialog->getItemKind(dialog->noItem), Dialog::ANIM_ITEM);
    EXPECT_EQ(dialog->getItemKind(dialog->okItem), Dialog::FRAME_ITEM);
}

TEST_F(ClsUiBuyConfirmTest, KeepsTheBoxesOfTheShownKeysWhateverTheyShowLater)
{
    auto boxes = [&] {
        return std::vector<Ints>{rect4(dialog->getYesBox()), rect4(dialog->getNoBox()),
                                 rect4(dialog->getOkBox()), rect4(dialog->getTextBox())};
    };
    // The OK box is OK's own (frame 11), though OK is hidden after build: the
    // notice's second line stands there.
    const std::vector<Ints> expected = {
        {29, 200, 58, 24}, {153, 200, 58, 24}, {90, 200, 60, 24}, {28, 90, 184, 26}};
    EXPECT_EQ(boxes(), expected);
    dialog->hideYesNo();
    dialog->pressOk();
    EXPECT_EQ(boxes(), expected);
}

TEST_F(ClsUiBuyConfirmTest, ChoiceAndOkLooks)
{
    dialog->setChoice(true);
    EXPECT_TRUE(dialog->isYes());
    EXPECT_EQ(looks(), (Ints{12, 15, 46}));
    dialog->setChoice(false);
    EXPECT_FALSE(dialog->isYes());
    EXPECT_EQ(looks(), (Ints{14, 13, 46}));

    // A notice: Yes and No away, OK shown, pressed, shown again.
    dialog->hideYesNo();
    dialog->showOk();
    EXPECT_EQ(looks(), (Ints{16, 16, 11}));
    dialog->pressOk();
    EXPECT_EQ(looks(), (Ints{16, 16, 10}));
    dialog->showOk();
    EXPECT_EQ(looks(), (Ints{16, 16, 11}));

    // The next dialog shows the choice again and hides OK.
    dialog->setChoice(false);
    dialog->hideOk();
    EXPECT_EQ(looks(), (Ints{14, 13, 46}));
    dialog->choice = true;
    dialog->showChoice();
    EXPECT_EQ(looks(), (Ints{12, 15, 46}));
}

TEST_F(ClsUiBuyConfirmTest, PaintsTheWholeScreenBlackBehindTheDialog)
{
    VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
    dialog->paint(g);
    ASSERT_FALSE(g->calls.empty());
    EXPECT_EQ(g->calls.front(), "fill 0 0 240 320 000000");
}

} // namespace
