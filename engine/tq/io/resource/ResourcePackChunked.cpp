#include "tq/io/resource/ResourcePackChunked.h"

#include "java/io/ByteArrayInputStream.h"
#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "java/lang/Exception.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/StringBuffer.h"
#include "java/lang/System.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::io::resource {

using java::io::DataInputStream;
using java::lang::String;
using java::lang::StringBuffer;
using javax::microedition::lcdui::Image;

VMPtr<ResourcePackChunked> ResourcePackChunked::init()
{
    ResourcePackExtension::init();
    return VMPtr<ResourcePackChunked>(this);
}

VMPtr<DataInputStream> ResourcePackChunked::payloadStream(const VMPtr<Chunk>& chunk)
{
    return DataInputStream::newInstance()->init(
        java::io::ByteArrayInputStream::newInstance()->init(chunk->getData()));
}

void ResourcePackChunked::open(VMPtr<DataInputStream> in)
{
    int32_t marker = vm_nonNull(in)->readInt();
    if (marker != Chunk::ID_MARKER) {
        VMPtr<StringBuffer> text =
            StringBuffer::newInstance()->init("Invalid chunked RP file marker, expecting '");
        text->append(Chunk::idToString(Chunk::ID_MARKER))->appendCString("' instead of '");
        text->append(Chunk::idToString(marker))->appendCString("'");
        vm_throwNew<java::io::IOException>(text->toString());
    }
    int32_t version = in->readChar();
    if (version != VERSION) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("Invalid RP version, expecting '");
        text->append(VERSION)->appendCString("' instead of '")->append(version)->appendCString("'");
        vm_throwNew<java::io::IOException>(text->toString());
    }
}

void ResourcePackChunked::readChunks(VMPtr<DataInputStream> in)
{
    int32_t n = vm_nonNull(in)->readChar();
    VMPtr<ChunkArray> table = ChunkArray::newArray(n);
    chunks = table;
    for (int32_t i = 0; i < n; i++)
        table->set(i, Chunk::readChunk(in));
}

VMPtr<Chunk> ResourcePackChunked::findChunk(int32_t id)
{
    VMPtr<ChunkArray> table(chunks);
    if (!table)
        return nullptr;
    for (int32_t i = 0; i < table->length; i++) {
        VMPtr<Chunk> chunk = table->get(i);
        if (chunk && chunk->hasId(id))
            return chunk;
    }
    return nullptr;
}

bool ResourcePackChunked::hasChunk(int32_t id)
{
    return bool(findChunk(id));
}

VMPtr<Chunk> ResourcePackChunked::getChunk(int32_t id)
{
    VMPtr<Chunk> chunk = findChunk(id);
    if (!chunk) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("Missing RP chunk '");
        text->append(Chunk::idToString(id))->appendCString("'");
        vm_throwNew<java::io::IOException>(text->toString());
    }
    return chunk;
}

void ResourcePackChunked::useFileSystem()
{
    inMemory = false;
    fileSystem = vm_cast<ChunkVirtualFileSystemOrganization>(findChunk(Chunk::ID_VFSO));
}

void ResourcePackChunked::loadFileList(int32_t part)
{
    VMPtr<DataInputStream> list = payloadStream(getChunk(Chunk::ID_FSLM));
    inMemory = true;
    int32_t total = list->readInt();
    int32_t m = list->readInt();
    if (total < 0 || m < 0)
        vm_throwNew<java::io::IOException>(_VM_literal("Negative FSLM size"));
    // Every length is checked before the block is made or a file is opened.
    if (m > (list->available() / 4))
        vm_throwNew<java::io::EOFException>();
    VMPtr<IntArray> lengths = IntArray::newArray(m);
    int64_t sum = 0;
    for (int32_t k = 0; k < m; k++) {
        int32_t length = list->readInt();
        if (length < 0)
            vm_throwNew<java::io::IOException>(_VM_literal("Negative FSLM size"));
        lengths->elements()[k] = length;
        sum += length;
    }
    int64_t entries = 0;
    for (int32_t i = 0; i < sizes->length; i++)
        entries += sizes->elements()[i];
    if (sum > total || entries > total)
        vm_throwNew<java::io::IOException>(_VM_literal("FSLM sizes beyond the data block"));
    // The block is the data files' bytes and nothing else, so a damaged
    // total cannot make room for data that is not there.
    if (sum < total)
        vm_throwNew<java::io::IOException>(
            _VM_literal("FSLM data files shorter than the data block"));
    // Each file is read as a block of its own first, so a damaged length
    // fails at the file's end before a large array is made.
    VMPtr<VMArray<int8_t, 2>> files = VMArray<int8_t, 2>::newArray(m);
    for (int32_t k = 1; k <= m; k++) {
        VMPtr<String> name = getFileName(part, k);
        VMPtr<DataInputStream> in = openResource(name);
        if (!in)
            throwNamed("Missing resource pack file ", name);
        try {
            files->set(k - 1, readBlock(in.get(), lengths->elements()[k - 1]));
        } catch (...) {
            closeStream(in);
            throw;
        }
        closeStream(in);
    }
    VMPtr<ByteArray> block = ByteArray::newArray(total);
    for (int32_t k = 0, position = 0; k < m; k++) {
        VMPtr<ByteArray> file = files->get(k);
        java::lang::System::arraycopy(file, 0, block, position, file->length);
        position += file->length;
    }
    data = block;
}

VMPtr<DataInputStream> ResourcePackChunked::openPart(int32_t part)
{
    chunks = nullptr;
    fileSystem = nullptr;
    if (part < 1 || part > 7)
        return ResourcePack::openPart(part);
    VMPtr<String> name = getFileName(part, 0);
    VMPtr<DataInputStream> in = openResource(name);
    if (!in)
        throwNamed("Missing resource pack file ", name);
    try {
        open(in);
        readChunks(in);
        VMPtr<Chunk> header = getChunk(Chunk::ID_RPHE);
        readsData = false;
        readTables(payloadStream(header));
        if (hasChunk(Chunk::ID_VFSO))
            useFileSystem();
        else
            loadFileList(part);
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> e(caught);
        closeStream(in);
        chunks = nullptr;
        rethrowAsRuntime(e.get());
    } catch (...) {
        closeStream(in);
        chunks = nullptr;
        throw;
    }
    closeStream(in);
    chunks = nullptr;
    return nullptr;
}

void ResourcePackChunked::close()
{
    fileSystem = nullptr;
    ResourcePackExtension::close();
}

VMPtr<Image> ResourcePackChunked::getImage(int32_t id, VMPtr<ByteArray> palette)
{
    loadPart(id);
    int32_t index = entryIndex(id);
    VMPtr<ChunkVirtualFileSystemOrganization> files(fileSystem);
    if (!palette && files && files->getOffset(index) == 0) {
        VMPtr<Image> image = Image::createImage(
            getFileName(currentPart, files->getPart(index), files->getExtension(index)));
        if (image)
            return image;
    }
    return ResourcePack::getImage(id, palette);
}

VMPtr<String> ResourcePackChunked::getEntryFileName(int32_t id)
{
    loadPart(id);
    VMPtr<ChunkVirtualFileSystemOrganization> files(fileSystem);
    if (!files)
        return ResourcePack::getEntryFileName(id);
    return getFileName(currentPart, files->getPart(id), files->getExtension(id));
}

VMPtr<String> ResourcePackChunked::entryFile(int32_t index, int32_t& skip)
{
    VMPtr<ChunkVirtualFileSystemOrganization> files(fileSystem);
    if (!files)
        return ResourcePack::entryFile(index, skip);
    VMPtr<String> name = getEntryFileName(index);
    skip = files->getOffset(index);
    return name;
}

} // namespace tq::io::resource

VM_REGISTER_CLASS(tq::io::resource::ResourcePackChunked, "tq.io.resource.ResourcePackChunked",
                  "tq.io.resource.ResourcePackExtension",
                  "..\\src\\tq_io_resource_ResourcePackChunked", nullptr);
