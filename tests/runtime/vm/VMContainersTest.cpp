#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/VMFixture.h"
#include "vm/VMCString.h"
#include "vm/VMHashtable.h"
#include "vm/VMHeap.h"
#include "vm/VMList.h"

namespace {

using VMContainers = VMFixture;

std::vector<intptr_t> values(const VMList& list)
{
    std::vector<intptr_t> out;
    for (VMListNode* node = VMList_first(&list); node; node = VMList_next(node))
        out.push_back(reinterpret_cast<intptr_t>(VMList_value(node)));
    // Walking back from last gives the same values reversed.
    std::vector<intptr_t> back;
    for (VMListNode* node = list.last; node; node = node->prev)
        back.insert(back.begin(), reinterpret_cast<intptr_t>(node->value));
    EXPECT_EQ(out, back);
    return out;
}

void* v(intptr_t value)
{
    return reinterpret_cast<void*>(value);
}

TEST_F(VMContainers, ListOrderAndRemoval)
{
    uint32_t used = _VM_getHeapState().used;
    VMList list;
    VMList_init(&list);
    for (intptr_t i : {1, 2, 3})
        VMList_prepend(&list, v(i));
    EXPECT_EQ(values(list), (std::vector<intptr_t>{3, 2, 1}));
    VMList_clear(&list);
    for (intptr_t i : {1, 2, 3})
        VMList_append(&list, v(i));
    VMList_append(&list, nullptr);
    EXPECT_EQ(values(list), (std::vector<intptr_t>{1, 2, 3}));

    VMList_remove(&list, v(1));
    EXPECT_EQ(values(list), (std::vector<intptr_t>{2, 3}));
    VMList_remove(&list, v(3));
    EXPECT_EQ(values(list), (std::vector<intptr_t>{2}));
    VMList_remove(&list, v(7));
    VMList_remove(&list, v(2));
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    VMList_remove(&list, v(2));
    EXPECT_EQ(VMList_next(nullptr), nullptr);
    EXPECT_EQ(VMList_value(nullptr), nullptr);
    EXPECT_EQ(_VM_getHeapState().used, used) << "every node was freed";
}

TEST_F(VMContainers, TableKeepsOneEntryPerKey)
{
    uint32_t used = _VM_getHeapState().used;
    VMHashtable table;
    VMHashtable_construct(&table);
    EXPECT_EQ(table.bucketCount, 200u);
    char key[] = "alpha";
    VMHashtable_put(&table, key, v(1));
    key[0] = 'X';  // the table owns a copy
    VMHashtable_put(&table, "alpha", v(2));
    EXPECT_EQ(table.entryCount, 1u);
    void* out = nullptr;
    EXPECT_TRUE(VMHashtable_get(&table, "alpha", &out));
    EXPECT_EQ(out, v(2));
    EXPECT_FALSE(VMHashtable_get(&table, "Xlpha"));

    // Many keys share buckets; every one stays reachable.
    for (int i = 0; i < 1000; ++i)
        VMHashtable_put(&table, std::to_string(i).c_str(), v(i + 10));
    EXPECT_EQ(table.entryCount, 1001u);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(VMHashtable_get(&table, std::to_string(i).c_str(), &out));
        EXPECT_EQ(out, v(i + 10));
    }
    VMHashtable_destroy(&table);
    EXPECT_EQ(table.entryCount, 0u);
    EXPECT_EQ(_VM_getHeapState().used, used) << "every entry and key was freed";
}

TEST_F(VMContainers, HashTakesBytesAsSigned)
{
    EXPECT_EQ(VMHashtable_hash(""), 0u);
    EXPECT_EQ(VMHashtable_hash("ab"), 31u * 'a' + 'b');
    EXPECT_EQ(VMHashtable_hash("\xE9"), static_cast<uint32_t>(-23));
    EXPECT_EQ(VMHashtable_hash("a\xE9"), 31u * 'a' - 23u);
}

TEST_F(VMContainers, CStringOperations)
{
    uint32_t used = _VM_getHeapState().used;
    {
        VMCString empty;
        EXPECT_EQ(empty.text(), nullptr);
        EXPECT_EQ(empty.length(), 0u);
        EXPECT_FALSE(empty.equals(nullptr));
        EXPECT_TRUE(empty.equals(""));

        VMCString name("java.lang");
        name.append(".Object");
        EXPECT_STREQ(name.text(), "java.lang.Object");
        name.append("Suffix", 3);
        EXPECT_STREQ(name.text(), "java.lang.ObjectSuf");
        name.append(nullptr);
        name.append("x", 0);
        EXPECT_EQ(name.length(), 19u);

        VMCString copy(name);
        EXPECT_NE(copy.text(), name.text());
        EXPECT_EQ(copy.compare(name), 0);
        copy.assign("abc", 2);
        EXPECT_STREQ(copy.text(), "ab");
        copy.assign(nullptr, 5);
        EXPECT_STREQ(copy.text(), "ab") << "a null text with a length changes nothing";
        EXPECT_LT(copy.compare(name), 0);
        EXPECT_TRUE(copy.equals("ab"));
        EXPECT_FALSE(copy.equals(nullptr));
        copy = name;
        EXPECT_STREQ(copy.text(), "java.lang.ObjectSuf");
    }
    EXPECT_EQ(_VM_getHeapState().used, used);
}

} // namespace
