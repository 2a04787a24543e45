#include <optional>

#include <gtest/gtest.h>

#include "hal/thread.h"
#include "java/lang/Object.h"
#include "support/VMFixture.h"

namespace {

using VMRefs = VMFixture;

VMRef* head()
{
    return _VM_currentRootList->head;
}

TEST_F(VMRefs, LocalsArePushedAndPoppedInReverseOrder)
{
    VMRef* before = head();
    {
        VMPtr<java::lang::Object> a;
        EXPECT_EQ(head(), &a);
        {
            VMPtr<java::lang::Object> b;
            VMPtr<java::lang::Object> c(b);
            EXPECT_EQ(head(), &c);
            EXPECT_EQ(c.link(), &b);
            EXPECT_EQ(b.link(), &a);
        }
        EXPECT_EQ(head(), &a);
    }
    EXPECT_EQ(head(), before);
}

TEST_F(VMRefs, LocalDestroyedOutOfOrderIsUnlinkedFromTheMiddle)
{
    VMRef* before = head();
    VMPtr<java::lang::Object> a;
    std::optional<VMPtr<java::lang::Object>> b(std::in_place);
    VMPtr<java::lang::Object> c;
    b.reset();
    EXPECT_EQ(head(), &c);
    EXPECT_EQ(c.link(), &a);
    EXPECT_EQ(a.link(), before);
}

TEST_F(VMRefs, EachWrapperJoinsItsScope)
{
    VMPtr<java::lang::Object> object = _VM_newObject();
    VMRef* stackHead = head();
    VMRef* staticBefore = _VM_getStaticScope()->roots().head;
    {
        VMStatic<java::lang::Object> global(object.get());
        VMNative<java::lang::Object> native(object.get());
        VMWeak<java::lang::Object> weak(object.get());
        VMField<java::lang::Object> field(object.get());
        EXPECT_EQ(_VM_getStaticScope()->roots().head, &global);
        EXPECT_EQ(_VM_getNativeScope()->roots().head, &native);
        EXPECT_EQ(_VM_getWeakScope()->roots().head, &weak);
        EXPECT_EQ(head(), stackHead) << "no scoped wrapper joins the stack scope";
        EXPECT_EQ(field.scope(), _VM_getInstanceScope());

        // A copy of any of them is a local.
        VMPtr<java::lang::Object> copy(global);
        EXPECT_EQ(head(), &copy);
        EXPECT_EQ(copy.get(), object.get());
    }
    EXPECT_EQ(_VM_getStaticScope()->roots().head, staticBefore);
}

TEST_F(VMRefs, AssignmentWritesOnlyTheTarget)
{
    VMPtr<java::lang::Object> object = _VM_newObject();
    VMStatic<java::lang::Object> global;
    VMRef* staticHead = _VM_getStaticScope()->roots().head;
    global = object;
    EXPECT_EQ(global.get(), object.get());
    EXPECT_EQ(_VM_getStaticScope()->roots().head, staticHead);
    EXPECT_TRUE(global == object);
    global = nullptr;
    EXPECT_TRUE(global.isNull());
}

TEST_F(VMRefs, ClearUnmarkedEmptiesWeakReferencesToUnmarkedTargets)
{
    VMPtr<java::lang::Object> live = _VM_newObject();
    VMPtr<java::lang::Object> dead = _VM_newObject();
    VMWeak<java::lang::Object> toLive(live.get());
    VMWeak<java::lang::Object> toDead(dead.get());
    live->flags |= java::lang::Object::MARKED;
    dead->flags &= ~java::lang::Object::MARKED;
    _VM_getWeakScope()->roots().clearUnmarked();
    EXPECT_EQ(toLive.get(), live.get());
    EXPECT_TRUE(toDead.isNull());
}

} // namespace

#ifndef NDEBUG
using VMRefsDeathTest = VMRefs;

// A local destroyed while another thread's list is current would stay linked
// in its own list as a dangling root.
TEST_F(VMRefsDeathTest, LocalDestroyedOutsideItsListIsCaughtInDebugBuilds)
{
    EXPECT_DEATH(
        {
            std::optional<VMPtr<java::lang::Object>> local(std::in_place);
            VMPtr<java::lang::Object> above;
            VMRootList other;
            _VM_currentRootList = &other;
            local.reset();
        },
        "outside its thread's root list");
}

TEST_F(VMRefsDeathTest, ScopeListsChangedWithoutTheVMLockAreCaughtInDebugBuilds)
{
    EXPECT_DEATH(
        {
            HAL_releaseVMLock();
            VMNative<java::lang::Object> held;
        },
        "without the VM lock");
}
#endif
