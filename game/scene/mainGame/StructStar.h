#pragma once
// scene.mainGame.StructStar: one star of the star field: a column, a row
// and a grey level that twinkles up and down.

#include <cstdint>

#include "java/lang/Object.h"

namespace scene::mainGame {

class StructStar : public virtual java::lang::Object {
    VM_CLASS(StructStar, java::lang::Object)

    static constexpr int32_t FIELD_HEIGHT = 320;

    // A star at 0, 0, black and still.
    VMPtr<StructStar> init();
    VMPtr<StructStar> init(int32_t grey, int32_t column, int32_t row, int32_t fall);

    virtual void darken(int32_t n);
    virtual void setBrightening(bool b);
    virtual void brighten(int32_t n);
    // Falls (speed * dt) >> 5 pixels; from the bottom back to row 0.
    virtual void move(int64_t dt);

    int32_t speed = 0;
    int32_t x = 0;
    bool brightening = false;
    int32_t y = 0;
    int32_t brightness = 0;
};

} // namespace scene::mainGame
