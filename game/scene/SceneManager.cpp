#include "scene/SceneManager.h"

#include <cstdio>

#include "java/io/PrintStream.h"
#include "java/lang/System.h"
#include "main/Main.h"
#include "scene/mainMenu/MainMenu.h"
#include "scene/menu/About.h"
#include "scene/menu/Audio.h"
#include "scene/menu/Option.h"
#include "scene/menu/ShopMenu.h"
#include "scene/menu/StageSelectMenu.h"
#include "scene/splash/LogoGameSplash.h"
#include "scene/splash/LogoScene.h"
#include "ui/ResManager.h"

namespace scene {

namespace {

// Game keys of each logical key, tried in order; 0 ends a row.
constexpr int8_t kGameKeys[SceneManager::LOGICAL_KEYS][3] = {
    {16}, {17}, {18}, {19}, {20}, {21}, {22}, {23}, {24}, {25}, // digits 0 to 9
    {10},                                                       // '*'
    {3},                                                        // '#'
    {27, 7},
    {29, 15},
    {1, 30, 18},                                                // up
    {2, 32, 20},                                                // left
    {5, 33, 22},                                                // right
    {6, 31, 24},                                                // down
    {8, 34, 21},                                                // fire
    {4, 15},
    {},
    {7},
    {15},
};
// Logical key 12 while held.
constexpr int8_t kHeldKey12[3] = {27, 15};

VMPtr<ui::Scene> makeLogo(int32_t)
{
    return splash::LogoScene::newInstance()->init();
}

VMPtr<ui::Scene> makeMainMenu(int32_t)
{
    return mainMenu::MainMenu::newInstance()->init();
}

VMPtr<ui::Scene> makeAudio(int32_t id)
{
    return menu::Audio::newInstance()->init(id);
}

VMPtr<ui::Scene> makeStageSelect(int32_t)
{
    return menu::StageSelectMenu::newInstance()->init();
}

VMPtr<ui::Scene> makeAbout(int32_t)
{
    return menu::About::newInstance()->init();
}

VMPtr<ui::Scene> makeOption(int32_t id)
{
    return menu::Option::newInstance()->init(id);
}

VMPtr<ui::Scene> makeShop(int32_t)
{
    return menu::ShopMenu::newInstance()->init();
}

VMPtr<ui::Scene> makeTitle(int32_t id)
{
    return splash::LogoGameSplash::newInstance()->init(id);
}

} // namespace

VMPtr<SceneManager> SceneManager::init()
{
    Object::init();
    instance = this;
    canvas = main::Main::canvas;
    currentId = -1;
    missingSaid = 0;
    pointer = ui::Pointer::newInstance()->init();
    main::Main::instance->loadTexts(TEXTS);
    changeScene(LOGO);
    return VMPtr<SceneManager>(this);
}

SceneManager::SceneMaker SceneManager::sceneMakers[SCENE_IDS] = {
    &makeLogo,          // 0
    &makeMainMenu,      // 1 main menu
    &makeAudio,         // 2 sound settings
    nullptr,            // 3
    &makeAbout,         // 4 about
    nullptr,            // 5
    &makeAudio,         // 6 sound question
    &makeOption,        // 7 options
    nullptr,            // 8
    nullptr,            // 9 play
    &makeStageSelect,   // 10 stage selection
    &makeShop,          // 11 shop
    &makeTitle,         // 12 title
};

SceneManager::SceneMaker SceneManager::findScene(int32_t id)
{
    return id >= 0 && id < SCENE_IDS ? sceneMakers[id] : nullptr;
}

SceneManager::SceneMaker SceneManager::replaceScene(int32_t id, SceneMaker maker)
{
    if (id < 0 || id >= SCENE_IDS)
        return nullptr;
    SceneMaker previous = sceneMakers[id];
    sceneMakers[id] = maker;
    return previous;
}

bool SceneManager::anyGameKey(int32_t key, bool held, bool (tq::TqCanvas::*query)(int32_t))
{
    if (key < 0 || key >= LOGICAL_KEYS)
        return false;
    const int8_t* keys = held && key == 12 ? kHeldKey12 : kGameKeys[key];
    for (int32_t i = 0; i < 3 && keys[i] != 0; i++) {
        if (((*canvas).*query)(keys[i]))
            return true;
    }
    return false;
}

bool SceneManager::wasKeyPressed(int32_t key)
{
    return anyGameKey(key, false, &tq::TqCanvas::wasPressed);
}

bool SceneManager::isKeyHeld(int32_t key)
{
    return anyGameKey(key, true, &tq::TqCanvas::isHeld);
}

bool SceneManager::wasKeyReleased(int32_t key)
{
    return anyGameKey(key, false, &tq::TqCanvas::wasReleased);
}

void SceneManager::update()
{
    // The scene may change scene during its update: it is held here till it returns.
    VMPtr<ui::Scene> scene(currentScene);
    if (scene)
        scene->update();
    if (pointer)
        pointer->update();
}

void SceneManager::paint(VMPtr<Graphics> g)
{
    if (screen)
        screen->paint(g);
    VMPtr<ui::Scene> scene(currentScene);
    if (scene)
        scene->paint(g);
}

void SceneManager::resume() {}

void SceneManager::pause()
{
    if (currentScene)
        currentScene->onPause();
}

void SceneManager::release()
{
    if (currentScene) {
        currentScene->release();
        currentScene = nullptr;
    }
    ui::Pointer::directionRegions = nullptr;
    pointer = nullptr;
}

void SceneManager::changeScene(int32_t id)
{
    if (id == currentId)
        return;
    if (!findScene(id)) {
        // Asked every frame by a caller that waits for it: said once.
        bool inTable = id >= 0 && id < SCENE_IDS;
        if (inTable && (missingSaid & (1 << id)) != 0)
            return;
        if (inTable)
            missingSaid |= 1 << id;
        VMPtr<java::io::PrintStream> console = java::lang::System::out();
        console->print("No scene has id ");
        console->print(id);
        console->print("; scene ");
        console->print(int32_t(currentId));
        console->println(" stays");
        return;
    }
    main::Main::layoutPending = true;
    main::Main::instance->stopAllSounds();
    if (currentScene) {
        currentScene->release();
        currentScene = nullptr;
    }
    if (pointer)
        pointer->clearRegions();
    ui::ResManager::releaseAll();
    previousId = currentId;
    currentId = int16_t(id);
    createScene();
}

void SceneManager::createScene()
{
    currentScene = findScene(currentId)(currentId);
    if (currentId != LOGO)
        currentScene->setEntering(true);
    if (!currentScene->entering)
        currentScene->tick();
}

} // namespace scene

VM_REGISTER_CLASS(scene::SceneManager, "scene.SceneManager", "java.lang.Object",
                  "..\\src\\scene_SceneManager", nullptr);
