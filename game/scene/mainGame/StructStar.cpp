#include "scene/mainGame/StructStar.h"

namespace scene::mainGame {

VMPtr<StructStar> StructStar::init()
{
    Object::init();
    return VMPtr<StructStar>(this);
}

VMPtr<StructStar> StructStar::init(int32_t grey, int32_t column, int32_t row, int32_t fall)
{
    Object::init();
    brightness = grey;
    x = column;
    y = row;
    speed = fall;
    return VMPtr<StructStar>(this);
}

void StructStar::darken(int32_t n)
{
    brightness -= n;
}

void StructStar::setBrightening(bool b)
{
    brightening = b;
}

void StructStar::brighten(int32_t n)
{
    brightness += n;
}

void StructStar::move(int64_t dt)
{
    y += int32_t((speed * dt) >> 5);
    if (y >= FIELD_HEIGHT)
        y = 0;
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::StructStar, "scene.mainGame.StructStar", "java.lang.Object",
                  "..\\src\\scene_mainGame_StructStar", nullptr);
