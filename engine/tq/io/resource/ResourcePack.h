#pragma once
// tq.io.resource.ResourcePack: a pack's entry tables, one part at a time.
// A resource id is (part << 10) | index. Part 0 is never loaded (its tables
// come from a given stream); other parts are loaded on demand from the file
// "/RP" part ".rp" of the application's resources.
//
// Entry tables, big-endian: width flag (bit 0: 4-byte sizes, else 2), an
// unsigned 16-bit count c, c unsigned sizes, c type bytes; with readsData
// the int32 total and the data block follow. In in-memory mode entries are
// slices of the data block; otherwise each is read from a file of its own.
//
// Every lookup checks its index against the loaded tables: an index at or
// beyond the count, or no tables, throws IOException "No pack entry <n>".

#include <cstdint>
#include <functional>

#include "java/io/DataInputStream.h"
#include "java/lang/StringBuffer.h"
#include "javax/microedition/lcdui/Image.h"

namespace tq::io::resource {

class ResourcePack : public virtual java::lang::Object {
    VM_CLASS(ResourcePack, java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;

    VMPtr<ResourcePack> init();

    // The entry decoded as a picture; a non-null palette replaces the PNG's
    // for the decoding only (both arrays are restored).
    virtual VMPtr<javax::microedition::lcdui::Image> getImage(int32_t id, VMPtr<ByteArray> palette);
    // Drops the tables; no part is current.
    virtual void close();
    // A copy of the entry's bytes. In separate-file mode a size beyond the
    // entry's file fails at the file's end, before a large array is made.
    virtual VMPtr<ByteArray> getBytes(int32_t id);
    // Null in in-memory mode; else the entry's own file name.
    virtual VMPtr<java::lang::String> getEntryFileName(int32_t id);
    // "/RP" part ["part" fileNumber unless -1] "." (extension or "rp").
    virtual VMPtr<java::lang::String> getFileName(int32_t part, int32_t fileNumber,
                                                  VMPtr<java::lang::String> extension);
    virtual VMPtr<java::lang::String> getFileName(int32_t part, int32_t fileNumber);
    // Replaces the tables with those of the stream (part 0 current). Damaged
    // tables throw IOException (EOFException when they end early) and leave
    // the pack closed.
    virtual bool readTables(VMPtr<java::io::DataInputStream> in);
    // Makes part id >> 10 current unless it is 0 or current already.
    virtual void loadPart(int32_t id);
    // A stream over the entry's bytes.
    virtual VMPtr<java::io::DataInputStream> getDataInputStream(int32_t id);
    // Points the canvas's static input buffer at the entry; its size.
    virtual int32_t selectForStaticRead(int32_t id);
    // Fills buffer from the entry's own file; read failures become
    // RuntimeException with the failure's text.
    virtual void readEntryFile(int32_t index, VMPtr<ByteArray> buffer);
    virtual int32_t getType(int32_t id);
    // Opens "/RP" part ".rp" in in-memory mode with its data block. A
    // missing file throws IOException naming it.
    virtual VMPtr<java::io::DataInputStream> openPart(int32_t part);
    // The named resource, or null when there is none.
    virtual VMPtr<java::io::DataInputStream> openResource(VMPtr<java::lang::String> name);
    // The data block in in-memory mode, else the entry's bytes.
    virtual VMPtr<ByteArray> getDataArray(int32_t id);
    virtual int32_t getSize(int32_t id);
    // Offset of the entry in getDataArray.
    virtual int32_t getOffset(int32_t id);
    virtual void ignoreText(VMPtr<java::lang::String> text);
    virtual void clearExtension();
    virtual void readExtension(VMPtr<java::io::DataInputStream> in);

    // Tables from a given stream; null closes the pack and answers false.
    // keepMode false switches to in-memory mode with the data block.
    bool readFrom(VMPtr<java::io::DataInputStream> in, bool keepMode);

    VMField<ByteArray> types;
    VMField<IntArray> sizes;
    VMField<ByteArray> data;
    bool inMemory = false;
    bool readsData = false;

    // -1 none, 0 tables from a given stream, else the part loaded.
    static inline int32_t currentPart = -1;
    VM_STATIC(java::lang::StringBuffer, nameBuffer);

protected:
    // The index of id within the loaded tables; throws when there is none.
    int32_t entryIndex(int32_t id);
    // length bytes read whole; a length beyond the data fails before a
    // large allocation.
    static VMPtr<ByteArray> readBlock(java::io::DataInputStream* in, int32_t length);
    // Closes in (null: nothing), dropping an exception of the close.
    static void closeStream(VMPtr<java::io::DataInputStream> in);
    // IOException "<what><name>".
    [[noreturn]] static void throwNamed(const char* what, VMPtr<java::lang::String> name);
    // The file that holds entry index in separate-file mode, with in skip
    // the bytes before the entry there.
    virtual VMPtr<java::lang::String> entryFile(int32_t index, int32_t& skip);
    // Runs read on the named resource after skipping skip bytes: a missing
    // file throws IOException "Missing resource file <name>", read failures
    // RuntimeException with the failure's text; the file is closed.
    void readNamedFile(VMPtr<java::lang::String> name, int32_t skip,
                       const std::function<void(const VMPtr<java::io::DataInputStream>&)>& read);
    // The RuntimeException that carries the text of a caught exception.
    [[noreturn]] static void rethrowAsRuntime(java::lang::Object* caught);

    VM_FIELDS(types, sizes, data)
};

} // namespace tq::io::resource
