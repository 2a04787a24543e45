#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "hal/properties.h"
#include "javax/microedition/rms/RecordStore.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"

using javax::microedition::rms::RecordStore;
using tq::TqCanvas;

namespace {

class TqCanvasRecordsTest : public VMFixture {
protected:
    void SetUp() override { HAL_loadProperties(); }
    void TearDown() override { HAL_freeProperties(); }

    vxtest::AppFolder app;
};

// The sizes of the records of a store, in id order; empty when missing.
std::vector<int32_t> recordSizes(const char* name)
{
    std::vector<int32_t> sizes;
    VMPtr<RecordStore> store;
    try {
        store = RecordStore::openRecordStore(vmString(name), false);
    } catch (java::lang::Throwable* missing) {
        VMPtr<java::lang::Throwable> keep(missing);
        return sizes;
    }
    for (int32_t i = 1; i <= store->getNumRecords(); i++)
        sizes.push_back(store->getRecordSize(i));
    store->closeRecordStore();
    return sizes;
}

// The records of a store back to back.
Bytes storeBytes(const char* name)
{
    Bytes all;
    VMPtr<RecordStore> store = RecordStore::openRecordStore(vmString(name), false);
    for (int32_t i = 1; i <= store->getNumRecords(); i++) {
        Bytes record = bytesOf(store->getRecord(i));
        all.insert(all.end(), record.begin(), record.end());
    }
    store->closeRecordStore();
    return all;
}

std::vector<std::string> storeNames()
{
    std::vector<std::string> names;
    VMPtr<RecordStore::StringArray> list = RecordStore::listRecordStores();
    for (int32_t i = 0; list != nullptr && i < list->length; i++)
        names.push_back(vmText(list->get(i)));
    std::sort(names.begin(), names.end());
    return names;
}

Bytes pattern(size_t n)
{
    Bytes b(n);
    for (size_t i = 0; i < n; i++)
        b[i] = uint8_t(i * 31 + i / 4096);
    return b;
}

TEST_F(TqCanvasRecordsTest, SavesSplitIntoRecordsOfAtMost4096Bytes)
{
    struct Case {
        int32_t id;
        const char* name;
        size_t size;
        std::vector<int32_t> records;
    } cases[] = {
        {0, "0", 10000, {4096, 4096, 1808}},
        {-3, "-3", 4096, {4096}},
        {7, "7", 4097, {4096, 1}},
        {12, "12", 0, {}},
    };
    for (const Case& c : cases) {
        Bytes data = pattern(c.size);
        ASSERT_TRUE(TqCanvas::saveRecordStore(c.id, vmBytes(data))) << c.name;
        EXPECT_EQ(recordSizes(c.name), c.records) << c.name;
        EXPECT_EQ(storeBytes(c.name), data) << c.name;
        VMPtr<VMByteArray> loaded = TqCanvas::loadRecordStore(c.id);
        ASSERT_NE(loaded.get(), nullptr) << c.name;
        EXPECT_EQ(bytesOf(loaded), data) << c.name;
    }
    EXPECT_EQ(storeNames(), (std::vector<std::string>{"-3", "0", "12", "7"}));
}

TEST_F(TqCanvasRecordsTest, SavingReplacesTheWholeStoreAndNullRemovesIt)
{
    ASSERT_TRUE(TqCanvas::saveRecordStore(4, vmBytes(pattern(9000))));
    ASSERT_TRUE(TqCanvas::saveRecordStore(4, vmBytes(std::string("new"))));
    EXPECT_EQ(recordSizes("4"), (std::vector<int32_t>{3}));
    EXPECT_EQ(storeBytes("4"), Bytes({'n', 'e', 'w'}));

    EXPECT_TRUE(TqCanvas::removeRecordStore(4));
    EXPECT_EQ(storeNames(), std::vector<std::string>{});
    // Removing what is not there is no failure.
    EXPECT_TRUE(TqCanvas::removeRecordStore(4));
}

TEST_F(TqCanvasRecordsTest, RemovingAllKeepsStoresWithoutANumberName)
{
    ASSERT_TRUE(TqCanvas::saveRecordStore(0, vmBytes(std::string("a"))));
    ASSERT_TRUE(TqCanvas::saveRecordStore(1, vmBytes(std::string("b"))));
    RecordStore::openRecordStore(vmString("settings"), true)->closeRecordStore();
    EXPECT_TRUE(TqCanvas::removeAllRecordStores());
    EXPECT_EQ(storeNames(), std::vector<std::string>{"settings"});
    EXPECT_TRUE(TqCanvas::removeAllRecordStores());
}

TEST_F(TqCanvasRecordsTest, FailuresAreReportedAsFalseNotThrown)
{
    // A plain file where the stores' folder belongs: nothing can be stored.
    app.write("database", "not a folder");
    EXPECT_FALSE(TqCanvas::saveRecordStore(3, vmBytes(std::string("data"))));
    EXPECT_FALSE(TqCanvas::saveRecordStore(3, vmBytes(Bytes{})));
    EXPECT_EQ(TqCanvas::loadRecordStore(3).get(), nullptr);
}

TEST_F(TqCanvasRecordsTest, AMissingOrDamagedStoreLoadsAsNull)
{
    EXPECT_EQ(TqCanvas::loadRecordStore(9).get(), nullptr);
    // A record file gone from under the store: the load fails, the store is
    // closed again and can be replaced.
    ASSERT_TRUE(TqCanvas::saveRecordStore(9, vmBytes(pattern(9000))));
    std::filesystem::remove(app.path() + "/database/store-9/record-2.bin");
    EXPECT_EQ(TqCanvas::loadRecordStore(9).get(), nullptr);
    ASSERT_TRUE(TqCanvas::saveRecordStore(9, vmBytes(std::string("ok"))));
    EXPECT_EQ(bytesOf(TqCanvas::loadRecordStore(9)), Bytes({'o', 'k'}));
}

} // namespace

namespace {

TEST_F(TqCanvasRecordsTest, APackSavedInARecordStoreOpensFromIt)
{
    using tq::Resources;
    VMPtr<VMArray<int8_t, 2>> entries = VMArray<int8_t, 2>::newArray(1);
    entries->set(0, vmBytes(std::string(5000, 'p'))); // two records
    VMPtr<VMByteArray> pack = Resources::buildPack(entries, vmBytes(Bytes{0xF9}));
    ASSERT_TRUE(TqCanvas::saveRecordStore(7, pack));
    ASSERT_TRUE(Resources::openPackFromRecord(7));
    EXPECT_EQ(Resources::getEntryInt(0), 5000);
    EXPECT_EQ(Resources::getResourceBytes(0)->length, 5000);
    // No store, or -1, closes the pack.
    EXPECT_FALSE(Resources::openPackFromRecord(8));
    EXPECT_FALSE(Resources::openPackFromRecord(-1));
}

} // namespace
