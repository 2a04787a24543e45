#include "main/Game.h"

#include <cstdio>
#include <string>

#include "java/lang/Exception.h"
#include "javax/microedition/rms/InvalidRecordIDException.h"
#include "javax/microedition/rms/RecordStore.h"
#include "javax/microedition/rms/RecordStoreNotFoundException.h"
#include "tq/TqCanvas.h"

namespace main {

using java::lang::String;
using javax::microedition::rms::RecordStore;
using tq::TqCanvas;

namespace {

// The record that holds a store's bytes.
constexpr int32_t kSaveRecord = 1;

void initialiseGame()
{
    Game::stageDifficulty = Game::IntArray::newArray(Game::STAGES);
    Game::itemLevelsA = Game::IntArray::newArray(Game::ITEMS_A);
    Game::itemLevelsB = Game::IntArray::newArray(Game::ITEMS_B);
}

// Holds the store opened in a call and closes it on every way out, dropping
// what closing throws.
struct OpenedStore {
    VMPtr<RecordStore> store;

    ~OpenedStore() { close(); }
    void close()
    {
        VMPtr<RecordStore> closing = store;
        store = nullptr;
        if (closing == nullptr)
            return;
        try {
            closing->closeRecordStore();
        } catch (java::lang::Exception* ignored) {
            VMPtr<java::lang::Exception> keep(ignored);
        }
    }
};

// A new array of length bytes as the canvas's output buffer, written from 0.
VMPtr<Game::ByteArray> startOutput(int32_t length)
{
    VMPtr<Game::ByteArray> data = Game::ByteArray::newArray(length);
    TqCanvas::staticOutput = data;
    TqCanvas::staticOutputPosition = 0;
    return data;
}

// data as the canvas's input buffer, read from 0.
void startInput(const VMPtr<Game::ByteArray>& data)
{
    TqCanvas::staticInput = data;
    TqCanvas::staticInputPosition = 0;
}

bool hasSaveRecord(const VMPtr<RecordStore>& store)
{
    try {
        store->getRecordSize(kSaveRecord);
        return true;
    } catch (javax::microedition::rms::InvalidRecordIDException* missing) {
        VMPtr<javax::microedition::rms::InvalidRecordIDException> keep(missing);
        return false;
    }
}

// Stores whose save the last load found damaged: what they hold is kept
// aside before the first write.
bool damagedStore[2] = {false, false};

// Copies the records of store id that read back into a new store
// "<id>-kept-<n>"; false when that store could not be written.
bool keepAside(int32_t id, const VMPtr<RecordStore>& store)
{
    OpenedStore kept;
    std::string name;
    try {
        for (int32_t n = 1; kept.store == nullptr; n++) {
            name = std::to_string(id) + "-kept-" + std::to_string(n);
            VMPtr<String> keptName = String::newFromCString(name.c_str());
            try {
                RecordStore::openRecordStore(keptName, false)->closeRecordStore();
            } catch (javax::microedition::rms::RecordStoreNotFoundException* free) {
                VMPtr<javax::microedition::rms::RecordStoreNotFoundException> keep(free);
                kept.store = RecordStore::openRecordStore(keptName, true);
            }
        }
        int32_t copied = 0;
        for (int32_t record = 1; record < store->getNextRecordID(); record++) {
            VMPtr<Game::ByteArray> bytes;
            try {
                bytes = store->getRecord(record);
            } catch (java::lang::Exception* unreadable) {
                VMPtr<java::lang::Exception> keep(unreadable);
                continue;
            }
            int32_t length = bytes == nullptr ? 0 : bytes->length;
            kept.store->addRecord(bytes, 0, length);
            copied++;
        }
        std::fprintf(stderr, "Save store %d: %d readable records kept in store %s\n", id, copied,
                     name.c_str());
        return true;
    } catch (java::lang::Exception* refused) {
        VMPtr<java::lang::Exception> keep(refused);
        std::fprintf(stderr, "Save store %d: its records could not be kept aside\n", id);
        return false;
    }
}

int32_t clamp(int32_t value, int32_t low, int32_t high)
{
    return value < low ? low : value > high ? high : value;
}

void clampAll(const VMPtr<Game::IntArray>& values, int32_t low, int32_t high)
{
    for (int32_t i = 0; i < values->length; i++)
        (*values)[i] = clamp((*values)[i], low, high);
}

} // namespace

VMPtr<Game> Game::init()
{
    Object::init();
    loadProgress();
    loadSettings();
    return VMPtr<Game>(this);
}

void Game::resetProgress()
{
    _VM_clinit();
    money = 0;
    selectedItemA = 0;
    selectedItemB = 0;
    for (int32_t i = 0; i < ITEMS_A; i++)
        (*itemLevelsA)[i] = i == 0 ? 1 : 0;
    for (int32_t i = 0; i < ITEMS_B; i++)
        (*itemLevelsB)[i] = i == 0 ? 1 : 0;
    for (int32_t i = 0; i < STAGES; i++)
        (*stageDifficulty)[i] = 1;
}

int32_t Game::addMoney(int32_t money, int32_t amount)
{
    return money > MAX_MONEY - amount ? MAX_MONEY : money + amount;
}

void Game::clampProgress()
{
    money = clamp(money, 0, MAX_MONEY);
    selectedItemA = clamp(selectedItemA, 0, ITEMS_A - 1);
    selectedItemB = clamp(selectedItemB, 0, ITEMS_B - 1);
    clampAll(itemLevelsA, 0, MAX_ITEM_LEVEL);
    clampAll(itemLevelsB, 0, MAX_ITEM_LEVEL);
    clampAll(stageDifficulty, MIN_DIFFICULTY, MAX_DIFFICULTY);
}

void Game::loadProgress()
{
    VMPtr<ByteArray> data = readStore(PROGRESS_STORE);
    progressData = data;
    if (data != nullptr && data->length < PROGRESS_BYTES)
        reportShort(PROGRESS_STORE, data->length, PROGRESS_BYTES);
    if (data == nullptr || data->length < PROGRESS_BYTES) {
        resetProgress();
        saveProgress();
        return;
    }
    startInput(data);
    selectedItemA = TqCanvas::readInt();
    selectedItemB = TqCanvas::readInt();
    money = TqCanvas::readInt();
    for (int32_t i = 0; i < ITEMS_A; i++)
        (*itemLevelsA)[i] = TqCanvas::readInt();
    for (int32_t i = 0; i < ITEMS_B; i++)
        (*itemLevelsB)[i] = TqCanvas::readInt();
    for (int32_t i = 0; i < STAGES; i++)
        (*stageDifficulty)[i] = TqCanvas::readInt();
    clampProgress();
}

bool Game::saveProgress()
{
    VMPtr<ByteArray> data = startOutput(PROGRESS_BYTES);
    progressData = data;
    TqCanvas::pngWriteInt(selectedItemA);
    TqCanvas::pngWriteInt(selectedItemB);
    TqCanvas::pngWriteInt(money);
    for (int32_t i = 0; i < ITEMS_A; i++)
        TqCanvas::pngWriteInt((*itemLevelsA)[i]);
    for (int32_t i = 0; i < ITEMS_B; i++)
        TqCanvas::pngWriteInt((*itemLevelsB)[i]);
    for (int32_t i = 0; i < STAGES; i++)
        TqCanvas::pngWriteInt((*stageDifficulty)[i]);
    return writeStore(PROGRESS_STORE, data);
}

void Game::loadSettings()
{
    VMPtr<ByteArray> data = readStore(SETTINGS_STORE);
    settingsData = data;
    // The flag and the int; the sixth byte is never read.
    if (data != nullptr && data->length < SETTINGS_BYTES - 1)
        reportShort(SETTINGS_STORE, data->length, SETTINGS_BYTES - 1);
    if (data == nullptr || data->length < SETTINGS_BYTES - 1) {
        settingsFlag = false;
        settingsValue = 0;
        saveSettings();
        return;
    }
    startInput(data);
    settingsFlag = TqCanvas::readBoolean();
    settingsValue = TqCanvas::readInt();
}

bool Game::saveSettings()
{
    VMPtr<ByteArray> data = startOutput(SETTINGS_BYTES);
    settingsData = data;
    TqCanvas::writeBoolean(settingsFlag);
    TqCanvas::pngWriteInt(settingsValue);
    return writeStore(SETTINGS_STORE, data);
}

VMPtr<Game::ByteArray> Game::readStore(int32_t id)
{
    OpenedStore opened;
    damagedStore[id] = false;
    try {
        opened.store = RecordStore::openRecordStore(String::valueOf(id), false);
        return opened.store->getRecord(kSaveRecord);
    } catch (javax::microedition::rms::RecordStoreNotFoundException* absent) {
        VMPtr<javax::microedition::rms::RecordStoreNotFoundException> keep(absent);
        return nullptr;
    } catch (javax::microedition::rms::InvalidRecordIDException* absent) {
        VMPtr<javax::microedition::rms::InvalidRecordIDException> keep(absent);
        std::fprintf(stderr, "Save store %d holds no save; starting from defaults\n", id);
        return nullptr;
    } catch (java::lang::Exception* unreadable) {
        VMPtr<java::lang::Exception> keep(unreadable);
        damagedStore[id] = true;
        std::fprintf(stderr, "Save store %d: %s; starting from defaults\n", id,
                     opened.store == nullptr ? "it cannot be opened" : "its save cannot be read");
        return nullptr;
    }
}

void Game::reportShort(int32_t id, int32_t length, int32_t needed)
{
    damagedStore[id] = true;
    std::fprintf(stderr, "Save store %d: the save is %d bytes, %d needed; starting from defaults\n",
                 id, length, needed);
}

bool Game::writeStore(int32_t id, VMPtr<ByteArray> data)
{
    VMPtr<String> name = String::valueOf(id);
    OpenedStore opened;
    try {
        opened.store = RecordStore::openRecordStore(name, true);
        bool kept = damagedStore[id];
        if (kept) {
            if (!keepAside(id, opened.store))
                return false;
            damagedStore[id] = false;
        }
        bool present = false;
        try {
            present = hasSaveRecord(opened.store);
        } catch (java::lang::Exception* unreadable) {
            // Kept aside above when the load met it; it cannot be written over.
            VMPtr<java::lang::Exception> keep(unreadable);
        }
        if (present) {
            opened.store->setRecord(kSaveRecord, data, 0, data->length);
            return true;
        }
        if (opened.store->getNextRecordID() == kSaveRecord)
            return opened.store->addRecord(data, 0, data->length) == kSaveRecord;
        // Record 1 cannot be made in this store: it starts again with data
        // alone, once what it holds is kept aside.
        if (!kept && opened.store->getNumRecords() > 0 && !keepAside(id, opened.store))
            return false;
        opened.close();
        RecordStore::deleteRecordStore(name);
        opened.store = RecordStore::openRecordStore(name, true);
        return opened.store->addRecord(data, 0, data->length) == kSaveRecord;
    } catch (java::lang::Exception* refused) {
        VMPtr<java::lang::Exception> keep(refused);
        return false;
    }
}

} // namespace main

VM_REGISTER_CLASS(main::Game, "main.Game", "java.lang.Object", "..\\src\\main_Game",
                  &main::initialiseGame);
