// RecordEnumerationImpl over stores whose records hold decimal numbers:
// walking both ways, filter and comparator, following the store, destroy.

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hal/properties.h"
#include "java/lang/IllegalStateException.h"
#include "javax/microedition/rms/InvalidRecordIDException.h"
#include "javax/microedition/rms/RecordEnumerationImpl.h"
#include "javax/microedition/rms/RecordStoreNotOpenException.h"
#include "midp/RmsTestSupport.h"
#include "support/AppFolder.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMThread.h"

using namespace javax::microedition::rms;
using vmtest::EvenFilter;
using vmtest::NumberOrder;

namespace {

class RecordEnumerationTest : public VMFixture {
protected:
    void SetUp() override
    {
        HAL_loadProperties();
        store = openStore("numbers", true);
    }
    void TearDown() override
    {
        store = nullptr;
        HAL_freeProperties();
    }

    int32_t add(int32_t number)
    {
        std::string text = std::to_string(number);
        return store->addRecord(rmsBytes(text), 0, int32_t(text.size()));
    }
    void set(int32_t id, int32_t number)
    {
        std::string text = std::to_string(number);
        store->setRecord(id, rmsBytes(text), 0, int32_t(text.size()));
    }

    // The numbers of the records from the current position to the end.
    static std::vector<int32_t> rest(const VMPtr<RecordEnumeration>& e)
    {
        std::vector<int32_t> numbers;
        while (e->hasNextElement())
            numbers.push_back(std::stoi(rmsText(e->nextRecord())));
        return numbers;
    }
    static std::vector<int32_t> all(const VMPtr<RecordEnumeration>& e)
    {
        e->reset();
        return rest(e);
    }

    VMPtr<RecordEnumeration> enumerate(bool filtered, bool ordered, bool kept)
    {
        VMPtr<RecordFilter> filter;
        if (filtered) {
            VMPtr<EvenFilter> even = EvenFilter::newInstance();
            even->init();
            filter = even;
        }
        VMPtr<RecordComparator> order;
        if (ordered)
            order = NumberOrder::make(false);
        return store->enumerateRecords(filter, order, kept);
    }

    vxtest::AppFolder app;
    VMPtr<RecordStore> store;
};

TEST_F(RecordEnumerationTest, AnEmptyStoreHasNothingEitherWay)
{
    VMPtr<RecordEnumeration> e = enumerate(false, false, false);
    EXPECT_EQ(e->numRecords(), 0);
    EXPECT_FALSE(e->hasNextElement());
    EXPECT_FALSE(e->hasPreviousElement());
    EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { e->nextRecordId(); }));
    EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { e->previousRecordId(); }));
}

TEST_F(RecordEnumerationTest, WalksForwardThenBackFromTheEnd)
{
    for (int32_t n : {30, 10, 20})
        add(n);
    VMPtr<RecordEnumeration> e = enumerate(false, false, false);
    EXPECT_EQ(e->numRecords(), 3);
    EXPECT_EQ(e->nextRecordId(), 1);
    EXPECT_EQ(e->nextRecordId(), 2);
    EXPECT_EQ(e->nextRecordId(), 3);
    EXPECT_FALSE(e->hasNextElement());
    EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { e->nextRecordId(); }));
    EXPECT_EQ(e->previousRecordId(), 2);
    EXPECT_EQ(rmsText(e->previousRecord()), "30");
    EXPECT_FALSE(e->hasPreviousElement());
    EXPECT_TRUE(vmThrows<InvalidRecordIDException>([&] { e->previousRecordId(); }));
    e->reset();
    EXPECT_EQ(e->previousRecordId(), 3) << "after a reset the previous record is the last";
}

TEST_F(RecordEnumerationTest, FilterAndComparatorChooseAndOrder)
{
    for (int32_t n : {8, 3, 6, 2, 7, 4, 4})
        add(n);
    EXPECT_EQ(all(enumerate(true, false, false)), (std::vector<int32_t>{8, 6, 2, 4, 4}));
    EXPECT_EQ(all(enumerate(false, true, false)), (std::vector<int32_t>{2, 3, 4, 4, 6, 7, 8}));
    EXPECT_EQ(all(enumerate(true, true, false)), (std::vector<int32_t>{2, 4, 4, 6, 8}));
    VMPtr<RecordEnumeration> down = store->enumerateRecords(nullptr, NumberOrder::make(true), false);
    EXPECT_EQ(all(down), (std::vector<int32_t>{8, 7, 6, 4, 4, 3, 2}));
}

TEST_F(RecordEnumerationTest, TheSortOrdersEveryArrangement)
{
    std::mt19937 random(7);
    for (int size : {2, 3, 5, 9, 16, 33}) {
        for (int round = 0; round < 3; ++round) {
            RecordStore::deleteRecordStore(vmString("numbers"));
            store = openStore("numbers", true);
            std::vector<int32_t> numbers;
            for (int i = 0; i < size; ++i)
                numbers.push_back(int32_t(random() % (round == 2 ? 3 : 100)));
            for (int32_t n : numbers)
                add(n);
            std::sort(numbers.begin(), numbers.end());
            EXPECT_EQ(all(enumerate(false, true, false)), numbers) << size << " round " << round;
        }
    }
}

TEST_F(RecordEnumerationTest, AKeptEnumerationFollowsAddsChangesAndDeletes)
{
    for (int32_t n : {4, 1, 8})
        add(n);
    VMPtr<RecordEnumeration> e = enumerate(true, true, true);
    EXPECT_TRUE(e->isKeptUpdated());
    EXPECT_EQ(all(e), (std::vector<int32_t>{4, 8}));

    int32_t six = add(6);
    add(5);  // filtered out
    EXPECT_EQ(all(e), (std::vector<int32_t>{4, 6, 8}));
    set(six, 10);  // moves to the end
    EXPECT_EQ(all(e), (std::vector<int32_t>{4, 8, 10}));
    set(2, 2);     // 1 becomes even and comes in first
    EXPECT_EQ(all(e), (std::vector<int32_t>{2, 4, 8, 10}));
    set(1, 3);     // 4 becomes odd and leaves
    EXPECT_EQ(all(e), (std::vector<int32_t>{2, 8, 10}));
    store->deleteRecord(3);
    EXPECT_EQ(all(e), (std::vector<int32_t>{2, 10}));
    EXPECT_EQ(e->numRecords(), 2);

    e->keepUpdated(false);
    add(0);
    EXPECT_EQ(all(e), (std::vector<int32_t>{2, 10})) << "no longer following";
    e->keepUpdated(true);
    EXPECT_EQ(all(e), (std::vector<int32_t>{0, 2, 10})) << "rebuilt when following again";
}

TEST_F(RecordEnumerationTest, APositionStaysOnItsRecordAcrossChanges)
{
    for (int32_t n : {10, 20, 30})
        add(n);
    VMPtr<RecordEnumeration> e = enumerate(false, false, true);
    EXPECT_EQ(e->nextRecordId(), 1);
    EXPECT_EQ(e->nextRecordId(), 2);
    add(40);  // without a comparator it goes first; the position moves up
    EXPECT_EQ(e->numRecords(), 4);
    EXPECT_EQ(e->nextRecordId(), 3) << "the record that came next before the add";
    store->deleteRecord(1);  // before the position
    EXPECT_EQ(e->previousRecordId(), 2);
    store->deleteRecord(3);  // after it: the walk now ends here
    EXPECT_FALSE(e->hasNextElement());
    EXPECT_EQ(e->previousRecordId(), 4);
}

TEST_F(RecordEnumerationTest, ANewRecordTakesItsSortedPlaceAroundThePosition)
{
    for (int32_t n : {2, 4})
        add(n);
    VMPtr<RecordEnumeration> e = enumerate(false, true, true);
    EXPECT_EQ(e->nextRecordId(), 1);
    add(9);  // sorts last
    add(3);
    EXPECT_EQ(rest(e), (std::vector<int32_t>{3, 4, 9}));
    e->reset();
    EXPECT_EQ(rmsText(e->nextRecord()), "2");
    add(1);  // sorts into the current place: the walk stays on 2
    EXPECT_EQ(rest(e), (std::vector<int32_t>{3, 4, 9}));
    EXPECT_EQ(all(e), (std::vector<int32_t>{1, 2, 3, 4, 9}));
}

TEST_F(RecordEnumerationTest, DestroyEndsEverythingAndStopsListening)
{
    add(2);
    VMPtr<RecordEnumeration> e = enumerate(false, false, true);
    e->destroy();
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"numRecords", [&] { e->numRecords(); }},
        {"nextRecord", [&] { e->nextRecord(); }},
        {"nextRecordId", [&] { e->nextRecordId(); }},
        {"previousRecord", [&] { e->previousRecord(); }},
        {"previousRecordId", [&] { e->previousRecordId(); }},
        {"hasNextElement", [&] { e->hasNextElement(); }},
        {"hasPreviousElement", [&] { e->hasPreviousElement(); }},
        {"reset", [&] { e->reset(); }},
        {"rebuild", [&] { e->rebuild(); }},
        {"keepUpdated", [&] { e->keepUpdated(false); }},
        {"isKeptUpdated", [&] { e->isKeptUpdated(); }},
        {"destroy", [&] { e->destroy(); }},
    };
    for (const auto& [what, operation] : operations)
        EXPECT_TRUE(vmThrows<java::lang::IllegalStateException>(operation)) << what;
    add(4);  // the store no longer tells it
    EXPECT_EQ(store->getNumRecords(), 2);
}

// One thread adds a record while another destroys a kept enumeration: the
// add holds the listener list and tells the enumeration, the destroy leaves
// the list. Both must end.
TEST_F(RecordEnumerationTest, DestroyWhileAnotherThreadAddsEndsBoth)
{
    vmtest::ListenerLog::clear();
    VMStatic<vmtest::ListenerLog> first;
    first = vmtest::ListenerLog::make("first");
    store->addRecordListener(VMPtr<RecordListener>(first));
    VMStatic<RecordEnumeration> e;
    e = enumerate(false, false, true);
    std::atomic<bool> adding{false};
    std::atomic<bool> destroying{false};
    // Told before the enumeration: the list is held; the destroy starts and
    // is given time to reach its locks before the enumeration is told.
    first->whenTold = [&] {
        adding = true;
        VMFixture_sleepUntil([&] { return destroying.load(); });
        VMThread::sleep(VMThread::current(), 50);
    };
    VMTestThread adder([&] { add(7); });
    ASSERT_TRUE(VMFixture_sleepUntil([&] { return adding.load(); }));
    VMTestThread destroyer([&] {
        destroying = true;
        e->destroy();
    });
    EXPECT_TRUE(adder.join());
    EXPECT_TRUE(destroyer.join());
    first->whenTold = nullptr;
    store->removeRecordListener(VMPtr<RecordListener>(first));
    EXPECT_EQ(store->getNumRecords(), 1);
    EXPECT_TRUE(vmThrows<java::lang::IllegalStateException>([&] { e->numRecords(); }));
}

TEST_F(RecordEnumerationTest, AClosedStoreEndsTheWalk)
{
    add(1);
    add(2);
    VMPtr<RecordEnumeration> e = enumerate(false, false, false);
    EXPECT_TRUE(e->hasNextElement());
    store->closeRecordStore();
    EXPECT_FALSE(e->hasNextElement()) << "ids are left, the store is closed";
    EXPECT_FALSE(e->hasPreviousElement());
    EXPECT_EQ(e->numRecords(), 2);
    EXPECT_TRUE(vmThrows<RecordStoreNotOpenException>([&] { e->nextRecord(); }));
    EXPECT_TRUE(vmThrows<RecordStoreNotOpenException>([&] { e->rebuild(); }));
}

} // namespace
