#include "tq/io/resource/ChunkVirtualFileSystemOrganization.h"

#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::io::resource {

using java::io::DataInputStream;

namespace {

[[noreturn]] void throwCount(const char* what, int32_t value)
{
    VMPtr<java::lang::StringBuffer> text = java::lang::StringBuffer::newInstance()->init();
    text->appendCString(what)->append(value);
    vm_throwNew<java::io::IOException>(text->toString());
}

int32_t bigEndianInt(const uint8_t* at)
{
    return int32_t(uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3]);
}

} // namespace

VMPtr<ChunkVirtualFileSystemOrganization>
ChunkVirtualFileSystemOrganization::init(VMPtr<DataInputStream> in)
{
    readBody(ID_VFSO, vm_nonNull(in));
    VMPtr<ByteArray> data = getData();
    // The table is read from the chunk's bytes directly, big-endian: a count
    // of rows, each a type byte, a pad byte, a 16-bit part, then the offset
    // and the entry's value.
    if (data->length < 8)
        vm_throwNew<java::io::EOFException>();
    const auto* at = reinterpret_cast<const uint8_t*>(data->elements());
    headerValue = bigEndianInt(at);
    int32_t n = bigEndianInt(at + 4);
    if (n < 0)
        throwCount("Negative VFSO entry count ", n);
    if (n > (data->length - 8) / 12)
        vm_throwNew<java::io::EOFException>();
    VMPtr<IntArray> rows = IntArray::newArray(4 * n);
    int32_t* row = rows->elements();
    at += 8;
    for (int32_t i = 0; i < n; i++, row += 4, at += 12) {
        row[0] = int8_t(at[0]);
        row[1] = int32_t(at[2]) << 8 | at[3];
        row[2] = bigEndianInt(at + 4);
        row[3] = bigEndianInt(at + 8);
    }
    entries = rows;
    entryCount = n;
    return VMPtr<ChunkVirtualFileSystemOrganization>(this);
}

int32_t ChunkVirtualFileSystemOrganization::rowOf(int32_t id)
{
    int32_t index = id & 1023;
    if (index >= entryCount)
        throwCount("No VFSO entry ", index);
    return 4 * index;
}

int32_t ChunkVirtualFileSystemOrganization::getType(int32_t id)
{
    return entries->elements()[rowOf(id)];
}

int32_t ChunkVirtualFileSystemOrganization::getPart(int32_t id)
{
    return entries->elements()[rowOf(id) + 1];
}

int32_t ChunkVirtualFileSystemOrganization::getOffset(int32_t id)
{
    return entries->elements()[rowOf(id) + 2];
}

int32_t ChunkVirtualFileSystemOrganization::getEntryValue(int32_t id)
{
    return entries->elements()[rowOf(id) + 3];
}

int32_t ChunkVirtualFileSystemOrganization::getHeaderValue()
{
    return headerValue;
}

int32_t ChunkVirtualFileSystemOrganization::getEntryCount()
{
    return entryCount;
}

VMPtr<java::lang::String> ChunkVirtualFileSystemOrganization::getExtension(int32_t id)
{
    int32_t type = getType(id);
    VMPtr<java::lang::Object> value = getExtensionTable()->get(type);
    if (VMPtr<java::lang::String> text = vm_cast<java::lang::String>(value))
        return text;
    return _VM_literal("rp");
}

VMPtr<tq::util::IntHashtable> ChunkVirtualFileSystemOrganization::getExtensionTable()
{
    _VM_clinit();
    if (!extensionTable) {
        static const struct {
            int32_t type;
            const char* extension;
        } rows[] = {
            {0, "mid"},   {1, "wav"},  {2, "mp3"},  {3, "amr"},   {4, "aac"},  {5, "au"},
            {6, "qcp"},   {7, "ott"},  {8, "jts"},  {9, "imy"},   {10, "mmf"}, {11, "cmx"},
            {12, "adp"},  {14, "3gp"}, {15, "3g2"}, {16, "263"},  {17, "264"}, {18, "mpg"},
            {19, "mp4"},  {20, "rv"},  {21, "wmv"}, {22, "mov"},  {23, "wbxml"}, {24, "gif"},
            {25, "caf"},  {26, "ogg"}, {27, "wma"}, {28, "m4a"},  {-1, "rp"},  {-3, "png"},
            {-4, "jpg"},  {-6, "utf"}, {-7, "txt"}, {-12, "rp"},
        };
        VMPtr<tq::util::IntHashtable> table = tq::util::IntHashtable::newInstance()->init(128);
        for (const auto& row : rows)
            table->put(row.type, _VM_literal(row.extension));
        extensionTable = table;
    }
    return VMPtr<tq::util::IntHashtable>(extensionTable);
}

} // namespace tq::io::resource

VM_REGISTER_CLASS_NO_CREATOR(tq::io::resource::ChunkVirtualFileSystemOrganization,
                             "tq.io.resource.ChunkVirtualFileSystemOrganization",
                             "tq.io.resource.Chunk", "..\\src\\tq_io_resource_ChunkVirtualFileSystemOrganization",
                             nullptr);
