#include "scene/splash/LogoGameSplash.h"

#include "main/Main.h"
#include "scene/SceneManager.h"
#include "ui/Addon.h"
#include "ui/Screen.h"

namespace scene::splash {

VMPtr<LogoGameSplash> LogoGameSplash::init(int32_t mode)
{
    Scene::init();
    this->mode = mode;
    return VMPtr<LogoGameSplash>(this);
}

void LogoGameSplash::load()
{
    VMPtr<ui::Screen> panel = ui::Screen::newInstance();
    panel->initItems();
    screen = panel;
    if (mode == TITLE_MODE) {
        panel->allocItems(2);
        panel->setBackgroundColor(0);
        panel->setBackgroundEnabled(true);
        panel->addItem(TITLE_GOBS, TITLE_ANIMATION_SET, 0, 120, 160);
        panel->addItem(BANNER_GOBS, BANNER_ANIMATION_SET, 0, 120, 0);
    }
    addObject(panel);
}

void LogoGameSplash::load2() {}

void LogoGameSplash::initTexts()
{
    if (addon == nullptr)
        return;
    addon->setDrawOrder(ADDON_DRAW_ORDER);
    addon->setAuxEnabled(true);
    addObject(addon);
}

void LogoGameSplash::paintLayer(VMPtr<Graphics>) {}

void LogoGameSplash::update()
{
    Scene::update();
    if (!entering && mode == TITLE_MODE)
        checkTime();
}

void LogoGameSplash::checkTime()
{
    if (elapsedFrameTime >= SHOW_TIME && elapsedFrameTime < SHOW_TIME_END)
        sceneManager->changeScene(NEXT_SCENE);
}

void LogoGameSplash::setMode(int32_t m)
{
    main::Main::layoutPending = true;
    mode = m;
}

} // namespace scene::splash

VM_REGISTER_CLASS_NO_CREATOR(scene::splash::LogoGameSplash, "scene.splash.LogoGameSplash",
                             "ui.Scene", "..\\src\\scene_splash_LogoGameSplash", nullptr);
