#include <string>

#include <gtest/gtest.h>

#include "java/lang/Class.h"
#include "java/lang/ExceptionInInitializerError.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/NoClassDefFoundError.h"
#include "java/lang/OutOfMemoryError.h"
#include "support/VMFixture.h"

namespace vmtest {

std::string initOrder;

// Uses its own static from its initialiser.
class SelfUser : public virtual java::lang::Object {
    VM_CLASS(SelfUser)
    VMPtr<SelfUser> init() { return VMPtr<SelfUser>(this); }
    static int32_t counter;
    static int32_t next()
    {
        _VM_clinit();
        return ++counter;
    }
    static void staticInit()
    {
        initOrder += "S";
        counter = 10;
        next();
    }
};
int32_t SelfUser::counter = 0;

class Parent : public virtual java::lang::Object {
    VM_CLASS(Parent)
    static void staticInit() { initOrder += "P"; }
};

class Child : public Parent {
    VM_CLASS(Child)
    static void staticInit() { initOrder += "C"; }
};

class FailsWithRuntimeException : public virtual java::lang::Object {
    VM_CLASS(FailsWithRuntimeException)
    static void staticInit() { vm_throwNew<java::lang::IllegalStateException>(); }
};

class FailsWithError : public virtual java::lang::Object {
    VM_CLASS(FailsWithError)
    static void staticInit() { vm_throwNew<java::lang::OutOfMemoryError>(); }
};

// Its base fails: the failure reaches the subclass's first use.
class ChildOfFailure : public FailsWithError {
    VM_CLASS(ChildOfFailure)
    static void staticInit() { initOrder += "X"; }
};

} // namespace vmtest

VM_REGISTER_CLASS_NO_CREATOR(vmtest::SelfUser, "vmtest.SelfUser", "java.lang.Object",
                             "vmtest/SelfUser", &vmtest::SelfUser::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Parent, "vmtest.Parent", "java.lang.Object", "vmtest/Parent",
                             &vmtest::Parent::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Child, "vmtest.Child", "vmtest.Parent", "vmtest/Child",
                             &vmtest::Child::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::FailsWithRuntimeException, "vmtest.FailsWithRuntimeException",
                             "java.lang.Object", "vmtest/FailsWithRuntimeException",
                             &vmtest::FailsWithRuntimeException::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::FailsWithError, "vmtest.FailsWithError", "java.lang.Object",
                             "vmtest/FailsWithError", &vmtest::FailsWithError::staticInit);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::ChildOfFailure, "vmtest.ChildOfFailure",
                             "vmtest.FailsWithError", "vmtest/ChildOfFailure",
                             &vmtest::ChildOfFailure::staticInit);

namespace {

using java::lang::Class;
using VMClassInit = VMFixture;

TEST_F(VMClassInit, InitialiserUsingItsOwnStaticsRunsOnce)
{
    vmtest::initOrder.clear();
    EXPECT_EQ(vmtest::SelfUser::next(), 12);
    EXPECT_EQ(vmtest::SelfUser::next(), 13);
    EXPECT_EQ(vmtest::initOrder, "S");
    EXPECT_EQ(vmtest::SelfUser::classRecord()->state, Class::INITIALIZED);
    EXPECT_EQ(vmtest::SelfUser::classRecord()->initializingThread, nullptr);
}

TEST_F(VMClassInit, BaseInitialisesFirst)
{
    vmtest::initOrder.clear();
    VMPtr<vmtest::Child> child = vmtest::Child::newInstance();
    vmtest::Parent::newInstance();
    EXPECT_EQ(vmtest::initOrder, "PC");
}

// Runs f and returns the class name of what it threw.
template<class F>
std::string thrownBy(F f)
{
    try {
        f();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> thrown(caught);
        return thrown->getClass()->name;
    }
    return "nothing";
}

TEST_F(VMClassInit, RuntimeExceptionIsWrappedThenTheClassIsErroneous)
{
    try {
        vmtest::FailsWithRuntimeException::newInstance();
        FAIL() << "no exception";
    } catch (java::lang::ExceptionInInitializerError* caught) {
        VMPtr<java::lang::ExceptionInInitializerError> error(caught);
        ASSERT_FALSE(error->getException().isNull());
        EXPECT_STREQ(error->getException()->getClass()->name,
                     "java.lang.IllegalStateException");
    }
    Class* cls = vmtest::FailsWithRuntimeException::classRecord();
    EXPECT_EQ(cls->state, Class::ERRONEOUS);
    EXPECT_EQ(cls->initializingThread, nullptr);
    EXPECT_EQ(thrownBy([] { vmtest::FailsWithRuntimeException::newInstance(); }),
              "java.lang.NoClassDefFoundError");
}

TEST_F(VMClassInit, ErrorPropagatesUnchangedAndFailsTheSubclassToo)
{
    vmtest::initOrder.clear();
    EXPECT_EQ(thrownBy([] { vmtest::ChildOfFailure::newInstance(); }),
              "java.lang.OutOfMemoryError");
    EXPECT_EQ(vmtest::initOrder, "") << "the subclass's initialiser never ran";
    EXPECT_EQ(vmtest::FailsWithError::classRecord()->state, Class::ERRONEOUS);
    EXPECT_EQ(vmtest::ChildOfFailure::classRecord()->state, Class::ERRONEOUS);
    EXPECT_EQ(thrownBy([] { vmtest::FailsWithError::newInstance(); }),
              "java.lang.NoClassDefFoundError");
    EXPECT_EQ(thrownBy([] { vmtest::ChildOfFailure::newInstance(); }),
              "java.lang.NoClassDefFoundError");
}

TEST_F(VMClassInit, BootInitialisedTheCoreClasses)
{
    EXPECT_EQ(java::lang::Object::classRecord()->state, Class::INITIALIZED);
    EXPECT_EQ(Class::classRecord()->state, Class::INITIALIZED);
    EXPECT_EQ(java::lang::OutOfMemoryError::classRecord()->state, Class::INITIALIZED);
}

} // namespace
