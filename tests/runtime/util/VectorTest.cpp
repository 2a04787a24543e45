#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/ArrayStoreException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/IndexOutOfBoundsException.h"
#include "java/lang/Integer.h"
#include "java/util/Enumeration.h"
#include "java/util/NoSuchElementException.h"
#include "java/util/Vector.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace java::lang;
using java::util::Enumeration;
using java::util::NoSuchElementException;
using java::util::Vector;
using AIOOBE = ArrayIndexOutOfBoundsException;

namespace {

class VectorTest : public VMFixture {};

VMPtr<Object> str(const char* text)
{
    return vmString(text);
}

// A Vector of the texts; "" stands for a null element.
VMPtr<Vector> vectorOf(std::initializer_list<const char*> texts, int32_t capacity = 10)
{
    VMPtr<Vector> v = Vector::newInstance()->init(capacity);
    for (const char* text : texts)
        v->addElement(*text ? str(text) : VMPtr<Object>());
    return v;
}

std::string textOf(const VMPtr<Vector>& v)
{
    return vmText(v->toString());
}

// Every slot beyond the elements is null.
bool tailIsNull(const VMPtr<Vector>& v)
{
    for (int32_t i = v->elementCount; i < v->capacity(); i++) {
        if (v->elementData->get(i))
            return false;
    }
    return true;
}

TEST_F(VectorTest, GrowthFollowsIncrementOrDoubling)
{
    struct Case {
        int32_t initial, increment;
        std::vector<int32_t> capacities;
    } cases[] = {
        {10, 0, {10, 20, 40, 80}},
        {0, 0, {0, 1, 2, 4, 8}},
        {4, 3, {4, 7, 10, 13}},
    };
    for (const Case& c : cases) {
        VMPtr<Vector> v = Vector::newInstance()->init(c.initial, c.increment);
        std::vector<int32_t> seen{v->capacity()};
        while (seen.size() < c.capacities.size()) {
            v->addElement(str("x"));
            if (v->capacity() != seen.back())
                seen.push_back(v->capacity());
        }
        EXPECT_EQ(seen, c.capacities) << "initial " << c.initial;
    }
    VMPtr<Vector> v = Vector::newInstance()->init();
    for (int i = 0; i < 11; i++)
        v->addElement(Integer::newInstance()->init(i));
    EXPECT_EQ(v->capacity(), 20);
    EXPECT_EQ(textOf(v), "[0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10]");

    EXPECT_TRUE(vmThrows<IllegalArgumentException>([] { Vector::newInstance()->init(-1); },
                                                    "Negative initialCapacity"));
    // ensureCapacity takes the larger of the step and the need.
    v->ensureCapacity(21);
    EXPECT_EQ(v->capacity(), 40);
    v->ensureCapacity(100);
    EXPECT_EQ(v->capacity(), 100);
    v->trimToSize();
    EXPECT_EQ(v->capacity(), 11);
    EXPECT_EQ(textOf(v), "[0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10]");
}

TEST_F(VectorTest, InsertAndRemoveKeepOrderAndNullTheTail)
{
    VMPtr<Vector> v = vectorOf({"b", "d"});
    v->insertElementAt(str("a"), 0);
    v->insertElementAt(str("c"), 2);
    v->insertElementAt(str("e"), v->size()); // appends
    EXPECT_EQ(textOf(v), "[a, b, c, d, e]");

    v->removeElementAt(4); // the last: nothing moves
    EXPECT_EQ(textOf(v), "[a, b, c, d]");
    v->removeElementAt(1);
    EXPECT_EQ(textOf(v), "[a, c, d]");
    EXPECT_TRUE(tailIsNull(v));

    EXPECT_TRUE(v->removeElement(str("c")));
    EXPECT_FALSE(v->removeElement(str("zz")));
    EXPECT_EQ(textOf(v), "[a, d]");
    v->setElementAt(str("z"), 1);
    EXPECT_EQ(vmText(vm_cast<String>(v->elementAt(1))), "z");
    EXPECT_EQ(vmText(vm_cast<String>(v->firstElement())), "a");
    EXPECT_EQ(vmText(vm_cast<String>(v->lastElement())), "z");

    v->removeAllElements();
    EXPECT_TRUE(v->isEmpty());
    EXPECT_EQ(v->capacity(), 10);
    EXPECT_TRUE(tailIsNull(v));
    EXPECT_EQ(textOf(v), "[]");
}

TEST_F(VectorTest, BadIndexesThrowAndChangeNothing)
{
    VMPtr<Vector> v = vectorOf({"a", "b", "c"});
    const char* tooLarge = "index >= elementCount";
    struct Case {
        const char* what;
        std::function<void()> body;
        const char* message;
    } cases[] = {
        {"elementAt 3", [&] { v->elementAt(3); }, tooLarge},
        {"elementAt -1", [&] { v->elementAt(-1); }, "Array index out of range: -1"},
        {"setElementAt 3", [&] { v->setElementAt(str("x"), 3); }, tooLarge},
        {"setElementAt -2", [&] { v->setElementAt(str("x"), -2); },
         "Array index out of range: -2"},
        {"removeElementAt 3", [&] { v->removeElementAt(3); }, tooLarge},
        {"removeElementAt -1", [&] { v->removeElementAt(-1); }, "Array index out of range: -1"},
        {"insertElementAt 4", [&] { v->insertElementAt(str("x"), 4); }, tooLarge},
        {"insertElementAt -1", [&] { v->insertElementAt(str("x"), -1); }, nullptr},
        {"indexOf from -1", [&] { v->indexOf(str("a"), -1); }, "Array index out of range: -1"},
        {"setSize -1", [&] { v->setSize(-1); }, "new size is negative"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(vmThrows<AIOOBE>(c.body, c.message)) << c.what;
    EXPECT_EQ(textOf(v), "[a, b, c]");
    EXPECT_EQ(v->capacity(), 10);

    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { v->lastIndexOf(str("a"), 3); },
                                                    "index >= elementCount"));
    VMPtr<Vector> empty = vectorOf({});
    EXPECT_TRUE(vmThrows<NoSuchElementException>([&] { empty->firstElement(); }));
    EXPECT_TRUE(vmThrows<NoSuchElementException>([&] { empty->lastElement(); }));
    EXPECT_EQ(empty->lastIndexOf(str("a")), -1);
    EXPECT_TRUE(vmThrows<IndexOutOfBoundsException>([&] { empty->lastIndexOf(str("a"), 0); },
                                                    "index >= elementCount"));
}

TEST_F(VectorTest, SearchesUseEqualsAndFindNulls)
{
    VMPtr<Vector> v = vectorOf({"a", "", "b", "a", ""});
    EXPECT_EQ(v->indexOf(str("a")), 0);
    EXPECT_EQ(v->indexOf(str("a"), 1), 3);
    EXPECT_EQ(v->indexOf(VMPtr<Object>()), 1);
    EXPECT_EQ(v->lastIndexOf(str("a")), 3);
    EXPECT_EQ(v->lastIndexOf(VMPtr<Object>()), 4);
    EXPECT_EQ(v->lastIndexOf(str("b"), 1), -1);
    EXPECT_EQ(v->lastIndexOf(str("a"), -1), -1);
    EXPECT_EQ(v->indexOf(str("zz")), -1);
    EXPECT_TRUE(v->contains(str("b")));
    EXPECT_FALSE(v->contains(str("c")));
    EXPECT_EQ(textOf(v), "[a, null, b, a, null]");

    VMPtr<Vector> mixed = Vector::newInstance()->init();
    mixed->addElement(str("a"));
    mixed->addElement(nullptr);
    mixed->addElement(Integer::newInstance()->init(5));
    EXPECT_EQ(textOf(mixed), "[a, null, 5]");
}

TEST_F(VectorTest, SetSizeCutsOrGrows)
{
    VMPtr<Vector> v = vectorOf({"a", "b", "c", "d", "e"});
    v->setSize(3);
    EXPECT_EQ(textOf(v), "[a, b, c]");
    EXPECT_TRUE(tailIsNull(v));
    v->setSize(12);
    EXPECT_EQ(v->size(), 12);
    EXPECT_EQ(v->capacity(), 20);
    for (int32_t i = 3; i < 12; i++)
        EXPECT_FALSE(v->elementAt(i)) << i;
}

TEST_F(VectorTest, CopyIntoChecksTheDestination)
{
    VMPtr<Vector> v = vectorOf({"a", "b", "c"});
    VMPtr<Vector::ObjectArray> small = Vector::ObjectArray::newArray(2);
    small->set(0, str("keep"));
    EXPECT_TRUE(vmThrows<AIOOBE>([&] { v->copyInto(small); }, "destination array too small"));
    EXPECT_EQ(vmText(vm_cast<String>(small->get(0))), "keep");
    EXPECT_FALSE(small->get(1));

    VMPtr<Vector::ObjectArray> room = Vector::ObjectArray::newArray(4);
    v->copyInto(room);
    EXPECT_EQ(vmText(vm_cast<String>(room->get(2))), "c");
    EXPECT_FALSE(room->get(3));
}

// A destination whose element class is String (a String[] passed as an
// Object[]): an element that is not a String fails before anything is
// stored; Strings and nulls go in.
TEST_F(VectorTest, CopyIntoStoresNothingWhenAnElementDoesNotFit)
{
    VMPtr<Vector::ObjectArray> strings = Vector::ObjectArray::newArray(3);
    strings->elementClass = String::classRecord();
    for (int32_t i = 0; i < 3; i++)
        strings->set(i, str("x"));

    VMPtr<Vector> mixed = vectorOf({"a", "b"});
    mixed->insertElementAt(VMPtr<Object>(Integer::newInstance()->init(5)), 1);
    EXPECT_TRUE(vmThrows<ArrayStoreException>([&] { mixed->copyInto(strings); }));
    for (int32_t i = 0; i < 3; i++)
        EXPECT_EQ(vmText(vm_cast<String>(strings->get(i))), "x") << i;

    vectorOf({"a", "", "c"})->copyInto(strings);
    EXPECT_EQ(vmText(vm_cast<String>(strings->get(0))), "a");
    EXPECT_FALSE(strings->get(1));
    EXPECT_EQ(vmText(vm_cast<String>(strings->get(2))), "c");
}

TEST_F(VectorTest, EnumerationReadsTheVectorLive)
{
    VMPtr<Vector> v = vectorOf({"a", "b", "c"});
    VMPtr<Enumeration> e = v->elements();
    std::string seen;
    EXPECT_TRUE(e->hasMoreElements());
    seen += vmText(vm_cast<String>(e->nextElement()));
    // A removal in front of the position skips one element; an element added
    // behind it is returned.
    v->removeElementAt(0);
    v->addElement(str("d"));
    while (e->hasMoreElements())
        seen += vmText(vm_cast<String>(e->nextElement()));
    EXPECT_EQ(seen, "acd");
    EXPECT_TRUE(vmThrows<NoSuchElementException>([&] { e->nextElement(); }, "VectorEnumerator"));

    // Emptying the Vector under an enumerator ends it without reading past the
    // elements.
    VMPtr<Enumeration> cut = v->elements();
    cut->nextElement();
    v->removeAllElements();
    EXPECT_FALSE(cut->hasMoreElements());
    EXPECT_TRUE(vmThrows<NoSuchElementException>([&] { cut->nextElement(); },
                                                 "VectorEnumerator"));
}

} // namespace
