#pragma once
// tq.io.resource.Chunk: one tagged chunk of a chunked resource pack, held in
// memory. On disk, big-endian: id, payload length L, chunk value, L payload
// bytes. The payload grows through getOutputStream; write puts the header
// with the current length and the payload back on a stream.

#include <cstdint>

#include "java/io/ByteArrayOutputStream.h"
#include "java/io/DataInputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/lang/String.h"

namespace tq::io::resource {

class Chunk : public virtual java::lang::Object {
    VM_CLASS(Chunk, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;

    // File bytes "%RP%": the marker of a chunked pack file, not a chunk.
    static constexpr int32_t ID_MARKER = 0x25525025;
    static constexpr int32_t ID_VFSO = 0x5646534F;
    static constexpr int32_t ID_FSLM = 0x46534C4D;
    static constexpr int32_t ID_RPHE = 0x52504865;

    // An empty chunk with the id, for writing.
    VMPtr<Chunk> init(int32_t id);
    // Reads length, chunk value and payload of a chunk whose id was read. A
    // negative length throws IOException; data ending early EOFException.
    VMPtr<Chunk> init(int32_t id, VMPtr<java::io::DataInputStream> in);

    // Header (id, current length, value), then the payload.
    virtual void write(VMPtr<java::io::DataOutputStream> out);
    virtual bool hasId(int32_t id);
    // A copy of the payload.
    virtual VMPtr<ByteArray> getData();
    virtual int32_t getLength();
    virtual void setValue(int32_t value);
    // The whole chunk as write puts it.
    virtual VMPtr<ByteArray> toByteArray();
    // Appends to the payload.
    virtual VMPtr<java::io::DataOutputStream> getOutputStream();
    virtual int32_t getValue();

    // The next chunk of in, built by its id (VFSO, RPHe, FSLM); any other id
    // throws IOException "Unknown RP chunk id '<text>'".
    static VMPtr<Chunk> readChunk(VMPtr<java::io::DataInputStream> in);
    // The id's four bytes as characters, LOWEST byte first.
    static VMPtr<java::lang::String> idToString(int32_t id);

    int32_t value = 0;
    VMField<java::io::ByteArrayOutputStream> payload;
    int32_t id = 0;
    VMField<java::io::DataOutputStream> writer;

protected:
    // Reads the body after the id into the payload.
    void readBody(int32_t id, java::io::DataInputStream* in);

private:
    void makePayload(int32_t id);

    VM_FIELDS(payload, writer)
};

} // namespace tq::io::resource
