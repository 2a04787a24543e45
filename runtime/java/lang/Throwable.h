#pragma once
// java.lang.Throwable: the base of every exception of the class library. It
// holds only a message; exceptions carry no stack trace and no cause.
//
// A subclass with the usual constructors is one line in its class body:
//   class X : public Base { VM_EXCEPTION(X, Base) };
// which gives it the class glue, the most-derived throw and the init forms
// init() and init(String).

#include "java/lang/String.h"
#include "vm/VMException.h"

namespace java::lang {


class Throwable : public VMException {
    VM_THROWABLE(Throwable, VMException)

    VMPtr<Throwable> init();
    VMPtr<Throwable> init(VMPtr<String> message);

    virtual VMPtr<String> getMessage();
    // "Exception ", the class name, ": " and the message when there is one;
    // then "    at <unknown>".
    virtual void printStackTrace();
    // The class name, then ": " and the message when there is one.
    VMPtr<String> toString() override;

    VMField<String> message;

    VM_FIELDS(message)
};

} // namespace java::lang

// Writes one line of a stack trace to the system error stream.
void _VM_printStackTraceText(VMPtr<java::lang::String> line);

#define VM_EXCEPTION(X, Base)                                                                 \
    VM_THROWABLE(X, Base)                                                                           \
    VMPtr<X> init()                                                                           \
    {                                                                                         \
        Base::init();                                                                         \
        return VMPtr<X>(this);                                                                \
    }                                                                                         \
    VMPtr<X> init(VMPtr<::java::lang::String> message)                                        \
    {                                                                                         \
        Base::init(message);                                                                  \
        return VMPtr<X>(this);                                                                \
    }                                                                                         \
                                                                                              \
public:
