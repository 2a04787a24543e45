#include "game/support/FakeScene.h"

namespace vxtest {

namespace {

VMPtr<ui::Scene> makeFake(int32_t id)
{
    return FakeScene::newInstance()->init(id);
}

} // namespace

VMPtr<FakeScene> FakeScene::init(int32_t id)
{
    Scene::init();
    sceneId = id;
    return VMPtr<FakeScene>(this);
}

void FakeScene::write(const char* step)
{
    log.push_back(std::to_string(sceneId) + " " + step);
}

void FakeScene::load()
{
    write("load");
}

void FakeScene::load2()
{
    write("load2");
}

void FakeScene::initTexts()
{
    write("texts");
}

void FakeScene::paintLayer(VMPtr<Graphics>) {}

void FakeScene::update()
{
    write("update");
    Scene::update();
    if (onUpdate)
        onUpdate(*this);
}

void FakeScene::paint(VMPtr<Graphics> g)
{
    write("paint");
    if (onPaint)
        onPaint(*this, g);
    Scene::paint(g);
}

void FakeScene::onPause()
{
    write("pause");
}

void FakeScene::release()
{
    write("release");
    Scene::release();
}

std::vector<std::string> FakeScene::stepsOf(int32_t id)
{
    std::string prefix = std::to_string(id) + " ";
    std::vector<std::string> steps;
    for (const std::string& entry : log) {
        if (entry.compare(0, prefix.size(), prefix) == 0)
            steps.push_back(entry.substr(prefix.size()));
    }
    return steps;
}

FakeScenes::FakeScenes()
{
    FakeScene::log.clear();
    FakeScene::onUpdate = nullptr;
    FakeScene::onPaint = nullptr;
    for (int32_t id = 0; id < scene::SceneManager::SCENE_IDS; id++) {
        bool none = id == 3 || id == 5 || id == 8;
        saved[id] = scene::SceneManager::replaceScene(id, none ? nullptr : &makeFake);
    }
}

FakeScenes::~FakeScenes()
{
    for (int32_t id = 0; id < scene::SceneManager::SCENE_IDS; id++)
        scene::SceneManager::replaceScene(id, saved[id]);
    FakeScene::onUpdate = nullptr;
    FakeScene::onPaint = nullptr;
}

} // namespace vxtest

VM_REGISTER_CLASS_NO_CREATOR(vxtest::FakeScene, "tests.FakeScene", "ui.Scene", "tests", nullptr);
