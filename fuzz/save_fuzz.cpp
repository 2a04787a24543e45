// The save layout: whatever record 1 of the progress or the settings store
// holds, loading gives values in their ranges; a record of the whole layout
// gives its values (clamped where they index tables), a shorter one or none
// the defaults; and loading again after that gives the same values.
//
// Layout: byte 0 chooses. Bit 0: the settings store, else the progress
// store. Bit 1: the bytes go into record 2 of the store, record 1 deleted
// (a store without its save record). The rest are the record's bytes.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "java/lang/String.h"
#include "java/lang/Throwable.h"
#include "javax/microedition/rms/RecordStore.h"
#include "main/Game.h"
#include "support/AppFolder.h"

namespace {

using javax::microedition::rms::RecordStore;
using main::Game;

// The statics of both saves, in the progress layout's order, then the
// settings.
std::vector<int32_t> state()
{
    std::vector<int32_t> values{Game::selectedItemA, Game::selectedItemB, Game::money};
    for (int32_t i = 0; i < Game::ITEMS_A; i++)
        values.push_back((*Game::itemLevelsA)[i]);
    for (int32_t i = 0; i < Game::ITEMS_B; i++)
        values.push_back((*Game::itemLevelsB)[i]);
    for (int32_t i = 0; i < Game::STAGES; i++)
        values.push_back((*Game::stageDifficulty)[i]);
    values.push_back(Game::settingsFlag);
    values.push_back(Game::settingsValue);
    return values;
}

int32_t intAt(const uint8_t* bytes, size_t at)
{
    return int32_t(uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
                   uint32_t(bytes[at + 2]) << 8 | bytes[at + 3]);
}

// What loading the bytes must give, starting from the state before.
std::vector<int32_t> expected(std::vector<int32_t> values, bool settings, const uint8_t* bytes,
                              size_t size)
{
    const size_t flag = values.size() - 2;
    if (settings) {
        const bool whole = bytes && size >= size_t(Game::SETTINGS_BYTES - 1);
        values[flag] = whole && bytes[0] != 0;
        values[flag + 1] = whole ? intAt(bytes, 1) : 0;
        return values;
    }
    const bool whole = bytes && size >= size_t(Game::PROGRESS_BYTES);
    const int32_t levels = 3 + Game::ITEMS_A + Game::ITEMS_B;
    for (int32_t i = 0; i < int32_t(flag); i++) {
        int32_t value = whole ? intAt(bytes, size_t(i) * 4) : 0;
        if (i == 0)
            value = std::clamp(value, 0, Game::ITEMS_A - 1);
        else if (i == 1)
            value = std::clamp(value, 0, Game::ITEMS_B - 1);
        else if (i >= 3 && i < levels)
            value = whole ? std::clamp(value, 0, Game::MAX_ITEM_LEVEL) : i == 3 || i == 3 + Game::ITEMS_A;
        else if (i >= levels)
            value = whole ? std::clamp(value, Game::MIN_DIFFICULTY, Game::MAX_DIFFICULTY) : 1;
        values[size_t(i)] = value;
    }
    return values;
}

void load(bool settings)
{
    VMPtr<Game> game = Game::newInstance();
    if (settings)
        game->loadSettings();
    else
        game->loadProgress();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const vxtest::AppFolder& app = vxfuzz_appFolder();
    VXFuzzVM vm;
    Game::_VM_clinit();
    const bool settings = data[0] & 1;
    const bool withoutRecord1 = data[0] & 2;
    try {
        VMPtr<RecordStore> store =
            RecordStore::openRecordStore(java::lang::String::valueOf(settings ? 1 : 0), true);
        VMPtr<VMArray<int8_t, 1>> bytes = vxfuzz_byteArray(data + 1, size - 1);
        store->addRecord(bytes, 0, bytes->length);
        if (withoutRecord1) {
            store->addRecord(bytes, 0, bytes->length);
            store->deleteRecord(1);
        }
        store->closeRecordStore();
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("writing the store threw " + vxfuzz_thrownClass(caught));
    }

    const std::vector<int32_t> want =
        expected(state(), settings, withoutRecord1 ? nullptr : data + 1, size - 1);
    try {
        load(settings);
        VXFUZZ_CHECK(state() == want, "the loaded values are not the saved ones");
        load(settings);
        VXFUZZ_CHECK(state() == want, "loading again changed the values");
    } catch (java::lang::Throwable* caught) {
        vxfuzz_fail("loading threw " + vxfuzz_thrownClass(caught));
    }
    std::filesystem::remove_all(std::filesystem::path(app.path()) / "database");
    return 0;
}
