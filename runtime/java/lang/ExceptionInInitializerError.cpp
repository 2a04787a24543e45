#include "java/lang/ExceptionInInitializerError.h"

namespace java::lang {

VMPtr<ExceptionInInitializerError> ExceptionInInitializerError::init()
{
    Error::init();
    return VMPtr<ExceptionInInitializerError>(this);
}

VMPtr<ExceptionInInitializerError> ExceptionInInitializerError::init(VMPtr<Throwable> thrown)
{
    Error::init();
    exception = thrown;
    return VMPtr<ExceptionInInitializerError>(this);
}

VMPtr<Throwable> ExceptionInInitializerError::getException()
{
    return VMPtr<Throwable>(exception.get());
}

} // namespace java::lang

VM_REGISTER_CLASS(java::lang::ExceptionInInitializerError,
                  "java.lang.ExceptionInInitializerError", "java.lang.Error",
                  "target/winmo/pb_src/j2me/java_lang_ExceptionInInitializerError", nullptr);
