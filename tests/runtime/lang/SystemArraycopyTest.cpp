#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/ArrayStoreException.h"
#include "java/lang/Integer.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/System.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMArray.h"

using java::lang::Integer;
using java::lang::Object;
using java::lang::String;
using java::lang::System;

namespace {

class SystemArraycopyTest : public VMFixture {};

struct Move {
    int32_t from, to, length;
};

// Overlapping moves within one array in both directions, and the edges.
const Move moves[] = {
    {0, 2, 5}, {2, 0, 5}, {0, 1, 9}, {1, 0, 9}, {3, 3, 4}, {0, 0, 10}, {9, 0, 1}, {10, 10, 0},
    {0, 10, 0},
};

// What the move gives when copied through a temporary.
std::vector<int32_t> expectedAfter(Move m, int32_t length)
{
    std::vector<int32_t> values(size_t(length), 0);
    for (int32_t i = 0; i < length; i++)
        values[size_t(i)] = i + 1;
    std::vector<int32_t> temporary(values.begin() + m.from, values.begin() + m.from + m.length);
    for (int32_t i = 0; i < m.length; i++)
        values[size_t(m.to + i)] = temporary[size_t(i)];
    return values;
}

TEST_F(SystemArraycopyTest, OverlappingPrimitiveRangesCopyAsThroughATemporary)
{
    for (Move m : moves) {
        SCOPED_TRACE(testing::Message() << m.from << " -> " << m.to << " x " << m.length);
        VMPtr<VMArray<int32_t>> array = VMArray<int32_t>::newArray(10);
        for (int32_t i = 0; i < 10; i++)
            (*array)[i] = i + 1;
        System::arraycopy(array, m.from, array, m.to, m.length);
        std::vector<int32_t> actual(array->elements(), array->elements() + 10);
        EXPECT_EQ(actual, expectedAfter(m, 10));
    }
}

TEST_F(SystemArraycopyTest, OverlappingReferenceRangesCopyAsThroughATemporary)
{
    for (Move m : moves) {
        SCOPED_TRACE(testing::Message() << m.from << " -> " << m.to << " x " << m.length);
        VMPtr<VMArray<Integer>> array = VMArray<Integer>::newArray(10);
        for (int32_t i = 0; i < 10; i++)
            array->set(i, Integer::newInstance()->init(i + 1));
        System::arraycopy(array, m.from, array, m.to, m.length);
        std::vector<int32_t> actual;
        for (int32_t i = 0; i < 10; i++)
            actual.push_back(array->get(i)->value);
        EXPECT_EQ(actual, expectedAfter(m, 10));
    }
}

TEST_F(SystemArraycopyTest, BetweenArraysOfAssignableClasses)
{
    VMPtr<VMArray<String>> strings = VMArray<String>::newArray(2);
    strings->set(0, vmString("a"));
    VMPtr<VMArray<Object>> objects = VMArray<Object>::newArray(3);
    System::arraycopy(strings, 0, objects, 1, 2);
    EXPECT_EQ(objects->get(1), strings->get(0));
    EXPECT_TRUE(objects->get(2) == nullptr);

    // Back the other way every element is checked; these all fit.
    VMPtr<VMArray<String>> back = VMArray<String>::newArray(3);
    System::arraycopy(objects, 0, back, 0, 3);
    EXPECT_EQ(vmText(back->get(1)), "a");
}

TEST_F(SystemArraycopyTest, ElementThatDoesNotFitStopsTheCopyThere)
{
    VMPtr<VMArray<Object>> objects = VMArray<Object>::newArray(3);
    objects->set(0, vmString("s"));
    objects->set(1, Integer::newInstance()->init(1));
    objects->set(2, vmString("t"));
    VMPtr<VMArray<String>> strings = VMArray<String>::newArray(3);
    EXPECT_TRUE(vmThrows<java::lang::ArrayStoreException>(
        [&] { System::arraycopy(objects, 0, strings, 0, 3); }));
    EXPECT_EQ(vmText(strings->get(0)), "s");
    EXPECT_TRUE(strings->get(1) == nullptr);
    EXPECT_TRUE(strings->get(2) == nullptr);
}

TEST_F(SystemArraycopyTest, RowsTheDestinationCannotHoldFailInsteadOfBecomingNull)
{
    // String[] is assignable to Object[], but an Object[][] holds Object[]
    // rows only: copying String[] rows into it must not store nulls.
    VMPtr<VMArray<String, 2>> rows = VMArray<String, 2>::newArray({2, 1});
    VMPtr<VMArray<Object, 2>> objects = VMArray<Object, 2>::newArray({3});
    EXPECT_TRUE(vmThrows<java::lang::ArrayStoreException>(
        [&] { System::arraycopy(rows, 0, objects, 0, 2); }));
    // The rows before the failing one stay copied; the failing slot keeps
    // its old row.
    VMPtr<VMArray<Object>> mixed = VMArray<Object>::newArray(2);
    mixed->set(0, VMArray<Object>::newArray(1));
    mixed->set(1, rows->get(0));
    VMPtr<VMArray<Object>> old = VMArray<Object>::newArray(7);
    objects->set(1, old);
    EXPECT_TRUE(vmThrows<java::lang::ArrayStoreException>(
        [&] { System::arraycopy(mixed, 0, objects, 0, 2); }));
    EXPECT_EQ(objects->get(0), mixed->get(0));
    EXPECT_EQ(objects->get(1), old);

    // Rows the destination can hold still copy.
    VMPtr<VMArray<Object, 2>> same = VMArray<Object, 2>::newArray({2, 4});
    System::arraycopy(mixed, 0, objects, 1, 1);
    EXPECT_EQ(objects->get(1), mixed->get(0));
    System::arraycopy(same, 0, objects, 1, 2);
    EXPECT_EQ(objects->get(2)->length, 4);
}

TEST_F(SystemArraycopyTest, BadArgumentsThrowInsteadOfCopying)
{
    VMPtr<VMArray<int32_t>> ints = VMArray<int32_t>::newArray(4);
    VMPtr<VMArray<int16_t>> shorts = VMArray<int16_t>::newArray(4);
    VMPtr<VMArray<Object>> objects = VMArray<Object>::newArray(4);
    VMPtr<String> notAnArray = vmString("x");
    (*ints)[0] = 42;
    using AIOOBE = java::lang::ArrayIndexOutOfBoundsException;
    using ASE = java::lang::ArrayStoreException;
    using NPE = java::lang::NullPointerException;

    EXPECT_TRUE(vmThrows<NPE>([&] { System::arraycopy(nullptr, 0, ints, 0, 1); }));
    EXPECT_TRUE(vmThrows<NPE>([&] { System::arraycopy(ints, 0, nullptr, 0, 1); }));
    EXPECT_TRUE(vmThrows<ASE>([&] { System::arraycopy(notAnArray, 0, ints, 0, 1); }));
    EXPECT_TRUE(vmThrows<ASE>([&] { System::arraycopy(ints, 0, notAnArray, 0, 1); }));
    EXPECT_TRUE(vmThrows<ASE>([&] { System::arraycopy(ints, 0, shorts, 0, 1); }));
    EXPECT_TRUE(vmThrows<ASE>([&] { System::arraycopy(ints, 0, objects, 0, 1); }));
    EXPECT_TRUE(vmThrows<ASE>([&] { System::arraycopy(objects, 0, ints, 0, 1); }));

    struct Range {
        int32_t from, to, length;
    };
    for (Range r : {Range{-1, 0, 1}, Range{0, -1, 1}, Range{0, 0, -1}, Range{0, 0, 5},
                    Range{1, 0, 4}, Range{0, 1, 4}, Range{5, 0, 0}, Range{0, 5, 0},
                    Range{2, 0, 2147483647}, Range{2147483647, 0, 2}}) {
        SCOPED_TRACE(testing::Message() << r.from << " -> " << r.to << " x " << r.length);
        EXPECT_TRUE(
            vmThrows<AIOOBE>([&] { System::arraycopy(ints, r.from, ints, r.to, r.length); }));
    }
    EXPECT_EQ((*ints)[0], 42);
    EXPECT_EQ((*ints)[1], 0);
}

} // namespace
