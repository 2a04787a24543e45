#include "tq/io/resource/ResourcePackExtension.h"

#include "java/io/IOException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/System.h"
#include "tq/Resources.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::io::resource {

using java::io::DataInputStream;

VMPtr<ResourcePackExtension> ResourcePackExtension::init()
{
    ResourcePack::init();
    return VMPtr<ResourcePackExtension>(this);
}

void ResourcePackExtension::clearExtension()
{
    extensionSizes = nullptr;
    extensionData = nullptr;
}

void ResourcePackExtension::readExtension(VMPtr<DataInputStream> in)
{
    if (!sizes)
        vm_throwNew<java::io::IOException>(_VM_literal("No pack tables loaded"));
    int32_t count = sizes->length;
    VMPtr<ByteArray> raw = ByteArray::newArray(2 * count);
    vm_nonNull(in)->readFully(raw);
    VMPtr<CharArray> recordSizes = CharArray::newArray(count);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(raw->elements());
    int32_t total = 0;
    for (int32_t i = 0; i < count; i++, p += 2) {
        recordSizes->elements()[i] = char16_t((p[0] << 8) | p[1]);
        total += recordSizes->elements()[i];
    }
    extensionSizes = recordSizes;
    extensionData = readBlock(in.get(), total);
}

int32_t ResourcePackExtension::extensionIndex(int32_t id)
{
    loadPart(id);
    if (!extensionData || !extensionSizes)
        return -1;
    int32_t index = entryIndex(id);
    if (index >= extensionSizes->length)
        vm_throwNew<java::io::IOException>(_VM_literal("No extension record"));
    return index;
}

int32_t ResourcePackExtension::getExtensionOffset(int32_t index)
{
    // Checked reads: an index beyond the records throws instead of summing
    // past the table.
    VMPtr<CharArray> recordSizes(extensionSizes);
    int32_t offset = 0;
    for (int32_t i = 0; i < index; i++)
        offset += (*recordSizes)[i];
    return offset;
}

VMPtr<ResourcePackExtension::ByteArray> ResourcePackExtension::getExtensionBytes(int32_t id)
{
    int32_t index = extensionIndex(id);
    if (index < 0)
        return nullptr;
    VMPtr<ByteArray> bytes = ByteArray::newArray(extensionSizes->elements()[index]);
    java::lang::System::arraycopy(VMPtr<ByteArray>(extensionData), getExtensionOffset(index), bytes,
                                  0, bytes->length);
    return bytes;
}

VMPtr<DataInputStream> ResourcePackExtension::getExtensionStream(int32_t id)
{
    int32_t index = extensionIndex(id);
    if (index < 0)
        return nullptr;
    return tq::Resources::openDataStream(VMPtr<ByteArray>(extensionData), getExtensionOffset(index),
                                         extensionSizes->elements()[index]);
}

int32_t ResourcePackExtension::getExtensionSize(int32_t id)
{
    int32_t index = extensionIndex(id);
    return index < 0 ? -1 : extensionSizes->elements()[index];
}

bool ResourcePackExtension::hasExtension()
{
    return bool(extensionData);
}

} // namespace tq::io::resource

VM_REGISTER_CLASS(tq::io::resource::ResourcePackExtension, "tq.io.resource.ResourcePackExtension",
                  "tq.io.resource.ResourcePack", "..\\src\\tq_io_resource_ResourcePackExtension",
                  nullptr);
