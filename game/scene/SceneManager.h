#pragma once
// scene.SceneManager: runs the game as numbered scenes. It owns the current
// scene, switches scenes by id (the old one released, sounds stopped, touch
// key regions and the resource cache emptied before the new one is made),
// passes update, paint and pause on to the scene, owns the touch state, and
// answers key questions in logical keys 0 to 22, each standing for one or
// more of the canvas's game keys. Canvas thread only.

#include <cstdint>

#include "generated/RP.h"
#include "java/lang/Object.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "tq/TqCanvas.h"

namespace ui {
class Pointer;
class Scene;
class Screen;
} // namespace ui

namespace scene {

class SceneManager : public virtual java::lang::Object {
    VM_CLASS(SceneManager, java::lang::Object)

    using Graphics = javax::microedition::lcdui::Graphics;

    // Scene ids.
    static constexpr int32_t LOGO = 0;
    static constexpr int32_t MAIN_MENU = 1;
    static constexpr int32_t SOUND_SETTINGS = 2;
    static constexpr int32_t ABOUT = 4;
    static constexpr int32_t SOUND_QUESTION = 6;
    static constexpr int32_t OPTIONS = 7;
    static constexpr int32_t MAIN_GAME = 9;
    static constexpr int32_t STAGE_SELECT = 10;
    static constexpr int32_t SHOP = 11;
    static constexpr int32_t TITLE = 12;
    // The text table loaded when the manager is made.
    static constexpr int32_t TEXTS = generated::RP::TEXTS;
    // Logical keys.
    static constexpr int32_t KEY_UP = 14;
    static constexpr int32_t KEY_LEFT = 15;
    static constexpr int32_t KEY_RIGHT = 16;
    static constexpr int32_t KEY_DOWN = 17;
    static constexpr int32_t KEY_FIRE = 18;
    static constexpr int32_t LOGICAL_KEYS = 23;

    // The constructor body: the touch state, the text table, then scene 0.
    VMPtr<SceneManager> init();

    // True when the canvas answers true for any game key of the logical key;
    // false for keys without game keys.
    virtual bool wasKeyPressed(int32_t key);
    // As wasKeyPressed, but logical key 12 is game keys 27 and 15 here.
    virtual bool isKeyHeld(int32_t key);
    // The scene first, then the touch state, so a scene sees what the
    // previous frame gathered.
    virtual void update();
    virtual void paint(VMPtr<Graphics> g);
    virtual void resume();
    virtual bool wasKeyReleased(int32_t key);
    // The scene and the touch state go (the hub's stop).
    virtual void release();
    // Switches to scene id; the new scene is current before it returns. An
    // id without a scene keeps the current scene and is named on the console,
    // once for each id of the table.
    virtual void changeScene(int32_t id);
    virtual void pause();

    // Makes the scene of an id: creation and its constructor body.
    using SceneMaker = VMPtr<ui::Scene> (*)(int32_t id);
    static constexpr int32_t SCENE_IDS = 13;
    // The maker of id, null for an id without a scene.
    static SceneMaker findScene(int32_t id);
    // Puts maker (null: none) in the table for id (0 to 12), answering the
    // one it replaces; tests stand their own scenes in with it.
    static SceneMaker replaceScene(int32_t id, SceneMaker maker);

    int16_t currentId = 0;
    // A panel painted before the scene when set.
    VMField<ui::Screen> screen;
    int16_t previousId = 0;
    VMField<tq::TqCanvas> canvas;
    // Bit id set: the console was told that table id has no scene.
    int32_t missingSaid = 0;

    VM_STATIC(SceneManager, instance);
    VM_STATIC(ui::Scene, currentScene);
    VM_STATIC(ui::Pointer, pointer);

    // The scene table by id.
    static SceneMaker sceneMakers[SCENE_IDS];

private:
    // Makes the scene of currentId current; every scene but the logo
    // enters over the next frames, the logo loads at once.
    void createScene();
    // Whether the canvas answers query true for any game key of the
    // logical key; held selects the keys of isKeyHeld.
    bool anyGameKey(int32_t key, bool held, bool (tq::TqCanvas::*query)(int32_t));

public:
    VM_FIELDS(screen, canvas)
};

} // namespace scene

// The scene and the touch state hold the manager's types in turn; each side
// is complete by the end of any file that uses either.
#include "ui/Pointer.h"
#include "ui/Scene.h"
#include "ui/Screen.h"
