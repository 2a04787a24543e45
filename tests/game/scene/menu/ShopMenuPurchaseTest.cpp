// Spending in the shop: every price of both tables charged level by level,
// the notice when the money falls one short or the level is at the top, No
// on every dialog, the must-buy prompts on the way to the stage, and what is
// saved when the shop is left: the record is written before the scene
// changes, holds the shop's entry state until then, and is read back by a
// fresh start.

#include <string>

#include <gtest/gtest.h>

#include "game/scene/menu/ShopMenuFixture.h"
#include "global/GameGlobals.h"
#include "scene/mainGame/ClsPlayer.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;
using scene::menu::ClsUiShopMenu;
using shoptest::currentProgress;
using shoptest::Progress;
using shoptest::progressOnDisk;
using namespace menutest;

namespace {

using Panel = ClsUiShopMenu;
using Dialog = scene::menu::ClsUiBuyConfirm;

const std::vector<std::string> kNotice{"Not enough money!", "OK"};
const std::vector<int32_t> kNoChosen{Dialog::YES_NOT_CHOSEN, Dialog::NO_CHOSEN};

int32_t priceOf(bool weapons, int32_t kind, int32_t column)
{
    global::GameGlobals::_VM_clinit();
    VMPtr<VMArray<int32_t, 2>> table =
        weapons ? global::GameGlobals::weaponPrices : global::GameGlobals::itemPrices;
    return (*table->get(kind))[column];
}

class ShopMenuPurchaseTest : public shoptest::ShopMenuFixture {
protected:
    // Yes on the open question or prompt, by keys or on its keys' boxes.
    void answerYes(bool byTouch)
    {
        if (byTouch) {
            tap(shop->buyConfirm->getYesBox());
        } else {
            tapKey(kLeftKey);
            tapKey(kSelectKey);
        }
    }
    void acknowledge() { tapKey(kSelectKey); }
};

TEST_F(ShopMenuPurchaseTest, EveryPriceOfBothTablesIsChargedLevelByLevel)
{
    for (bool weapons : {true, false}) {
        for (int32_t kind = 0; kind < (weapons ? 5 : 8); kind++) {
            SCOPED_TRACE((weapons ? "weapon " : "support ") + std::to_string(kind));
            Progress p;
            p.weapons[0] = weapons && kind == 0 ? 0 : 1;
            p.supports[0] = !weapons && kind == 0 ? 0 : 1;
            (weapons ? p.weapon : p.support) = kind;
            ShopMenu* s = openShop(p);
            if (!weapons)
                tapKey(kDownKey);
            auto level = [&] { return weapons ? p.weapons[kind] : p.supports[kind]; };
            for (int32_t column = 0; column < 3; column++) {
                SCOPED_TRACE("level " + std::to_string(column));
                int32_t price = priceOf(weapons, kind, column);
                EXPECT_EQ(s->shownPrice, price);
                // One short: the notice, and nothing changes.
                MainGame::money = price - 1;
                buyByKeys();
                EXPECT_EQ(s->state, ShopMenu::NOTICE);
                EXPECT_EQ(dialogLines(), kNotice);
                EXPECT_EQ(MainGame::money, price - 1);
                EXPECT_EQ(currentProgress(), p);
                acknowledge();
                EXPECT_EQ(s->state, ShopMenu::BROWSING);
                EXPECT_FALSE(s->buyConfirm->isActive());

                // Just enough: the level goes up and nothing is left.
                MainGame::money = price;
                buyByKeys();
                EXPECT_EQ(s->state, ShopMenu::BROWSING);
                (weapons ? p.weapons[kind] : p.supports[kind]) += 1;
                p.money = 0;
                EXPECT_EQ(MainGame::money, 0);
                EXPECT_EQ(currentProgress(), p) << "the saved money follows at once";
                EXPECT_EQ(s->shownLevel, level());
            }
            // At the top no purchase is offered, and the question refuses it.
            EXPECT_FALSE(s->buyEnabled);
            MainGame::money = 1000000;
            tapKey(kRightSoftKey);
            EXPECT_EQ(s->state, ShopMenu::BROWSING);
            s->openBuyConfirmation();
            answerYes(false);
            EXPECT_EQ(s->state, ShopMenu::NOTICE);
            EXPECT_EQ(MainGame::money, 1000000);
            EXPECT_EQ(currentProgress(), p);
            EXPECT_EQ(leaving(), Strings{}) << "nothing written while shopping";
        }
    }
}

TEST_F(ShopMenuPurchaseTest, NoOnEveryDialogChangesNothingAndEveryDialogOpensWithNo)
{
    struct Case {
        const char* name;
        Progress progress;
        // The action key on the start row, else on the weapon row.
        bool startRow;
        Strings lines;
    };
    Progress owned;
    owned.money = 100000;
    owned.weapon = 1;
    owned.weapons[1] = 1;
    Progress noWeapon = owned;
    noWeapon.weapons[1] = 0;
    Progress noSupport = owned;
    noSupport.support = 3;
    const Case cases[] = {
        {"buy question", owned, false, {"Are you sure?", ""}},
        {"weapon prompt", noWeapon, true, {"Buy this weapon first?", ""}},
        {"support prompt", noSupport, true, {"Buy this support first?", ""}},
    };
    for (bool byTouch : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (byTouch ? " by touch" : " by key"));
            ShopMenu* s = openShop(c.progress);
            if (c.startRow)
                toStartRow();
            tapKey(kRightSoftKey);
            EXPECT_TRUE(s->buyConfirm->isActive());
            EXPECT_TRUE(s->confirmLabels->isActive());
            EXPECT_EQ(dialogLines(), c.lines);
            EXPECT_EQ(choiceFrames(), kNoChosen);
            // Yes, then No again, then the answer.
            if (byTouch) {
                touchDown(s->buyConfirm->getYesBox());
                EXPECT_TRUE(s->buyConfirm->isYes());
                tap(s->buyConfirm->getNoBox());
            } else {
                tapKey(kLeftKey);
                EXPECT_EQ(choiceFrames(), (Ints{Dialog::YES_CHOSEN, Dialog::NO_NOT_CHOSEN}));
                tapKey(kRightKey);
                tapKey(kSelectKey);
            }
            EXPECT_EQ(s->state, ShopMenu::BROWSING);
            EXPECT_FALSE(s->buyConfirm->isActive());
            EXPECT_FALSE(s->confirmLabels->isActive());
            EXPECT_EQ(currentProgress(), c.progress);
            EXPECT_EQ(MainGame::money, c.progress.money);
            EXPECT_EQ(leaving(), Strings{});
            // Opened again, it starts at No once more.
            tapKey(kRightSoftKey);
            EXPECT_EQ(dialogLines(), c.lines);
            EXPECT_EQ(choiceFrames(), kNoChosen);
        }
    }
}

TEST_F(ShopMenuPurchaseTest, StartingWithNothingOwnedPromptsForTheWeaponThenTheSupportThenPlays)
{
    for (bool byTouch : {false, true}) {
        SCOPED_TRACE(byTouch ? "by touch" : "by key");
        Progress p;
        p.weapons[0] = 0;
        p.supports[0] = 0;
        p.weapon = 1;
        p.support = 3;
        p.money = priceOf(true, 1, 0) + priceOf(false, 3, 0) + 7;
        ShopMenu* s = openShop(p);
        toStartRow();
        if (byTouch)
            tap(s->shopPanel->getActionBox());
        else
            tapKey(kRightSoftKey);
        EXPECT_EQ(s->state, ShopMenu::MUST_BUY);
        EXPECT_EQ(dialogLines(), (Strings{"Buy this weapon first?", ""}));

        answerYes(byTouch);
        EXPECT_EQ(s->state, ShopMenu::MUST_BUY);
        EXPECT_EQ(dialogLines(), (Strings{"Buy this support first?", ""}));
        EXPECT_EQ(choiceFrames(), kNoChosen) << "the second prompt opens with No too";
        EXPECT_FALSE(s->weaponRow);
        EXPECT_EQ((*main::Game::itemLevelsA)[1], 1);
        EXPECT_EQ(leaving(), Strings{});

        answerYes(byTouch);
        EXPECT_EQ(leaving(), (Strings{"saveProgress", "changeScene 9"}));
        p.weapons[1] = 1;
        p.supports[3] = 1;
        p.money = 7;
        EXPECT_EQ(currentProgress(), p);
        EXPECT_EQ(progressOnDisk(), p);

        // The shop has left: nothing acts any more.
        tapKey(kLeftSoftKey);
        tap(s->shopPanel->getBackBox());
        EXPECT_EQ(leaving(), (Strings{"saveProgress", "changeScene 9"}));
    }
}

TEST_F(ShopMenuPurchaseTest, AFailedPromptPurchaseShowsTheNoticeAndStaysOnTheStartRow)
{
    Progress p;
    p.weapon = 4;
    p.weapons[4] = 0;
    p.money = priceOf(true, 4, 0) - 1;
    ShopMenu* s = openShop(p);
    toStartRow();
    tapKey(kRightSoftKey);
    answerYes(false);
    EXPECT_EQ(s->state, ShopMenu::NOTICE);
    EXPECT_EQ(dialogLines(), kNotice);
    // OK by touch: the press shows it, the release closes.
    touchDown(s->buyConfirm->getOkBox());
    EXPECT_EQ(s->buyConfirm->getItemFrame(s->buyConfirm->okItem), Dialog::OK_PRESSED);
    tap(s->buyConfirm->getOkBox());
    EXPECT_EQ(s->state, ShopMenu::BROWSING);
    EXPECT_TRUE(s->startRowSelected);
    EXPECT_EQ(rowLabels(), (Strings{" ", " ", " "}));
    EXPECT_EQ(markerFrames(), Ints(8, Panel::MARKER_HIDDEN));
    EXPECT_EQ(currentProgress(), p);
    EXPECT_EQ(leaving(), Strings{});
}

TEST_F(ShopMenuPurchaseTest, StartingWithBothOwnedSavesTheSelectionsBeforePlay)
{
    for (bool byTouch : {false, true}) {
        SCOPED_TRACE(byTouch ? "by touch" : "by key");
        Progress p;
        p.weapons[3] = 2;
        p.supports[6] = 1;
        ShopMenu* s = openShop(p);
        tapKey(kLeftKey);
        tapKey(kLeftKey);
        tapKey(kDownKey);
        tapKey(kLeftKey);
        tapKey(kLeftKey);
        tapKey(kDownKey);
        ASSERT_EQ((Ints{ClsPlayer::weaponKind, ClsPlayer::supportKind}), (Ints{3, 6}));
        EXPECT_EQ(currentProgress(), p) << "choosing saves nothing";
        if (byTouch)
            tap(s->shopPanel->getActionBox());
        else
            tapKey(kRightSoftKey);
        EXPECT_EQ(leaving(), (Strings{"saveProgress", "changeScene 9"}));
        p.weapon = 3;
        p.support = 6;
        EXPECT_EQ(currentProgress(), p);
        EXPECT_EQ(progressOnDisk(), p);
    }
}

TEST_F(ShopMenuPurchaseTest, PurchasesReachTheDiskWhenTheShopIsLeftAndAFreshStartReadsThem)
{
    Progress entry;
    entry.money = 40000;
    ShopMenu* s = openShop(entry);
    buyByKeys();
    tapKey(kDownKey);
    tapKey(kRightKey);
    buyByKeys();
    Progress bought = entry;
    bought.weapons[0] = 2;
    bought.supports[1] = 1;
    bought.money = 40000 - priceOf(true, 0, 1) - priceOf(false, 1, 0);
    ASSERT_EQ(currentProgress(), bought);
    // A crash now loses only what was bought in this visit.
    EXPECT_EQ(progressOnDisk(), entry);

    tap(s->shopPanel->getBackBox());
    EXPECT_EQ(leaving(), (Strings{"saveProgress", "changeScene 10"}));
    EXPECT_EQ(progressOnDisk(), bought) << "the selections are saved only on a start";

    main::Game::resetProgress();
    main::Main::game = main::Game::newInstance()->init();
    EXPECT_EQ(currentProgress(), bought);
}

TEST_F(ShopMenuPurchaseTest, TwoWaysOutInOneFrameActOnce)
{
    struct Case {
        const char* name;
        bool startRow;
        int32_t key;
        Strings left;
    };
    const Case cases[] = {
        {"back key and back key's box", false, kLeftSoftKey, {"saveProgress", "changeScene 10"}},
        {"start key and back key's box", true, kRightSoftKey, {"saveProgress", "changeScene 9"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Progress p;
        ShopMenu* s = openShop(p);
        if (c.startRow)
            toStartRow();
        VMPtr<IntArray> back = s->shopPanel->getBackBox();
        touchDown(back);
        pressKey(c.key);
        // The touch's release is seen one frame after it comes, the key's
        // in the frame it comes: both in one frame.
        step({{frameNumber, playtest::InputEvent::TOUCH_UP, 0, centreX(back), centreY(back)}});
        releaseKey(c.key);
        idle(3);
        EXPECT_EQ(leaving(), c.left);
    }
}

TEST_F(ShopMenuPurchaseTest, AStartFromThePromptLeavesThroughTheRealSceneChangeCleanly)
{
    Progress p;
    p.weapons[0] = 0;
    p.money = priceOf(true, 0, 0);
    ShopMenu* s = openShop(p);
    // The game's own manager: the change releases the shop within the frame.
    VMPtr<scene::SceneManager> manager = scene::SceneManager::newInstance();
    manager->canvas = VMPtr<tq::TqCanvas>(canvas);
    manager->currentId = scene::SceneManager::SHOP;
    scene::SceneManager::instance = manager;
    scene::SceneManager::currentScene = VMPtr<ui::Scene>(s);
    s->sceneManager = manager;

    toStartRow();
    tapKey(kRightSoftKey);
    answerYes(false);
    EXPECT_EQ(manager->currentId, scene::SceneManager::MAIN_GAME);
    EXPECT_NE(scene::SceneManager::currentScene.get(), static_cast<ui::Scene*>(s));
    EXPECT_TRUE(s->left);
    EXPECT_EQ(s->shopPanel->getItemFrame(s->shopPanel->rowItem), -1) << "released";
    p.weapons[0] = 1;
    p.money = 0;
    EXPECT_EQ(progressOnDisk(), p);
}

TEST_F(ShopMenuPurchaseTest, ARefusedSceneChangeKeepsTheShopUsable)
{
    scenetest::RecordingSceneManager::refused = 10;
    ShopMenu* s = openShop({});
    tapKey(kLeftSoftKey);
    EXPECT_EQ(leaving(), (Strings{"saveProgress", "changeScene 10"}));
    EXPECT_FALSE(s->left);
    tapKey(kRightKey);
    EXPECT_EQ(ClsPlayer::weaponKind, 1);
}

} // namespace
