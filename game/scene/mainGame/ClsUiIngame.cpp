#include "scene/mainGame/ClsUiIngame.h"

#include <algorithm>

#include "scene/mainGame/MainGame.h"

namespace scene::mainGame {

namespace {

constexpr int32_t kTopBarX = 240;
constexpr int32_t kLifeStartX = 10;
constexpr int32_t kLifeStartY = 10;
constexpr int32_t kBossBarX = 120;
constexpr int32_t kBannerX = 120;
constexpr int32_t kBannerY = 160;
constexpr int32_t kPauseButtonX = 240;

} // namespace

VMPtr<ClsUiIngame> ClsUiIngame::init()
{
    initItems();
    return VMPtr<ClsUiIngame>(this);
}

void ClsUiIngame::allocItems(int32_t n)
{
    Screen::allocItems(n);
    clipItemsToScreen();
}

void ClsUiIngame::setupItems()
{
    topBarItem = nextItem;
    addItem(TOP_BAR_GOBS, TOP_BAR_ANIMATIONS, TOP_BAR_FRAME, kTopBarX, 0);

    for (int32_t k = 1; k <= LIVES; k++) {
        lastLifeItem = nextItem;
        addItem(LIFE_GOBS, LIFE_ANIMATIONS, LIFE_FRAME, kLifeStartX, kLifeStartY);
        iconHeight = getItemSize1(lastLifeItem);
        int32_t w = getItemSize2(lastLifeItem);
        setItemPosition(lastLifeItem, w * k, iconHeight);
    }

    // The fill is read from the bar's frame 0; the bar shows frame 1 until
    // the boss fight.
    bossBarItem = nextItem;
    addItem(BOSS_BAR_GOBS, BOSS_BAR_ANIMATIONS, BOSS_BAR_FRAME, kBossBarX, 2 * iconHeight);
    VMPtr<IntArray> box = getItemBox(bossBarItem, 0);
    barX = (*box)[0];
    barY = (*box)[1];
    barFullWidth = (*box)[2];
    barHeight = (*box)[3];
    setItemFrame(bossBarItem, BOSS_BAR_IDLE_FRAME);

    bannerItem = nextItem;
    addAnimItem(BANNER_GOBS, BANNER_ANIMATIONS, BANNER_NONE, kBannerX, kBannerY);

    pauseButtonItem = nextItem;
    addItem(BUTTON_GOBS, BUTTON_ANIMATIONS, PAUSE_FRAME_19, kPauseButtonX, 0);
}

void ClsUiIngame::update()
{
    Screen::update();

    // Lives lost turn the rightmost icons off; they never come back on.
    int32_t lives = MainGame::player->getLives();
    if (lives >= 0 && lives < LIVES) {
        for (int32_t i = lastLifeItem - (LIVES - 1 - lives); i <= lastLifeItem; i++)
            setItemFrame(i, LIFE_LOST_FRAME);
    }

    if (MainGame::bossStarted) {
        setItemFrame(bossBarItem, BOSS_BAR_FRAME);
        barWidth = bossBarWidth(barFullWidth, MainGame::getBossHp(), MainGame::getBossMaxHp());
    }
}

int32_t ClsUiIngame::bossBarWidth(int32_t fullWidth, int32_t current, int32_t total)
{
    if (total <= 0)
        return 0;
    // In 64 bits: the products pass 2^31 for large hit points.
    int64_t width = ((int64_t(fullWidth) * current * 100) / total) / 100;
    return int32_t(std::clamp<int64_t>(width, 0, std::max(fullWidth, 0)));
}

void ClsUiIngame::paintBossBar(VMPtr<Graphics> g)
{
    if (!MainGame::bossStarted)
        return;
    g->setColor(BOSS_BAR_COLOR);
    g->fillRect(barX, barY, barWidth, barHeight);
}

void ClsUiIngame::showEndBanner(bool cleared)
{
    setItemFrame(bannerItem, cleared ? BANNER_CLEARED : BANNER_DESTROYED);
}

VMPtr<ClsUiIngame::IntArray> ClsUiIngame::getMoneyRect()
{
    return getItemBox(topBarItem, MONEY_BOX);
}

VMPtr<ClsUiIngame::IntArray> ClsUiIngame::getPauseButtonRect()
{
    return getItemBox(pauseButtonItem, 0);
}

void ClsUiIngame::setPauseFrame19()
{
    setItemFrame(pauseButtonItem, PAUSE_FRAME_19);
}

void ClsUiIngame::setPauseFrame15()
{
    setItemFrame(pauseButtonItem, PAUSE_FRAME_15);
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsUiIngame, "scene.mainGame.ClsUiIngame", "ui.Screen",
                  "..\\src\\scene_mainGame_ClsUiIngame", nullptr);
