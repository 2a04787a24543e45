#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "java/lang/Class.h"
#include "java/lang/String.h"
#include "support/VMFixture.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"
#include "vm/VMCString.h"
#include "vm/VMUtf8.h"

namespace vmtest {

// A class whose constructor runs a collection, as an allocation inside a
// constructor may.
class Collecting : public virtual java::lang::Object {
    VM_CLASS(Collecting, java::lang::Object)
    Collecting() { _VM_collectGarbage(_VM_instance); }
    VMPtr<Collecting> init() { return VMPtr<Collecting>(this); }
};

} // namespace vmtest

VM_REGISTER_CLASS(vmtest::Collecting, "vmtest.Collecting", "java.lang.Object", "vmtest/Collecting",
                  nullptr);

namespace {

std::string text(const VMPtr<java::lang::String>& string)
{
    VMCString bytes;
    _VM_stringToCString(string, &bytes);
    return bytes.text() ? bytes.text() : "";
}

using VMObject = VMFixture;

TEST_F(VMObject, IdentityOperations)
{
    VMPtr<java::lang::Object> a = _VM_newObject();
    VMPtr<java::lang::Object> b = _VM_newObject();
    EXPECT_EQ(a->hashCode(), static_cast<int32_t>(reinterpret_cast<uintptr_t>(a.get())));
    EXPECT_TRUE(a->equals(a));
    EXPECT_FALSE(a->equals(b));
    EXPECT_FALSE(a->equals(VMPtr<java::lang::Object>()));
    EXPECT_EQ(a->getClass(), java::lang::Object::classRecord());
}

TEST_F(VMObject, ToStringIsDottedNameAtLowerCaseHexHash)
{
    VMPtr<vmtest::Collecting> object = vmtest::Collecting::newInstance();
    char expected[64];
    std::snprintf(expected, sizeof expected, "vmtest.Collecting@%x",
                  static_cast<uint32_t>(object->hashCode()));
    EXPECT_EQ(text(object->toString()), expected);
}

TEST_F(VMObject, NewObjectIsListedAndFlaggedUntilConstructionEnds)
{
    VMPtr<java::lang::Object> object(new java::lang::Object());
    EXPECT_EQ(_VM_instance->objectList, object.get());
    EXPECT_EQ(object->flags, java::lang::Object::MARKED | java::lang::Object::UNDER_CONSTRUCTION);
    _VM_endConstruction(object.get());
    EXPECT_EQ(object->flags, java::lang::Object::MARKED);
}

uint32_t flagsSeenByCollector = 0;

void recordNewestFlags(VMInstance* vm)
{
    flagsSeenByCollector = vm->objectList->flags;
}

TEST_F(VMObject, ObjectUnderConstructionIsFlaggedWhenACollectionRuns)
{
    VMCollectHook saved = _VM_setCollectHook(&recordNewestFlags);
    VMPtr<vmtest::Collecting> object = vmtest::Collecting::newInstance();
    _VM_setCollectHook(saved);
    EXPECT_TRUE(flagsSeenByCollector & java::lang::Object::UNDER_CONSTRUCTION);
    EXPECT_FALSE(object->flags & java::lang::Object::UNDER_CONSTRUCTION);
}

TEST_F(VMObject, DestroyingUnlinksFromTheObjectList)
{
    VM_SKIP_UNDER_GC_STRESS();
    VMPtr<java::lang::Object> first = _VM_newObject();
    java::lang::Object* middle = _VM_newObject().get();
    VMPtr<java::lang::Object> last = _VM_newObject();
    delete middle;
    EXPECT_EQ(last->objNext, first.get());
    EXPECT_EQ(first->objPrev, last.get());
}

TEST_F(VMObject, MarkStopsAtVisitedObjects)
{
    VMPtr<java::lang::Object> object = _VM_newObject();
    object->flags = java::lang::Object::VISITED;
    _VM_mark(object.get(), java::lang::Object::MARKED | java::lang::Object::VISITED);
    EXPECT_EQ(object->flags, java::lang::Object::VISITED);
    object->flags = 0;
    _VM_mark(object.get(), java::lang::Object::MARKED | java::lang::Object::VISITED);
    EXPECT_EQ(object->flags, java::lang::Object::MARKED | java::lang::Object::VISITED);
}

} // namespace
