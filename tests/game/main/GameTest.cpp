// Save data: first start, a save and a restart, stores that are missing,
// short or damaged, values out of range, and saves cut short at every step
// of the disk.

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "hal/properties.h"
#include "java/lang/Throwable.h"
#include "javax/microedition/rms/RecordStore.h"
#include "main/Game.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "wince/diskfaults.h"

using javax::microedition::rms::RecordStore;
using main::Game;

namespace {

// The progress as the statics hold it, in the order of the saved layout.
struct Progress {
    int32_t selectedA = 0, selectedB = 0, money = 0;
    std::array<int32_t, 5> levelsA{};
    std::array<int32_t, 8> levelsB{};
    std::array<int32_t, 8> stages{};
    bool operator==(const Progress&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Progress& p)
{
    out << "{A " << p.selectedA << ", B " << p.selectedB << ", money " << p.money << ", levels A";
    for (int32_t v : p.levelsA)
        out << ' ' << v;
    out << ", levels B";
    for (int32_t v : p.levelsB)
        out << ' ' << v;
    out << ", stages";
    for (int32_t v : p.stages)
        out << ' ' << v;
    return out << '}';
}

const Progress kDefaults{0, 0, 0, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0},
                         {1, 1, 1, 1, 1, 1, 1, 1}};
const Progress kPlayed{3, 6, 1000, {1, 3, 2, 0, 1}, {1, 0, 2, 3, 0, 0, 1, 0},
                       {4, 3, 2, 1, 1, 1, 1, 1}};
const Progress kLater{4, 7, 64250, {1, 3, 3, 3, 3}, {1, 1, 2, 3, 3, 3, 3, 3},
                      {4, 4, 4, 4, 3, 2, 1, 1}};

Progress current()
{
    Game::_VM_clinit();
    Progress p{Game::selectedItemA, Game::selectedItemB, Game::money, {}, {}, {}};
    for (int32_t i = 0; i < 5; i++)
        p.levelsA[i] = (*Game::itemLevelsA)[i];
    for (int32_t i = 0; i < 8; i++) {
        p.levelsB[i] = (*Game::itemLevelsB)[i];
        p.stages[i] = (*Game::stageDifficulty)[i];
    }
    return p;
}

void set(const Progress& p)
{
    Game::_VM_clinit();
    Game::selectedItemA = p.selectedA;
    Game::selectedItemB = p.selectedB;
    Game::money = p.money;
    for (int32_t i = 0; i < 5; i++)
        (*Game::itemLevelsA)[i] = p.levelsA[i];
    for (int32_t i = 0; i < 8; i++) {
        (*Game::itemLevelsB)[i] = p.levelsB[i];
        (*Game::stageDifficulty)[i] = p.stages[i];
    }
}

Bytes encode(const Progress& p)
{
    Bytes b;
    for (int32_t v : {p.selectedA, p.selectedB, p.money})
        putInt(b, uint32_t(v));
    for (int32_t v : p.levelsA)
        putInt(b, uint32_t(v));
    for (int32_t v : p.levelsB)
        putInt(b, uint32_t(v));
    for (int32_t v : p.stages)
        putInt(b, uint32_t(v));
    return b;
}

// The records of a store, in id order: {id, bytes}; empty when it cannot be
// opened.
std::vector<std::pair<int32_t, Bytes>> records(const char* name)
{
    std::vector<std::pair<int32_t, Bytes>> found;
    VMPtr<RecordStore> store;
    try {
        store = RecordStore::openRecordStore(vmString(name), false);
    } catch (java::lang::Throwable* missing) {
        VMPtr<java::lang::Throwable> keep(missing);
        return found;
    }
    for (int32_t id = 1; id < store->getNextRecordID(); id++) {
        try {
            VMPtr<RecordStore::ByteArray> bytes = store->getRecord(id);
            found.push_back({id, bytes ? bytesOf(bytes) : Bytes{}});
        } catch (java::lang::Throwable* deleted) {
            VMPtr<java::lang::Throwable> keep(deleted);
        }
    }
    store->closeRecordStore();
    return found;
}

// A store made of the given records, in order.
void writeStore(const char* name, const std::vector<Bytes>& contents)
{
    try {
        RecordStore::deleteRecordStore(vmString(name));
    } catch (java::lang::Throwable* absent) {
        VMPtr<java::lang::Throwable> keep(absent);
    }
    VMPtr<RecordStore> store = RecordStore::openRecordStore(vmString(name), true);
    for (const Bytes& record : contents)
        store->addRecord(vmBytes(record), 0, int32_t(record.size()));
    store->closeRecordStore();
}

class GameTest : public VMFixture {
protected:
    void SetUp() override { restart(); }
    void TearDown() override
    {
        wince::setDiskFault(wince::DiskFault::None);
        HAL_freeProperties();
    }

    // A new process on the same folder: the statics hold junk until the
    // save data loads them.
    static VMPtr<Game> restart()
    {
        HAL_loadProperties();
        set(Progress{-7, -7, -7, {9, 9, 9, 9, 9}, {9, 9, 9, 9, 9, 9, 9, 9},
                     {9, 9, 9, 9, 9, 9, 9, 9}});
        Game::settingsFlag = true;
        Game::settingsValue = -7;
        return Game::newInstance()->init();
    }

    // kPlayed and settings (true, 77) saved.
    static void savePlayed()
    {
        set(kPlayed);
        Game::settingsFlag = true;
        Game::settingsValue = 77;
        ASSERT_TRUE(Game::newInstance()->saveProgress());
        ASSERT_TRUE(Game::newInstance()->saveSettings());
    }

    // The progress a restarted game loads.
    static Progress loaded()
    {
        restart();
        return current();
    }

    vxtest::AppFolder app;
};

// ---- First start, save and restart ----------------------------------------------------------

TEST_F(GameTest, FirstStartWritesTheDefaultsToBothStores)
{
    EXPECT_EQ(current(), kDefaults);
    EXPECT_FALSE(Game::settingsFlag);
    EXPECT_EQ(Game::settingsValue, 0);
    EXPECT_EQ(records("0"), (std::vector<std::pair<int32_t, Bytes>>{{1, encode(kDefaults)}}));
    EXPECT_EQ(records("1"), (std::vector<std::pair<int32_t, Bytes>>{{1, Bytes(6, 0)}}));
    EXPECT_EQ(bytesOf(Game::progressData), encode(kDefaults));
    EXPECT_EQ(bytesOf(Game::settingsData), Bytes(6, 0));
}

TEST_F(GameTest, ASaveAndARestartGiveTheSameValues)
{
    set(kPlayed);
    Game::settingsFlag = true;
    Game::settingsValue = -123456;
    VMPtr<Game> game = Game::newInstance();
    ASSERT_TRUE(game->saveProgress());
    ASSERT_TRUE(game->saveSettings());

    Bytes saved = records("0").at(0).second;
    EXPECT_EQ(Bytes(saved.begin() + 8, saved.begin() + 12), (Bytes{0x00, 0x00, 0x03, 0xE8}));
    EXPECT_EQ(records("1"), (std::vector<std::pair<int32_t, Bytes>>{
                                {1, Bytes{1, 0xFF, 0xFE, 0x1D, 0xC0, 0}}}));

    EXPECT_EQ(loaded(), kPlayed);
    EXPECT_TRUE(Game::settingsFlag);
    EXPECT_EQ(Game::settingsValue, -123456);
    // A save keeps one record in each store, rewritten in place.
    set(kLater);
    ASSERT_TRUE(Game::newInstance()->saveProgress());
    EXPECT_EQ(records("0"), (std::vector<std::pair<int32_t, Bytes>>{{1, encode(kLater)}}));
    EXPECT_EQ(loaded(), kLater);
}

TEST_F(GameTest, AnyNonZeroSettingsFlagByteLoadsAsTrueAndSavesAsOne)
{
    writeStore("1", {Bytes{2, 0, 0, 0, 5, 0}});
    restart();
    EXPECT_TRUE(Game::settingsFlag);
    EXPECT_EQ(Game::settingsValue, 5);
    ASSERT_TRUE(Game::newInstance()->saveSettings());
    EXPECT_EQ(records("1").at(0).second, (Bytes{1, 0, 0, 0, 5, 0}));
}

// ---- Stores that are missing, short or damaged -------------------------------------------------

TEST_F(GameTest, ADamagedStoreKeepsTheSaveItHolds)
{
    struct Case {
        const char* what;
        const char* file;  // under the application folder
        std::string bytes;
    } cases[] = {
        {"junk metadata", "database/store-0/metadata.info", "junk"},
        {"metadata cut short", "database/store-0/metadata.info", std::string(19, '\1')},
        {"stray record file", "database/store-0/record-9.bin", "stray"},
        {"empty settings metadata", "database/store-1/metadata.info", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(savePlayed());
        app.write(c.file, c.bytes);

        testing::internal::CaptureStderr();
        EXPECT_EQ(loaded(), kPlayed);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("metadata.info"), std::string::npos) << said;
        EXPECT_TRUE(Game::settingsFlag);
        EXPECT_EQ(Game::settingsValue, 77);
        set(kLater);
        ASSERT_TRUE(Game::newInstance()->saveProgress());
        EXPECT_EQ(loaded(), kLater);
        std::filesystem::remove_all(app.path() + "/database");
    }
}

TEST_F(GameTest, AShortOrLostSaveStartsWithDefaultsAndWhatWasThereIsKeptAside)
{
    using Records = std::vector<std::pair<int32_t, Bytes>>;
    struct Case {
        const char* what;
        std::function<void(vxtest::AppFolder&)> spoil;
        const char* kept;  // the store holding what was found, or null
        Records keptRecords;
    } cases[] = {
        {"progress cut short", [](auto&) { writeStore("0", {Bytes(95, 1)}); }, "0-kept-1",
         {{1, Bytes(95, 1)}}},
        {"empty progress record", [](auto&) { writeStore("0", {Bytes{}}); }, "0-kept-1",
         {{1, Bytes{}}}},
        {"no records", [](auto&) { writeStore("0", {}); }, nullptr, {}},
        {"save record deleted",
         [](auto&) {
             writeStore("0", {Bytes(96, 0), encode(kPlayed)});
             VMPtr<RecordStore> store = RecordStore::openRecordStore(vmString("0"), false);
             store->deleteRecord(1);
             store->closeRecordStore();
         },
         "0-kept-1", {{1, encode(kPlayed)}}},
        {"store missing", [](auto&) { RecordStore::deleteRecordStore(vmString("0")); }, nullptr,
         {}},
        {"unreadable save record",
         [](auto& app) {
             std::string record = app.path() + "/database/store-0/record-1.bin";
             std::filesystem::remove(record);
             std::filesystem::create_directory(record);
         },
         "0-kept-1", {}},
        {"settings cut short", [](auto&) { writeStore("1", {Bytes{1, 0, 0, 0}}); }, "1-kept-1",
         {{1, Bytes{1, 0, 0, 0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(savePlayed());
        c.spoil(app);
        bool progressSpoiled = std::string(c.what).find("settings") == std::string::npos;

        testing::internal::CaptureStderr();
        EXPECT_EQ(loaded(), progressSpoiled ? kDefaults : kPlayed);
        std::string said = testing::internal::GetCapturedStderr();
        if (c.kept) {
            EXPECT_NE(said.find(std::string("kept in store ") + c.kept), std::string::npos)
                << said;
        }
        EXPECT_EQ(Game::settingsFlag, progressSpoiled);
        EXPECT_EQ(Game::settingsValue, progressSpoiled ? 77 : 0);
        EXPECT_EQ(records(progressSpoiled ? "0" : "1"),
                  (Records{{1, progressSpoiled ? encode(kDefaults) : Bytes(6, 0)}}));
        if (c.kept) {
            EXPECT_EQ(records(c.kept), c.keptRecords);
        }
        // The rewritten store takes saves again, and nothing more is kept.
        set(kLater);
        ASSERT_TRUE(Game::newInstance()->saveProgress());
        EXPECT_EQ(loaded(), kLater);
        EXPECT_EQ(records("0-kept-2"), Records{});
        std::filesystem::remove_all(app.path() + "/database");
    }
}

TEST_F(GameTest, ValuesOutOfTheirRangesAreClampedOnLoading)
{
    Progress wild{9, -1, -50, {-3, 4, 3, 0, 1000}, {7, -1, 0, 1, 2, 3, 4, INT32_MIN},
                  {0, 5, -2, 4, 1, INT32_MAX, 3, 2}};
    writeStore("0", {encode(wild)});
    Progress clamped{4, 0, 0, {0, 3, 3, 0, 3}, {3, 0, 0, 1, 2, 3, 3, 0},
                     {1, 4, 1, 4, 1, 4, 3, 2}};
    EXPECT_EQ(loaded(), clamped);
    // Money runs from 0 to the most the game holds.
    for (int32_t money : {INT32_MIN, -1, 0, Game::MAX_MONEY}) {
        Progress saved = kPlayed;
        saved.money = money;
        writeStore("0", {encode(saved)});
        EXPECT_EQ(loaded().money, money < 0 ? 0 : money) << money;
    }
}

TEST_F(GameTest, ALongerRecordLoadsItsLayoutAndNothingBeyond)
{
    Bytes longer = encode(kPlayed);
    longer.insert(longer.end(), {0xAA, 0xBB});
    writeStore("0", {longer});
    EXPECT_EQ(loaded(), kPlayed);
}

// ---- Saves cut short ------------------------------------------------------------------------

// Each case: what is on the disk before, the step that is stopped, and what
// a restart must find afterwards, given whether the step reported success.
TEST_F(GameTest, ASaveStoppedAtAnyStepLeavesThePreviousOrTheNewSave)
{
    struct Case {
        const char* what;
        std::function<void(vxtest::AppFolder&)> prepare;
        std::function<bool()> act;
        std::function<void(bool saved)> check;
    } cases[] = {
        {"progress save", [](auto&) {},
         [] {
             set(kLater);
             return Game::newInstance()->saveProgress();
         },
         [](bool saved) {
             Progress found = loaded();
             EXPECT_TRUE(found == (saved ? kLater : kPlayed) || (!saved && found == kLater))
                 << found;
         }},
        {"settings save", [](auto&) {},
         [] {
             Game::settingsFlag = false;
             Game::settingsValue = 99;
             return Game::newInstance()->saveSettings();
         },
         [](bool saved) {
             loaded();
             bool later = !Game::settingsFlag && Game::settingsValue == 99;
             bool earlier = Game::settingsFlag && Game::settingsValue == 77;
             EXPECT_TRUE(later || (!saved && earlier)) << Game::settingsValue;
             EXPECT_EQ(current(), kPlayed);
         }},
        {"start on damaged metadata",
         [](auto& app) { app.write("database/store-0/metadata.info", "junk"); },
         [] {
             restart();
             return current() == kPlayed;
         },
         [](bool) { EXPECT_EQ(loaded(), kPlayed); }},
        {"reset after a short save", [](auto&) { writeStore("0", {Bytes(95, 1)}); },
         [] {
             restart();
             return records("0") == std::vector<std::pair<int32_t, Bytes>>{
                                        {1, encode(kDefaults)}};
         },
         [](bool saved) {
             // The short save stays in its store or in a kept one.
             bool inPlace = records("0") ==
                            std::vector<std::pair<int32_t, Bytes>>{{1, Bytes(95, 1)}};
             bool kept = records("0-kept-1") ==
                         std::vector<std::pair<int32_t, Bytes>>{{1, Bytes(95, 1)}};
             EXPECT_TRUE(inPlace || kept);
             EXPECT_TRUE(!saved || kept);
             EXPECT_EQ(loaded(), kDefaults);
         }},
    };
    for (const Case& c : cases) {
        bool reachedEnd = false;
        for (uint32_t step = 0; !reachedEnd; ++step) {
            SCOPED_TRACE(std::string(c.what) + " stopped at step " + std::to_string(step));
            std::filesystem::remove_all(app.path() + "/database");
            ASSERT_NO_FATAL_FAILURE(savePlayed());
            c.prepare(app);
            testing::internal::CaptureStderr();
            wince::setDiskFault(wince::DiskFault::Halt, step);
            bool saved = c.act();
            reachedEnd = wince::diskSteps() <= step;
            wince::setDiskFault(wince::DiskFault::None);
            c.check(saved);
            if (reachedEnd) {
                EXPECT_TRUE(saved);
            }
            testing::internal::GetCapturedStderr();
        }
    }
}

TEST_F(GameTest, AFirstStartStoppedAtAnyStepStartsWithDefaultsNextTime)
{
    bool reachedEnd = false;
    for (uint32_t step = 0; !reachedEnd; ++step) {
        SCOPED_TRACE("stopped at step " + std::to_string(step));
        for (const char* name : {"0", "1"}) {
            try {
                RecordStore::deleteRecordStore(vmString(name));
            } catch (java::lang::Throwable* absent) {
                VMPtr<java::lang::Throwable> keep(absent);
            }
        }
        wince::setDiskFault(wince::DiskFault::Halt, step);
        restart();
        reachedEnd = wince::diskSteps() <= step;
        wince::setDiskFault(wince::DiskFault::None);

        EXPECT_EQ(loaded(), kDefaults);
        EXPECT_FALSE(Game::settingsFlag);
        EXPECT_EQ(records("0"), (std::vector<std::pair<int32_t, Bytes>>{{1, encode(kDefaults)}}));
        EXPECT_EQ(records("1"), (std::vector<std::pair<int32_t, Bytes>>{{1, Bytes(6, 0)}}));
    }
}

TEST_F(GameTest, ASaveOnAFullDiskFailsAndKeepsThePreviousSave)
{
    set(kPlayed);
    ASSERT_TRUE(Game::newInstance()->saveProgress());
    set(kLater);
    wince::setDiskFault(wince::DiskFault::Full);
    EXPECT_FALSE(Game::newInstance()->saveProgress());
    wince::setDiskFault(wince::DiskFault::None);
    EXPECT_EQ(loaded(), kPlayed);
}

} // namespace
