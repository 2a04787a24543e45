// The shop browsing: what its entry builds and shows, the rows and the
// selection with their wraps, the labels and markers by level, the preview
// flight with its target, and keys and touches acting alike on release.

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "game/scene/menu/ShopMenuFixture.h"
#include "global/GameGlobals.h"
#include "scene/mainGame/ClsPlayer.h"
#include "support/LangTestSupport.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;
using scene::menu::ClsUiShopMenu;
using namespace menutest;
using shoptest::currentProgress;

namespace {

using Panel = ClsUiShopMenu;

class ShopMenuTest : public shoptest::ShopMenuFixture {
protected:
    Ints arrowFrames() { return {panelFrame(shop->shopPanel->leftArrowItem), panelFrame(shop->shopPanel->rightArrowItem)}; }
    int32_t rowFrame() { return panelFrame(shop->shopPanel->rowItem); }
    int32_t cursorX() { return shop->shopPanel->getItemX(Panel::cursorItem); }
    static int32_t markerX(int32_t s) { return Panel::markerX0 + s * Panel::markerStep; }
};

TEST_F(ShopMenuTest, EnteringBuildsThePreviewThePanelsAndTheLabels)
{
    shoptest::Progress p;
    p.money = 1234;
    p.weapons[3] = 2;
    p.weapon = 3;
    ShopMenu* s = openShop(p);

    EXPECT_FALSE(MainGame::playActive);
    EXPECT_EQ(s->state, ShopMenu::BROWSING);
    EXPECT_TRUE(s->weaponRow);
    EXPECT_FALSE(s->startRowSelected);
    EXPECT_EQ(MainGame::money, 1234);
    EXPECT_EQ(MainGame::player->getState(), ClsPlayer::STATE_DEMO);
    EXPECT_EQ(MainGame::player->getX(0), s->shopPanel->getPreviewX());
    EXPECT_EQ(MainGame::player->getY(0), s->shopPanel->getPreviewY());
    EXPECT_EQ((Ints{MainGame::enemies->getDrawOrder(), MainGame::boss3->getDrawOrder(),
                    MainGame::player->getDrawOrder(), MainGame::explosions->getDrawOrder(),
                    s->shopPanel->getDrawOrder(), s->shopLabels->getDrawOrder(),
                    s->buyConfirm->getDrawOrder(), s->confirmLabels->getDrawOrder()}),
              (Ints{2, 2, 4, 4, 53, 53, 54, 54}));
    EXPECT_EQ(s->shopPanel->getNextItem(), 17) << "built";
    EXPECT_FALSE(s->buyConfirm->isActive());
    EXPECT_FALSE(s->confirmLabels->isActive());

    EXPECT_EQ(vmText(s->shopLabels->labelTexts->get(s->titleLabel)), "Shop");
    EXPECT_EQ(vmText(s->shopLabels->labelTexts->get(s->moneyLabelIndex)), "$ 1234");
    EXPECT_EQ(rowLabels(), (Strings{"Level 2", "Level 3", "$  48000"}));
    EXPECT_EQ(dialogLines(), (Strings{"Are you sure?", ""}));
    EXPECT_EQ(s->shownLevel, 2);
    EXPECT_EQ(s->shownPrice, 48000);
    EXPECT_TRUE(s->buyEnabled);
}

TEST_F(ShopMenuTest, KeysAndTouchesMoveBetweenTheThreeRows)
{
    shoptest::Progress p;
    p.weapons = {1, 0, 2, 0, 3};
    p.supports = {1, 1, 0, 0, 0, 0, 0, 3};
    p.support = 7;
    ShopMenu* s = openShop(p);
    const Ints weaponMarkers{8, 7, 8, 7, 8, 10, 10, 10};
    const Ints supportMarkers{8, 8, 7, 7, 7, 7, 7, 8};
    const Ints hiddenMarkers(8, Panel::MARKER_HIDDEN);
    EXPECT_EQ(markerFrames(), weaponMarkers);
    EXPECT_EQ(cursorX(), markerX(0));

    tapKey(kDownKey);
    EXPECT_FALSE(s->weaponRow);
    EXPECT_EQ(rowFrame(), Panel::SUPPORT_ROW_FRAME);
    EXPECT_EQ(markerFrames(), supportMarkers);
    EXPECT_EQ(cursorX(), markerX(7));
    EXPECT_EQ(rowLabels(), (Strings{"Level 3", "  ", ""})) << "support 7 is at the top level";

    tapKey(kDownKey);
    EXPECT_TRUE(s->startRowSelected);
    EXPECT_TRUE(s->buyEnabled) << "the action key starts";
    EXPECT_EQ(rowFrame(), Panel::START_ROW_FRAME);
    EXPECT_EQ(arrowFrames(), (Ints{Panel::ARROW_HIDDEN, Panel::ARROW_HIDDEN}));
    EXPECT_EQ(markerFrames(), hiddenMarkers);
    EXPECT_EQ(panelFrame(Panel::cursorItem), Panel::MARKER_HIDDEN);
    EXPECT_EQ(panelFrame(s->shopPanel->actionItem), Panel::ACTION_FRAME);
    EXPECT_EQ(rowLabels(), (Strings{" ", " ", " "}));

    tapKey(kDownKey);
    EXPECT_TRUE(s->startRowSelected) << "the start row is the last";
    EXPECT_EQ(rowFrame(), Panel::START_ROW_FRAME);

    tapKey(kUpKey);
    EXPECT_FALSE(s->startRowSelected);
    EXPECT_FALSE(s->weaponRow) << "back to the row it was entered from";
    EXPECT_EQ(rowFrame(), Panel::SUPPORT_ROW_FRAME);
    EXPECT_EQ(arrowFrames(), (Ints{Panel::LEFT_ARROW_FRAME, Panel::RIGHT_ARROW_FRAME}));
    EXPECT_EQ(markerFrames(), supportMarkers);
    EXPECT_EQ(panelFrame(Panel::cursorItem), Panel::CURSOR_SHOWN);
    EXPECT_EQ(panelFrame(s->shopPanel->actionItem), Panel::ACTION_HIDDEN);
    EXPECT_FALSE(s->buyEnabled);

    tapKey(kUpKey);
    EXPECT_TRUE(s->weaponRow);
    EXPECT_EQ(rowFrame(), Panel::WEAPON_ROW_FRAME);
    EXPECT_EQ(markerFrames(), weaponMarkers);
    tapKey(kUpKey);
    EXPECT_TRUE(s->weaponRow) << "the weapon row is the first";

    // Touches: the start row straight from the weapon row; down there
    // stays; a row box leaves it for that row.
    tap(s->shopPanel->getRowBox(Panel::START_ROW_BOX));
    EXPECT_TRUE(s->startRowSelected);
    EXPECT_TRUE(s->weaponRow);
    tapKey(kDownKey);
    EXPECT_TRUE(s->startRowSelected);
    EXPECT_EQ(rowFrame(), Panel::START_ROW_FRAME);
    EXPECT_EQ(markerFrames(), hiddenMarkers);
    tap(s->shopPanel->getRowBox(Panel::SUPPORT_ROW_BOX));
    EXPECT_FALSE(s->startRowSelected);
    EXPECT_FALSE(s->weaponRow);
    EXPECT_EQ(markerFrames(), supportMarkers);
    tap(s->shopPanel->getRowBox(Panel::WEAPON_ROW_BOX));
    EXPECT_TRUE(s->weaponRow);
    EXPECT_EQ(rowFrame(), Panel::WEAPON_ROW_FRAME);
    EXPECT_EQ(leaving(), Strings{});
}

TEST_F(ShopMenuTest, TheSelectionWrapsInEachGroupByKeyAndByArrow)
{
    struct Case {
        const char* name;
        bool weapons;
        int32_t from;
        bool right;
        int32_t to;
    };
    const Case cases[] = {
        {"weapon left from 0", true, 0, false, 4},
        {"weapon right from 4", true, 4, true, 0},
        {"weapon right from 1", true, 1, true, 2},
        {"support left from 0", false, 0, false, 7},
        {"support right from 7", false, 7, true, 0},
        {"support left from 5", false, 5, false, 4},
    };
    for (bool byTouch : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (byTouch ? " by touch" : " by key"));
            shoptest::Progress p;
            (c.weapons ? p.weapon : p.support) = c.from;
            ShopMenu* s = openShop(p);
            if (!c.weapons)
                tapKey(kDownKey);
            if (byTouch)
                tap(c.right ? s->shopPanel->getRightBox() : s->shopPanel->getLeftBox());
            else
                tapKey(c.right ? kRightKey : kLeftKey);
            EXPECT_EQ(c.weapons ? ClsPlayer::weaponKind : ClsPlayer::supportKind, c.to);
            EXPECT_EQ(c.weapons ? ClsPlayer::supportKind : ClsPlayer::weaponKind, 0);
            EXPECT_EQ(cursorX(), markerX(c.to));
            EXPECT_EQ(currentProgress(), p) << "levels and saved selections stay";
            EXPECT_EQ(arrowFrames(), (Ints{Panel::LEFT_ARROW_FRAME, Panel::RIGHT_ARROW_FRAME}));
        }
    }
}

TEST_F(ShopMenuTest, TheSelectionStaysWhileTheStartRowHasTheFocus)
{
    shoptest::Progress p;
    p.weapon = 2;
    p.support = 5;
    ShopMenu* s = openShop(p);
    toStartRow();
    ASSERT_TRUE(s->startRowSelected);
    // The arrows' boxes from before they were hidden.
    tapKey(kLeftKey);
    tapKey(kRightKey);
    s->shopPanel->resetArrows();
    VMPtr<IntArray> leftBox = s->shopPanel->getLeftBox();
    VMPtr<IntArray> rightBox = s->shopPanel->getRightBox();
    s->shopPanel->hideArrows();
    tap(leftBox);
    tap(rightBox);
    EXPECT_EQ((Ints{ClsPlayer::weaponKind, ClsPlayer::supportKind}), (Ints{2, 5}));
    EXPECT_EQ(arrowFrames(), (Ints{Panel::ARROW_HIDDEN, Panel::ARROW_HIDDEN}));
    EXPECT_TRUE(s->startRowSelected);
}

TEST_F(ShopMenuTest, TheRowLabelsShowTheLevelTheNextLevelAndThePrice)
{
    struct Case {
        const char* name;
        bool weapons;
        int32_t kind;
        int32_t level;
        Strings labels;
        int32_t action;
    };
    const Case cases[] = {
        {"weapon 0 not owned", true, 0, 0, {"Level 0", "Level 1", "$  5000"}, Panel::ACTION_FRAME},
        {"weapon 4 at level 1", true, 4, 1, {"Level 1", "Level 2", "$  22000"}, Panel::ACTION_FRAME},
        {"weapon 1 at level 2", true, 1, 2, {"Level 2", "Level 3", "$  38000"}, Panel::ACTION_FRAME},
        {"weapon 2 at the top", true, 2, 3, {"Level 3", "  ", ""}, Panel::ACTION_HIDDEN},
        {"support 6 not owned", false, 6, 0, {"Level 0", "Level 1", "$  6000"}, Panel::ACTION_FRAME},
        {"support 2 at level 2", false, 2, 2, {"Level 2", "Level 3", "$  50000"}, Panel::ACTION_FRAME},
        {"support 0 at the top", false, 0, 3, {"Level 3", "  ", ""}, Panel::ACTION_HIDDEN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shoptest::Progress p;
        p.money = 0;
        (c.weapons ? p.weapons[c.kind] : p.supports[c.kind]) = c.level;
        (c.weapons ? p.weapon : p.support) = c.kind;
        ShopMenu* s = openShop(p);
        if (!c.weapons)
            tapKey(kDownKey);
        EXPECT_EQ(rowLabels(), c.labels);
        EXPECT_EQ(panelFrame(s->shopPanel->actionItem), c.action);
        EXPECT_EQ(s->buyEnabled, c.level < 3);
        EXPECT_EQ(vmText(s->shopLabels->labelTexts->get(s->moneyLabelIndex)), "$ 0");
    }
}

TEST_F(ShopMenuTest, PressesOnlyShowTheButtonAndTheReleaseActsForKeysAndTouchesAlike)
{
    struct Case {
        const char* name;
        int32_t key;
        VMPtr<IntArray> (Panel::*box)();
        std::function<int32_t(ShopMenu*)> item;
        int32_t pressedFrame;
        std::function<bool(ShopMenu*)> acted;
    };
    const Case cases[] = {
        {"action", kRightSoftKey, &Panel::getActionBox,
         [](ShopMenu* s) { return s->shopPanel->actionItem; }, Panel::ACTION_PRESSED,
         [](ShopMenu* s) { return s->state == ShopMenu::BUY_QUESTION; }},
        {"back", kLeftSoftKey, &Panel::getBackBox,
         [](ShopMenu* s) { return s->shopPanel->backItem; }, Panel::BACK_PRESSED,
         [](ShopMenu*) { return leaving() == Strings{"saveProgress", "changeScene 10"}; }},
        {"left", kLeftKey, &Panel::getLeftBox,
         [](ShopMenu* s) { return s->shopPanel->leftArrowItem; }, Panel::LEFT_ARROW_PRESSED,
         [](ShopMenu*) { return ClsPlayer::weaponKind == 4; }},
        {"right", kRightKey, &Panel::getRightBox,
         [](ShopMenu* s) { return s->shopPanel->rightArrowItem; }, Panel::RIGHT_ARROW_PRESSED,
         [](ShopMenu*) { return ClsPlayer::weaponKind == 1; }},
    };
    for (bool byTouch : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (byTouch ? " by touch" : " by key"));
            ShopMenu* s = openShop({});
            VMPtr<IntArray> box = ((*s->shopPanel).*c.box)();
            int32_t normal = panelFrame(c.item(s));
            if (byTouch)
                touchDown(box);
            else
                pressKey(c.key);
            idle(3);
            EXPECT_EQ(panelFrame(c.item(s)), c.pressedFrame);
            EXPECT_FALSE(c.acted(s)) << "held";
            EXPECT_EQ(leaving(), Strings{});
            if (byTouch)
                touchUp(box);
            else
                releaseKey(c.key);
            EXPECT_TRUE(c.acted(s)) << "released";
            EXPECT_EQ(panelFrame(c.item(s)), normal);
        }
    }
}

TEST_F(ShopMenuTest, ThePreviewKeepsATargetForTheWeaponsAndTheSupportThatAimAtOne)
{
    struct Case {
        const char* name;
        int32_t weapon;
        int32_t support;
        bool target;
    };
    const Case cases[] = {
        {"homing weapon", 2, 0, true},   {"bomb weapon", 4, 0, true},
        {"pick-up support", 0, 7, true}, {"main gun", 0, 0, false},
        {"laser", 3, 0, false},          {"flame and satellites", 1, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shoptest::Progress p;
        p.weapons[c.weapon] = 1;
        p.supports[c.support] = 1;
        p.weapon = c.weapon;
        p.support = c.support;
        ShopMenu* s = openShop(p);
        // The first target comes after the spawner's first delay (3 s).
        idle(100);
        EXPECT_EQ(s->previewTarget, c.target);
        EXPECT_EQ(MainGame::enemies->getAlive() > 0, c.target);
        // The ship is never lost in the preview.
        EXPECT_EQ(MainGame::player->getState(), ClsPlayer::STATE_DEMO);
        EXPECT_EQ((*MainGame::player->hp)[0], ShopMenu::PREVIEW_HP);
    }

    // Choosing another weapon takes the target away.
    shoptest::Progress p;
    p.weapon = 2;
    ShopMenu* s = openShop(p);
    idle(100);
    ASSERT_GT(MainGame::enemies->getAlive(), 0);
    tapKey(kRightKey);
    idle(2);
    EXPECT_FALSE(s->previewTarget);
    EXPECT_EQ(MainGame::enemies->getAlive(), 0);
}

} // namespace
