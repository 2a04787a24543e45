#pragma once
// A scene for the frame's tests: it writes what it is asked to do into one
// shared log as "<scene id> <step>" (load, load2, texts, update, paint,
// pause, release) and runs optional hooks inside its update and paint. While a
// FakeScenes lives, it stands in for every scene the manager's table knows
// (ids 0, 1, 2, 4, 6, 7, 9, 10, 11 and 12); ids 3, 5 and 8 stay without.

#include <functional>
#include <string>
#include <vector>

#include "scene/SceneManager.h"
#include "ui/Scene.h"

namespace vxtest {

class FakeScene : public ui::Scene {
    VM_CLASS(FakeScene, ui::Scene)

    VMPtr<FakeScene> init(int32_t id);

    void load() override;
    void load2() override;
    void initTexts() override;
    void paintLayer(VMPtr<Graphics> g) override;
    void update() override;
    void paint(VMPtr<Graphics> g) override;
    void onPause() override;
    void release() override;

    int32_t sceneId = -1;

    static inline std::vector<std::string> log;
    static inline std::function<void(FakeScene&)> onUpdate;
    static inline std::function<void(FakeScene&, VMPtr<Graphics>)> onPaint;
    // Entries of the log for one scene, in order, without its id.
    static std::vector<std::string> stepsOf(int32_t id);

private:
    void write(const char* step);
};

class FakeScenes {
public:
    FakeScenes();
    ~FakeScenes();
    FakeScenes(const FakeScenes&) = delete;
    FakeScenes& operator=(const FakeScenes&) = delete;

private:
    scene::SceneManager::SceneMaker saved[scene::SceneManager::SCENE_IDS];
};

} // namespace vxtest
