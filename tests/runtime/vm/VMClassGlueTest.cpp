#include <gtest/gtest.h>

#include "java/lang/NullPointerException.h"
#include "java/lang/Runnable.h"
#include "java/lang/String.h"
#include "java/util/Vector.h"
#include "support/VMFixture.h"
#include "vm/VMArray.h"
#include "vm/VMHeap.h"
#include "vm/VMInstance.h"

namespace vmtest {

// Fields with no initialiser and a constructor that sets none of them.
class Unset : public virtual java::lang::Object {
    VM_CLASS(Unset, java::lang::Object)

    Unset() {}

    int32_t number;
    int64_t wide;
    double real;
    bool flag;
    void* pointer;
    char16_t text[5];
};

// Two levels of generated tracing: Triple's own field, then Pair's.
class Pair : public virtual java::lang::Object {
    VM_CLASS(Pair, java::lang::Object)

    VMField<java::lang::Object> first;
    int32_t between;
    VMField<java::lang::Object> second;

    VM_FIELDS(first, second)
};

class Triple : public Pair, public virtual java::lang::Runnable {
    VM_CLASS(Triple, Pair)

    void run() override {}

    VMField<java::lang::Object> third;

    VM_FIELDS(third)
};

// Lists only one of its two fields.
class Forgetful : public virtual java::lang::Object {
    VM_CLASS(Forgetful, java::lang::Object)

    VMField<java::lang::Object> listed;
    VMField<java::lang::Object> forgotten;

    VM_FIELDS(listed)
};

// A class static declared in the class body.
class WithStatic : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(WithStatic, java::lang::Object)

    VM_STATIC(java::lang::Object, shared);
};

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::Unset, "vmtest.Unset", "java.lang.Object", "vmtest/Unset",
                             nullptr);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Pair, "vmtest.Pair", "java.lang.Object", "vmtest/Pair",
                             nullptr);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Triple, "vmtest.Triple", "vmtest.Pair", "vmtest/Triple",
                             nullptr);
VM_IMPLEMENTS(vmtest::Triple, "java.lang.Runnable");
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Forgetful, "vmtest.Forgetful", "java.lang.Object",
                             "vmtest/Forgetful", nullptr);
VM_REGISTER_ABSTRACT_CLASS(vmtest::WithStatic, "vmtest.WithStatic", "java.lang.Object",
                           "vmtest/WithStatic", nullptr);

namespace {

using java::lang::NullPointerException;
using java::lang::Object;
using java::lang::String;
using vmtest::Forgetful;
using vmtest::Triple;
using vmtest::Unset;

class VMClassGlue : public VMFixture {
protected:
    static void collect() { _VM_collectGarbage(_VM_instance); }
};

TEST_F(VMClassGlue, CallsThroughANullReferenceThrowNullPointerException)
{
    VMPtr<String> local;
    VMPtr<java::util::Vector> vector = java::util::Vector::newInstance();
    vector->init();
    VMPtr<VMArray<String>> strings = VMArray<String>::newArray(1);
    VMStatic<String> statics;
    VMPtr<Triple> triple = Triple::newInstance();

    EXPECT_THROW(local->length(), NullPointerException*);
    EXPECT_THROW((*local).length(), NullPointerException*);
    EXPECT_THROW(statics->length(), NullPointerException*);
    EXPECT_THROW((*strings)[0]->length(), NullPointerException*);
    EXPECT_THROW(vm_cast<String>(triple->first)->length(), NullPointerException*);
    // A throw leaves the caller's state as it was.
    vector->addElement(local);
    EXPECT_EQ(vector->size(), 1);
}

// Memory of dropped objects is handed out again; a new object never shows
// what an earlier one left there.
TEST_F(VMClassGlue, NewObjectsStartZeroedWhateverTheirMemoryHeldBefore)
{
    for (int round = 0; round < 50; ++round) {
        {
            VMPtr<Unset> dirty = Unset::newInstance();
            EXPECT_EQ(dirty->number, 0);
            EXPECT_EQ(dirty->wide, 0);
            EXPECT_EQ(dirty->real, 0.0);
            EXPECT_FALSE(dirty->flag);
            EXPECT_EQ(dirty->pointer, nullptr);
            for (char16_t c : dirty->text)
                ASSERT_EQ(c, u'\0');
            dirty->number = -1;
            dirty->wide = -1;
            dirty->real = 1.5;
            dirty->flag = true;
            dirty->pointer = dirty.get();
            for (char16_t& c : dirty->text)
                c = u'x';
        }
        collect();
    }
}

TEST_F(VMClassGlue, GeneratedTracingMarksTheClassesFieldsAndItsBasesFields)
{
    VMWeak<Object> first, second, third;
    VMPtr<Triple> triple = Triple::newInstance();
    triple->first = first = _VM_newObject();
    triple->second = second = _VM_newObject();
    triple->third = third = _VM_newObject();
    collect();
    EXPECT_FALSE(first.isNull());
    EXPECT_FALSE(second.isNull());
    EXPECT_FALSE(third.isNull());
    triple = nullptr;
    collect();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(third.isNull());
}

TEST_F(VMClassGlue, AStaticDeclaredInAClassBodyIsAStaticScopeRoot)
{
    EXPECT_EQ(vmtest::WithStatic::shared.scope(), &_VM_staticScope);
    VMWeak<Object> weak;
    vmtest::WithStatic::shared = weak = _VM_newObject();
    collect();
    EXPECT_FALSE(weak.isNull());
    vmtest::WithStatic::shared = nullptr;
    collect();
    EXPECT_TRUE(weak.isNull());
}

TEST_F(VMClassGlue, EveryRegisteredBaseNameMatchesItsCppBase)
{
    struct Case {
        java::lang::Class* cls;
        java::lang::Class* base;
    };
    // What boot checked for every class; a few by hand, interfaces included.
    for (Case c : {Case{Triple::classRecord(), vmtest::Pair::classRecord()},
                   Case{String::classRecord(), Object::classRecord()},
                   Case{java::lang::Runnable::classRecord(), Object::classRecord()},
                   Case{Object::classRecord(), Object::classRecord()}})
        _VM_checkRegisteredBase(c.cls, c.base);
}

using VMClassGlueDeathTest = VMClassGlue;

TEST_F(VMClassGlueDeathTest, ARegisteredBaseNameThatIsNotTheCppBaseIsFatal)
{
    EXPECT_DEATH(_VM_checkRegisteredBase(Triple::classRecord(), Object::classRecord()),
                 "vmtest.Triple is registered with base vmtest.Pair but its C\\+\\+ base is "
                 "java.lang.Object");
    EXPECT_DEATH(_VM_checkRegisteredBase(Triple::classRecord(), nullptr), "not registered");
}

#ifndef NDEBUG
TEST_F(VMClassGlueDeathTest, AFieldLeftOutOfVMFieldsIsFatalAtTheNextCollection)
{
    EXPECT_DEATH(
        {
            VMPtr<Forgetful> forgetful = Forgetful::newInstance();
            forgetful->forgotten = _VM_newObject();
            collect();
        },
        "Field at offset [0-9]+ of a live vmtest.Forgetful was not traced");
}
#endif

} // namespace
