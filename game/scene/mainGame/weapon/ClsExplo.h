#pragma once
// scene.mainGame.weapon.ClsExplo: the pool of 30 explosion animations of a
// stage. Every item plays animation 2, the free state, until explode gives
// it another animation; when that animation ends the item returns to
// animation 2. The item's frame value is its animation number, so a slot is
// free exactly when its frame is 2.

#include <cstdint>

#include "generated/AnimEnemyExplosion.h"
#include "generated/RP.h"
#include "ui/Screen.h"

namespace scene::mainGame::weapon {

class ClsExplo : public ui::Screen {
    VM_CLASS(ClsExplo, ui::Screen)

    static constexpr int32_t POOL_SIZE = 30;
    static constexpr int32_t GOB_SET = generated::RP::EXPLOSION;
    static constexpr int32_t ANIM_SET = generated::RP::EXPLOSION_ANIMS;
    static constexpr int32_t FREE_ANIMATION = generated::AnimEnemyExplosion::FREE;

    VMPtr<ClsExplo> init();

    // Frame sequences step as in any panel; a finished explosion frees its
    // slot. Nothing while stopped.
    void update() override;

    // Plays `animation` at (x, y) in the lowest free slot; dropped when
    // every slot is busy.
    virtual void explode(int32_t animation, int32_t x, int32_t y);
    // The 30 free items.
    virtual void setupItems();
};

} // namespace scene::mainGame::weapon
