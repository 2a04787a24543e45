#include <string>

#include <gtest/gtest.h>

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/String.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/util/ArrayList.h"

using java::lang::IllegalArgumentException;
using java::lang::IndexOutOfBoundsException;
using java::lang::Object;
using tq::util::ArrayList;

namespace {

class ArrayListTest : public VMFixture {
protected:
    // A list of one-letter Strings; '.' stands for null.
    static VMPtr<ArrayList> listOf(const std::string& letters, int32_t capacity = 8)
    {
        VMPtr<ArrayList> list = ArrayList::newInstance()->init(capacity, 0);
        for (char c : letters)
            list->add(item(c));
        return list;
    }
    static VMPtr<Object> item(char c)
    {
        return c == '.' ? VMPtr<Object>() : VMPtr<Object>(vmString(std::string(1, c).c_str()));
    }
    // The elements as letters; also checks that the slots past the size are
    // null where the list promises it.
    static std::string lettersOf(const VMPtr<ArrayList>& list)
    {
        std::string s;
        for (int32_t i = 0; i < list->size(); i++) {
            VMPtr<Object> o = list->get(i);
            s += o ? vmText(vm_cast<java::lang::String>(o)) : ".";
        }
        return s;
    }
};

TEST_F(ArrayListTest, GrowsAndKeepsOrder)
{
    VMPtr<ArrayList> list = ArrayList::newInstance()->init();
    EXPECT_EQ(list->capacity(), 8);
    for (char c : std::string("abcdefghi"))
        list->add(item(c));
    EXPECT_GT(list->capacity(), 8);
    EXPECT_EQ(lettersOf(list), "abcdefghi");
    // A positive increment steps by it unless the minimum is larger.
    VMPtr<ArrayList> stepped = ArrayList::newInstance()->init(2, 5);
    stepped->ensureCapacity(3);
    EXPECT_EQ(stepped->capacity(), 7);
    stepped->ensureCapacity(20);
    EXPECT_EQ(stepped->capacity(), 20);
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { ArrayList::newInstance()->init(-1, 0); },
                                                   "Illegal Capacity: -1"));
}

TEST_F(ArrayListTest, InsertsOnlyInsideTheList)
{
    VMPtr<ArrayList> list = listOf("");
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { list->add(0, item('x')); },
                                                    "Index: 0, Size: 0"));
    list->add(item('x'));
    list->add(0, item('y'));
    EXPECT_EQ(lettersOf(list), "yx");
    list->addAll(1, listOf("pq"));
    EXPECT_EQ(lettersOf(list), "ypqx");
    // The list into itself, in the middle and at the end.
    list->addAll(1, list);
    EXPECT_EQ(lettersOf(list), "yypqxpqx");
    VMPtr<ArrayList> small = listOf("ab", 2);
    small->addAll(small);
    EXPECT_EQ(lettersOf(small), "abab");
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { small->addAll(4, small); },
                                                    "Index: 4, Size: 4"));
    EXPECT_EQ(lettersOf(small), "abab");
}

TEST_F(ArrayListTest, SearchesByEqualsAndNull)
{
    VMPtr<ArrayList> list = listOf("ab.b.");
    EXPECT_EQ(list->indexOf(item('b')), 1);
    EXPECT_EQ(list->indexOf(item('b'), 2), 3);
    EXPECT_EQ(list->indexOf(nullptr), 2);
    EXPECT_EQ(list->indexOf(item('a'), -3), 0);
    EXPECT_EQ(list->indexOf(item('a'), 9), -1);
    EXPECT_EQ(list->lastIndexOf(item('b')), 3);
    EXPECT_EQ(list->lastIndexOf(item('b'), 2), 1);
    EXPECT_EQ(list->lastIndexOf(item('a'), -1), -1);
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { list->lastIndexOf(item('a'), 5); },
                                                    "Index: 5, Size: 5"));
    EXPECT_EQ(listOf("")->lastIndexOf(item('a')), -1);
    EXPECT_TRUE(list->containsAll(listOf("b.a")));
    EXPECT_FALSE(list->containsAll(listOf("bz")));
    EXPECT_TRUE(list->remove(VMPtr<Object>()));
    EXPECT_EQ(lettersOf(list), "abb.");
}

TEST_F(ArrayListTest, RemovesAndClears)
{
    VMPtr<ArrayList> list = listOf("abbc");
    EXPECT_TRUE(list->removeAll(listOf("b")));
    EXPECT_EQ(lettersOf(list), "ac");
    EXPECT_FALSE(list->removeAll(listOf("z")));
    EXPECT_EQ(vmText(vm_cast<java::lang::String>(list->remove(0))), "a");
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { list->remove(1); }, "Index: 1, Size: 1"));
    EXPECT_EQ(vmText(vm_cast<java::lang::String>(list->set(0, item('d')))), "c");
    int32_t capacity = list->capacity();
    list->clear();
    EXPECT_TRUE(list->isEmpty());
    EXPECT_EQ(list->capacity(), capacity);
    // A removed slot is cleared: growing the size again shows null.
    VMPtr<ArrayList> cut = listOf("xyz");
    cut->remove(2);
    cut->setSize(3);
    EXPECT_EQ(lettersOf(cut), "xy.");
}

TEST_F(ArrayListTest, SetSizeKeepsWhatResizeClears)
{
    VMPtr<ArrayList> kept = listOf("abc");
    kept->setSize(1);
    kept->setSize(3);
    EXPECT_EQ(lettersOf(kept), "abc");
    VMPtr<ArrayList> cleared = listOf("abc");
    cleared->resize(1);
    cleared->resize(3);
    EXPECT_EQ(lettersOf(cleared), "a..");
    cleared->resize(12);
    EXPECT_GE(cleared->capacity(), 12);
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { cleared->setSize(-1); }, "Illegal Size: -1"));
    EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { cleared->resize(-2); }, "Illegal Size: -2"));
    EXPECT_EQ(cleared->size(), 12);
    VMPtr<ArrayList> empty = listOf("");
    empty->trimToSize();
    EXPECT_EQ(empty->capacity(), 0);
    empty->add(item('a'));
    EXPECT_EQ(lettersOf(empty), "a");
}

TEST_F(ArrayListTest, CopiesShareTheElements)
{
    VMPtr<ArrayList> list = listOf("abcd");
    VMPtr<ArrayList> middle = list->subList(1, 3);
    EXPECT_EQ(lettersOf(middle), "bc");
    EXPECT_EQ(middle->get(0).get(), list->get(1).get());
    EXPECT_TRUE(list->subList(1, 1)->isEmpty());
    EXPECT_EQ(lettersOf(list->copy()), "abcd");
    struct Case {
        int32_t from, to;
        bool illegalArgument;
        const char* message;
    };
    for (Case c : {Case{-1, 0, false, "fromIndex = -1"}, Case{0, 5, false, "toIndex = 5"},
                   Case{2, 1, true, "fromIndex(2) > toIndex(1)"}}) {
        SCOPED_TRACE(c.message);
        if (c.illegalArgument)
            EXPECT_TRUE(vmThrows<IllegalArgumentException>([&] { list->subList(c.from, c.to); },
                                                           c.message));
        else
            EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { list->subList(c.from, c.to); },
                                                            c.message));
    }
    // toArray into a longer array keeps its tail; a shorter one is refused.
    VMPtr<ArrayList::ObjectArray> longer = ArrayList::ObjectArray::newArray(5);
    longer->set(4, item('z'));
    list->toArray(longer);
    EXPECT_EQ(longer->get(3).get(), list->get(3).get());
    EXPECT_TRUE(longer->get(4));
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { list->toArray(ArrayList::ObjectArray::newArray(2)); }));
}

} // namespace
