#pragma once
// main.Game: the saved state of the game. Progress (money, the two shop
// selections, the upgrade levels of both item groups, the difficulty reached
// on each stage) lives in record store "0" as 24 big-endian ints; settings
// (a flag and an int) in store "1" as 6 bytes. The state itself is class-wide
// and read and changed in place by play and the shop; init loads it, save*
// writes it back.
//
// Each store keeps its bytes in record 1, replaced by one record write, so a
// save cut short leaves the previous save or the new one. A store that is
// missing, shorter than its layout or unreadable loads as defaults, which are
// written back at once; values that index tables are clamped to their ranges.

#include <cstdint>

#include "java/lang/Object.h"
#include "java/lang/String.h"
#include "vm/VMArray.h"

namespace main {

class Game : public virtual java::lang::Object {
    VM_CLASS(Game, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t PROGRESS_STORE = 0;
    static constexpr int32_t SETTINGS_STORE = 1;
    static constexpr int32_t PROGRESS_BYTES = 96;
    static constexpr int32_t SETTINGS_BYTES = 6;
    // Ranges of the values read back from a save.
    static constexpr int32_t ITEMS_A = 5;
    static constexpr int32_t ITEMS_B = 8;
    static constexpr int32_t STAGES = 8;
    static constexpr int32_t MAX_ITEM_LEVEL = 3;
    static constexpr int32_t MIN_DIFFICULTY = 1;
    static constexpr int32_t MAX_DIFFICULTY = 4;
    // The most money the game holds: an int's largest value.
    static constexpr int32_t MAX_MONEY = INT32_MAX;

    // Loads the progress, then the settings.
    VMPtr<Game> init();

    // Each save answers whether the store now holds the new bytes.
    virtual void loadSettings();
    virtual bool saveSettings();
    virtual bool saveProgress();
    virtual void loadProgress();

    // The progress statics back to their defaults.
    static void resetProgress();
    // money + amount (amount >= 0), held at MAX_MONEY.
    static int32_t addMoney(int32_t money, int32_t amount);

    // The bytes of record 1 of store id; null when the store is missing or
    // cannot be read.
    static VMPtr<ByteArray> readStore(int32_t id);
    // Makes data record 1 of store id: one record write into a readable
    // store that has record 1, else a fresh store with data as its only
    // record. A store the last load found damaged is first copied into a
    // store "<id>-kept-<n>", and so is one whose records would be lost.
    // False when the platform refused; nothing is deleted then.
    static bool writeStore(int32_t id, VMPtr<ByteArray> data);
    // Says on stderr that the save of store id is too short, and has the
    // store kept aside before it is written.
    static void reportShort(int32_t id, int32_t length, int32_t needed);

    static inline int32_t money = 0;
    static inline int32_t selectedItemA = 0;
    static inline int32_t selectedItemB = 0;
    VM_STATIC(IntArray, itemLevelsA);
    VM_STATIC(IntArray, itemLevelsB);
    VM_STATIC(IntArray, stageDifficulty);
    static inline bool settingsFlag = false;
    static inline int32_t settingsValue = 0;
    VM_STATIC(ByteArray, progressData);
    VM_STATIC(ByteArray, settingsData);

private:
    // Brings every progress value into its range.
    static void clampProgress();
};

} // namespace main
