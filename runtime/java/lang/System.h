#pragma once
// java.lang.System: array copying, system properties, the clock, the console
// streams and exit.

#include <cstdint>

#include "java/lang/Object.h"

namespace java::io { class PrintStream; }

namespace java::lang {

class String;

class System : public virtual Object {
    VM_ABSTRACT_CLASS(System, Object)

    // Copies length elements of src from srcPos to dest from destPos, as if
    // through a temporary array. Null arrays throw NullPointerException; a
    // non-array or arrays of different element types throw
    // ArrayStoreException, as does a reference element that the destination
    // cannot hold (the elements before it stay copied); negative or too long
    // ranges throw ArrayIndexOutOfBoundsException.
    static void arraycopy(VMPtr<Object> src, int32_t srcPos, VMPtr<Object> dest, int32_t destPos,
                          int32_t length);

    // The built-in system properties first, then "sys.prop"; null when
    // neither has the key. A null key throws NullPointerException("key can't
    // be null"), an empty one IllegalArgumentException("key can't be empty").
    static VMPtr<String> getProperty(VMPtr<String> key);
    // Local wall-clock milliseconds since 1970.
    static int64_t currentTimeMillis();
    // Runtime.exit: in this system always SecurityException.
    [[noreturn]] static void exit(int32_t status);

    // The console streams: one PrintStream, so err is the same object as
    // out.
    static VMPtr<java::io::PrintStream> out();
    static VMPtr<java::io::PrintStream> err();
};

} // namespace java::lang
