#pragma once
// Byte arrays of the VM to and from std::vector, and big-endian building,
// for the engine's reader and writer tests.

#include <cstdint>
#include <string>
#include <vector>

#include "java/io/ByteArrayInputStream.h"
#include "java/io/DataInputStream.h"
#include "vm/VMArray.h"

using Bytes = std::vector<uint8_t>;
using VMByteArray = VMArray<int8_t, 1>;

inline VMPtr<VMByteArray> vmBytes(const Bytes& b)
{
    VMPtr<VMByteArray> a = VMByteArray::newArray(int32_t(b.size()));
    for (size_t i = 0; i < b.size(); i++)
        (*a)[int32_t(i)] = int8_t(b[i]);
    return a;
}

inline VMPtr<VMByteArray> vmBytes(const std::string& b)
{
    return vmBytes(Bytes(b.begin(), b.end()));
}

inline Bytes bytesOf(const VMPtr<VMByteArray>& a)
{
    const uint8_t* p = reinterpret_cast<const uint8_t*>(a->elements());
    return Bytes(p, p + a->length);
}

inline void putInt(Bytes& b, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(uint8_t(v >> shift));
}

// A data stream over a copy of the bytes.
inline VMPtr<java::io::DataInputStream> vmDataStream(const Bytes& b)
{
    return java::io::DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(vmBytes(b)));
}
