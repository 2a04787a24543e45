#pragma once
// tq.io.resource.ResourcePackExtension: a second, optional byte record per
// entry of the current part. Extension tables, big-endian: one unsigned
// 16-bit size per entry of the loaded tables, then the records back to
// back. They are cleared with the part's tables.

#include <cstdint>

#include "tq/io/resource/ResourcePack.h"

namespace tq::io::resource {

class ResourcePackExtension : public ResourcePack {
    VM_CLASS(ResourcePackExtension, ResourcePack)

    using CharArray = VMArray<char16_t, 1>;

    VMPtr<ResourcePackExtension> init();

    void clearExtension() override;
    // Needs the loaded entry tables (IOException "No pack tables loaded"
    // without them); data ending early throws EOFException.
    void readExtension(VMPtr<java::io::DataInputStream> in) override;
    // Null without extension tables; else a copy of the entry's record.
    virtual VMPtr<ByteArray> getExtensionBytes(int32_t id);
    // Null without extension tables; else a stream over the record.
    virtual VMPtr<java::io::DataInputStream> getExtensionStream(int32_t id);
    // -1 without extension tables.
    virtual int32_t getExtensionSize(int32_t id);
    virtual bool hasExtension();

    // The sum of the record sizes before index; an index beyond the records
    // throws ArrayIndexOutOfBoundsException.
    int32_t getExtensionOffset(int32_t index);

    VMField<ByteArray> extensionData;
    VMField<CharArray> extensionSizes;

private:
    // The entry's index once its part is loaded; -1 without extension
    // tables; an index beyond them throws IOException.
    int32_t extensionIndex(int32_t id);

    VM_FIELDS(extensionData, extensionSizes)
};

} // namespace tq::io::resource
