#include "ui/Scene.h"

#include <climits>

#include "java/lang/System.h"
#include "main/Main.h"
#include "scene/SceneManager.h"
#include "ui/Addon.h"
#include "ui/MyObject.h"
#include "ui/Screen.h"

namespace ui {

using java::lang::System;

VMPtr<Scene> Scene::init()
{
    Object::init();
    screen = nullptr;
    workValues = IntArray::newArray(WORK_VALUES);
    elapsedRealTime = 0;
    texts = main::Main::texts;
    sceneManager = scene::SceneManager::instance;
    entryStage = STAGE_LOAD;
    capacity = INITIAL_CAPACITY;
    userValue = 0;
    paintOrder = IntArray::newArray(INITIAL_CAPACITY);
    canvas = main::Main::canvas;
    userFlag = true;
    loadAgain = 0;
    loadMore = 0;
    userLabel = nullptr;
    lastFrameTime = 0;
    lastUpdateTime = System::currentTimeMillis();
    growStep = INITIAL_CAPACITY;
    entering = false;
    elapsedFrameTime = 0;
    addon = nullptr;
    lastRealDelta = 0;
    userValue2 = 0;
    userValue3 = 0;
    objects = ObjectArray::newArray(INITIAL_CAPACITY);
    left = false;
    return VMPtr<Scene>(this);
}

void Scene::setEntering(bool e)
{
    entryStage = STAGE_LOAD;
    entering = e;
}

// ---- Frame -----------------------------------------------------------------

void Scene::update()
{
    // An object's update may change scene and drop the last other reference.
    VMPtr<Scene> self(this);
    lastFrameTime = canvas->getFrameTime();
    elapsedFrameTime += lastFrameTime;

    // A gap outside the int range counts as none.
    int64_t now = System::currentTimeMillis();
    int64_t gap = now - lastUpdateTime;
    lastRealDelta = gap >= INT32_MIN && gap <= INT32_MAX ? static_cast<int32_t>(gap) : 0;
    elapsedRealTime += lastRealDelta;
    lastUpdateTime = now;

    if (!entering) {
        MyObject::frameTime = lastFrameTime;
        // An object's update may remove objects or release the whole scene:
        // the list is read anew for every place.
        for (int32_t i = 0; objects != nullptr && i < objects->length; i++) {
            VMPtr<MyObject> o = objects->get(i);
            if (o == nullptr)
                continue;
            if (o->isActive())
                o->update();
            // Unless the update took the object out of the list.
            if (objects != nullptr && i < objects->length && objects->get(i) == o &&
                o->isAuxEnabled())
                o->auxUpdate();
        }
        return;
    }

    switch (entryStage) {
    case STAGE_LOAD:
        if (loadMore == 0) {
            main::Main::layoutPending = true;
            main::Main::loadingPicturePending = true;
        }
        load();
        if (loadMore == 0)
            entryStage = STAGE_LOAD2;
        break;
    case STAGE_LOAD2:
        load2();
        if (loadAgain == 0)
            entryStage = STAGE_TEXTS;
        break;
    case STAGE_TEXTS:
        initTexts();
        entryStage = STAGE_SORT;
        break;
    case STAGE_SORT:
        trimObjects();
        sortObjects();
        entryStage = STAGE_FINISH;
        [[fallthrough]];
    case STAGE_FINISH:
        entering = false;
        main::Main::layoutPending = true;
        main::Main::instance->replayMusic();
        break;
    default:
        break;
    }
}

void Scene::tick()
{
    elapsedFrameTime = 0;
    elapsedRealTime = 0;
    lastUpdateTime = System::currentTimeMillis();
    if (entering)
        return;
    loadMore = 0;
    do
        load();
    while (loadMore != 0);
    loadAgain = 0;
    do
        load2();
    while (loadAgain != 0);
    initTexts();
    trimObjects();
    sortObjects();
}

void Scene::restart()
{
    release();
    tick();
}

void Scene::onPause() {}

bool Scene::leaveTo(int32_t id)
{
    if (left)
        return false;
    VMPtr<scene::SceneManager> manager(sceneManager);
    manager->changeScene(id);
    left = manager->currentId == id;
    return left;
}

// ---- Object list -----------------------------------------------------------

void Scene::addObject(VMPtr<MyObject> o)
{
    int32_t i = 0;
    for (;; i++) {
        if (i == objects->length)
            growObjects();
        if (objects->get(i) == nullptr)
            break;
    }
    objects->set(i, o);
    // Objects added while the scene runs are painted in order at once.
    sortObjects();
}

void Scene::resizeObjects(int32_t n)
{
    int32_t kept = n < objects->length ? n : objects->length;
    VMPtr<ObjectArray> newObjects = ObjectArray::newArray(n);
    System::arraycopy(objects, 0, newObjects, 0, kept);
    VMPtr<IntArray> newOrder = IntArray::newArray(n);
    System::arraycopy(paintOrder, 0, newOrder, 0, kept < paintOrder->length ? kept : paintOrder->length);
    objects = newObjects;
    paintOrder = newOrder;
    capacity = n;
}

void Scene::growObjects()
{
    growStep = growStep / 2 > MIN_GROWTH ? growStep / 2 : MIN_GROWTH;
    resizeObjects(capacity + growStep);
    sortObjects();
}

void Scene::trimObjects()
{
    int32_t n = objects->length;
    while (n > 0 && objects->get(n - 1) == nullptr)
        n -= 1;
    resizeObjects(n);
    growStep = n;
    sortObjects();
}

void Scene::removeObject(int32_t i)
{
    if (objects == nullptr || i < 0 || i >= objects->length)
        return;
    VMPtr<MyObject> o = objects->get(i);
    if (o == nullptr)
        return;
    o->release();
    objects->set(i, nullptr);
    trimObjects();
}

void Scene::release()
{
    if (objects != nullptr) {
        for (int32_t i = 0; i < objects->length; i++) {
            VMPtr<MyObject> o = objects->get(i);
            if (o == nullptr)
                continue;
            o->release();
            objects->set(i, nullptr);
        }
    }
    if (screen != nullptr) {
        screen->release();
        screen = nullptr;
    }
}

// ---- Draw order ------------------------------------------------------------

int32_t Scene::drawOrderAt(int32_t i)
{
    VMPtr<MyObject> o = objects->get(i);
    return o == nullptr ? 0 : o->getDrawOrder();
}

void Scene::sortObjects()
{
    int32_t n = objects->length;
    // Objects first by ascending draw order, equal orders in list order
    // (a stable insertion sort); holes after them.
    int32_t present = 0;
    for (int32_t k = 0; k < n; k++) {
        if (objects->get(k) == nullptr)
            continue;
        int32_t order = drawOrderAt(k);
        int32_t at = present;
        while (at > 0 && drawOrderAt((*paintOrder)[at - 1]) > order) {
            (*paintOrder)[at] = (*paintOrder)[at - 1];
            at -= 1;
        }
        (*paintOrder)[at] = k;
        present += 1;
    }
    for (int32_t k = 0; k < n; k++) {
        if (objects->get(k) == nullptr)
            (*paintOrder)[present++] = k;
    }
}

VMPtr<MyObject> Scene::paintedAt(int32_t position)
{
    if (objects == nullptr || position >= paintOrder->length)
        return nullptr;
    int32_t i = (*paintOrder)[position];
    if (i < 0 || i >= objects->length)
        return nullptr;
    return objects->get(i);
}

int32_t Scene::nextPainted(int32_t position)
{
    while (position < paintOrder->length && paintedAt(position) == nullptr)
        position += 1;
    return position;
}

void Scene::paint(VMPtr<Graphics> g)
{
    setClip(g, 0, 0, WIDTH, HEIGHT);
    if (!entering) {
        // The objects in draw order, past the empty places; the layer goes
        // before the first object above 40, or after the last one below 40.
        bool layerDone = false;
        bool first = true;
        int32_t position = nextPainted(0);
        while (position < paintOrder->length) {
            VMPtr<MyObject> o = paintedAt(position);
            int32_t next = nextPainted(position + 1);
            int32_t order = o->getDrawOrder();
            if (first && order > LAYER_DRAW_ORDER) {
                paintLayer(g);
                layerDone = true;
            }
            first = false;
            if (o->isActive())
                o->paint(g);
            if (!layerDone &&
                (next >= paintOrder->length ||
                 (order < LAYER_DRAW_ORDER && paintedAt(next)->getDrawOrder() >= LAYER_DRAW_ORDER))) {
                paintLayer(g);
                layerDone = true;
            }
            position = next;
        }
        if (!layerDone)
            paintLayer(g);
    }
    canvas->clipToViewport(g);
}

void Scene::resetClip(VMPtr<Graphics> g)
{
    canvas->clipToViewport(g);
}

void Scene::setClip(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h)
{
    g->setClip(x, y, w, h);
}

} // namespace ui

VM_REGISTER_ABSTRACT_CLASS(ui::Scene, "ui.Scene", "java.lang.Object", "..\\src\\ui_Scene", nullptr);
