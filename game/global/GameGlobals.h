#pragma once
// global.GameGlobals: the game's fixed numbers. The class initialiser builds
// the weapon figures and the shop's price tables and allocates the enemy
// entry points; constructing the object fills the entry points in place,
// spawnMargin pixels outside the edges of the 240 x 320 picture.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace global {

class GameGlobals : public virtual java::lang::Object {
    VM_CLASS(GameGlobals, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using IntTables = VMArray<int32_t, 3>;

    static constexpr int32_t WIDTH = 240;
    static constexpr int32_t HEIGHT = 320;

    // Sets spawnMargin and writes the eight entry points into the rows of
    // spawnPoints (the arrays stay the same objects).
    VMPtr<GameGlobals> init();

    static inline int32_t spawnMargin = 0;
    // [point][x, y]
    VM_STATIC(IntTable, spawnPoints);
    // [weapon][level - 1][shot value, fire interval ms, second value, bullet set-up]
    VM_STATIC(IntTables, weaponStats);
    // [item][step]
    VM_STATIC(IntTable, itemPrices);
    // [weapon][step]
    VM_STATIC(IntTable, weaponPrices);
};

} // namespace global
