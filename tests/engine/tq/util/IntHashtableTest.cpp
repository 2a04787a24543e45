#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "java/lang/IndexOutOfBoundsException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/util/IntHashtable.h"

using tq::util::IntHashtable;
using java::lang::Object;
using java::lang::String;

namespace {

class IntHashtableTest : public VMFixture {};

VMPtr<IntHashtable> table(int32_t capacity)
{
    return IntHashtable::newInstance()->init(capacity);
}

std::vector<int32_t> keysOf(const VMPtr<IntHashtable>& t)
{
    VMPtr<IntHashtable::IntArray> keys = IntHashtable::IntArray::newArray(t->size());
    t->getKeys(keys);
    return std::vector<int32_t>(keys->elements(), keys->elements() + keys->length);
}

TEST_F(IntHashtableTest, CapacityBelowOneGrowsBeforeTheFirstInsert)
{
    for (int32_t capacity : {0, -5}) {
        VMPtr<IntHashtable> t = table(capacity);
        EXPECT_EQ(t->table->length, 1);
        EXPECT_EQ(t->threshold, 0);
        t->put(7, vmString("a"));
        EXPECT_EQ(t->table->length, 3);
        EXPECT_EQ(t->threshold, 2);
        EXPECT_EQ(vmText(vm_cast<String>(t->get(7))), "a");
    }
}

TEST_F(IntHashtableTest, GrowsOnlyWhenTheThresholdIsReachedByANewKey)
{
    VMPtr<IntHashtable> t = table(128);
    EXPECT_EQ(t->threshold, 96);
    for (int32_t k = 0; k < 96; k++)
        t->put(k * 1000, vmString("v"));
    EXPECT_EQ(t->table->length, 128);
    // Replacing an existing key never grows.
    EXPECT_EQ(vmText(vm_cast<String>(t->put(5000, vmString("w")))), "v");
    EXPECT_EQ(t->table->length, 128);
    EXPECT_EQ(t->size(), 96);
    t->put(-1, vmString("x"));
    EXPECT_EQ(t->table->length, 257);
    EXPECT_EQ(t->threshold, 192);
    EXPECT_EQ(t->size(), 97);
    for (int32_t k = 0; k < 96; k++)
        EXPECT_TRUE(t->containsKey(k * 1000)) << k;
    EXPECT_EQ(vmText(vm_cast<String>(t->get(5000))), "w");
}

TEST_F(IntHashtableTest, KeysSharingABucketStayDistinct)
{
    VMPtr<IntHashtable> t = table(7);
    t->put(-1, vmString("minus one"));
    t->put(0x7FFFFFFF, vmString("max"));
    t->put(0x7FFFFFFF % 7, vmString("small"));
    EXPECT_EQ(vmText(vm_cast<String>(t->get(-1))), "minus one");
    EXPECT_EQ(vmText(vm_cast<String>(t->get(0x7FFFFFFF))), "max");
    EXPECT_EQ(vmText(vm_cast<String>(t->get(0x7FFFFFFF % 7))), "small");
    EXPECT_FALSE(t->get(7 + 0x7FFFFFFF % 7));
    // One chain of three: removing the middle leaves both ends reachable.
    EXPECT_EQ(vmText(vm_cast<String>(t->remove(0x7FFFFFFF))), "max");
    EXPECT_EQ(t->size(), 2);
    EXPECT_EQ(vmText(vm_cast<String>(t->get(-1))), "minus one");
    EXPECT_EQ(vmText(vm_cast<String>(t->get(0x7FFFFFFF % 7))), "small");
    EXPECT_FALSE(t->remove(12345));
    EXPECT_EQ(t->size(), 2);
}

TEST_F(IntHashtableTest, NullValuesAreStoredAndOnlyContainsKeySeesThem)
{
    VMPtr<IntHashtable> t = table(4);
    EXPECT_FALSE(t->put(3, nullptr));
    EXPECT_TRUE(t->containsKey(3));
    EXPECT_FALSE(t->get(3));
    EXPECT_EQ(t->size(), 1);
}

TEST_F(IntHashtableTest, KeysAndElementsComeInTableOrder)
{
    // Capacity 7: buckets 6 down to 0, each chain newest first.
    VMPtr<IntHashtable> t = table(7);
    for (int32_t k : {1, 8, 6, 4, 0})
        t->put(k, vmString(std::to_string(k).c_str()));
    EXPECT_EQ(t->table->length, 7);
    EXPECT_EQ(keysOf(t), (std::vector<int32_t>{6, 4, 8, 1, 0}));
    VMPtr<IntHashtable::ObjectArray> values = IntHashtable::ObjectArray::newArray(6);
    t->getElements(values);
    EXPECT_EQ(vmText(vm_cast<String>(values->get(0))), "6");
    EXPECT_EQ(vmText(vm_cast<String>(values->get(2))), "8");
    EXPECT_FALSE(values->get(5));
    // Growing to 15 buckets splits 8 from 1; new keys join the head of 1's chain.
    t->put(15 + 1, vmString("16"));
    t->put(30 + 1, vmString("31"));
    EXPECT_EQ(t->table->length, 15);
    EXPECT_EQ(keysOf(t), (std::vector<int32_t>{8, 6, 4, 31, 16, 1, 0}));
}

TEST_F(IntHashtableTest, ShortArraysAreRefusedBeforeAnythingIsWritten)
{
    VMPtr<IntHashtable> t = table(5);
    t->put(1, vmString("a"));
    t->put(2, vmString("b"));
    VMPtr<IntHashtable::IntArray> keys = IntHashtable::IntArray::newArray(1);
    (*keys)[0] = 99;
    EXPECT_TRUE(vmThrows<java::lang::IndexOutOfBoundsException>([&] { t->getKeys(keys); }));
    EXPECT_EQ((*keys)[0], 99);
    VMPtr<IntHashtable::ObjectArray> values = IntHashtable::ObjectArray::newArray(1);
    EXPECT_TRUE(
        vmThrows<java::lang::IndexOutOfBoundsException>([&] { t->getElements(values); }));
    EXPECT_FALSE(values->get(0));
}

TEST_F(IntHashtableTest, ClearKeepsTheCapacity)
{
    VMPtr<IntHashtable> t = table(3);
    t->clear();
    EXPECT_TRUE(t->isEmpty());
    for (int32_t k = 0; k < 10; k++)
        t->put(k, vmString("v"));
    int32_t capacity = t->table->length;
    t->clear();
    EXPECT_EQ(t->size(), 0);
    EXPECT_FALSE(t->get(4));
    EXPECT_EQ(t->table->length, capacity);
}

TEST_F(IntHashtableTest, ACloneSharesValuesButNotEntries)
{
    VMPtr<IntHashtable> t = table(3);
    VMPtr<String> shared = vmString("shared");
    for (int32_t k : {0, 3, 6, 1})
        t->put(k, shared);
    VMPtr<IntHashtable> copy = vm_cast<IntHashtable>(t->clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->table->length, t->table->length);
    EXPECT_EQ(copy->threshold, t->threshold);
    EXPECT_EQ(keysOf(copy), keysOf(t));
    EXPECT_TRUE(copy->get(6) == shared);
    copy->remove(3);
    copy->put(9, vmString("new"));
    EXPECT_TRUE(t->containsKey(3));
    EXPECT_FALSE(t->containsKey(9));
    EXPECT_EQ(t->size(), 4);
    // The rest of the first table's chain through key 3 is intact.
    EXPECT_TRUE(t->containsKey(0));
    EXPECT_TRUE(t->containsKey(6));
}

// A random sequence of operations against std::map.
TEST_F(IntHashtableTest, AgreesWithAStandardMapOverRandomOperations)
{
    VMPtr<IntHashtable> t = table(2);
    std::map<int32_t, int32_t> model;
    uint32_t x = 12345;
    for (int32_t step = 0; step < 3000; step++) {
        x = x * 1103515245u + 12345u;
        int32_t key = int32_t((x >> 8) % 200) - 100;
        if ((x >> 28) < 10) {
            VMPtr<String> value = vmString(std::to_string(step).c_str());
            t->put(key, value);
            model[key] = step;
        } else {
            bool present = model.erase(key) > 0;
            EXPECT_EQ(bool(t->remove(key)), present);
        }
    }
    ASSERT_EQ(t->size(), int32_t(model.size()));
    for (const auto& [key, value] : model)
        EXPECT_EQ(vmText(vm_cast<String>(t->get(key))), std::to_string(value));
}

} // namespace
