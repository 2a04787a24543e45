#pragma once
// Reading a resource pack's entries, shared by the pack targets.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "java/io/DataInputStream.h"
#include "java/lang/Throwable.h"
#include "tq/io/resource/ResourcePack.h"

// The bytes of the first entries of the pack's part, each checked against its
// size and its stream, until one throws (the exception passes on).
inline void vxfuzz_readPackEntries(const VMPtr<tq::io::resource::ResourcePack>& pack, int32_t part,
                                   std::vector<std::string>* read = nullptr)
{
    constexpr int32_t kMaxEntries = 64;
    for (int32_t i = 0; i < kMaxEntries; i++) {
        int32_t id = (part << 10) | i;
        VMPtr<VMArray<int8_t, 1>> bytes = pack->getBytes(id);
        VXFUZZ_CHECK(bytes->length == pack->getSize(id), "entry length");
        pack->getType(id);
        VMPtr<java::io::DataInputStream> in = pack->getDataInputStream(id);
        VXFUZZ_CHECK(in->available() == bytes->length, "stream length");
        if (read)
            read->emplace_back(reinterpret_cast<const char*>(bytes->elements()), size_t(bytes->length));
    }
}

// What reading a pack may throw: IOException, its end-of-file kind, or the
// RuntimeException that carries a failure while a chunked part is read.
inline void vxfuzz_checkPackThrown(java::lang::Throwable* caught)
{
    std::string name = vxfuzz_thrownClass(caught);
    VXFUZZ_CHECK(name == "java.io.IOException" || name == "java.io.EOFException" ||
                     name == "java.lang.RuntimeException",
                 name);
}
