#pragma once

#include "java/lang/Error.h"

namespace java::lang {

// Wraps a throwable that a static initialiser let escape.
class ExceptionInInitializerError : public Error {
    VM_THROWABLE(ExceptionInInitializerError, Error)

    VMPtr<ExceptionInInitializerError> init();
    // The message stays null; thrown is kept as the exception.
    VMPtr<ExceptionInInitializerError> init(VMPtr<Throwable> thrown);

    virtual VMPtr<Throwable> getException();

    VMField<Throwable> exception;

    VM_FIELDS(exception)
};

} // namespace java::lang
