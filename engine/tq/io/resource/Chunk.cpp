#include "tq/io/resource/Chunk.h"

#include <algorithm>

#include "java/io/IOException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "tq/io/resource/ChunkVirtualFileSystemOrganization.h"
#include "vm/VMException.h"

namespace tq::io::resource {

using java::io::DataInputStream;
using java::io::DataOutputStream;

void Chunk::makePayload(int32_t chunkId)
{
    payload = java::io::ByteArrayOutputStream::newInstance()->init();
    writer = DataOutputStream::newInstance()->init(VMPtr<java::io::ByteArrayOutputStream>(payload));
    id = chunkId;
}

VMPtr<Chunk> Chunk::init(int32_t chunkId)
{
    makePayload(chunkId);
    return VMPtr<Chunk>(this);
}

VMPtr<Chunk> Chunk::init(int32_t chunkId, VMPtr<DataInputStream> in)
{
    readBody(chunkId, vm_nonNull(in));
    return VMPtr<Chunk>(this);
}

void Chunk::readBody(int32_t chunkId, DataInputStream* in)
{
    VMPtr<DataInputStream> source(in);
    makePayload(chunkId);
    int32_t length = source->readInt();
    value = source->readInt();
    if (length < 0) {
        VMPtr<java::lang::StringBuffer> text = java::lang::StringBuffer::newInstance()->init();
        text->appendCString("Negative RP chunk length ")->append(length);
        vm_throwNew<java::io::IOException>(text->toString());
    }
    // Read in pieces: a length beyond the data ends in EOFException without
    // first allocating the whole claimed size.
    VMPtr<ByteArray> piece = ByteArray::newArray(std::min(length, 65536));
    VMPtr<DataOutputStream> out(writer);
    for (int32_t left = length; left > 0;) {
        int32_t n = std::min(left, piece->length);
        source->readFully(piece, 0, n);
        out->write(piece, 0, n);
        left -= n;
    }
}

void Chunk::write(VMPtr<DataOutputStream> out)
{
    vm_nonNull(out)->writeInt(id);
    out->writeInt(getLength());
    out->writeInt(value);
    out->write(getData());
}

bool Chunk::hasId(int32_t other)
{
    return other == id;
}

VMPtr<Chunk::ByteArray> Chunk::getData()
{
    return payload->toByteArray();
}

int32_t Chunk::getLength()
{
    return payload->size();
}

void Chunk::setValue(int32_t v)
{
    value = v;
}

int32_t Chunk::getValue()
{
    return value;
}

VMPtr<Chunk::ByteArray> Chunk::toByteArray()
{
    VMPtr<java::io::ByteArrayOutputStream> bytes = java::io::ByteArrayOutputStream::newInstance()->init();
    write(DataOutputStream::newInstance()->init(bytes));
    return bytes->toByteArray();
}

VMPtr<DataOutputStream> Chunk::getOutputStream()
{
    return VMPtr<DataOutputStream>(writer);
}

VMPtr<Chunk> Chunk::readChunk(VMPtr<DataInputStream> in)
{
    int32_t chunkId = vm_nonNull(in)->readInt();
    if (chunkId == ID_VFSO)
        return ChunkVirtualFileSystemOrganization::newInstance()->init(in);
    if (chunkId == ID_RPHE || chunkId == ID_FSLM)
        return newInstance()->init(chunkId, in);
    VMPtr<java::lang::StringBuffer> text = java::lang::StringBuffer::newInstance()->init();
    text->appendCString("Unknown RP chunk id '")->append(idToString(chunkId))->appendCString("'");
    vm_throwNew<java::io::IOException>(text->toString());
}

VMPtr<java::lang::String> Chunk::idToString(int32_t chunkId)
{
    VMPtr<ByteArray> bytes = ByteArray::newArray(4);
    for (int32_t k = 0; k < 4; k++)
        (*bytes)[k] = int8_t(uint32_t(chunkId) >> (8 * k));
    return java::lang::String::newInstance()->init(bytes);
}

} // namespace tq::io::resource

VM_REGISTER_CLASS_NO_CREATOR(tq::io::resource::Chunk, "tq.io.resource.Chunk", "java.lang.Object",
                             "..\\src\\tq_io_resource_Chunk", nullptr);
