#include "game/scene/menu/ShopMenuFixture.h"

#include "main/Main.h"
#include "scene/menu/StageSelectMenu.h"
#include "support/LangTestSupport.h"

namespace shoptest {

using main::Game;

Progress currentProgress()
{
    Progress p;
    p.money = Game::money;
    for (size_t k = 0; k < p.weapons.size(); k++)
        p.weapons[k] = (*Game::itemLevelsA)[int32_t(k)];
    for (size_t k = 0; k < p.supports.size(); k++)
        p.supports[k] = (*Game::itemLevelsB)[int32_t(k)];
    p.weapon = Game::selectedItemA;
    p.support = Game::selectedItemB;
    return p;
}

void setProgress(const Progress& p)
{
    Game::money = p.money;
    for (size_t k = 0; k < p.weapons.size(); k++)
        (*Game::itemLevelsA)[int32_t(k)] = p.weapons[k];
    for (size_t k = 0; k < p.supports.size(); k++)
        (*Game::itemLevelsB)[int32_t(k)] = p.supports[k];
    Game::selectedItemA = p.weapon;
    Game::selectedItemB = p.support;
}

Progress progressOnDisk()
{
    Progress now = currentProgress();
    Game::resetProgress();
    Game::money = -1;
    Game::newInstance()->init();
    Progress read = currentProgress();
    setProgress(now);
    return read;
}

bool LoggingGame::saveProgress()
{
    scenetest::requests.push_back("saveProgress");
    return Game::saveProgress();
}

void ShopMenuFixture::SetUp()
{
    MenuFixture::SetUp();
    main::Main::game = LoggingGame::newInstance()->init();
    scene::menu::StageSelectMenu::selectedStage = 0;
}

void ShopMenuFixture::TearDown()
{
    shop = nullptr;
    MenuFixture::TearDown();
}

ShopMenuFixture::ShopMenu* ShopMenuFixture::openShop(const Progress& p)
{
    setProgress(p);
    main::Main::game->saveProgress();
    shop = ShopMenu::newInstance()->init();
    EXPECT_TRUE(show(VMPtr<ui::Scene>(shop.get())));
    scenetest::requests.clear();
    return shop.get();
}

ShopMenuFixture::Strings ShopMenuFixture::leaving()
{
    Strings seen;
    for (const std::string& r : scenetest::requests) {
        if (r == "saveProgress" || r.rfind("changeScene", 0) == 0)
            seen.push_back(r);
    }
    return seen;
}

void ShopMenuFixture::touchDown(VMPtr<IntArray> box)
{
    MenuFixture::touchDown(centreX(box), centreY(box));
}

void ShopMenuFixture::touchUp(VMPtr<IntArray> box)
{
    step({{frameNumber, playtest::InputEvent::TOUCH_UP, 0, centreX(box), centreY(box)}});
    step({});
}

void ShopMenuFixture::releaseKey(int32_t key)
{
    step({{frameNumber, playtest::InputEvent::KEY_UP, key}});
}

void ShopMenuFixture::buyByKeys()
{
    tapKey(menutest::kRightSoftKey);
    tapKey(menutest::kLeftKey);
    tapKey(menutest::kSelectKey);
}

void ShopMenuFixture::toStartRow()
{
    tapKey(menutest::kDownKey);
    tapKey(menutest::kDownKey);
}

int32_t ShopMenuFixture::panelFrame(int32_t item)
{
    return shop->shopPanel->getItemFrame(item);
}

ShopMenuFixture::Strings ShopMenuFixture::rowLabels()
{
    Strings texts;
    for (int32_t i : {shop->levelLabel, shop->nextLevelLabel, shop->priceLabel})
        texts.push_back(vmText(shop->shopLabels->labelTexts->get(i)));
    return texts;
}

ShopMenuFixture::Strings ShopMenuFixture::dialogLines()
{
    return {vmText(shop->confirmLabels->labelTexts->get(0)),
            vmText(shop->confirmLabels->labelTexts->get(1))};
}

ShopMenuFixture::Ints ShopMenuFixture::choiceFrames()
{
    VMPtr<scene::menu::ClsUiBuyConfirm> dialog = shop->buyConfirm;
    return {dialog->getItemFrame(dialog->yesItem), dialog->getItemFrame(dialog->noItem)};
}

ShopMenuFixture::Ints ShopMenuFixture::markerFrames()
{
    Ints frames;
    for (int32_t i = 0; i < scene::menu::ClsUiShopMenu::MARKER_COUNT; i++)
        frames.push_back(panelFrame(scene::menu::ClsUiShopMenu::firstMarkerItem + i));
    return frames;
}

} // namespace shoptest

VM_REGISTER_CLASS_NO_CREATOR(shoptest::LoggingGame, "tests.shop.LoggingGame", "main.Game",
                             "tests", nullptr);
