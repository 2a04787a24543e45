#pragma once
// scene.splash.LogoScene: scene 0, the animated logo on white. After 3000 ms
// of frame time it loads the text table and the bitmap font 1 and moves on
// to the sound question (scene 6). The scene manager loads it at once
// (tick), so the logo shows from the first frame.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Scene.h"

namespace scene::splash {

class LogoScene : public ui::Scene {
    VM_CLASS(LogoScene, ui::Scene)

    static constexpr int32_t LOGO_GOBS = generated::RP::LOGO;
    static constexpr int32_t LOGO_ANIMATION_SET = generated::RP::LOGO_ANIMS;
    static constexpr int32_t LOGO_X = 120;
    static constexpr int32_t LOGO_Y = 160;
    static constexpr int32_t BACKGROUND = 0xFFFFFF;
    static constexpr int32_t TEXTS = generated::RP::TEXTS;
    static constexpr int32_t FONT = 1;
    static constexpr int32_t NEXT_SCENE = 6;
    // The scene leaves at the first frame whose summed frame time lies in
    // [SHOW_TIME, SHOW_TIME_END).
    static constexpr int32_t SHOW_TIME = 3000;
    static constexpr int32_t SHOW_TIME_END = 5000;

    VMPtr<LogoScene> init();

    void load2() override;
    void update() override;
    void load() override;
    void paintLayer(VMPtr<Graphics> g) override;
    void initTexts() override;
};

} // namespace scene::splash
