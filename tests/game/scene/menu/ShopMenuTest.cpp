// The shop browsing: what its entry builds and shows, the rows and the
// selection with their wraps, the labels and markers by level, the preview
// flight with its target, and keys and touches acting alike on release.

#include <gtest/gtest.h>

#include "game/scene/menu/ShopMenuFixture.h"
#include "global/GameGlobals.h"
#include "scene/mainGame/ClsPlayer.h"
#include "support/LangTestSupport.h"

using scene::mainGame::ClsPlayer;
using scene::mainGame::MainGame;
using scene::menu::ClsUiShopMenu;
using namespace menutest;

namespace {

using Panel = ClsUiShopMenu;

class ShopMenuTest : public shoptest::ShopMenuFixture {};

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

} // namespace
