// Record stores on disk: the file layout, restarts, names, damaged files,
// stores cut short at every step of a change, and a full disk.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "hal/hal.h"
#include "support/AppFolder.h"
#include "support/HalTestSupport.h"
#include "wince/diskfaults.h"

namespace {

namespace fs = std::filesystem;
using vxtest::AppFolder;

std::u16string u16(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::vector<int8_t> bytesOf(const std::string& text)
{
    return std::vector<int8_t>(text.begin(), text.end());
}

std::string readHostFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Little-endian metadata words as the store writes them.
std::string metadataBytes(int32_t lastModified, int32_t version, int32_t nextId, int32_t size,
                          int32_t count)
{
    std::string bytes;
    for (int32_t word : {lastModified, version, nextId, size, count}) {
        for (int k = 0; k < 4; ++k) {
            bytes += static_cast<char>(static_cast<uint32_t>(word) >> (8 * k));
        }
    }
    return bytes;
}

struct Closer {
    void operator()(HALRecordStore* store) const { HAL_closeRecordStore(store); }
};
using Store = std::unique_ptr<HALRecordStore, Closer>;

// What a store holds, as read back through the platform (the time aside).
struct Contents {
    int32_t version = 0, nextId = 0, size = 0, count = 0;
    std::map<int32_t, std::string> records;
    bool operator==(const Contents&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Contents& c)
{
    out << "{version " << c.version << ", next " << c.nextId << ", size " << c.size << ", count "
        << c.count << ", records";
    for (auto& [id, bytes] : c.records) {
        out << " " << id << ":\"" << bytes << "\"";
    }
    return out << "}";
}

class RecordStores : public ::testing::Test {
protected:
    void SetUp() override { restart(); }
    void TearDown() override
    {
        wince::setDiskFault(wince::DiskFault::None);
        HAL_freeProperties();
    }

    // A new process on the same folder: nothing held in memory survives.
    static void restart() { HAL_loadProperties(); }

    static int32_t openStatus(const std::u16string& name, bool create, Store* out = nullptr)
    {
        HALRecordStore* store = reinterpret_cast<HALRecordStore*>(uintptr_t{1});
        int32_t status =
            HAL_openRecordStore(&store, name.data(), static_cast<int32_t>(name.size()), create);
        if (status != 0) {
            EXPECT_EQ(store, nullptr);
        }
        if (out) {
            out->reset(store);
        } else {
            HAL_closeRecordStore(store);
        }
        return status;
    }

    static Store open(const std::string& name, bool create = true)
    {
        Store store;
        EXPECT_EQ(openStatus(u16(name), create, &store), 0) << name;
        return store;
    }

    static int32_t add(HALRecordStore* store, const std::string& bytes)
    {
        std::vector<int8_t> data = bytesOf(bytes);
        int32_t id = -1;
        EXPECT_EQ(HAL_addRecord(store, &id, data.data(), static_cast<int32_t>(data.size())), 0);
        return id;
    }

    static std::string record(HALRecordStore* store, int32_t id)
    {
        int32_t size = -1;
        EXPECT_EQ(HAL_getRecordSize(store, id, &size), 0) << id;
        std::vector<int8_t> buffer(static_cast<size_t>(std::max(size, 0)));
        int32_t length = size;
        EXPECT_EQ(HAL_getRecord(store, id, buffer.data(), &length), 0) << id;
        EXPECT_EQ(length, size);
        return std::string(buffer.begin(), buffer.end());
    }

    static Contents contents(HALRecordStore* store)
    {
        Contents c;
        EXPECT_EQ(HAL_getRecordStoreVersion(store, &c.version), 0);
        EXPECT_EQ(HAL_getNextRecordID(store, &c.nextId), 0);
        EXPECT_EQ(HAL_getRecordStoreSize(store, &c.size), 0);
        EXPECT_EQ(HAL_getNumRecords(store, &c.count), 0);
        for (int32_t n = 1;; ++n) {
            int32_t id = 0;
            if (HAL_getNthRecordID(store, n, &id) != 0) {
                EXPECT_EQ(n - 1, c.count) << "record files and count disagree";
                break;
            }
            c.records[id] = record(store, id);
        }
        return c;
    }

    fs::path storeFolder(const std::string& name) const
    {
        return fs::path(app.path()) / "database" / ("store-" + name);
    }

    // The names in a store folder, sorted.
    std::vector<std::string> filesOf(const std::string& name) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(storeFolder(name))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Every file under the application folder with its bytes.
    std::map<std::string, std::string> everything() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(app.path())) {
            std::string relative = fs::relative(entry.path(), app.path()).string();
            files[relative] = entry.is_directory() ? "<folder>" : readHostFile(entry.path());
        }
        return files;
    }

    AppFolder app;
};

// ---- Layout and the basic scenario ----------------------------------------------------------

TEST_F(RecordStores, NewStoreHasFreshWordsAndTwentyByteMetadata)
{
    Store store = open("save");
    EXPECT_EQ(contents(store.get()), (Contents{0, 1, 0, 0, {}}));
    std::string metadata = readHostFile(storeFolder("save") / "metadata.info");
    ASSERT_EQ(metadata.size(), 20u);
    int64_t modified = 0;
    ASSERT_EQ(HAL_getRecordStoreLastModified(store.get(), &modified), 0);
    EXPECT_EQ(metadata, metadataBytes(static_cast<int32_t>(modified), 0, 1, 0, 0));
    EXPECT_EQ(filesOf("save"), std::vector<std::string>{"metadata.info"});
}

TEST_F(RecordStores, AddAddDeleteLeavesExactlyTheFilesAndWords)
{
    Store store = open("save");
    EXPECT_EQ(add(store.get(), "0123456789"), 1);
    EXPECT_EQ(add(store.get(), "abcde"), 2);
    ASSERT_EQ(HAL_deleteRecord(store.get(), 1), 0);

    EXPECT_EQ(contents(store.get()), (Contents{3, 3, 15, 1, {{2, "abcde"}}}));
    EXPECT_EQ(filesOf("save"), (std::vector<std::string>{"metadata.info", "record-2.bin"}));
    EXPECT_EQ(readHostFile(storeFolder("save") / "record-2.bin"), "abcde");
    int64_t modified = 0;
    ASSERT_EQ(HAL_getRecordStoreLastModified(store.get(), &modified), 0);
    EXPECT_EQ(readHostFile(storeFolder("save") / "metadata.info"),
              metadataBytes(static_cast<int32_t>(modified), 3, 3, 15, 1));
}

TEST_F(RecordStores, SetRewritesTheRecordWholeAndKeepsCountAndSize)
{
    Store store = open("save");
    add(store.get(), "a long first value");
    ASSERT_EQ(HAL_setRecord(store.get(), 1, bytesOf("short").data(), 5), 0);
    ASSERT_EQ(HAL_setRecord(store.get(), 1, nullptr, 0), 0);
    EXPECT_EQ(contents(store.get()), (Contents{3, 2, 18, 1, {{1, ""}}}));
    EXPECT_EQ(fs::file_size(storeFolder("save") / "record-1.bin"), 0u);
}

TEST_F(RecordStores, StoreReadsBackAfterRestartByteForByte)
{
    {
        Store store = open("save");
        add(store.get(), std::string("\0\x01\xff\x80", 4));
        add(store.get(), "second");
        add(store.get(), "");
    }
    std::map<std::string, std::string> before = everything();
    restart();
    Store store = open("save", false);
    EXPECT_EQ(contents(store.get()),
              (Contents{3, 4, 10, 3, {{1, std::string("\0\x01\xff\x80", 4)}, {2, "second"}, {3, ""}}}));
    EXPECT_EQ(everything(), before) << "opening and reading changed the files";
}

TEST_F(RecordStores, ReadsAStoreWrittenByHand)
{
    app.write("database/store-old/metadata.info", metadataBytes(-5, 7, 9, 40, 2));
    app.write("database/store-old/record-3.bin", "three");
    app.write("database/store-old/record-8.bin", "eight");
    Store store = open("old", false);
    EXPECT_EQ(contents(store.get()), (Contents{7, 9, 40, 2, {{3, "three"}, {8, "eight"}}}));
    int64_t modified = 0;
    ASSERT_EQ(HAL_getRecordStoreLastModified(store.get(), &modified), 0);
    EXPECT_EQ(modified, -5) << "the word is sign-extended";
    EXPECT_EQ(add(store.get(), "nine"), 9);
}

TEST_F(RecordStores, MissingStoreWithoutCreateIsNotFoundAndMakesNoFolder)
{
    EXPECT_EQ(openStatus(u"absent", false), 4);
    EXPECT_FALSE(fs::exists(storeFolder("absent")));
    EXPECT_EQ(openStatus(u"", true), 4);
    HALRecordStore* store = nullptr;
    EXPECT_EQ(HAL_openRecordStore(&store, nullptr, 3, true), 4);
}

// ---- Records --------------------------------------------------------------------------------

TEST_F(RecordStores, RecordIdsComeInAscendingOrder)
{
    Store store = open("many");
    for (int i = 0; i < 12; ++i) {
        add(store.get(), std::to_string(i + 1));
    }
    ASSERT_EQ(HAL_deleteRecord(store.get(), 2), 0);
    ASSERT_EQ(HAL_deleteRecord(store.get(), 11), 0);
    std::vector<int32_t> ids;
    int32_t id = 0;
    for (int32_t n = 1; HAL_getNthRecordID(store.get(), n, &id) == 0; ++n) {
        ids.push_back(id);
    }
    EXPECT_EQ(ids, (std::vector<int32_t>{1, 3, 4, 5, 6, 7, 8, 9, 10, 12}));
    EXPECT_EQ(HAL_getNthRecordID(store.get(), 11, &id), 4) << "one past the last";
    EXPECT_EQ(HAL_getNthRecordID(store.get(), 0, &id), 4);
}

TEST_F(RecordStores, GetRecordNeverWritesPastTheRoomGiven)
{
    Store store = open("room");
    add(store.get(), "0123456789");
    add(store.get(), "");
    struct Case {
        int32_t room;
        int32_t status;
        std::string buffer;  // 12 bytes after the call, '#' untouched
    };
    const Case cases[] = {
        {12, 0, "0123456789##"},
        {10, 0, "0123456789##"},
        {9, 8, "############"},
        {0, 8, "############"},
        {-3, 8, "############"},
    };
    for (const Case& c : cases) {
        std::vector<int8_t> buffer(12, '#');
        int32_t length = c.room;
        EXPECT_EQ(HAL_getRecord(store.get(), 1, buffer.data(), &length), c.status) << c.room;
        EXPECT_EQ(length, 10) << "the full length is reported, room " << c.room;
        EXPECT_EQ(std::string(buffer.begin(), buffer.end()), c.buffer) << c.room;
    }
    int32_t length = 0;
    EXPECT_EQ(HAL_getRecord(store.get(), 2, nullptr, &length), 0) << "an empty record";
    EXPECT_EQ(length, 0);
}

TEST_F(RecordStores, MissingRecordsAreNotFoundAndNothingIsCreated)
{
    Store store = open("gaps");
    add(store.get(), "one");
    ASSERT_EQ(HAL_deleteRecord(store.get(), 1), 0);
    int8_t buffer[4];
    int32_t value = 4;
    for (int32_t id : {1, 2, 0, -1}) {
        EXPECT_EQ(HAL_getRecordSize(store.get(), id, &value), 4) << id;
        value = 4;
        EXPECT_EQ(HAL_getRecord(store.get(), id, buffer, &value), 4) << id;
        EXPECT_EQ(HAL_deleteRecord(store.get(), id), 4) << id;
        EXPECT_EQ(HAL_setRecord(store.get(), id, buffer, 4), 4) << id;
    }
    EXPECT_EQ(contents(store.get()), (Contents{2, 2, 3, 0, {}}));
    EXPECT_EQ(filesOf("gaps"), std::vector<std::string>{"metadata.info"});
}

TEST_F(RecordStores, NullArgumentsAreRefused)
{
    Store store = open("nulls");
    int32_t value = 0;
    int64_t time = 0;
    int8_t byte = 0;
    EXPECT_EQ(HAL_getRecordStoreVersion(nullptr, &value), 4);
    EXPECT_EQ(HAL_getNumRecords(nullptr, &value), 4);
    EXPECT_EQ(HAL_getRecordStoreSize(nullptr, &value), 4);
    EXPECT_EQ(HAL_getRecordStoreLastModified(nullptr, &time), 4);
    EXPECT_EQ(HAL_getNextRecordID(nullptr, &value), 2);
    EXPECT_EQ(HAL_getNextRecordID(store.get(), nullptr), 2);
    EXPECT_EQ(HAL_addRecord(nullptr, &value, &byte, 1), 2);
    EXPECT_EQ(HAL_addRecord(store.get(), &value, nullptr, 1), 2);
    EXPECT_EQ(HAL_addRecord(store.get(), &value, &byte, -1), 2);
    EXPECT_EQ(HAL_setRecord(nullptr, 1, &byte, 1), 2);
    EXPECT_EQ(HAL_deleteRecord(nullptr, 1), 2);
    EXPECT_EQ(HAL_getRecordSize(nullptr, 1, &value), 2);
    EXPECT_EQ(HAL_getRecord(nullptr, 1, &byte, &value), 2);
    EXPECT_EQ(HAL_getRecord(store.get(), 1, &byte, nullptr), 2);
    EXPECT_EQ(HAL_getNthRecordID(nullptr, 1, &value), 2);
    HAL_closeRecordStore(nullptr);
    EXPECT_EQ(contents(store.get()), (Contents{0, 1, 0, 0, {}})) << "nothing was changed";
    int32_t id = 0;
    EXPECT_EQ(HAL_addRecord(store.get(), &id, nullptr, 0), 0) << "no data and no length";
    EXPECT_EQ(record(store.get(), id), "");
}

TEST_F(RecordStores, TwoHandlesOnOneStoreNeverShareAnId)
{
    Store first = open("shared");
    Store second = open("shared");
    EXPECT_EQ(add(first.get(), "from first"), 1);
    EXPECT_EQ(add(second.get(), "from second"), 2);
    EXPECT_EQ(contents(first.get()), contents(second.get()));
    EXPECT_EQ(contents(first.get()).records,
              (std::map<int32_t, std::string>{{1, "from first"}, {2, "from second"}}));
}

// ---- Stores ----------------------------------------------------------------------------------

TEST_F(RecordStores, StoresAreListedByNameWithinTheRoomGiven)
{
    EXPECT_EQ(HAL_getNumRecordStores(), 0) << "no database folder yet";
    char16_t buffer[34];
    int32_t length = 34;
    EXPECT_EQ(HAL_getNthRecordStoreName(1, buffer, &length), 4);
    for (const char* name : {"zeta", "alpha", "10", "9"}) {
        open(name);
    }
    app.write("database/store-plain-file", "not a folder");
    fs::create_directories(storeFolder("bad:name"));
    ASSERT_EQ(HAL_getNumRecordStores(), 4);
    std::vector<std::u16string> names;
    for (int32_t n = 1; n <= 4; ++n) {
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        length = 34;
        ASSERT_EQ(HAL_getNthRecordStoreName(n, buffer, &length), 0);
        EXPECT_EQ(buffer[length], u'\0');
        EXPECT_EQ(buffer[length + 1], u'#');
        names.emplace_back(buffer, static_cast<size_t>(length));
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"10", u"9", u"alpha", u"zeta"}));
    EXPECT_EQ(HAL_getNthRecordStoreName(0, buffer, &length), 2);
    EXPECT_EQ(HAL_getNthRecordStoreName(5, buffer, &length), 4);
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    length = 4;
    EXPECT_EQ(HAL_getNthRecordStoreName(3, buffer, &length), 8) << "no room for the terminator";
    EXPECT_EQ(length, 5);
    EXPECT_EQ(buffer[0], u'#');
}

TEST_F(RecordStores, HostileNamesAreRefusedAndTouchNothing)
{
    open("victim");
    add(open("victim", false).get(), "keep me");
    std::map<std::string, std::string> before = everything();
    const std::u16string hostile[] = {
        u"../victim",   u"..\\victim", u"a/b",       u"a\\b",      u"C:",          u"c:victim",
        u"x*",          u"?",          u"a\"b",      u"<a>",       u"a|b",         u"tab\there",
        u"\x7f",        u"new\nline",  std::u16string(u"nul\0x", 5), std::u16string(33, u'a'),
        u"\xD800",      u"\xDC00x",    u"x\xD800",
    };
    for (const std::u16string& name : hostile) {
        std::string shown(name.begin(), name.end());
        EXPECT_EQ(openStatus(name, true), 2) << shown;
        EXPECT_EQ(openStatus(name, false), 2) << shown;
        EXPECT_EQ(HAL_deleteRecordStore(name.data(), static_cast<int32_t>(name.size())), 2)
            << shown;
    }
    EXPECT_EQ(everything(), before);
}

TEST_F(RecordStores, UnusualButHarmlessNamesStayInsideTheDatabaseFolder)
{
    const std::u16string names[] = {u"..", u".", std::u16string(32, u'n'), u"Spielstand \u00fc",
                                    u"\xD83D\xDE00", u" spaced "};
    for (const std::u16string& name : names) {
        Store store;
        ASSERT_EQ(openStatus(name, true, &store), 0);
        add(store.get(), "x");
    }
    for (const auto& entry : fs::directory_iterator(app.path())) {
        EXPECT_EQ(entry.path().filename(), "database") << "nothing outside the database folder";
    }
    EXPECT_EQ(HAL_getNumRecordStores(), 6);
    for (const std::u16string& name : names) {
        EXPECT_EQ(openStatus(name, false), 0);
    }
}

TEST_F(RecordStores, DeleteStoreRemovesItAndItsFilesOnly)
{
    add(open("gone").get(), "bytes");
    add(open("kept").get(), "other bytes");
    EXPECT_EQ(HAL_deleteRecordStore(u"gone", 4), 0);
    EXPECT_FALSE(fs::exists(storeFolder("gone")));
    EXPECT_EQ(openStatus(u"gone", false), 4);
    EXPECT_EQ(HAL_getNumRecordStores(), 1);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(fs::path(app.path()) / "database")) {
        left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, std::vector<std::string>{"store-kept"});
    EXPECT_EQ(HAL_deleteRecordStore(u"never", 5), 0) << "a missing store is no failure";
    EXPECT_EQ(contents(open("kept").get()).records, (std::map<int32_t, std::string>{{1, "other bytes"}}));
}

TEST_F(RecordStores, DeleteStoreWithoutDatabaseFolderIsNotFound)
{
    EXPECT_EQ(HAL_deleteRecordStore(u"any", 3), 4);
}

TEST_F(RecordStores, HandleOfADeletedStoreCannotWriteIntoItsSuccessor)
{
    Store old = open("again");
    add(old.get(), "old one");
    add(old.get(), "old two");
    ASSERT_EQ(HAL_deleteRecordStore(u"again", 5), 0);
    int32_t id = 0;
    EXPECT_EQ(HAL_addRecord(old.get(), &id, bytesOf("x").data(), 1), 7) << "its folder is gone";
    Store fresh = open("again");
    add(fresh.get(), "new one");
    EXPECT_EQ(add(old.get(), "late"), 2) << "the old handle follows the store on the disk";
    EXPECT_EQ(contents(fresh.get()).records,
              (std::map<int32_t, std::string>{{1, "new one"}, {2, "late"}}));
}

// ---- Damaged files ----------------------------------------------------------------------------

TEST_F(RecordStores, DamagedMetadataIsRebuiltFromTheRecordsAfterTheStoreIsKeptAside)
{
    struct Case {
        const char* what;
        bool hasMetadata;
        std::string metadata;
        std::vector<int32_t> records;
        Contents rebuilt;
        const char* leftover = nullptr;  // a file a change cut short left
    };
    const std::map<int32_t, std::string> one{{1, "abc"}};
    const std::map<int32_t, std::string> two{{1, "abc"}, {2, "abc"}};
    const Case cases[] = {
        {"truncated", true, metadataBytes(0, 1, 2, 3, 1).substr(0, 19), {1}, {0, 2, 3, 1, one}},
        {"empty", true, "", {}, {0, 1, 0, 0, {}}},
        {"one byte too long", true, metadataBytes(0, 1, 2, 3, 1) + "x", {1}, {0, 2, 3, 1, one}},
        {"next id zero", true, metadataBytes(0, 1, 0, 3, 0), {}, {0, 1, 0, 0, {}}},
        {"negative count", true, metadataBytes(0, 1, 1, 0, -1), {}, {0, 1, 0, 0, {}}},
        // Ids are never handed out twice: the next id stays where it was.
        {"count above the records", true, metadataBytes(0, 2, 3, 6, 2), {1}, {3, 3, 3, 1, one}},
        {"count below the records", true, metadataBytes(0, 2, 3, 6, 1), {1, 2}, {3, 3, 6, 2, two}},
        {"record at the next id", true, metadataBytes(0, 2, 2, 6, 2), {1, 2}, {3, 3, 6, 2, two}},
        {"stray record", true, metadataBytes(0, 2, 2, 3, 1), {1, 7},
         {3, 8, 6, 2, {{1, "abc"}, {7, "abc"}}}},
        {"records without metadata", false, "", {1}, {0, 2, 3, 1, one}},
        {"count mismatch beside an unfinished add", true, metadataBytes(0, 1, 3, 6, 2), {1},
         {2, 3, 3, 1, one}, "~put-2-5.tmp"},
        {"metadata lost during a delete", false, "", {}, {0, 2, 3, 1, {{1, "def"}}},
         "~del-1-1.tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(storeFolder("hurt"));
        fs::remove_all(fs::path(app.path()) / "database" / "damaged-hurt-1");
        fs::create_directories(storeFolder("hurt"));
        if (c.hasMetadata) {
            app.write("database/store-hurt/metadata.info", c.metadata);
        }
        for (int32_t id : c.records) {
            app.write("database/store-hurt/record-" + std::to_string(id) + ".bin", "abc");
        }
        if (c.leftover) {
            app.write("database/store-hurt/" + std::string(c.leftover), "def");
        }
        std::map<std::string, std::string> before = everything();

        testing::internal::CaptureStderr();
        Store store = open("hurt", false);
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Record store hurt: metadata.info"), std::string::npos) << said;
        EXPECT_NE(said.find("damaged-hurt-1"), std::string::npos) << said;
        EXPECT_EQ(contents(store.get()), c.rebuilt);
        // The store as it was found, file for file.
        std::map<std::string, std::string> kept;
        for (const auto& [path, bytes] : before) {
            if (path.rfind("database/store-hurt/", 0) == 0) {
                kept["database/damaged-hurt-1/" + path.substr(20)] = bytes;
            }
        }
        std::map<std::string, std::string> after = everything();
        for (const auto& [path, bytes] : kept) {
            EXPECT_EQ(after[path], bytes) << path;
        }
        // The mended store is whole: it takes changes and opens quietly.
        EXPECT_EQ(add(store.get(), "new"), c.rebuilt.nextId);
        store.reset();
        testing::internal::CaptureStderr();
        open("hurt", false);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(HAL_getNumRecordStores(), 1) << "the copy is not a store";
    }
}

TEST_F(RecordStores, ADamagedStoreOnAFullDiskIsLeftAsFound)
{
    Store made = open("hurt");
    add(made.get(), "save");
    made.reset();
    app.write("database/store-hurt/metadata.info", "junk");
    std::map<std::string, std::string> before = everything();
    wince::setDiskFault(wince::DiskFault::Full);
    testing::internal::CaptureStderr();
    EXPECT_EQ(openStatus(u"hurt", false), 7);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("left as found"), std::string::npos);
    wince::setDiskFault(wince::DiskFault::None);
    for (const auto& [path, bytes] : before) {
        EXPECT_EQ(everything()[path], bytes) << path;
    }
    Store store = open("hurt", false);
    EXPECT_EQ(record(store.get(), 1), "save");
}

TEST_F(RecordStores, AnUnreadableRecordFailsAloneAndTheRestStaysReadable)
{
    Store store = open("partly");
    add(store.get(), "first");
    add(store.get(), "second");
    fs::remove(storeFolder("partly") / "record-1.bin");
    fs::create_directory(storeFolder("partly") / "record-1.bin");  // not a file any more
    int32_t size = 0;
    int8_t buffer[16];
    int32_t length = 16;
    EXPECT_EQ(HAL_getRecordSize(store.get(), 1, &size), 7);
    EXPECT_EQ(HAL_getRecord(store.get(), 1, buffer, &length), 7);
    EXPECT_EQ(record(store.get(), 2), "second");
    // Opened again, the store agrees with what is left and still opens.
    store.reset();
    testing::internal::CaptureStderr();
    store = open("partly", false);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(HAL_getRecord(store.get(), 1, buffer, &length), 7);
    EXPECT_EQ(record(store.get(), 2), "second");
}

TEST_F(RecordStores, ForeignFilesInAStoreFolderAreNotRecords)
{
    Store store = open("mixed");
    add(store.get(), "real");
    for (const char* name : {"record-.bin", "record-01.bin", "record-x.bin", "record-2.txt",
                             "record--3.bin", "record-99999999999.bin", "notes.txt"}) {
        app.write("database/store-mixed/" + std::string(name), "junk");
    }
    restart();
    Store again = open("mixed", false);
    EXPECT_EQ(contents(again.get()).records, (std::map<int32_t, std::string>{{1, "real"}}));
}

// ---- A change cut short, and a full disk ---------------------------------------------------------

struct Change {
    const char* what;
    std::function<void(HALRecordStore*)> run;  // on the store "cut"
};

const Change kChanges[] = {
    {"add", [](HALRecordStore* s) { int32_t id; HAL_addRecord(s, &id, bytesOf("added").data(), 5); }},
    {"add empty", [](HALRecordStore* s) { int32_t id; HAL_addRecord(s, &id, nullptr, 0); }},
    {"set", [](HALRecordStore* s) { HAL_setRecord(s, 2, bytesOf("rewritten").data(), 9); }},
    {"delete", [](HALRecordStore* s) { HAL_deleteRecord(s, 1); }},
};

class CutShort : public RecordStores {
protected:
    // The store every run starts from: two records.
    void build()
    {
        fs::remove_all(fs::path(app.path()) / "database");
        restart();
        Store store = open("cut");
        add(store.get(), "one");
        add(store.get(), "two");
    }

    // The store as a restarted process finds it; also checks that the open
    // left no temporary file behind.
    Contents reopen(const char* what)
    {
        restart();
        Store store;
        EXPECT_EQ(openStatus(u"cut", false, &store), 0) << what;
        if (!store) {
            return {};
        }
        for (const std::string& name : filesOf("cut")) {
            EXPECT_NE(name[0], '~') << what << ": left " << name;
        }
        return contents(store.get());
    }
};

TEST_F(CutShort, AChangeStoppedAtAnyStepLeavesTheOldOrTheNewStore)
{
    for (const Change& change : kChanges) {
        build();
        Contents before = reopen(change.what);
        {
            Store store = open("cut", false);
            change.run(store.get());
        }
        Contents after = reopen(change.what);
        ASSERT_NE(before, after) << change.what;
        bool reachedEnd = false;
        for (uint32_t step = 0; !reachedEnd; ++step) {
            SCOPED_TRACE(std::string(change.what) + ", stopped at step " + std::to_string(step));
            build();
            {
                Store store = open("cut", false);
                wince::setDiskFault(wince::DiskFault::Halt, step);
                change.run(store.get());
                reachedEnd = wince::diskSteps() <= step;
                wince::setDiskFault(wince::DiskFault::None);
            }
            Contents found = reopen(change.what);
            EXPECT_TRUE(found == before || found == after) << found;
            if (reachedEnd) {
                EXPECT_EQ(found, after);
            }
            // A store recovered once takes further changes as usual.
            Store store = open("cut", false);
            EXPECT_EQ(add(store.get(), "later"), found.nextId);
        }
    }
}

TEST_F(CutShort, CreatingAStoreStoppedAtAnyStepLeavesNoStoreOrANewOne)
{
    bool reachedEnd = false;
    for (uint32_t step = 0; !reachedEnd; ++step) {
        SCOPED_TRACE("stopped at step " + std::to_string(step));
        fs::remove_all(fs::path(app.path()) / "database");
        restart();
        wince::setDiskFault(wince::DiskFault::Halt, step);
        openStatus(u"cut", true);
        reachedEnd = wince::diskSteps() <= step;
        wince::setDiskFault(wince::DiskFault::None);
        restart();
        Store store;
        int32_t status = openStatus(u"cut", false, &store);
        if (status == 0) {
            EXPECT_EQ(contents(store.get()), (Contents{0, 1, 0, 0, {}}));
        } else {
            EXPECT_EQ(status, 4);
            EXPECT_FALSE(reachedEnd);
        }
    }
}

TEST_F(CutShort, DeletingAStoreStoppedAtAnyStepLeavesItWholeOrGone)
{
    bool reachedEnd = false;
    for (uint32_t step = 0; !reachedEnd; ++step) {
        SCOPED_TRACE("stopped at step " + std::to_string(step));
        build();
        Contents before = reopen("delete store");
        wince::setDiskFault(wince::DiskFault::Halt, step);
        HAL_deleteRecordStore(u"cut", 3);
        reachedEnd = wince::diskSteps() <= step;
        wince::setDiskFault(wince::DiskFault::None);
        restart();
        Store store;
        if (openStatus(u"cut", false, &store) == 0) {
            EXPECT_EQ(contents(store.get()), before);
            EXPECT_FALSE(reachedEnd);
        }
        EXPECT_EQ(HAL_getNumRecordStores(), store ? 1 : 0);
    }
}

TEST_F(CutShort, OnAFullDiskEveryChangeFailsAndTheStoreStaysAsItWas)
{
    for (const Change& change : kChanges) {
        SCOPED_TRACE(change.what);
        build();
        Contents before = reopen(change.what);
        std::map<std::string, std::string> files = everything();
        {
            Store store = open("cut", false);
            wince::setDiskFault(wince::DiskFault::Full);
            change.run(store.get());
            EXPECT_EQ(contents(store.get()), before) << "the handle's view";
            wince::setDiskFault(wince::DiskFault::None);
        }
        EXPECT_EQ(everything(), files);
        EXPECT_EQ(reopen(change.what), before);
    }
    Store store = open("cut", false);
    wince::setDiskFault(wince::DiskFault::Full);
    int32_t id = 0;
    EXPECT_EQ(HAL_addRecord(store.get(), &id, bytesOf("big").data(), 3), 7);
    EXPECT_EQ(openStatus(u"another", true), 7) << "a new store cannot be written";
    wince::setDiskFault(wince::DiskFault::None);
    EXPECT_EQ(add(store.get(), "space again"), 3);
}

// ---- Threads ----------------------------------------------------------------------------------

// Every disk step of a change runs with the VM lock given away, and the
// caller has it back at its depth afterwards.
TEST_F(RecordStores, ChangesWorkOnTheDiskWithoutTheVMLock)
{
    vxtest::CountingCallbacks callbacks;
    Store store = open("steps");
    int32_t id = 0;
    ASSERT_EQ(HAL_addRecord(store.get(), &id, bytesOf("one").data(), 3), 0);
    static std::atomic<int> steps;
    static std::atomic<int> stepsUnderTheVMLock;
    const std::vector<std::pair<const char*, std::function<int32_t()>>> changes = {
        {"add", [&] { int32_t added = 0; return HAL_addRecord(store.get(), &added, bytesOf("two").data(), 3); }},
        {"set", [&] { return HAL_setRecord(store.get(), id, bytesOf("uno").data(), 3); }},
        {"delete", [&] { return HAL_deleteRecord(store.get(), id); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        steps = 0;
        stepsUnderTheVMLock = 0;
        wince::setDiskStepWatch([] {
            steps++;
            if (HAL_holdsVMLock()) {
                stepsUnderTheVMLock++;
            }
        });
        HAL_lockVM();
        HAL_lockVM();
        EXPECT_EQ(change(), 0);
        wince::setDiskStepWatch(nullptr);
        EXPECT_EQ(HAL_releaseVMLock(), 2u) << "the VM lock comes back at its depth";
        EXPECT_GT(steps.load(), 0);
        EXPECT_EQ(stepsUnderTheVMLock.load(), 0);
    }
}

// A close made while a change waits on the disk (the VM lock given away)
// leaves the handle to the change, which finishes on it and frees it.
TEST_F(RecordStores, AHandleClosedDuringAChangeLivesUntilTheChangeEnds)
{
    vxtest::CountingCallbacks callbacks;
    static HALRecordStore* closing;
    const std::vector<std::pair<const char*, std::function<int32_t(HALRecordStore*)>>> changes = {
        {"add", [](HALRecordStore* s) { int32_t added = 0; return HAL_addRecord(s, &added, bytesOf("two").data(), 3); }},
        {"set", [](HALRecordStore* s) { return HAL_setRecord(s, 1, bytesOf("uno").data(), 3); }},
        {"delete", [](HALRecordStore* s) { return HAL_deleteRecord(s, 1); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        Store store = open(what);
        int32_t id = 0;
        ASSERT_EQ(HAL_addRecord(store.get(), &id, bytesOf("one").data(), 3), 0);
        closing = store.release();
        wince::setDiskStepWatch([] {
            if (HALRecordStore* s = std::exchange(closing, nullptr)) {
                HAL_closeRecordStore(s);
            }
        });
        HAL_lockVM();
        HALRecordStore* handle = closing;
        EXPECT_EQ(change(handle), 0);
        HAL_releaseVMLock();
        wince::setDiskStepWatch(nullptr);
        EXPECT_EQ(closing, nullptr) << "closed during the change";
    }
}

TEST_F(RecordStores, ThreadsHoldingTheVMLockAddThroughTheStoreLockWithoutSharingIds)
{
    vxtest::CountingCallbacks callbacks;
    Store seed = open("busy");
    constexpr int kPerThread = 20;
    auto worker = [&](char tag) {
        Store store = open("busy", false);
        for (int i = 0; i < kPerThread; ++i) {
            HAL_lockVM();
            int32_t id = 0;
            std::string text = tag + std::to_string(i);
            EXPECT_EQ(HAL_addRecord(store.get(), &id, bytesOf(text).data(),
                                    static_cast<int32_t>(text.size())),
                      0);
            EXPECT_TRUE(HAL_holdsVMLock()) << "the VM lock comes back";
            HAL_unlockVM();
        }
    };
    std::thread a(worker, 'a');
    std::thread b(worker, 'b');
    a.join();
    b.join();
    Contents c = contents(seed.get());
    EXPECT_EQ(c.count, 2 * kPerThread);
    EXPECT_EQ(c.nextId, 2 * kPerThread + 1);
    EXPECT_EQ(c.records.size(), 2u * kPerThread);
}

}  // namespace
