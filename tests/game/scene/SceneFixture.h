#pragma once
// Scenes on a game canvas, reading the opening's packs from the suite's
// application folder, with a hub and a scene manager that record what the
// scenes ask of them: sound, texts, fonts and scene changes go into one log.
// The hub is real in everything else (fonts, texts), the manager too (keys).

#include <functional>
#include <string>
#include <vector>

#include "engine/support/TestGameCanvas.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "support/AppFolder.h"
#include "tq/Resources.h"
#include "tq/io/resource/ResourcePack.h"
#include "tq/util/text/RichFont.h"
#include "ui/Pointer.h"
#include "ui/ResManager.h"

namespace scenetest {

inline std::vector<std::string> requests;

class RecordingHub : public main::Main {
    VM_CLASS(RecordingHub, main::Main)

    void soundOn(int32_t id) override { requests.push_back("soundOn " + std::to_string(id)); }
    void soundOff() override { requests.push_back("soundOff"); }
    void replayMusic() override { requests.push_back("replayMusic"); }
    void loadTexts(int32_t id) override
    {
        requests.push_back("loadTexts " + std::to_string(id));
        Main::loadTexts(id);
    }
    void selectFont(int32_t font) override
    {
        requests.push_back("selectFont " + std::to_string(font));
        Main::selectFont(font);
    }
};

class RecordingSceneManager : public scene::SceneManager {
    VM_CLASS(RecordingSceneManager, scene::SceneManager)

    // Records the request and takes id as current unless it is refused.
    void changeScene(int32_t id) override
    {
        requests.push_back("changeScene " + std::to_string(id));
        if (id != refused)
            currentId = int16_t(id);
    }

    static inline int32_t refused = -1;
};

class SceneFixture : public vxtest::GameCanvasFixture {
protected:
    static void SetUpTestSuite()
    {
        folder = new vxtest::AppFolder();
        GameCanvasFixture::SetUpTestSuite();
    }
    static void TearDownTestSuite()
    {
        GameCanvasFixture::TearDownTestSuite();
        delete folder;
        folder = nullptr;
    }

    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        requests.clear();
        copyPack(VX_OPENING_FIXTURE);
        tq::io::resource::ResourcePack::currentPart = -1;

        main::Main::canvas = VMPtr<tq::TqCanvas>(canvas);
        main::Main::instance = RecordingHub::newInstance();
        main::Main::font = tq::util::text::RichFont::newInstance()->initSystemFont();
        // A new font has no glyphs: none is current, so the next choice sets them.
        main::Main::currentFontId = -1;
        main::Main::texts = tq::Resources::loadTranslation(0x806);
        tq::Resources::closePack();
        main::Main::resManager = ui::ResManager::newInstance()->init();

        RecordingSceneManager::refused = -1;
        VMPtr<RecordingSceneManager> manager = RecordingSceneManager::newInstance();
        manager->canvas = VMPtr<tq::TqCanvas>(canvas);
        scene::SceneManager::instance = manager;
        scene::SceneManager::pointer = ui::Pointer::newInstance()->init();
        canvas->frameTime = 40;
    }
    void TearDown() override
    {
        scene::SceneManager::currentScene = nullptr;
        scene::SceneManager::instance = nullptr;
        scene::SceneManager::pointer = nullptr;
        main::Main::instance = nullptr;
        main::Main::canvas = nullptr;
        tq::Resources::closePack();
        GameCanvasFixture::TearDown();
    }

    // One frame of the game as the canvas runs it: the keys latched, the
    // scene updated, then the touch state.
    void frame(ui::Scene* scene)
    {
        canvas->latchKeys();
        VMPtr<ui::Scene> keep(scene);
        keep->update();
        scene::SceneManager::pointer->update();
    }
    // Frames until the scene has entered; false after 20.
    bool enter(ui::Scene* scene)
    {
        for (int32_t i = 0; i < 20 && scene->entering; i++)
            frame(scene);
        return !scene->entering;
    }
    // Every file of a built pack folder into the application's rsc; with
    // take, only the files whose names it accepts.
    static void copyPack(const char* dir,
                         const std::function<bool(const std::string&)>& take = nullptr)
    {
        folder->copyPack(dir, take);
    }
    // The changeScene requests so far.
    static std::vector<std::string> sceneRequests()
    {
        std::vector<std::string> changes;
        for (const std::string& r : requests) {
            if (r.rfind("changeScene", 0) == 0)
                changes.push_back(r);
        }
        return changes;
    }

    static inline vxtest::AppFolder* folder = nullptr;
};

} // namespace scenetest
