#include "tq/io/resource/ResourcePackSaver.h"

#include "java/io/ByteArrayOutputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "java/lang/System.h"
#include "vm/VMException.h"
#include "vm/VMStringLiterals.h"

namespace tq::io::resource {

namespace {

[[noreturn]] void refuse(const char* why)
{
    vm_throwNew<java::lang::IllegalArgumentException>(_VM_literal(why));
}

} // namespace

VMPtr<ResourcePackSaver::ByteArray> ResourcePackSaver::save(VMPtr<ByteArrays> entries,
                                                            VMPtr<ByteArray> types)
{
    int32_t n = vm_nonNull(types)->length;
    if (n > 65535)
        refuse("More than 65535 pack entries");
    if (vm_nonNull(entries)->length < n)
        refuse("Fewer pack entries than type bytes");
    int32_t headerSize = 5 * n + 7;
    int64_t total = 0;
    for (int32_t i = 0; i < n; i++) {
        VMPtr<ByteArray> entry = entries->get(i);
        if (!entry)
            refuse("Null pack entry");
        total += entry->length;
    }
    if (total + headerSize > INT32_MAX)
        refuse("Pack larger than 2^31 - 1 bytes");

    VMPtr<java::io::ByteArrayOutputStream> bytes =
        java::io::ByteArrayOutputStream::newInstance()->init(headerSize);
    VMPtr<java::io::DataOutputStream> out = java::io::DataOutputStream::newInstance()->init(bytes);
    out->write(0x41);
    out->writeChar(n);
    for (int32_t i = 0; i < n; i++)
        out->writeInt(entries->get(i)->length);
    out->write(types);
    out->writeInt(int32_t(total));
    VMPtr<ByteArray> header = bytes->toByteArray();

    VMPtr<ByteArray> result = ByteArray::newArray(int32_t(total) + headerSize);
    java::lang::System::arraycopy(header, 0, result, 0, headerSize);
    int32_t offset = headerSize;
    for (int32_t i = 0; i < n; i++) {
        VMPtr<ByteArray> entry = entries->get(i);
        java::lang::System::arraycopy(entry, 0, result, offset, entry->length);
        offset += entry->length;
    }
    return result;
}

} // namespace tq::io::resource

VM_REGISTER_CLASS(tq::io::resource::ResourcePackSaver, "tq.io.resource.ResourcePackSaver",
                  "java.lang.Object", "..\\src\\tq_io_resource_ResourcePackSaver", nullptr);
