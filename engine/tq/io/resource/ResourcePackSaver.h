#pragma once
// tq.io.resource.ResourcePackSaver: writes entries held in memory as a plain
// resource pack, big-endian: width flag 0x41, 16-bit entry count n, n 32-bit
// lengths, n type bytes, the 32-bit total T, then the entries back to back.

#include <cstdint>

#include "java/lang/Object.h"
#include "vm/VMArray.h"

namespace tq::io::resource {

class ResourcePackSaver : public virtual java::lang::Object {
    VM_CLASS(ResourcePackSaver, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using ByteArrays = VMArray<int8_t, 2>;

    VMPtr<ResourcePackSaver> init() { return VMPtr<ResourcePackSaver>(this); }

    // The pack of entries[0 .. n - 1] with the type bytes of types, where n
    // is types.length. Throws IllegalArgumentException, writing nothing, for
    // more than 65535 entries, fewer than n entry arrays, a null entry, or a
    // pack beyond 2^31 - 1 bytes.
    static VMPtr<ByteArray> save(VMPtr<ByteArrays> entries, VMPtr<ByteArray> types);
};

} // namespace tq::io::resource
