#include <cstring>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "java/lang/Class.h"
#include "java/lang/ClassNotFoundException.h"
#include "java/lang/IllegalAccessException.h"
#include "java/lang/InstantiationException.h"
#include "java/lang/String.h"
#include "support/VMFixture.h"
#include "vm/VMClassRegistry.h"
#include "vm/VMCString.h"
#include "vm/VMUtf8.h"

// A small tree: Round extends the interface Shape; the abstract Base
// implements Round; Circle extends Base, Ring extends Circle; Plain has no
// instance creator; Other is unrelated.
namespace vmtest {

class Shape : public virtual java::lang::Object {
    VM_INTERFACE(Shape)
};

class Round : public virtual Shape {
    VM_INTERFACE(Round)
};

class Base : public virtual Round {
    VM_ABSTRACT_CLASS(Base, java::lang::Object)
};

class Circle : public Base {
    VM_CLASS(Circle, Base)
    VMPtr<Circle> init() { return VMPtr<Circle>(this); }
};

class Ring : public Circle {
    VM_CLASS(Ring, Circle)
    VMPtr<Ring> init() { return VMPtr<Ring>(this); }
};

class Plain : public virtual java::lang::Object {
    VM_CLASS(Plain, java::lang::Object)
};

class Other : public virtual java::lang::Object {
    VM_CLASS(Other, java::lang::Object)
    VMPtr<Other> init() { return VMPtr<Other>(this); }
};

int lazyInitializerRuns = 0;

class Lazy : public virtual java::lang::Object {
    VM_CLASS(Lazy, java::lang::Object)
    VMPtr<Lazy> init() { return VMPtr<Lazy>(this); }
    static void staticInit() { ++lazyInitializerRuns; }
};

} // namespace vmtest

VM_REGISTER_INTERFACE(vmtest::Shape, "vmtest.Shape", "vmtest/Shape", nullptr);
VM_REGISTER_INTERFACE(vmtest::Round, "vmtest.Round", "vmtest/Round", nullptr);
VM_IMPLEMENTS(vmtest::Round, "vmtest.Shape");
VM_REGISTER_ABSTRACT_CLASS(vmtest::Base, "vmtest.Base", "java.lang.Object", "vmtest/Base", nullptr);
VM_IMPLEMENTS(vmtest::Base, "vmtest.Round");
VM_REGISTER_CLASS(vmtest::Circle, "vmtest.Circle", "vmtest.Base", "vmtest/Circle", nullptr);
VM_REGISTER_CLASS(vmtest::Ring, "vmtest.Ring", "vmtest.Circle", "vmtest/Ring", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(vmtest::Plain, "vmtest.Plain", "java.lang.Object", "vmtest/Plain",
                             nullptr);
VM_REGISTER_CLASS(vmtest::Other, "vmtest.Other", "java.lang.Object", "vmtest/Other", nullptr);
VM_REGISTER_CLASS(vmtest::Lazy, "vmtest.Lazy", "java.lang.Object", "vmtest/Lazy",
                  &vmtest::Lazy::staticInit);

namespace {

using java::lang::Class;

class VMClassRegistryTest : public VMFixture {
protected:
    static VMClassRegistry* registry() { return _VM_getClassRegistry(); }
    static Class* find(const char* name) { return _VM_findClass(registry(), name); }
    struct Assignment {
        Class* source;
        Class* target;
        bool expected;
    };
    static void expectAssignability(std::initializer_list<Assignment> cases)
    {
        for (const Assignment& c : cases)
            EXPECT_EQ(_VM_isAssignableFrom(registry(), c.source, c.target), c.expected)
                << c.source->name << " -> " << c.target->name;
    }
    // An array descriptor under a test-only name.
    static Class* arrayClass(const char* name, int32_t dimensions, int32_t elementType,
                             Class* element)
    {
        VMPtr<Class> cls(new Class(name, "java.lang.Object", "vmtest/array", nullptr, nullptr,
                                   false, false, dimensions, elementType, element));
        return cls.get();
    }
    static std::string text(const VMPtr<java::lang::String>& string)
    {
        VMCString bytes;
        _VM_stringToCString(string, &bytes);
        return bytes.text() ? bytes.text() : "";
    }
    static VMPtr<java::lang::String> string(const char* text)
    {
        return java::lang::String::newFromCString(text);
    }
};

TEST_F(VMClassRegistryTest, LookupsAndBases)
{
    Class* circle = find("vmtest.Circle");
    ASSERT_EQ(circle, vmtest::Circle::classRecord());
    EXPECT_EQ(find("vmtest.Missing"), nullptr);
    EXPECT_EQ(_VM_getObjectClass(registry()), java::lang::Object::classRecord());
    EXPECT_EQ(_VM_getSuperclass(registry(), find("vmtest.Ring")), circle);
    EXPECT_EQ(_VM_getSuperclass(registry(), circle), find("vmtest.Base"));
    EXPECT_EQ(_VM_getSuperclass(registry(), java::lang::Object::classRecord()), nullptr);
    EXPECT_STREQ(java::lang::Object::classRecord()->superName, "");
    // Interfaces name no base.
    EXPECT_STREQ(find("vmtest.Shape")->superName, "");
    EXPECT_EQ(_VM_getSuperclass(registry(), find("vmtest.Shape")), nullptr);
    EXPECT_EQ(find("java.lang.Class"), Class::classRecord());
    EXPECT_EQ(circle->getClass(), Class::classRecord());
}

TEST_F(VMClassRegistryTest, AssignabilityAcrossTheTree)
{
    Class* shape = find("vmtest.Shape");
    Class* round = find("vmtest.Round");
    Class* base = find("vmtest.Base");
    Class* circle = find("vmtest.Circle");
    Class* ring = find("vmtest.Ring");
    Class* other = find("vmtest.Other");
    Class* object = java::lang::Object::classRecord();
    expectAssignability({
        {ring, ring, true},     {ring, circle, true},   {ring, base, true},
        {ring, object, true},   {ring, round, true},    {ring, shape, true},
        {circle, ring, false},  {base, circle, false},  {other, circle, false},
        {other, shape, false},  {round, shape, true},   {shape, round, false},
        {round, object, true},  {round, base, false},   {object, circle, false},
        {object, shape, false},
    });
}

TEST_F(VMClassRegistryTest, ArrayAssignability)
{
    Class* object = java::lang::Object::classRecord();
    Class* shape = find("vmtest.Shape");
    Class* ints = arrayClass("vmtest[I", 1, Class::T_INT, nullptr);
    Class* shorts = arrayClass("vmtest[S", 1, Class::T_SHORT, nullptr);
    Class* objects = arrayClass("vmtest[Object", 1, Class::T_REFERENCE, object);
    Class* circles = arrayClass("vmtest[Circle", 1, Class::T_REFERENCE, find("vmtest.Circle"));
    Class* circles2 = arrayClass("vmtest[[Circle", 2, Class::T_REFERENCE, circles);
    expectAssignability({
        {ints, objects, false},   {objects, ints, false},     {ints, shorts, false},
        {ints, ints, true},       {circles2, objects, true},  {circles, objects, true},
        {objects, circles, false}, {ints, object, true},      {circles2, object, true},
        {circles, shape, false},  {object, objects, false},
    });
}

TEST_F(VMClassRegistryTest, InstanceOf)
{
    VMPtr<vmtest::Ring> ring = vmtest::Ring::newInstance();
    EXPECT_TRUE(_VM_isInstanceOf(registry(), ring.get(), find("vmtest.Shape")));
    EXPECT_TRUE(_VM_isInstanceOf(registry(), ring.get(), find("vmtest.Circle")));
    EXPECT_FALSE(_VM_isInstanceOf(registry(), ring.get(), find("vmtest.Other")));
    EXPECT_FALSE(_VM_isInstanceOf(registry(), nullptr, java::lang::Object::classRecord()));
    EXPECT_TRUE(find("vmtest.Round")->isInstance(ring));
}

TEST_F(VMClassRegistryTest, SuperclassMissBeforeSealingIsNotCached)
{
    Class* lonely = _VM_defineClass({"vmtest.Lonely", "vmtest.Later", "vmtest/Lonely", nullptr,
                                     nullptr, false, false});
    Class* circle = find("vmtest.Circle");
    VMClassRegistry local;
    VMHashtable_construct(&local.classes);

    EXPECT_EQ(_VM_getSuperclass(&local, lonely), nullptr);
    EXPECT_FALSE(lonely->superclassResolved);
    VMHashtable_put(&local.classes, "vmtest.Later", circle);
    EXPECT_EQ(_VM_getSuperclass(&local, lonely), circle);
    EXPECT_TRUE(lonely->superclassResolved);
    _VM_sealClassRegistry(&local);
    VMHashtable_put(&local.classes, "vmtest.Later", find("vmtest.Other"));
    EXPECT_EQ(_VM_getSuperclass(&local, lonely), circle) << "cached once sealed";
    VMHashtable_destroy(&local.classes);
}

TEST_F(VMClassRegistryTest, TypeDescriptors)
{
    Class* circle = find("vmtest.Circle");
    Class* circles = arrayClass("[Lvmtest.Circle;", 1, Class::T_REFERENCE, circle);
    VMCString out;
    _VM_buildTypeDescriptor(registry(), &out, circle, 1);
    EXPECT_STREQ(out.text(), "[Lvmtest.Circle;");
    _VM_buildTypeDescriptor(registry(), &out, circle, 3);
    EXPECT_STREQ(out.text(), "[[[Lvmtest.Circle;");
    _VM_buildTypeDescriptor(registry(), &out, circles, 2);
    EXPECT_STREQ(out.text(), "[[Lvmtest.Circle;");
}

TEST_F(VMClassRegistryTest, ClassOperations)
{
    EXPECT_EQ(text(find("vmtest.Circle")->toString()), "class vmtest.Circle");
    EXPECT_EQ(text(find("vmtest.Shape")->toString()), "interface vmtest.Shape");
    EXPECT_EQ(text(find("vmtest.Ring")->getName()), "vmtest.Ring");

    VMPtr<Class> circle = Class::forName(string("vmtest.Circle"));
    EXPECT_EQ(circle.get(), find("vmtest.Circle"));
    VMPtr<java::lang::Object> made = circle->newInstance();
    EXPECT_EQ(made->getClass(), circle.get());
    EXPECT_FALSE(made->flags & java::lang::Object::UNDER_CONSTRUCTION);

    EXPECT_THROW(Class::forName(string("vmtest.Missing")), java::lang::ClassNotFoundException*);
    EXPECT_THROW(Class::forName(VMPtr<java::lang::String>()), java::lang::ClassNotFoundException*);
    EXPECT_THROW(Class::forName(string("vmtest.Base"))->newInstance(),
                 java::lang::InstantiationException*);
    EXPECT_THROW(find("vmtest.Shape")->newInstance(), java::lang::InstantiationException*);
    EXPECT_THROW(find("vmtest.Plain")->newInstance(), java::lang::IllegalAccessException*);
}

TEST_F(VMClassRegistryTest, ForNameDoesNotInitialise)
{
    VMPtr<Class> lazy = Class::forName(string("vmtest.Lazy"));
    EXPECT_EQ(lazy->state, Class::NOT_INITIALIZED);
    EXPECT_EQ(vmtest::lazyInitializerRuns, 0);
    lazy->newInstance();
    EXPECT_EQ(lazy->state, Class::INITIALIZED);
    EXPECT_EQ(vmtest::lazyInitializerRuns, 1);
}

using VMClassRegistryDeathTest = VMClassRegistryTest;

TEST_F(VMClassRegistryDeathTest, RegistrationFailuresAreFatal)
{
    EXPECT_EXIT(_VM_defineClass({"vmtest.Circle", "java.lang.Object", "x", nullptr, nullptr,
                                 false, false}),
                ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(_VM_registerClass(registry(), "_VM_bad_array", find("vmtest.Circle")),
                ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(_VM_registerInterface(find("vmtest.Circle"), "vmtest.NoSuchInterface"),
                ::testing::ExitedWithCode(1), "");
}

} // namespace
