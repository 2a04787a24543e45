#include <gtest/gtest.h>

#include "java/lang/Error.h"
#include "java/lang/IllegalStateException.h"
#include "support/VMFixture.h"
#include "vm/VMException.h"

// A throwable that also has an interface reached through virtual inheritance.
namespace vmtest {

class Tagged : public virtual java::lang::Object {
    VM_INTERFACE(Tagged)
};

class TaggedFailure : public java::lang::IllegalStateException, public virtual Tagged {
    VM_EXCEPTION(TaggedFailure, java::lang::IllegalStateException)
};

} // namespace vmtest

VM_REGISTER_INTERFACE(vmtest::Tagged, "vmtest.Tagged", "vmtest/Tagged", nullptr);
VM_REGISTER_CLASS(vmtest::TaggedFailure, "vmtest.TaggedFailure", "java.lang.IllegalStateException",
                  "vmtest/TaggedFailure", nullptr);
VM_IMPLEMENTS(vmtest::TaggedFailure, "vmtest.Tagged");

namespace {

using VMExceptions = VMFixture;

void throwNew()
{
    vm_throwNew<vmtest::TaggedFailure>();
}

// Catches the exception as a Throwable and rethrows it from that reference.
void rethrowAsThrowable()
{
    try {
        throwNew();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> e(caught);
        VM_THROW(e);
    }
}

// Rethrows from a reference typed as a virtual base that is not a throwable.
void rethrowAsObject()
{
    try {
        throwNew();
    } catch (java::lang::RuntimeException* caught) {
        VMPtr<java::lang::RuntimeException> e(caught);
        VMPtr<java::lang::Object> object(e);
        VM_THROW(vm_cast<VMException>(object));
    }
}

// True when thrower's exception reaches a handler for H, with the object
// intact (its class is still the most-derived one).
template<class H>
bool caughtAs(void (*thrower)())
{
    try {
        thrower();
    } catch (H caught) {
        java::lang::Object* object = dynamic_cast<java::lang::Object*>(caught);
        return object && object->getClass() == vmtest::TaggedFailure::classRecord();
    } catch (...) {
        return false;
    }
    return false;
}

template<>
bool caughtAs<void*>(void (*thrower)())
{
    try {
        thrower();
    } catch (void* caught) {
        return caught != nullptr;
    } catch (...) {
        return false;
    }
    return false;
}

template<>
bool caughtAs<java::lang::Object*>(void (*thrower)())
{
    try {
        thrower();
    } catch (java::lang::Object* caught) {
        return caught->getClass() == vmtest::TaggedFailure::classRecord();
    } catch (...) {
        return false;
    }
    return false;
}

TEST_F(VMExceptions, ThrownExceptionIsCaughtAsItsClassAndEveryBase)
{
    for (void (*thrower)() : {&throwNew, &rethrowAsThrowable, &rethrowAsObject}) {
        EXPECT_TRUE(caughtAs<vmtest::TaggedFailure*>(thrower));
        EXPECT_TRUE(caughtAs<java::lang::IllegalStateException*>(thrower));
        EXPECT_TRUE(caughtAs<java::lang::RuntimeException*>(thrower));
        EXPECT_TRUE(caughtAs<java::lang::Exception*>(thrower));
        EXPECT_TRUE(caughtAs<java::lang::Throwable*>(thrower));
        EXPECT_TRUE(caughtAs<VMException*>(thrower));
        EXPECT_TRUE(caughtAs<vmtest::Tagged*>(thrower));
        EXPECT_TRUE(caughtAs<java::lang::Object*>(thrower));
        EXPECT_TRUE(caughtAs<void*>(thrower));
        EXPECT_FALSE(caughtAs<java::lang::Error*>(thrower));
    }
}

TEST_F(VMExceptions, FirstMatchingHandlerInOrderWins)
{
    int reached = 0;
    try {
        rethrowAsThrowable();
    } catch (java::lang::Error* caught) {
        VMPtr<java::lang::Error> e(caught);
        reached = 1;
    } catch (java::lang::IllegalStateException* caught) {
        VMPtr<java::lang::IllegalStateException> e(caught);
        reached = 2;
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> e(caught);
        reached = 3;
    }
    EXPECT_EQ(reached, 2);
}

TEST_F(VMExceptions, UnwindingPopsTheThrowingFramesLocals)
{
    VMRef* before = _VM_currentRootList->head;
    try {
        VMPtr<java::lang::Object> local = _VM_newObject();
        throwNew();
    } catch (VMException* caught) {
        EXPECT_EQ(_VM_currentRootList->head, before);
        VMPtr<VMException> e(caught);
    }
    EXPECT_EQ(_VM_currentRootList->head, before);
}

} // namespace
