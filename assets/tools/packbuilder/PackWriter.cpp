#include "PackWriter.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "java/io/ByteArrayOutputStream.h"
#include "java/io/DataOutputStream.h"
#include "java/lang/Exception.h"
#include "java/lang/String.h"
#include "vm/VMCString.h"
#include "vm/VMUtf8.h"
#include "tq/io/resource/Chunk.h"
#include "tq/io/resource/ChunkVirtualFileSystemOrganization.h"
#include "tq/io/resource/ResourcePackChunked.h"
#include "tq/io/resource/ResourcePackSaver.h"

namespace packbuilder {

using tq::io::resource::Chunk;
using ByteArray = VMArray<int8_t, 1>;
using ByteArrays = VMArray<int8_t, 2>;

namespace {

struct Encoded {
    const ManifestEntry* entry;
    std::vector<uint8_t> bytes;
};

VMPtr<ByteArray> toVM(const std::vector<uint8_t>& bytes)
{
    VMPtr<ByteArray> array = ByteArray::newArray(int32_t(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(array->elements()));
    return array;
}

std::vector<uint8_t> fromVM(const VMPtr<ByteArray>& array)
{
    const uint8_t* p = reinterpret_cast<const uint8_t*>(array->elements());
    return std::vector<uint8_t>(p, p + array->length);
}

// Writes through a temporary file and a rename, so a reader never sees half
// a file.
void writeFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes)
{
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out.flush())
            throw BuildError("cannot write " + temporary.string());
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error)
        throw BuildError("cannot write " + file.string() + ": " + error.message());
}

std::string partFile(int part, int fileNumber, const std::string& extension)
{
    std::string name = "RP" + std::to_string(part);
    if (fileNumber != -1)
        name += "part" + std::to_string(fileNumber);
    return name + "." + extension;
}

std::string textOf(const VMPtr<java::lang::String>& text)
{
    VMCString bytes;
    _VM_stringToCString(text, &bytes);
    return bytes.text() ? bytes.text() : "";
}

std::string extensionOf(int8_t code)
{
    VMPtr<java::lang::String> text =
        vm_cast<java::lang::String>(
            tq::io::resource::ChunkVirtualFileSystemOrganization::getExtensionTable()->get(code));
    return text ? textOf(text) : "rp";
}

std::string where(const ManifestEntry& entry, const std::filesystem::path& manifest)
{
    return manifest.string() + ":" + std::to_string(entry.line) + ": " + entry.name + ": ";
}

std::vector<Encoded> encodePart(const ManifestPart& part, const std::filesystem::path& manifest,
                                const std::map<std::string, int32_t>& identifiers,
                                std::vector<std::filesystem::path>& inputs,
                                std::vector<HeaderConstant>* constants)
{
    std::vector<Encoded> encoded;
    for (size_t i = 0; i < part.entries.size(); i++) {
        const ManifestEntry& entry = part.entries[i];
        EntryContext context{entry.name, entry.source, entry.options, &inputs,
                             part.number << 10 | int32_t(i), &identifiers, constants};
        try {
            encoded.push_back({&entry, entry.type->encode(context)});
        } catch (const BuildError& e) {
            throw BuildError(where(entry, manifest) + e.what());
        }
        if (encoded.back().bytes.size() > size_t(INT32_MAX))
            throw BuildError(where(entry, manifest) + "entry larger than 2 GB");
    }
    return encoded;
}

void writePlainPart(const ManifestPart& part, const std::vector<Encoded>& encoded,
                    const std::filesystem::path& folder)
{
    int32_t n = int32_t(encoded.size());
    VMPtr<ByteArrays> entries = ByteArrays::newArray(n);
    VMPtr<ByteArray> types = ByteArray::newArray(n);
    for (int32_t i = 0; i < n; i++) {
        entries->set(i, toVM(encoded[size_t(i)].bytes));
        (*types)[i] = encoded[size_t(i)].entry->type->code;
    }
    writeFile(folder / partFile(part.number, -1, "rp"),
              fromVM(tq::io::resource::ResourcePackSaver::save(entries, types)));
}

void writeChunkedPart(const ManifestPart& part, const std::vector<Encoded>& encoded,
                      const std::filesystem::path& folder)
{
    // Data files: own-file types one each, the rest one file per extension.
    struct DataFile {
        std::string extension;
        std::vector<uint8_t> bytes;
    };
    std::vector<DataFile> files;
    std::map<std::string, size_t> shared;
    struct Row {
        int8_t code;
        int32_t file;
        int32_t offset;
    };
    std::vector<Row> rows;
    for (const Encoded& e : encoded) {
        const EntryType* type = e.entry->type;
        std::string extension = extensionOf(type->code);
        size_t index;
        if (type->ownFile) {
            index = files.size();
            files.push_back({extension, {}});
        } else if (auto it = shared.find(extension); it != shared.end()) {
            index = it->second;
        } else {
            index = files.size();
            shared[extension] = index;
            files.push_back({extension, {}});
        }
        DataFile& file = files[index];
        if (file.bytes.size() + e.bytes.size() > size_t(INT32_MAX))
            throw BuildError("part " + std::to_string(part.number) + ": data file beyond 2 GB");
        rows.push_back({type->code, int32_t(index + 1), int32_t(file.bytes.size())});
        file.bytes.insert(file.bytes.end(), e.bytes.begin(), e.bytes.end());
    }
    if (files.size() > 0xFFFF)
        throw BuildError("part " + std::to_string(part.number) + ": more than 65535 data files");

    VMPtr<Chunk> header = Chunk::newInstance()->init(Chunk::ID_RPHE);
    VMPtr<java::io::DataOutputStream> out = header->getOutputStream();
    out->write(0x41);
    out->writeChar(int32_t(encoded.size()));
    for (const Encoded& e : encoded)
        out->writeInt(int32_t(e.bytes.size()));
    for (const Encoded& e : encoded)
        out->write(e.entry->type->code);

    VMPtr<Chunk> table = Chunk::newInstance()->init(Chunk::ID_VFSO);
    out = table->getOutputStream();
    out->writeInt(0);
    out->writeInt(int32_t(rows.size()));
    for (const Row& row : rows) {
        out->write(row.code);
        out->write(0);
        out->writeChar(row.file);
        out->writeInt(row.offset);
        out->writeInt(0);
    }

    VMPtr<java::io::ByteArrayOutputStream> bytes = java::io::ByteArrayOutputStream::newInstance()->init();
    out = java::io::DataOutputStream::newInstance()->init(bytes);
    out->writeInt(Chunk::ID_MARKER);
    out->writeChar(tq::io::resource::ResourcePackChunked::VERSION);
    out->writeChar(2);
    table->write(out);
    header->write(out);

    for (size_t i = 0; i < files.size(); i++)
        writeFile(folder / partFile(part.number, int(i + 1), files[i].extension), files[i].bytes);
    // The main file last: a reader finds either the old part or the whole new one.
    writeFile(folder / partFile(part.number, 0, "rp"), fromVM(bytes->toByteArray()));
}

} // namespace

void writePack(const Manifest& manifest, const std::filesystem::path& outputFolder,
               std::vector<std::filesystem::path>& inputs, std::vector<HeaderConstant>* constants)
{
    std::error_code error;
    std::filesystem::create_directories(outputFolder, error);
    if (error)
        throw BuildError("cannot make " + outputFolder.string() + ": " + error.message());
    std::map<std::string, int32_t> identifiers;
    for (const ManifestPart& part : manifest.parts) {
        for (size_t i = 0; i < part.entries.size(); i++) {
            if (!part.entries[i].isEmpty())
                identifiers[part.entries[i].name] = part.number << 10 | int32_t(i);
        }
    }
    try {
        for (const ManifestPart& part : manifest.parts) {
            std::vector<Encoded> encoded = encodePart(part, manifest.file, identifiers, inputs, constants);
            if (part.chunked)
                writeChunkedPart(part, encoded, outputFolder);
            else
                writePlainPart(part, encoded, outputFolder);
        }
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Exception> e(caught);
        VMPtr<java::lang::String> message = e->getMessage();
        throw BuildError(manifest.file.string() + ": " +
                         (message ? textOf(message) : std::string("writer failed")));
    }
}

std::string identifierHeader(const Manifest& manifest, const std::vector<HeaderConstant>& constants)
{
    std::ostringstream text;
    text << "#pragma once\n// Resource identifiers of " << manifest.file.filename().string()
         << ", written by the pack builder.\n\n#include <cstdint>\n\nnamespace "
         << manifest.identifierNamespace << " {\n\n";
    for (const ManifestPart& part : manifest.parts) {
        for (size_t i = 0; i < part.entries.size(); i++) {
            const ManifestEntry& entry = part.entries[i];
            if (entry.isEmpty())
                continue;
            char id[16];
            std::snprintf(id, sizeof id, "0x%04X", unsigned((part.number << 10) | int(i)));
            text << "constexpr int32_t " << entry.name << " = " << id << "; // part "
                 << part.number << ", " << entry.type->name << "\n";
        }
    }
    std::string entry;
    for (const HeaderConstant& constant : constants) {
        if (constant.entry != entry) {
            entry = constant.entry;
            text << "\n// " << entry << "\n";
        }
        text << "constexpr int32_t " << constant.name << " = " << constant.value << ";\n";
    }
    text << "\n} // namespace " << manifest.identifierNamespace << "\n";

    // The same names as X(name, value) lists, for classes that hold them as
    // their own constants: <NS>_PART<n>_ENTRIES for a part's entries and
    // <NS>_<ENTRY>_CONSTANTS for each entry's added constants (empty when it
    // added none), named without the entry's prefix.
    std::string prefix;
    for (char c : manifest.identifierNamespace)
        prefix += std::isalnum(static_cast<unsigned char>(c))
                      ? char(std::toupper(static_cast<unsigned char>(c)))
                      : '_';
    for (const ManifestPart& part : manifest.parts) {
        text << "\n#define " << prefix << "_PART" << part.number << "_ENTRIES(X)";
        for (size_t i = 0; i < part.entries.size(); i++) {
            if (!part.entries[i].isEmpty())
                text << " \\\n    X(" << part.entries[i].name << ", "
                     << ((part.number << 10) | int(i)) << ")";
        }
        text << "\n\n";
    }
    for (const ManifestPart& part : manifest.parts) {
        for (const ManifestEntry& item : part.entries) {
            if (item.isEmpty())
                continue;
            text << "#define " << prefix << "_" << item.name << "_CONSTANTS(X)";
            std::string own = item.name + "_";
            for (const HeaderConstant& constant : constants) {
                if (constant.entry != item.name)
                    continue;
                std::string name = constant.name;
                if (name.compare(0, own.size(), own) == 0 && name.size() > own.size() &&
                    !std::isdigit(static_cast<unsigned char>(name[own.size()])))
                    name.erase(0, own.size());
                text << " \\\n    X(" << name << ", " << constant.value << ")";
            }
            text << "\n";
        }
    }
    return text.str();
}

void writeFileIfChanged(const std::filesystem::path& file, const std::string& content)
{
    std::ifstream in(file, std::ios::binary);
    if (in && std::string(std::istreambuf_iterator<char>(in), {}) == content)
        return;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path());
    writeFile(file, std::vector<uint8_t>(content.begin(), content.end()));
}

} // namespace packbuilder
