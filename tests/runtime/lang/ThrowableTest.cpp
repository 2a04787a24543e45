#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "java/io/EOFException.h"
#include "java/io/UTFDataFormatException.h"
#include "java/io/UnsupportedEncodingException.h"
#include "java/lang/ArithmeticException.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/ArrayStoreException.h"
#include "java/lang/Class.h"
#include "java/lang/ClassCastException.h"
#include "java/lang/ClassNotFoundException.h"
#include "java/lang/ExceptionInInitializerError.h"
#include "java/lang/IllegalAccessException.h"
#include "java/lang/IllegalMonitorStateException.h"
#include "java/lang/IllegalStateException.h"
#include "java/lang/IllegalThreadStateException.h"
#include "java/lang/InstantiationException.h"
#include "java/lang/InterruptedException.h"
#include "java/lang/NegativeArraySizeException.h"
#include "java/lang/NoClassDefFoundError.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/NumberFormatException.h"
#include "java/lang/OutOfMemoryError.h"
#include "java/lang/SecurityException.h"
#include "java/lang/StringIndexOutOfBoundsException.h"
#include "java/util/NoSuchElementException.h"
#include "support/LangTestSupport.h"
#include "support/VMFixture.h"

using namespace java::lang;

namespace {

class ThrowableTest : public VMFixture {};

// Checks one class: its registered name and base, its toString with and
// without a message, and that a handler for each class of its chain (and for
// VMException, Object and void) catches it.
template<class X, class... Bases>
void checkClass(const char* name, const char* baseName)
{
    SCOPED_TRACE(name);
    Class* cls = X::classRecord();
    ASSERT_NE(cls, nullptr);
    EXPECT_STREQ(cls->name, name);
    EXPECT_STREQ(cls->superName, baseName);
    EXPECT_EQ(std::string(cls->sourcePath),
              "target/winmo/pb_src/j2me/" + [&] {
                  std::string s = name;
                  for (char& c : s)
                      c = c == '.' ? '_' : c;
                  return s;
              }());

    VMPtr<X> bare = X::newInstance();
    bare->init();
    EXPECT_EQ(vmText(bare->toString()), name);
    EXPECT_EQ(vmText(bare->getMessage()), "<null>");

    EXPECT_TRUE((vmCaughtAs<X, X>()));
    EXPECT_TRUE((vmCaughtAs<X, Throwable>()));
    EXPECT_TRUE((vmCaughtAs<X, VMException>()));
    EXPECT_TRUE((vmCaughtAs<X, Object>()));
    EXPECT_TRUE((vmCaughtAs<X, void>()));
    bool all = (vmCaughtAs<X, Bases>() && ...);
    EXPECT_TRUE(all);
}

// Message form where the class has one.
template<class X>
void checkMessage(const char* name)
{
    SCOPED_TRACE(name);
    VMPtr<X> e = X::newInstance();
    e->init(vmString("x"));
    EXPECT_EQ(vmText(e->toString()), std::string(name) + ": x");
    EXPECT_EQ(vmText(e->getMessage()), "x");
}

TEST_F(ThrowableTest, EveryClassIsCaughtByItselfAndEachBaseAndNamesItself)
{
    checkClass<Throwable>("java.lang.Throwable", "java.lang.Object");
    checkClass<Exception>("java.lang.Exception", "java.lang.Throwable");
    checkClass<Error>("java.lang.Error", "java.lang.Throwable");
    checkClass<RuntimeException, Exception>("java.lang.RuntimeException", "java.lang.Exception");
    checkClass<java::io::IOException, Exception>("java.io.IOException", "java.lang.Exception");
    checkClass<ClassNotFoundException, Exception>("java.lang.ClassNotFoundException",
                                                  "java.lang.Exception");
    checkClass<InstantiationException, Exception>("java.lang.InstantiationException",
                                                  "java.lang.Exception");
    checkClass<IllegalAccessException, Exception>("java.lang.IllegalAccessException",
                                                  "java.lang.Exception");
    checkClass<InterruptedException, Exception>("java.lang.InterruptedException",
                                                "java.lang.Exception");
    checkClass<IllegalArgumentException, RuntimeException, Exception>(
        "java.lang.IllegalArgumentException", "java.lang.RuntimeException");
    checkClass<IllegalThreadStateException, IllegalArgumentException, RuntimeException,
               Exception>("java.lang.IllegalThreadStateException",
                          "java.lang.IllegalArgumentException");
    checkClass<NumberFormatException, IllegalArgumentException, RuntimeException, Exception>(
        "java.lang.NumberFormatException", "java.lang.IllegalArgumentException");
    checkClass<IndexOutOfBoundsException, RuntimeException, Exception>(
        "java.lang.IndexOutOfBoundsException", "java.lang.RuntimeException");
    checkClass<StringIndexOutOfBoundsException, IndexOutOfBoundsException, RuntimeException,
               Exception>("java.lang.StringIndexOutOfBoundsException",
                          "java.lang.IndexOutOfBoundsException");
    checkClass<ArrayIndexOutOfBoundsException, IndexOutOfBoundsException, RuntimeException,
               Exception>("java.lang.ArrayIndexOutOfBoundsException",
                          "java.lang.IndexOutOfBoundsException");
    checkClass<NullPointerException, RuntimeException, Exception>(
        "java.lang.NullPointerException", "java.lang.RuntimeException");
    checkClass<ClassCastException, RuntimeException, Exception>("java.lang.ClassCastException",
                                                                "java.lang.RuntimeException");
    checkClass<IllegalMonitorStateException, RuntimeException, Exception>(
        "java.lang.IllegalMonitorStateException", "java.lang.RuntimeException");
    checkClass<NegativeArraySizeException, RuntimeException, Exception>(
        "java.lang.NegativeArraySizeException", "java.lang.RuntimeException");
    checkClass<ArrayStoreException, RuntimeException, Exception>("java.lang.ArrayStoreException",
                                                                 "java.lang.RuntimeException");
    checkClass<ArithmeticException, RuntimeException, Exception>("java.lang.ArithmeticException",
                                                                 "java.lang.RuntimeException");
    checkClass<IllegalStateException, RuntimeException, Exception>(
        "java.lang.IllegalStateException", "java.lang.RuntimeException");
    checkClass<SecurityException, RuntimeException, Exception>("java.lang.SecurityException",
                                                               "java.lang.RuntimeException");
    checkClass<java::util::NoSuchElementException, RuntimeException, Exception>(
        "java.util.NoSuchElementException", "java.lang.RuntimeException");
    checkClass<java::io::UnsupportedEncodingException, java::io::IOException, Exception>(
        "java.io.UnsupportedEncodingException", "java.io.IOException");
    checkClass<java::io::UTFDataFormatException, java::io::IOException, Exception>(
        "java.io.UTFDataFormatException", "java.io.IOException");
    checkClass<java::io::EOFException, java::io::IOException, Exception>(
        "java.io.EOFException", "java.io.IOException");
    checkClass<VirtualMachineError, Error>("java.lang.VirtualMachineError", "java.lang.Error");
    checkClass<OutOfMemoryError, VirtualMachineError, Error>("java.lang.OutOfMemoryError",
                                                             "java.lang.VirtualMachineError");
    checkClass<NoClassDefFoundError, Error>("java.lang.NoClassDefFoundError", "java.lang.Error");
    checkClass<ExceptionInInitializerError, Error>("java.lang.ExceptionInInitializerError",
                                                   "java.lang.Error");
}

TEST_F(ThrowableTest, MessageFormsPrefixTheClassName)
{
    checkMessage<Throwable>("java.lang.Throwable");
    checkMessage<Exception>("java.lang.Exception");
    checkMessage<Error>("java.lang.Error");
    checkMessage<RuntimeException>("java.lang.RuntimeException");
    checkMessage<java::io::IOException>("java.io.IOException");
    checkMessage<IllegalArgumentException>("java.lang.IllegalArgumentException");
    checkMessage<NumberFormatException>("java.lang.NumberFormatException");
    checkMessage<StringIndexOutOfBoundsException>("java.lang.StringIndexOutOfBoundsException");
    checkMessage<NullPointerException>("java.lang.NullPointerException");
    checkMessage<IllegalStateException>("java.lang.IllegalStateException");
    checkMessage<java::io::UnsupportedEncodingException>("java.io.UnsupportedEncodingException");
    checkMessage<NoClassDefFoundError>("java.lang.NoClassDefFoundError");

    // An empty message still gets the separator.
    VMPtr<Exception> empty = Exception::newInstance();
    empty->init(vmString(""));
    EXPECT_EQ(vmText(empty->toString()), "java.lang.Exception: ");
}

TEST_F(ThrowableTest, HandlersOfOtherBranchesDoNotCatch)
{
    EXPECT_FALSE((vmCaughtAs<NumberFormatException, Error>()));
    EXPECT_FALSE((vmCaughtAs<OutOfMemoryError, Exception>()));
    EXPECT_FALSE((vmCaughtAs<java::io::EOFException, RuntimeException>()));
    EXPECT_FALSE((vmCaughtAs<StringIndexOutOfBoundsException, ArrayIndexOutOfBoundsException>()));
    EXPECT_TRUE((vmCaughtAs<NumberFormatException, RuntimeException>()));
}

TEST_F(ThrowableTest, RethrowThroughABaseReferenceKeepsTheClass)
{
    try {
        try {
            vm_throwNew<NumberFormatException>(vmString("12x"));
        } catch (Throwable* caught) {
            VMPtr<Throwable> e(caught);
            VM_THROW(e);
        }
    } catch (IllegalArgumentException* caught) {
        VMPtr<IllegalArgumentException> e(caught);
        EXPECT_EQ(vmText(e->toString()), "java.lang.NumberFormatException: 12x");
        return;
    }
    FAIL() << "not caught as IllegalArgumentException";
}

TEST_F(ThrowableTest, IndexConstructorsBuildTheRangeMessage)
{
    struct Case {
        int32_t index;
        const char* text;
    };
    for (Case c : {Case{-1, "-1"}, Case{0, "0"}, Case{2147483647, "2147483647"},
                   Case{-2147483647 - 1, "-2147483648"}}) {
        EXPECT_TRUE(vmThrows<ArrayIndexOutOfBoundsException>(
            [&] { vm_throwNew<ArrayIndexOutOfBoundsException>(c.index); },
            (std::string("Array index out of range: ") + c.text).c_str()));
        EXPECT_TRUE(vmThrows<StringIndexOutOfBoundsException>(
            [&] { vm_throwNew<StringIndexOutOfBoundsException>(c.index); },
            (std::string("String index out of range: ") + c.text).c_str()));
    }
}

TEST_F(ThrowableTest, ExceptionInInitializerErrorKeepsTheThrowable)
{
    VMPtr<IllegalStateException> cause = IllegalStateException::newInstance();
    cause->init(vmString("bad"));
    VMPtr<ExceptionInInitializerError> error = ExceptionInInitializerError::newInstance();
    error->init(cause);
    EXPECT_EQ(error->getException(), cause);
    EXPECT_EQ(vmText(error->getMessage()), "<null>");
    EXPECT_EQ(vmText(error->toString()), "java.lang.ExceptionInInitializerError");

    VMPtr<ExceptionInInitializerError> bare = ExceptionInInitializerError::newInstance();
    bare->init();
    EXPECT_TRUE(bare->getException() == nullptr);
}

// The collector reaches the message and the wrapped throwable through the
// exception.
TEST_F(ThrowableTest, MessageAndWrappedThrowableAreTraced)
{
    VMPtr<IllegalStateException> cause = IllegalStateException::newInstance();
    cause->init(vmString("inner"));
    VMPtr<ExceptionInInitializerError> error = ExceptionInInitializerError::newInstance();
    error->init(cause);
    auto clear = [](Object* object) { object->flags &= ~(Object::MARKED | Object::VISITED); };
    clear(error.get());
    clear(cause.get());
    clear(cause->message.get());
    error->markReferences(Object::MARKED);
    EXPECT_TRUE(cause->flags & Object::MARKED);
    EXPECT_TRUE(cause->message->flags & Object::MARKED);
}

TEST_F(ThrowableTest, CreatedByNameThroughTheRegistryWithoutMessage)
{
    VMPtr<Class> cls = Class::forName(vmString("java.lang.IllegalStateException"));
    VMPtr<Object> object = cls->newInstance();
    VMPtr<IllegalStateException> e = vm_cast<IllegalStateException>(object);
    ASSERT_TRUE(e);
    EXPECT_EQ(vmText(e->getMessage()), "<null>");
}

// The test runs on the UI thread, whose thread object is named "System".
TEST_F(ThrowableTest, PrintStackTraceWritesTwoLines)
{
    struct Case {
        const char* message;
        const char* firstLine;
    };
    for (Case c :
         {Case{nullptr, "Exception in thread \"System\" java.lang.IllegalStateException\n"},
          Case{"bad", "Exception in thread \"System\" java.lang.IllegalStateException: bad\n"},
          Case{"", "Exception in thread \"System\" java.lang.IllegalStateException: \n"}}) {
        VMPtr<IllegalStateException> e = IllegalStateException::newInstance();
        if (c.message)
            e->init(vmString(c.message));
        else
            e->init();
        ::testing::internal::CaptureStdout();
        e->printStackTrace();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(),
                  std::string(c.firstLine) + "    at <unknown>\n");
    }
}

} // namespace
