#include "scene/splash/LogoScene.h"

#include "main/Main.h"
#include "scene/SceneManager.h"
#include "ui/Screen.h"

namespace scene::splash {

VMPtr<LogoScene> LogoScene::init()
{
    Scene::init();
    return VMPtr<LogoScene>(this);
}

void LogoScene::load()
{
    VMPtr<ui::Screen> panel = ui::Screen::newInstance();
    panel->initItems();
    screen = panel;
    panel->setBackgroundColor(BACKGROUND);
    panel->setBackgroundEnabled(true);
    panel->allocItems(1);
    panel->addAnimItem(LOGO_GOBS, LOGO_ANIMATION_SET, 0, LOGO_X, LOGO_Y);
    panel->setItemPosition(0, LOGO_X, LOGO_Y);
    addObject(panel);
}

void LogoScene::load2() {}

void LogoScene::initTexts() {}

void LogoScene::paintLayer(VMPtr<Graphics>) {}

void LogoScene::update()
{
    Scene::update();
    if (elapsedFrameTime >= SHOW_TIME && elapsedFrameTime < SHOW_TIME_END) {
        main::Main::instance->loadTexts(TEXTS);
        main::Main::instance->selectFont(FONT);
        sceneManager->changeScene(NEXT_SCENE);
    }
}

} // namespace scene::splash

VM_REGISTER_CLASS(scene::splash::LogoScene, "scene.splash.LogoScene", "ui.Scene",
                  "..\\src\\scene_splash_LogoScene", nullptr);
