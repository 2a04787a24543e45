#pragma once
// scene.mainGame.weapon.ClsBcreator: the bullet factory of a stage. Holds the
// per-shot speed buffers of spreads and rings; the firing operations come
// with the bullets.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace scene::mainGame::weapon {

class ClsBcreator : public virtual java::lang::Object {
    VM_CLASS(ClsBcreator, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;

    VMPtr<ClsBcreator> init();
    // Room for n shots in one spread or ring.
    virtual void setCapacity(int32_t n);

    VMField<IntArray> spreadVx;
    VMField<IntArray> spreadVy;

    VM_FIELDS(spreadVx, spreadVy)
};

} // namespace scene::mainGame::weapon
