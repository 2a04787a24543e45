#pragma once
// scene.mainGame.ClsEnemyControl: the wave spawner; walks a wave table and
// hands the stage to the boss when the table is used up.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace scene::mainGame {

class ClsEnemyControl : public virtual java::lang::Object {
    VM_CLASS(ClsEnemyControl, java::lang::Object)

    using IntTable = VMArray<int32_t, 2>;

    // table: rows (wave, count, kind, spawn point, destination point).
    VMPtr<ClsEnemyControl> init(VMPtr<IntTable> waves, bool repeat);
    // Without a table.
    VMPtr<ClsEnemyControl> init() { return init(VMPtr<IntTable>(), false); }
    // One frame.
    virtual void update();

    VMField<IntTable> table;
    bool loop = false;

    VM_FIELDS(table)
};

} // namespace scene::mainGame
