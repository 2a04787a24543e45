#pragma once
// scene.mainGame.ClsUiIngame: the in-play HUD panel: the top bar with the
// money box, three life icons, the boss's hit-point bar, the end banner and
// the pause button. The panel paints its items; the red fill of the boss
// bar is painted by the play scene's layer through paintBossBar.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Screen.h"

namespace scene::mainGame {

class ClsUiIngame : public ui::Screen {
    VM_CLASS(ClsUiIngame, ui::Screen)

    // Pictures: (Gob set, animation set).
    static constexpr int32_t TOP_BAR_GOBS = generated::RP::MENU_PAGE;
    static constexpr int32_t TOP_BAR_ANIMATIONS = generated::RP::ANIM_MENU_PAGE;
    static constexpr int32_t LIFE_GOBS = generated::RP::PLAYER;
    static constexpr int32_t LIFE_ANIMATIONS = generated::RP::PLAYER_ANIMS;
    static constexpr int32_t BOSS_BAR_GOBS = generated::RP::BOSS_HP;
    static constexpr int32_t BOSS_BAR_ANIMATIONS = generated::RP::ANIM_BOSS_HP;
    static constexpr int32_t BANNER_GOBS = generated::RP::BANNER;
    static constexpr int32_t BANNER_ANIMATIONS = generated::RP::BANNER_ANIMS;
    static constexpr int32_t BUTTON_GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t BUTTON_ANIMATIONS = generated::RP::ANIM_UI_BUTTON;
    // Frames and animations.
    static constexpr int32_t TOP_BAR_FRAME = 1;
    static constexpr int32_t LIFE_FRAME = 31;
    static constexpr int32_t LIFE_LOST_FRAME = 32;
    static constexpr int32_t BOSS_BAR_FRAME = 0;
    static constexpr int32_t BOSS_BAR_IDLE_FRAME = 1;
    static constexpr int32_t BANNER_DESTROYED = 0;
    static constexpr int32_t BANNER_NONE = 1;
    static constexpr int32_t BANNER_CLEARED = 2;
    static constexpr int32_t PAUSE_FRAME_19 = 19;
    static constexpr int32_t PAUSE_FRAME_15 = 15;
    static constexpr int32_t LIVES = 3;
    // The top bar's box that holds the money text.
    static constexpr int32_t MONEY_BOX = 3;
    static constexpr int32_t BOSS_BAR_COLOR = 0xFF0000;

    // The panel, no items yet.
    VMPtr<ClsUiIngame> init();

    // The panel's places, each clipped to the whole screen.
    void allocItems(int32_t n) override;
    // Animates the items, then shows the lives left and, during the boss
    // fight, sizes the boss bar to the boss's hit points.
    void update() override;

    // {x, y, width, height} of the pause button's box.
    virtual VMPtr<IntArray> getPauseButtonRect();
    virtual void setPauseFrame19();
    // Adds the HUD's items; the stage's resources are loaded.
    virtual void setupItems();
    // cleared: the stage-cleared banner, else the destroyed one.
    virtual void showEndBanner(bool cleared);
    // {x, y, width, height} of the money box.
    virtual VMPtr<IntArray> getMoneyRect();
    virtual void setPauseFrame15();
    // The boss bar's red fill, during the boss fight only.
    virtual void paintBossBar(VMPtr<Graphics> g);

    // The fill width for current of total hit points and a full width:
    // within 0..fullWidth, 0 when total is 0 or less.
    static int32_t bossBarWidth(int32_t fullWidth, int32_t current, int32_t total);

    int32_t topBarItem = 0;
    // The third life icon; the others stand just before it.
    int32_t lastLifeItem = 0;
    int32_t bossBarItem = 0;
    int32_t bannerItem = 0;
    // The boss bar's fill at full hit points.
    int32_t barX = 0;
    int32_t barY = 0;
    int32_t barFullWidth = 0;
    int32_t barHeight = 0;
    int32_t barWidth = 0;

    // Height of a life icon.
    static inline int32_t iconHeight = 0;
    // Item index of the pause button.
    static inline int32_t pauseButtonItem = 0;
};

} // namespace scene::mainGame
