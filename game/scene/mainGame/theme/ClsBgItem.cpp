#include "scene/mainGame/theme/ClsBgItem.h"

#include "main/Main.h"
#include "scene/SceneManager.h"

namespace scene::mainGame::theme {

namespace {

int32_t draw(int32_t n)
{
    return main::Main::random->nextInt(n);
}

int32_t sceneFrameTime()
{
    VMPtr<ui::Scene> s = scene::SceneManager::currentScene;
    return s != nullptr ? s->lastFrameTime : ui::MyObject::frameTime;
}

} // namespace

VMPtr<ClsBgItem> ClsBgItem::init()
{
    initItems();
    allocItems(ITEMS);
    bigFrame = draw(6);
    smallFrame = draw(2);
    frameA = draw(4);
    do {
        frameB = draw(4);
    } while (frameB == frameA);
    const int32_t speeds[ITEMS] = {3, 6, 16, 10};
    for (int32_t i = 0; i < ITEMS; i++)
        (*itemSpeed)[i] = speeds[i];
    for (int32_t i = 0; i < ITEMS; i++) {
        (*itemX)[i] = draw(SCREEN_WIDTH);
        (*itemY)[i] = draw(SCREEN_HEIGHT);
    }
    return VMPtr<ClsBgItem>(this);
}

void ClsBgItem::allocItems(int32_t n)
{
    Screen::allocItems(n);
    itemX = IntArray::newArray(n);
    itemY = IntArray::newArray(n);
    itemSpeed = IntArray::newArray(n);
}

void ClsBgItem::update()
{
    if (isStopped() != 0)
        return;
    int32_t dt = sceneFrameTime();
    for (int32_t i = 0; i < nextItem; i++) {
        (*itemY)[i] += ((dt * (*itemSpeed)[i]) / 4) >> 5;
        int32_t h = getItemSize1(i);
        if ((*itemY)[i] - h > SCREEN_HEIGHT) {
            (*itemY)[i] = -h;
            (*itemX)[i] = draw(SCREEN_WIDTH);
        }
        setItemPosition(i, (*itemX)[i], (*itemY)[i]);
        stepItem(i, dt);
    }
}

void ClsBgItem::showFrame6()
{
    setItemFrame(0, 6);
}

void ClsBgItem::setupItems()
{
    addItem(BIG_GOBS, BIG_ANIMATIONS, bigFrame, (*itemX)[0], (*itemY)[0]);
    addItem(SMALL_GOBS, SMALL_ANIMATIONS, smallFrame, (*itemX)[1], (*itemY)[1]);
    addItem(PAIR_GOBS, PAIR_ANIMATIONS, frameA, (*itemX)[2], (*itemY)[2]);
    addItem(PAIR_GOBS, PAIR_ANIMATIONS, frameB, (*itemX)[3], (*itemY)[3]);
}

} // namespace scene::mainGame::theme

VM_REGISTER_CLASS(scene::mainGame::theme::ClsBgItem, "scene.mainGame.theme.ClsBgItem", "ui.Screen",
                  "..\\src\\scene_mainGame_theme_ClsBgItem", nullptr);
