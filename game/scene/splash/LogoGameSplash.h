#pragma once
// scene.splash.LogoGameSplash: scene 12, the two title pictures on black.
// It enters over several frames like every scene but the logo, and moves on
// to the main menu (scene 1) when 3000 ms of frame time have passed since
// its construction, entry frames included. In any mode but 12 it shows an
// empty panel and stays.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Scene.h"

namespace scene::splash {

class LogoGameSplash : public ui::Scene {
    VM_CLASS(LogoGameSplash, ui::Scene)

    static constexpr int32_t TITLE_MODE = 12;
    static constexpr int32_t TITLE_GOBS = generated::RP::TITLE_SPLASH;
    static constexpr int32_t TITLE_ANIMATION_SET = generated::RP::TITLE_SPLASH_ANIMS;
    static constexpr int32_t BANNER_GOBS = generated::RP::GAME_NAME;
    static constexpr int32_t BANNER_ANIMATION_SET = generated::RP::GAME_NAME_ANIMS;
    static constexpr int32_t ADDON_DRAW_ORDER = 50;
    static constexpr int32_t NEXT_SCENE = 1;
    static constexpr int32_t SHOW_TIME = 3000;
    static constexpr int32_t SHOW_TIME_END = 5000;

    // mode: the scene id it is made for.
    VMPtr<LogoGameSplash> init(int32_t mode);

    void load2() override;
    void update() override;
    void load() override;
    void paintLayer(VMPtr<Graphics> g) override;
    void initTexts() override;

    // Leaves for the main menu once the show time is reached.
    virtual void checkTime();
    virtual void setMode(int32_t m);

    int32_t mode = 0;
};

} // namespace scene::splash
