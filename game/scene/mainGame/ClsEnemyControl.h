#pragma once
// scene.mainGame.ClsEnemyControl: the wave spawner. Walks a wave table wave by
// wave, pausing between waves while no counted enemy lives, throws in small
// random groups during the pauses, and when the table is used up and no
// enemy is left starts it again (loop) or hands the stage to the boss.
// keepTarget keeps one still target on the field for the shop.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace scene::mainGame {

class ClsEnemyControl : public virtual java::lang::Object {
    VM_CLASS(ClsEnemyControl, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;

    static constexpr int32_t SPACING = 48;
    static constexpr int32_t FIRST_DELAY = 3000;
    static constexpr int32_t WAVE_DELAY = 1000;
    // Columns of a table row.
    static constexpr int32_t COL_WAVE = 0;
    static constexpr int32_t COL_COUNT = 1;
    static constexpr int32_t COL_KIND = 2;
    static constexpr int32_t COL_SPAWN = 3;
    static constexpr int32_t COL_DEST = 4;
    // The still target of keepTarget.
    static constexpr int32_t TARGET_KIND = 7;

    // table: rows (wave, count, kind, spawn point, destination point).
    VMPtr<ClsEnemyControl> init(VMPtr<IntTable> waves, bool repeat);
    // Without a table.
    VMPtr<ClsEnemyControl> init() { return init(VMPtr<IntTable>(), false); }

    // Follows the scene clock; ends the pause once delay has run past the
    // moment it started.
    virtual void updateClock();
    // One frame.
    virtual void update();
    // Spawns a still target at (tx, ty) whenever the field has been empty
    // for the pause.
    virtual void keepTarget(int32_t tx, int32_t ty);
    // Now and then one or two uncounted enemies falling down the screen.
    virtual void spawnRandom();
    // Every row of the current wave number.
    virtual void spawnWave();

    int32_t spacing = 0;
    int32_t clock = 0;
    int32_t randomChance = 0;
    int32_t clockStart = 0;
    int32_t wave = 0;
    bool waveSpawned = false;
    bool clockRunning = false;
    VMField<IntTable> table;
    bool loop = false;
    int32_t delay = 0;

    VM_FIELDS(table)

private:
    int32_t rows();
};

} // namespace scene::mainGame
