#pragma once
// scene.mainGame.weapon.ClsExplo: the one panel that draws every explosion
// of a stage.

#include <cstdint>

#include "ui/Screen.h"

namespace scene::mainGame::weapon {

class ClsExplo : public ui::Screen {
    VM_CLASS(ClsExplo, ui::Screen)

    VMPtr<ClsExplo> init();
};

} // namespace scene::mainGame::weapon
