// RecordStore over the platform's stores in a temporary application folder:
// opening, records, argument checks, closed stores and listeners.

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hal/properties.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "javax/microedition/rms/InvalidRecordIDException.h"
#include "javax/microedition/rms/RecordListener.h"
#include "javax/microedition/rms/RecordStore.h"
#include "javax/microedition/rms/RecordStoreNotFoundException.h"
#include "javax/microedition/rms/RecordStoreNotOpenException.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "midp/RmsTestSupport.h"
#include "support/VMFixture.h"

using namespace javax::microedition::rms;
using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::NullPointerException;
using vmtest::ListenerLog;

namespace {

class RecordStoreTest : public VMFixture {
protected:
    void SetUp() override
    {
        HAL_loadProperties(); // the application folder is read again
        ListenerLog::clear();
    }
    void TearDown() override { HAL_freeProperties(); }

    vxtest::AppFolder app;
};

TEST_F(RecordStoreTest, AddAddDeleteGivesTheWordsOfTheStore)
{
    VMPtr<RecordStore> store = openStore("save", true);
    EXPECT_EQ(vmText(store->getName()), "save");
    EXPECT_EQ(store->getVersion(), 0);
    EXPECT_EQ(store->addRecord(rmsBytes("0123456789"), 0, 10), 1);
    EXPECT_EQ(store->addRecord(rmsBytes("abcde"), 0, 5), 2);
    store->deleteRecord(1);
    EXPECT_EQ(store->getNextRecordID(), 3);
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_EQ(store->getSize(), 15);
    EXPECT_EQ(store->getVersion(), 3);
    EXPECT_GT(store->getSizeAvailable(), 0);
    EXPECT_EQ(rmsText(store->getRecord(2)), "abcde");
    VMPtr<RecordStore::IntArray> ids = store->getRecordIDs();
    ASSERT_EQ(ids->length, 1);
    EXPECT_EQ((*ids)[0], 2);
    store->setRecord(2, rmsBytes("xxWHOLEyy"), 2, 5);
    EXPECT_EQ(rmsText(store->getRecord(2)), "WHOLE");
    EXPECT_EQ(store->getRecordSize(2), 5);

    store->closeRecordStore();
    VMPtr<RecordStore> again = openStore("save", false);
    EXPECT_EQ(rmsText(again->getRecord(2)), "WHOLE");
    EXPECT_EQ(again->getVersion(), 4);
}

TEST_F(RecordStoreTest, OpeningChecksTheNameBeforeThePlatform)
{
    EXPECT_TRUE(vmThrows<NullPointerException>([] { RecordStore::openRecordStore(nullptr, true); }));
    for (std::string bad : {std::string(), std::string(33, 'n')}) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { openStore(bad.c_str(), true); }))
            << bad.size();
    }
    EXPECT_EQ(RecordStore::listRecordStores(), nullptr) << "nothing was made";
    EXPECT_TRUE(openStore(std::string(32, 'n').c_str(), true)->isOpen());
    EXPECT_TRUE(vmThrows<RecordStoreNotFoundException>([] { openStore("absent", false); }));
    // A name no store can have.
    EXPECT_TRUE(vmThrows<RecordStoreException>([] { openStore("../save", true); }));
    // A store whose metadata is damaged is rebuilt from its record files.
    app.write("database/store-hurt/metadata.info", "short");
    VMPtr<RecordStore> hurt = openStore("hurt", true);
    EXPECT_TRUE(hurt->isOpen());
    EXPECT_EQ(hurt->getNumRecords(), 0);
}

TEST_F(RecordStoreTest, TwoOpensAreTwoObjectsAndClosingOneLeavesTheOther)
{
    VMPtr<RecordStore> first = openStore("twice", true);
    VMPtr<RecordStore> second = openStore("twice", false);
    EXPECT_NE(first.get(), second.get());
    first->addRecord(rmsBytes("a"), 0, 1);
    first->closeRecordStore();
    EXPECT_FALSE(first->isOpen());
    EXPECT_TRUE(second->isOpen());
    EXPECT_EQ(second->getNumRecords(), 1);
    EXPECT_EQ(second->addRecord(rmsBytes("b"), 0, 1), 2) << "both follow the one store";
}

TEST_F(RecordStoreTest, AClosedStoreRefusesEveryRecordOperation)
{
    VMPtr<RecordStore> store = openStore("closed", true);
    store->addRecord(rmsBytes("x"), 0, 1);
    store->closeRecordStore();
    VMPtr<RecordStore::ByteArray> buffer = RecordStore::ByteArray::newArray(4);
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"closeRecordStore", [&] { store->closeRecordStore(); }},
        {"getName", [&] { store->getName(); }},
        {"getVersion", [&] { store->getVersion(); }},
        {"getNumRecords", [&] { store->getNumRecords(); }},
        {"getSize", [&] { store->getSize(); }},
        {"getSizeAvailable", [&] { store->getSizeAvailable(); }},
        {"getLastModified", [&] { store->getLastModified(); }},
        {"getNextRecordID", [&] { store->getNextRecordID(); }},
        {"addRecord", [&] { store->addRecord(buffer, 0, 1); }},
        {"addRecord empty", [&] { store->addRecord(nullptr, 0, 0); }},
        {"deleteRecord", [&] { store->deleteRecord(1); }},
        {"getRecordSize", [&] { store->getRecordSize(1); }},
        {"getRecord", [&] { store->getRecord(1); }},
        {"getRecord into", [&] { store->getRecord(1, buffer, 0); }},
        {"setRecord", [&] { store->setRecord(1, buffer, 0, 1); }},
        {"enumerateRecords", [&] { store->enumerateRecords(nullptr, nullptr, false); }},
        {"getRecordIDs", [&] { store->getRecordIDs(); }},
    };
    for (const auto& [what, operation] : operations) {
        EXPECT_TRUE(vmThrows<RecordStoreNotOpenException>(operation)) << what;
    }
    try {
        store->getVersion();
    } catch (RecordStoreNotOpenException* caught) {
        VMPtr<RecordStoreNotOpenException> e(caught);
        EXPECT_EQ(vmText(e->toString()), "javax.microedition.rms.RecordStoreNotOpenException");
    }
    store->setMode(0, true);
    EXPECT_TRUE(vmThrows<NullPointerException>([&] { store->addRecord(nullptr, 0, 1); }))
        << "the data check comes first";
    EXPECT_TRUE(vmThrows<NullPointerException>([&] { store->getRecord(1, nullptr, 0); }));
}

TEST_F(RecordStoreTest, ListAndDeleteStores)
{
    EXPECT_EQ(RecordStore::listRecordStores(), nullptr);
    for (const char* name : {"b", "a", "c"})
        openStore(name, true)->closeRecordStore();
    VMPtr<RecordStore::StringArray> names = RecordStore::listRecordStores();
    ASSERT_NE(names, nullptr);
    ASSERT_EQ(names->length, 3);
    EXPECT_EQ(vmText(names->get(0)) + vmText(names->get(1)) + vmText(names->get(2)), "abc");

    VMPtr<RecordStore> open = openStore("b", false);
    RecordStore::deleteRecordStore(vmString("b"));
    EXPECT_TRUE(vmThrows<RecordStoreNotFoundException>([] { openStore("b", false); }));
    EXPECT_TRUE(vmThrows<RecordStoreException>([&] { open->addRecord(rmsBytes("x"), 0, 1); }))
        << "the handle's folder is gone";
    RecordStore::deleteRecordStore(vmString("never made"));
    EXPECT_EQ(RecordStore::listRecordStores()->length, 2);
    EXPECT_TRUE(vmThrows<NullPointerException>([] { RecordStore::deleteRecordStore(nullptr); }));
    EXPECT_TRUE(vmThrows<RecordStoreException>(
        [] { RecordStore::deleteRecordStore(vmString("..\\a")); }));
}

TEST_F(RecordStoreTest, DeleteStoreWithoutDatabaseFolderIsNotFound)
{
    EXPECT_TRUE(vmThrows<RecordStoreNotFoundException>(
        [] { RecordStore::deleteRecordStore(vmString("any")); }));
}

TEST_F(RecordStoreTest, DataRangesAreCheckedInSixtyFourBits)
{
    VMPtr<RecordStore> store = openStore("ranges", true);
    VMPtr<RecordStore::ByteArray> data = rmsBytes("0123");
    struct Case {
        int32_t offset, numBytes;
    };
    const Case outside[] = {{2, 3}, {-1, 1}, {0, -1}, {5, 0}, {1, INT_MAX}, {INT_MAX, 1},
                            {INT_MAX, INT_MAX}};
    for (const Case& c : outside) {
        EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>(
            [&] { store->addRecord(data, c.offset, c.numBytes); }))
            << c.offset << "+" << c.numBytes;
    }
    EXPECT_EQ(store->getNumRecords(), 0) << "nothing was added";
    int32_t whole = store->addRecord(data, 0, 4);
    EXPECT_EQ(rmsText(store->getRecord(whole)), "0123");
    for (const Case& c : outside) {
        EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>(
            [&] { store->setRecord(whole, data, c.offset, c.numBytes); }));
    }
    int32_t tail = store->addRecord(data, 4, 0);
    int32_t empty = store->addRecord(nullptr, 0, 0);
    EXPECT_EQ(store->getRecord(tail)->length, 0);
    EXPECT_EQ(store->getRecord(empty)->length, 0) << "an empty record is an empty array";
    EXPECT_EQ(store->getSize(), 4);
    EXPECT_EQ(store->getVersion(), 3);
}

TEST_F(RecordStoreTest, GetRecordIntoABufferWritesOnlyWhatFits)
{
    VMPtr<RecordStore> store = openStore("buffer", true);
    int32_t id = store->addRecord(rmsBytes("abcd"), 0, 4);
    int32_t empty = store->addRecord(nullptr, 0, 0);
    struct Case {
        int32_t size, offset;
        const char* after;  // nullptr: ArrayIndexOutOfBoundsException
    };
    const Case cases[] = {
        {6, 0, "abcd##"}, {6, 2, "##abcd"}, {6, 3, nullptr}, {3, 0, nullptr},
        {6, 7, nullptr},  {6, -1, nullptr},
    };
    for (const Case& c : cases) {
        VMPtr<RecordStore::ByteArray> buffer = rmsBytes(std::string(size_t(c.size), '#'));
        if (c.after) {
            EXPECT_EQ(store->getRecord(id, buffer, c.offset), 4);
            EXPECT_EQ(rmsText(buffer), c.after);
        } else {
            EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>(
                [&] { store->getRecord(id, buffer, c.offset); }))
                << c.size << " at " << c.offset;
            EXPECT_EQ(rmsText(buffer), std::string(size_t(c.size), '#')) << "nothing written";
        }
    }
    VMPtr<RecordStore::ByteArray> full = rmsBytes("xy");
    EXPECT_EQ(store->getRecord(empty, full, 2), 0);
}

TEST_F(RecordStoreTest, MissingRecordsAreInvalidIdsExceptForSet)
{
    VMPtr<RecordStore> store = openStore("missing", true);
    store->addRecord(rmsBytes("x"), 0, 1);
    store->deleteRecord(1);
    VMPtr<RecordStore::ByteArray> buffer = RecordStore::ByteArray::newArray(4);
    for (int32_t id : {1, 2, 0, -1}) {
        EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { store->getRecordSize(id); }));
        EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { store->getRecord(id); }));
        EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { store->getRecord(id, buffer, 0); }));
        EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { store->deleteRecord(id); }));
        EXPECT_TRUE(vmThrows<RecordStoreException>([&] { store->setRecord(id, buffer, 0, 4); }));
    }
    EXPECT_EQ(store->getNumRecords(), 0);
    EXPECT_EQ(store->getNextRecordID(), 2) << "a set of a missing id made no record";
}

// ---- Listeners -------------------------------------------------------------------------------

TEST_F(RecordStoreTest, ListenersHearEverySuccessfulChangeInOrder)
{
    VMPtr<RecordStore> store = openStore("heard", true);
    VMPtr<ListenerLog> first = ListenerLog::make("first");
    VMPtr<ListenerLog> second = ListenerLog::make("second");
    store->addRecordListener(first);
    store->addRecordListener(second);
    store->addRecordListener(first);  // once only
    int32_t id = store->addRecord(rmsBytes("a"), 0, 1);
    store->setRecord(id, rmsBytes("b"), 0, 1);
    store->deleteRecord(id);
    EXPECT_THROW(store->deleteRecord(id), InvalidRecordIDException*);
    EXPECT_THROW(store->setRecord(id, rmsBytes("c"), 0, 1), RecordStoreException*);
    store->removeRecordListener(first);
    store->addRecord(rmsBytes("d"), 0, 1);
    EXPECT_EQ(ListenerLog::entries(),
              (std::vector<std::string>{"first added 1", "second added 1", "first changed 1",
                                        "second changed 1", "first deleted 1",
                                        "second deleted 1", "second added 2"}));
}

TEST_F(RecordStoreTest, ListenersStayAcrossCloseAndMayLeaveWhileTold)
{
    VMPtr<RecordStore> store = openStore("leaving", true);
    store->closeRecordStore();
    VMPtr<ListenerLog> quitter = ListenerLog::make("quitter");
    quitter->leaveWhenTold = true;
    store->addRecordListener(quitter);
    store->addRecordListener(ListenerLog::make("stayer"));

    VMPtr<RecordStore> open = openStore("leaving", false);
    open->addRecordListener(quitter);
    open->addRecordListener(ListenerLog::make("other"));
    open->addRecord(rmsBytes("a"), 0, 1);
    open->addRecord(rmsBytes("b"), 0, 1);
    EXPECT_EQ(ListenerLog::entries(),
              (std::vector<std::string>{"quitter added 1", "other added 1", "other added 2"}));
}

TEST_F(RecordStoreTest, AListenerExceptionReachesTheCallerAfterTheChange)
{
    VMPtr<RecordStore> store = openStore("throws", true);
    VMPtr<ListenerLog> thrower = ListenerLog::make("thrower");
    thrower->throwWhenTold = true;
    store->addRecordListener(thrower);
    store->addRecordListener(ListenerLog::make("later"));
    EXPECT_TRUE(vmThrows<java::lang::RuntimeException>(
        [&] { store->addRecord(rmsBytes("a"), 0, 1); }));
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_EQ(ListenerLog::entries(), std::vector<std::string>{"thrower added 1"});
}

} // namespace
