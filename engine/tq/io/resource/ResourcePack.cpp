#include "tq/io/resource/ResourcePack.h"

#include <algorithm>
#include <vector>

#include "java/io/EOFException.h"
#include "java/io/IOException.h"
#include "java/lang/Class.h"
#include "java/lang/Exception.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/RuntimeException.h"
#include "java/lang/System.h"
#include "tq/Resources.h"
#include "tq/TqCanvas.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::io::resource {

using java::io::DataInputStream;
using java::lang::String;
using java::lang::StringBuffer;

VMPtr<ResourcePack> ResourcePack::init()
{
    return VMPtr<ResourcePack>(this);
}

void ResourcePack::throwNamed(const char* what, VMPtr<String> name)
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance()->init(what);
    text->append(name);
    vm_throwNew<java::io::IOException>(text->toString());
}

void ResourcePack::rethrowAsRuntime(java::lang::Object* caught)
{
    VMPtr<java::lang::Throwable> e(dynamic_cast<java::lang::Throwable*>(caught));
    vm_throwNew<java::lang::RuntimeException>(e->toString());
}

int32_t ResourcePack::entryIndex(int32_t id)
{
    int32_t index = id & 1023;
    if (!sizes || index >= sizes->length) {
        VMPtr<StringBuffer> text = StringBuffer::newInstance()->init("No pack entry ");
        text->append(index);
        vm_throwNew<java::io::IOException>(text->toString());
    }
    return index;
}

VMPtr<ResourcePack::ByteArray> ResourcePack::readBlock(DataInputStream* in, int32_t length)
{
    VMPtr<DataInputStream> source(in);
    if (length < 0)
        vm_throwNew<java::io::IOException>(_VM_literal("Negative pack data length"));
    constexpr int32_t piece = 1 << 20;
    if (length <= piece) {
        VMPtr<ByteArray> block = ByteArray::newArray(length);
        source->readFully(block);
        return block;
    }
    // Large blocks arrive piece by piece before the final array is made, so
    // a damaged length fails at the end of the data, not in the allocator.
    std::vector<int8_t> bytes;
    VMPtr<ByteArray> buffer = ByteArray::newArray(piece);
    for (int32_t left = length; left > 0;) {
        int32_t n = std::min(left, piece);
        source->readFully(buffer, 0, n);
        bytes.insert(bytes.end(), buffer->elements(), buffer->elements() + n);
        left -= n;
    }
    VMPtr<ByteArray> block = ByteArray::newArray(length);
    std::copy(bytes.begin(), bytes.end(), block->elements());
    return block;
}

void ResourcePack::closeStream(VMPtr<DataInputStream> in)
{
    try {
        if (in)
            in->close();
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> dropped(caught);
    }
}

void ResourcePack::close()
{
    types = nullptr;
    sizes = nullptr;
    data = nullptr;
    currentPart = -1;
    clearExtension();
}

bool ResourcePack::readTables(VMPtr<DataInputStream> in)
{
    close();
    currentPart = 0;
    int32_t width = (vm_nonNull(in)->read() & 1) ? 4 : 2;
    int32_t count = in->readChar();
    VMPtr<ByteArray> raw = ByteArray::newArray(count * width);
    in->readFully(raw);
    VMPtr<IntArray> entrySizes = IntArray::newArray(count);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(raw->elements());
    int64_t total = 0;
    for (int32_t i = 0; i < count; i++) {
        uint32_t size = 0;
        for (int32_t k = 0; k < width; k++)
            size = (size << 8) | *p++;
        if (size > uint32_t(INT32_MAX))
            vm_throwNew<java::io::IOException>(_VM_literal("Pack entry size out of range"));
        entrySizes->elements()[i] = int32_t(size);
        total += size;
    }
    VMPtr<ByteArray> entryTypes = ByteArray::newArray(count);
    in->readFully(entryTypes);
    VMPtr<ByteArray> block;
    if (readsData) {
        int32_t length = in->readInt();
        if (length >= 0 && total > length)
            vm_throwNew<java::io::IOException>(_VM_literal("Pack entries beyond the data block"));
        block = readBlock(in.get(), length);
    }
    sizes = entrySizes;
    types = entryTypes;
    data = block;
    return true;
}

bool ResourcePack::readFrom(VMPtr<DataInputStream> in, bool keepMode)
{
    if (!in) {
        close();
        return false;
    }
    if (!keepMode) {
        inMemory = true;
        readsData = true;
    }
    return readTables(in);
}

void ResourcePack::loadPart(int32_t id)
{
    int32_t part = id >> 10;
    if (part == 0 || part == currentPart)
        return;
    close();
    if (part > 0) {
        VMPtr<DataInputStream> in = openPart(part);
        if (in) {
            try {
                readTables(in);
            } catch (...) {
                close();
                closeStream(in);
                throw;
            }
            in->close();
        }
        currentPart = part;
    }
}

VMPtr<DataInputStream> ResourcePack::openPart(int32_t part)
{
    inMemory = true;
    readsData = true;
    VMPtr<String> name = getFileName(part, -1);
    VMPtr<DataInputStream> in = openResource(name);
    if (!in)
        throwNamed("Missing resource pack file ", name);
    return in;
}

VMPtr<DataInputStream> ResourcePack::openResource(VMPtr<String> name)
{
    VMPtr<java::lang::Object> stream = classRecord()->getResourceAsStream(name);
    if (!stream)
        return nullptr;
    return DataInputStream::newInstance()->init(vm_cast<java::io::InputStream>(stream));
}

VMPtr<String> ResourcePack::getFileName(int32_t part, int32_t fileNumber, VMPtr<String> extension)
{
    VMPtr<StringBuffer> name(nameBuffer);
    if (!name) {
        name = StringBuffer::newInstance()->init(8);
        nameBuffer = name;
    }
    name->setLength(0);
    name->appendCString("/RP");
    tq::TqCanvas::appendNumber(name, part);
    if (fileNumber != -1) {
        name->appendCString("part");
        tq::TqCanvas::appendNumber(name, fileNumber);
    }
    name->appendCString(".");
    if (extension)
        name->append(extension);
    else
        name->appendCString("rp");
    return name->toString();
}

VMPtr<String> ResourcePack::getFileName(int32_t part, int32_t fileNumber)
{
    return getFileName(part, fileNumber, nullptr);
}

VMPtr<String> ResourcePack::getEntryFileName(int32_t id)
{
    if (inMemory)
        return nullptr;
    return getFileName(id >> 10, id & 1023);
}

int32_t ResourcePack::getType(int32_t id)
{
    loadPart(id);
    int32_t index = entryIndex(id);
    return types->elements()[index];
}

int32_t ResourcePack::getSize(int32_t id)
{
    loadPart(id);
    int32_t index = entryIndex(id);
    return sizes->elements()[index];
}

int32_t ResourcePack::getOffset(int32_t id)
{
    loadPart(id);
    int32_t index = entryIndex(id);
    if (!inMemory)
        return 0;
    int32_t offset = 0;
    const int32_t* s = sizes->elements();
    for (int32_t i = 0; i < index; i++)
        offset += s[i];
    return offset;
}

VMPtr<ResourcePack::ByteArray> ResourcePack::getBytes(int32_t id)
{
    loadPart(id);
    int32_t index = entryIndex(id);
    int32_t size = sizes->elements()[index];
    if (!inMemory) {
        // Read as a block, so a size beyond the file fails at its end before
        // a large array is made.
        VMPtr<ByteArray> bytes;
        int32_t skip = 0;
        VMPtr<String> name = entryFile(index, skip);
        readNamedFile(name, skip,
                      [&](const VMPtr<DataInputStream>& in) { bytes = readBlock(in.get(), size); });
        return bytes;
    }
    VMPtr<ByteArray> bytes = ByteArray::newArray(size);
    java::lang::System::arraycopy(VMPtr<ByteArray>(data), getOffset(id), bytes, 0, size);
    return bytes;
}

VMPtr<ResourcePack::ByteArray> ResourcePack::getDataArray(int32_t id)
{
    loadPart(id);
    entryIndex(id);
    if (inMemory)
        return VMPtr<ByteArray>(data);
    return getBytes(id);
}

VMPtr<DataInputStream> ResourcePack::getDataInputStream(int32_t id)
{
    VMPtr<ByteArray> array = getDataArray(id);
    return tq::Resources::openDataStream(array, getOffset(id), getSize(id));
}

int32_t ResourcePack::selectForStaticRead(int32_t id)
{
    VMPtr<ByteArray> array = getDataArray(id);
    tq::TqCanvas::staticInput = array;
    tq::TqCanvas::staticInputPosition = getOffset(id);
    return getSize(id);
}

VMPtr<javax::microedition::lcdui::Image> ResourcePack::getImage(int32_t id, VMPtr<ByteArray> palette)
{
    VMPtr<ByteArray> array = getDataArray(id);
    int32_t offset = getOffset(id);
    tq::Resources::swapPalette(array, offset, palette);
    VMPtr<javax::microedition::lcdui::Image> image;
    try {
        image = tq::Resources::createImage(array, offset, getSize(id));
    } catch (...) {
        tq::Resources::swapPalette(array, offset, palette);
        throw;
    }
    tq::Resources::swapPalette(array, offset, palette);
    return image;
}

VMPtr<String> ResourcePack::entryFile(int32_t index, int32_t& skip)
{
    skip = 0;
    return getFileName(currentPart, index);
}

void ResourcePack::readEntryFile(int32_t index, VMPtr<ByteArray> buffer)
{
    int32_t skip = 0;
    VMPtr<String> name = entryFile(index, skip);
    readNamedFile(name, skip, [&](const VMPtr<DataInputStream>& in) { in->readFully(buffer); });
}

void ResourcePack::readNamedFile(VMPtr<String> name, int32_t skip,
                                 const std::function<void(const VMPtr<DataInputStream>&)>& read)
{
    VMPtr<DataInputStream> in = openResource(name);
    if (!in)
        throwNamed("Missing resource file ", name);
    try {
        if (skip != 0 && in->skipBytes(skip) != skip)
            vm_throwNew<java::io::EOFException>();
        read(in);
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> e(caught);
        closeStream(in);
        rethrowAsRuntime(e.get());
    } catch (...) {
        closeStream(in);
        throw;
    }
    closeStream(in);
}

void ResourcePack::ignoreText(VMPtr<String>) {}

void ResourcePack::clearExtension() {}

void ResourcePack::readExtension(VMPtr<DataInputStream>) {}

} // namespace tq::io::resource

VM_REGISTER_CLASS(tq::io::resource::ResourcePack, "tq.io.resource.ResourcePack", "java.lang.Object",
                  "..\\src\\tq_io_resource_ResourcePack", nullptr);
