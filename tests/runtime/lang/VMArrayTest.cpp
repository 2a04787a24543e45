#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/Class.h"
#include "java/lang/Integer.h"
#include "java/lang/NegativeArraySizeException.h"
#include "java/lang/OutOfMemoryError.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "vm/VMArray.h"

using java::lang::Class;
using java::lang::Object;
using java::lang::String;

namespace {

class VMArrayTest : public VMFixture {};

// A new primitive array: its class, code, element size and zero contents.
template<class T>
void checkPrimitive(const char* className, int32_t code, int32_t size)
{
    SCOPED_TRACE(className);
    VMPtr<VMArray<T>> array = VMArray<T>::newArray(5);
    EXPECT_EQ(array->length, 5);
    EXPECT_EQ(array->elementTypeCode, code);
    EXPECT_EQ(array->elementSize, size);
    EXPECT_EQ(array->elementClass, nullptr);
    EXPECT_STREQ(array->getClass()->name, className);
    EXPECT_EQ(array->getClass()->arrayDimensions, 1);
    EXPECT_EQ(array->getClass()->elementTypeCode, code);
    for (int32_t i = 0; i < 5; i++)
        EXPECT_EQ((*array)[i], T(0));
    (*array)[4] = T(1);
    EXPECT_EQ(array->elements()[4], T(1));
    EXPECT_EQ(array->elementObject(4), nullptr);
}

TEST_F(VMArrayTest, EveryPrimitiveTypeHasItsClassSizeAndZeroes)
{
    checkPrimitive<bool>("[Z", VMArray_Base::T_BOOLEAN, 1);
    checkPrimitive<char16_t>("[C", VMArray_Base::T_CHAR, 2);
    checkPrimitive<float>("[F", VMArray_Base::T_FLOAT, 4);
    checkPrimitive<double>("[D", VMArray_Base::T_DOUBLE, 8);
    checkPrimitive<int8_t>("[B", VMArray_Base::T_BYTE, 1);
    checkPrimitive<int16_t>("[S", VMArray_Base::T_SHORT, 2);
    checkPrimitive<int32_t>("[I", VMArray_Base::T_INT, 4);
    checkPrimitive<int64_t>("[J", VMArray_Base::T_LONG, 8);
}

TEST_F(VMArrayTest, ReferenceArraysHoldPointerSizedNulls)
{
    VMPtr<VMArray<String>> strings = VMArray<String>::newArray(3);
    EXPECT_EQ(strings->elementTypeCode, VMArray_Base::T_REFERENCE);
    EXPECT_EQ(strings->elementSize, int32_t(sizeof(void*)));
    EXPECT_EQ(strings->elementClass, String::classRecord());
    EXPECT_STREQ(strings->getClass()->name, "[Ljava.lang.String;");
    for (int32_t i = 0; i < 3; i++)
        EXPECT_TRUE(strings->get(i) == nullptr);

    VMPtr<String> text = vmString("abc");
    (*strings)[1] = text;
    EXPECT_EQ(strings->get(1), text);
    EXPECT_EQ(vmText((*strings)[1]), "abc");
    EXPECT_EQ(strings->elementObject(1), static_cast<Object*>(text.get()));
    EXPECT_EQ(strings->elementObject(0), nullptr);
}

TEST_F(VMArrayTest, ClassesAreMadeOnceAndFoundByName)
{
    Class* ints = VMArray<int32_t>::getArrayClass();
    EXPECT_EQ(VMArray<int32_t>::newArray(1)->getClass(), ints);
    EXPECT_EQ(Class::forName(vmString("[I")).get(), ints);
    EXPECT_STREQ(ints->superName, "java.lang.Object");
}

TEST_F(VMArrayTest, NegativeLengthThrowsAndEmptyArraysHaveNoData)
{
    EXPECT_TRUE(vmThrows<java::lang::NegativeArraySizeException>(
        [] { VMArray<int32_t>::newArray(-1); }));
    EXPECT_TRUE(vmThrows<java::lang::NegativeArraySizeException>(
        [] { VMArray<String>::newArray(-5); }));
    EXPECT_TRUE(vmThrows<java::lang::NegativeArraySizeException>(
        [] { VMArray<int32_t, 2>::newArray({2, -1}); }));

    VMPtr<VMArray<int32_t>> empty = VMArray<int32_t>::newArray(0);
    EXPECT_EQ(empty->length, 0);
    EXPECT_EQ(empty->data, nullptr);
}

TEST_F(VMArrayTest, DataBlocksTooLargeThrowOutOfMemoryInsteadOfWrapping)
{
    // Each of these would wrap or exceed the heap's block size if multiplied
    // in 32 bits.
    EXPECT_TRUE(vmThrows<java::lang::OutOfMemoryError>(
        [] { VMArray<int64_t>::newArray(0x20000000); }));
    EXPECT_TRUE(vmThrows<java::lang::OutOfMemoryError>(
        [] { VMArray<int32_t>::newArray(0x7FFFFFFF); }));
    EXPECT_TRUE(vmThrows<java::lang::OutOfMemoryError>(
        [] { VMArray<String>::newArray(0x40000000); }));
}

TEST_F(VMArrayTest, IndexOutsideTheArrayThrowsWithTheIndex)
{
    VMPtr<VMArray<int32_t>> ints = VMArray<int32_t>::newArray(3);
    VMPtr<VMArray<String>> strings = VMArray<String>::newArray(3);
    struct Case {
        int32_t index;
        const char* message;
    };
    for (Case c : {Case{-1, "Array index out of range: -1"}, Case{3, "Array index out of range: 3"},
                   Case{-2147483647 - 1, "Array index out of range: -2147483648"},
                   Case{2147483647, "Array index out of range: 2147483647"}}) {
        SCOPED_TRACE(c.index);
        EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
            [&] { (*ints)[c.index] = 1; }, c.message));
        EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
            [&] { strings->get(c.index); }, c.message));
        EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
            [&] { strings->set(c.index, VMPtr<String>()); }, c.message));
    }
    (*ints)[2] = 7;
    EXPECT_EQ((*ints)[2], 7);
}

TEST_F(VMArrayTest, MultiDimensionalShapes)
{
    VMPtr<VMArray<int32_t, 2>> grid = VMArray<int32_t, 2>::newArray({3, 4});
    EXPECT_STREQ(grid->getClass()->name, "[[I");
    EXPECT_EQ(grid->getClass()->arrayDimensions, 2);
    EXPECT_EQ(grid->elementClass, VMArray<int32_t>::getArrayClass());
    EXPECT_EQ(grid->length, 3);
    for (int32_t i = 0; i < 3; i++) {
        VMPtr<VMArray<int32_t>> row = grid->get(i);
        ASSERT_TRUE(row);
        EXPECT_EQ(row->length, 4);
        for (int32_t j = 0; j < 4; j++)
            EXPECT_EQ((*row)[j], 0);
    }
    (*grid->get(1))[2] = 5;
    EXPECT_EQ((*grid->get(1))[2], 5);
    EXPECT_NE(grid->get(0), grid->get(1));

    // Sizes 3 alone, and sizes 3 and 0, leave three null rows (int[3][]).
    VMPtr<VMArray<int32_t, 2>> open = VMArray<int32_t, 2>::newArray(3);
    VMPtr<VMArray<int32_t, 2>> zeroRows = VMArray<int32_t, 2>::newArray({3, 0});
    EXPECT_EQ(zeroRows->length, 3);
    for (int32_t i = 0; i < 3; i++) {
        EXPECT_TRUE(open->get(i) == nullptr);
        EXPECT_TRUE(zeroRows->get(i) == nullptr);
    }
    // Further down, a 0 leaves that level's rows null.
    VMPtr<VMArray<int32_t, 3>> deep = VMArray<int32_t, 3>::newArray({2, 3, 0});
    EXPECT_EQ(deep->get(1)->length, 3);
    EXPECT_TRUE(deep->get(1)->get(2) == nullptr);

    VMPtr<VMArray<String, 3>> cube = VMArray<String, 3>::newArray({2, 3, 4});
    EXPECT_STREQ(cube->getClass()->name, "[[[Ljava.lang.String;");
    EXPECT_STREQ(cube->get(1)->getClass()->name, "[[Ljava.lang.String;");
    EXPECT_EQ(cube->get(1)->get(2)->length, 4);
    EXPECT_EQ(cube->get(1)->get(2)->elementClass, String::classRecord());

    VMPtr<VMArray<String, 2>> partial = VMArray<String, 2>::newArray({2});
    EXPECT_TRUE(partial->get(0) == nullptr);
}

TEST_F(VMArrayTest, ReferenceArraysTraceTheirElementsPrimitiveArraysNothing)
{
    VMPtr<VMArray<String>> strings = VMArray<String>::newArray(3);
    VMPtr<String> a = vmString("a");
    VMPtr<String> b = vmString("b");
    strings->set(0, a);
    strings->set(2, b);
    a->flags &= ~(Object::MARKED | Object::VISITED);
    b->flags &= ~(Object::MARKED | Object::VISITED);
    strings->markReferences(Object::MARKED);
    EXPECT_TRUE(a->flags & Object::MARKED);
    EXPECT_TRUE(b->flags & Object::MARKED);

    VMPtr<VMArray<String, 2>> rows = VMArray<String, 2>::newArray({1, 1});
    VMPtr<VMArray<String>> row = rows->get(0);
    row->set(0, a);
    row->flags &= ~(Object::MARKED | Object::VISITED);
    a->flags &= ~(Object::MARKED | Object::VISITED);
    rows->markReferences(Object::MARKED);
    EXPECT_TRUE(row->flags & Object::MARKED);
    EXPECT_TRUE(a->flags & Object::MARKED);
}

} // namespace
