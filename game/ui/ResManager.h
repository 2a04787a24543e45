#pragma once
// ui.ResManager: the class-wide, use-counted cache of Gob sets and AnimSets
// by resource identifier. A cache slot selects one entry in each of two
// parallel tables (Gob sets, kind 0; AnimSets, kind 1). Slots are handed out
// in increasing order and reused only after releaseAll; a released entry
// leaves its slot empty (null, identifier -1). Users read gobSets[slot] and
// animSets[slot] with the slots that load reported and hand them back to
// release. The objects of the class carry nothing of their own.

#include <cstdint>

#include "java/lang/Object.h"
#include "tq/AnimSet.h"
#include "tq/Gob.h"
#include "vm/VMArray.h"

namespace ui {

class ResManager : public virtual java::lang::Object {
    VM_CLASS(ResManager, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using GobSetArray = VMArray<tq::Gob, 2>;
    using AnimSetArray = VMArray<tq::AnimSet, 1>;

    static constexpr int32_t GOB_SETS = 0;
    static constexpr int32_t ANIM_SETS = 1;
    static constexpr int32_t INITIAL_CAPACITY = 5;
    static constexpr int32_t MIN_GROWTH = 5;
    static constexpr int32_t MAX_GROWTH = 15;

    // Empty tables of INITIAL_CAPACITY slots.
    VMPtr<ResManager> init();

    // Makes both sets available and counts one use of each; -1 stands for
    // none. A new Gob set and a new AnimSet of one call share a slot; a new
    // AnimSet is given the Gob set of the same call. An AnimSet that cannot
    // be read is cached as null; a Gob set that cannot be read throws and
    // takes no slot. The pack is closed after every read.
    static void load(int32_t gobSetId, int32_t animSetId);
    static int32_t getLastGobSlot();
    static int32_t getLastAnimSetSlot();
    // Drops one use of each slot (-1: none); the last use empties the entry.
    // An entry already empty stays at 0 uses.
    static void release(int32_t gobSlot, int32_t animSetSlot);
    // Empties the cache; the tables keep their size.
    static void releaseAll();
    // Drops every set and returns to the tables of init.
    static void clear();
    // The slot among the first `used` whose identifier of that kind is id,
    // or `used`.
    static int32_t findSlot(int32_t kind, int32_t id);

    static inline int32_t capacity = 0;
    static inline int32_t growStep = 0;
    static inline int32_t used = 0;
    static inline int32_t lastGobSlot = -1;
    static inline int32_t lastAnimSetSlot = -1;
    // [kind][slot]
    VM_STATIC(IntTable, ids);
    VM_STATIC(GobSetArray, gobSets);
    VM_STATIC(AnimSetArray, animSets);
    VM_STATIC(IntArray, gobSetUses);
    VM_STATIC(IntArray, animSetUses);

private:
    static void resetTables();
    static void grow();
};

} // namespace ui
