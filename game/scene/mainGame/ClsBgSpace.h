#pragma once
// scene.mainGame.ClsBgSpace: the star field behind every stage: a dark blue
// fill and 30 one-pixel stars that fall slowly and twinkle. The twinkle
// runs in paint, so it goes on while the fall is paused.

#include <cstdint>

#include "scene/mainGame/StructStar.h"
#include "ui/MyObject.h"
#include "vm/VMArray.h"

namespace scene::mainGame {

class ClsBgSpace : public ui::MyObject {
    VM_CLASS(ClsBgSpace, ui::MyObject)

    using StarArray = VMArray<StructStar, 1>;

    static constexpr int32_t FILL_COLOUR = 0x000914;
    static constexpr int32_t GROUPS = 3;

    // Makes the 30 stars from the shared random source.
    // The space field, as the play scene makes it.
    VMPtr<ClsBgSpace> init() { return init(true); }
    VMPtr<ClsBgSpace> init(bool isSpace);

    void release() override;
    void auxUpdate() override;
    // Moves every star by the frame time (the canvas's, as the scene
    // hands it on) unless paused.
    void update() override;
    void paint(VMPtr<Graphics> g) override;
    void clearItems() override;

    virtual void setPaused(bool p);

    int32_t twinkleStep = 0;
    bool paused = false;
    VMField<StarArray> stars;
    int32_t fieldHeight = 0;
    int32_t fieldWidth = 0;
    int32_t starsPerGroup = 0;
    bool space = false;

    VM_FIELDS(stars)
};

} // namespace scene::mainGame
