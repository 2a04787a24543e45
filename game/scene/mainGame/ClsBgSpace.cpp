#include "scene/mainGame/ClsBgSpace.h"

#include <cstdlib>

#include "main/Main.h"

namespace scene::mainGame {

VMPtr<ClsBgSpace> ClsBgSpace::init(bool isSpace)
{
    MyObject::init();
    twinkleStep = 8;
    fieldHeight = 320;
    fieldWidth = 240;
    starsPerGroup = 10;
    space = isSpace;
    stars = StarArray::newArray(GROUPS * starsPerGroup);
    for (int32_t group = 0; group < GROUPS; group++) {
        for (int32_t k = 0; k < starsPerGroup; k++) {
            // A colour component must not be negative, even from the one draw
            // that has no absolute value.
            int32_t grey = std::abs(main::Main::nextRandomAbs() % 255);
            int32_t column = main::Main::nextRandomAbs() % fieldWidth;
            int32_t row = main::Main::nextRandomAbs() % fieldHeight;
            stars->set(group * starsPerGroup + k,
                       StructStar::newInstance()->init(grey, column, row, 1));
        }
    }
    return VMPtr<ClsBgSpace>(this);
}

// The stars stay: the field is painted with them to the end.
void ClsBgSpace::release() {}

void ClsBgSpace::auxUpdate() {}

void ClsBgSpace::clearItems() {}

void ClsBgSpace::update()
{
    if (paused)
        return;
    int64_t dt = frameTime;
    for (int32_t i = 0; i < stars->length; i++)
        stars->get(i)->move(dt);
}

void ClsBgSpace::paint(VMPtr<Graphics> g)
{
    g->setColor(FILL_COLOUR);
    g->fillRect(0, 0, g->getClipWidth(), g->getClipHeight());
    for (int32_t i = 0; i < stars->length; i++) {
        VMPtr<StructStar> s = stars->get(i);
        if (s->brightness + twinkleStep < 255) {
            if (s->brightness - twinkleStep < 1)
                s->setBrightening(true);
        } else {
            s->setBrightening(false);
        }
        if (s->brightening)
            s->brighten(twinkleStep);
        else
            s->darken(twinkleStep);
        g->setColor(s->brightness, s->brightness, s->brightness);
        g->drawLine(s->x, s->y, s->x, s->y);
    }
}

void ClsBgSpace::setPaused(bool p)
{
    paused = p;
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsBgSpace, "scene.mainGame.ClsBgSpace", "ui.MyObject",
                  "..\\src\\scene_mainGame_ClsBgSpace", nullptr);
