#pragma once
// ui.Scene: the base of every scene. A scene keeps a list of game objects
// (holes allowed), updates them in list order once a frame and paints them
// in draw order, with its own layer (paintLayer) between the objects below
// draw order 40 and those at 40 or above. A scene that is entering runs one
// entry step per frame (load, load2, initTexts, then trim, sort and finish)
// while the hub shows the loading picture; tick runs them all at once.
//
// paintOrder holds indices into objects, sorted by draw order, empty places
// last. It is rebuilt whenever the list changes (add, remove, grow, trim);
// painting skips empty places and never reads past the list.

#include <cstdint>

#include "java/lang/Object.h"
#include "java/lang/String.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "tq/TqCanvas.h"
#include "tq/util/text/Translation.h"
#include "ui/Addon.h"
#include "ui/MyObject.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace scene { class SceneManager; }

namespace ui {

class Scene : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(Scene, java::lang::Object)

    using Graphics = javax::microedition::lcdui::Graphics;
    using IntArray = VMArray<int32_t, 1>;
    using ObjectArray = VMArray<MyObject, 1>;

    static constexpr int32_t WIDTH = 240;
    static constexpr int32_t HEIGHT = 320;
    // Objects below it are painted before the scene's layer, the rest after.
    static constexpr int32_t LAYER_DRAW_ORDER = 40;
    static constexpr int32_t INITIAL_CAPACITY = 20;
    static constexpr int32_t MIN_GROWTH = 5;
    static constexpr int32_t WORK_VALUES = 5;
    // entryStage values.
    static constexpr int32_t STAGE_LOAD = 0;
    static constexpr int32_t STAGE_LOAD2 = 1;
    static constexpr int32_t STAGE_TEXTS = 2;
    static constexpr int32_t STAGE_SORT = 3;
    static constexpr int32_t STAGE_FINISH = 4;

    // Empty object list of INITIAL_CAPACITY places; texts, scene manager and
    // canvas from the hub. Subclasses call it first.
    VMPtr<Scene> init();

    // entryStage = 0; entering = e.
    virtual void setEntering(bool e);
    // Second entry step; sets loadAgain to be called again.
    virtual void load2() = 0;
    // Cuts the list after its last object; the draw order is rebuilt.
    virtual void trimObjects();
    // Timing, then one entry step while entering, else the objects' updates.
    virtual void update();
    // First entry step; sets loadMore to be called again.
    virtual void load() = 0;
    virtual void resetClip(VMPtr<Graphics> g);
    // The scene's own drawing, placed at draw order 40.
    virtual void paintLayer(VMPtr<Graphics> g) = 0;
    virtual void setClip(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h);
    // Runs the whole entry at once (unless entering); no layout, no music.
    virtual void tick();
    // Into the first hole, or at the end after growing.
    virtual void addObject(VMPtr<MyObject> o);
    // paintOrder = indices of objects by ascending draw order, equal orders
    // in list order.
    virtual void sortObjects();
    virtual void onPause();
    virtual void paint(VMPtr<Graphics> g);
    // Releases and drops object i (nothing for a hole or an index outside).
    virtual void removeObject(int32_t i);
    // Releases every object and the screen; the arrays stay.
    virtual void release();
    virtual void growObjects();
    // Third entry step: texts and add-ons.
    virtual void initTexts() = 0;
    virtual void restart();
    // Changes to scene id unless this scene has left already. The scene has
    // left once the manager took the change; a refused change (an id
    // without a scene) lets it try again. True when this call left.
    virtual bool leaveTo(int32_t id);

    VMField<Screen> screen;
    VMField<IntArray> workValues;
    int32_t elapsedRealTime = 0;
    VMField<tq::util::text::Translation> texts;
    VMField<scene::SceneManager> sceneManager;
    int32_t entryStage = 0;
    int32_t capacity = 0;
    int32_t userValue = 0;
    VMField<IntArray> paintOrder;
    VMField<tq::TqCanvas> canvas;
    bool userFlag = false;
    int32_t loadAgain = 0;
    int32_t loadMore = 0;
    VMField<java::lang::String> userLabel;
    int32_t lastFrameTime = 0;
    int64_t lastUpdateTime = 0;
    int32_t growStep = 0;
    bool entering = false;
    int32_t elapsedFrameTime = 0;
    VMField<Addon> addon;
    int32_t lastRealDelta = 0;
    int32_t userValue2 = 0;
    int32_t userValue3 = 0;
    VMField<ObjectArray> objects;
    // Set by leaveTo: the scene is no longer current, its input is over.
    bool left = false;

private:
    // Draw order of the object at place i of the list; 0 for a hole.
    int32_t drawOrderAt(int32_t i);
    // Places the two arrays at length n, keeping what fits.
    void resizeObjects(int32_t n);
    // The object at a position of the draw order; null for an empty place
    // or a position outside the list.
    VMPtr<MyObject> paintedAt(int32_t position);
    // The first position from this one that names an object, or the end.
    int32_t nextPainted(int32_t position);

public:
    VM_FIELDS(screen, workValues, texts, sceneManager, paintOrder, canvas, userLabel, addon, objects)
};

} // namespace ui

// The manager and the scene hold each other's types; both are complete by
// the end of any file that uses either.
#include "scene/SceneManager.h"
