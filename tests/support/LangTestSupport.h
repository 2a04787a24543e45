#pragma once
// Helpers for tests of the class library: texts in and out of Strings, and
// checks of thrown exceptions.

#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "java/lang/String.h"
#include "java/lang/Throwable.h"
#include "vm/VMCString.h"
#include "vm/VMUtf8.h"

// A String of a UTF-8 text (no U+0000). Characters beyond U+FFFF are not
// modified UTF-8 and would silently end the text: they fail the test.
inline VMPtr<java::lang::String> vmString(const char* text)
{
    bool valid = true;
    _VM_utf8CountChars(reinterpret_cast<const uint8_t*>(text), int32_t(std::strlen(text)),
                       &valid);
    if (!valid)
        ADD_FAILURE() << "not modified UTF-8: " << text;
    return java::lang::String::newFromCString(text);
}

// The characters of a String as (modified) UTF-8; "<null>" for a null
// reference.
inline std::string vmText(const VMPtr<java::lang::String>& text)
{
    if (!text)
        return "<null>";
    VMCString bytes;
    _VM_stringToCString(text, &bytes);
    return bytes.text() ? bytes.text() : "";
}

// Runs body and expects it to throw X (exactly that class) whose message is
// message, or no message when message is null.
template<class X>
::testing::AssertionResult vmThrows(const std::function<void()>& body,
                                    const char* message = nullptr)
{
    try {
        body();
    } catch (X* caught) {
        VMPtr<X> e(caught);
        std::string name = e->getClass()->name;
        if (e->getClass() != X::classRecord())
            return ::testing::AssertionFailure() << "threw the subclass " << name;
        std::string actual = vmText(e->getMessage());
        std::string expected = message ? message : "<null>";
        if (actual != expected)
            return ::testing::AssertionFailure()
                   << name << " with message \"" << actual << "\", expected \"" << expected
                   << "\"";
        return ::testing::AssertionSuccess();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> e(caught);
        return ::testing::AssertionFailure() << "threw " << vmText(e->toString());
    }
    return ::testing::AssertionFailure() << "threw nothing";
}

// Throws a new X (no message) and reports whether a handler for a pointer to
// H catches it.
template<class X, class H>
bool vmCaughtAs()
{
    try {
        vm_throwNew<X>();
    } catch (H*) {
        return true;
    } catch (...) {
        return false;
    }
}
