// The record-store readers: a store folder made of arbitrary files (metadata,
// records, leftovers of changes cut short, foreign names) either opens as a
// consistent store whose every record reads back within the room given, or
// is refused with the damaged-store status and left as it was. The metadata
// decoder also round-trips every file it accepts.
//
// Input (text-friendly, so seeds stay readable): a first byte with the
// number of files (low 3 bits); per file a name byte ('a' to 'o' pick from
// kNames, anything else takes up to 12 input bytes mapped to file-name
// characters), a length byte ('0' plus the length from '0' on, else the
// byte itself), then the content.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "hal/HALRecordStore.h"
#include "hal/properties.h"
#include "hal/recordstore.h"
#include "support/AppFolder.h"

namespace {

namespace fs = std::filesystem;

const char* const kNames[] = {
    "metadata.info",  "record-1.bin",  "record-2.bin",   "record-3.bin",
    "record-10.bin",  "~put-1-1.tmp",  "~put-2-2.tmp",   "~put-4-1.tmp",
    "~del-1-1.tmp",   "~del-2-2.tmp",  "~metadata.tmp",  "record-01.bin",
    "record-0.bin",   "~put-3-4294967295.tmp",           "record-2147483647.bin",
};
constexpr size_t kNameCount = sizeof(kNames) / sizeof(kNames[0]);

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint8_t byte() { return at < size ? data[at++] : 0; }
    std::string bytes(size_t count)
    {
        count = std::min(count, size - at);
        std::string out(reinterpret_cast<const char*>(data + at), count);
        at += count;
        return out;
    }
};

std::string nameFrom(Reader& in, uint8_t choice)
{
    if (choice >= 'a' && size_t(choice - 'a') < kNameCount)
        return kNames[choice - 'a'];
    static const char kChars[] = "record-~putdel0123456789.binfotmp";
    std::string name;
    for (size_t n = choice % 13; n > 0; --n)
        name += kChars[in.byte() % (sizeof(kChars) - 1)];
    return name.empty() || name == "." || name == ".." ? "x" : name;
}

std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

void checkMetadataRoundTrip(const uint8_t* data, size_t size)
{
    HALRecordStore::Metadata words;
    if (!HALRecordStore::decodeMetadata(data, size, &words))
        return;
    uint8_t again[HALRecordStore::kMetadataBytes];
    HALRecordStore::encodeMetadata(words, again);
    VXFUZZ_CHECK(std::memcmp(again, data, sizeof(again)) == 0, "metadata does not round-trip");
}

// Every record of an open store reads back whole within exact room, and
// not at all within less.
void checkOpenStore(HALRecordStore* store)
{
    int32_t count = -1, nextId = -1;
    VXFUZZ_CHECK(HAL_getNumRecords(store, &count) == 0, "no count");
    VXFUZZ_CHECK(HAL_getNextRecordID(store, &nextId) == 0, "no next id");
    int32_t listed = 0;
    int32_t previous = 0;
    for (int32_t id = 0; HAL_getNthRecordID(store, listed + 1, &id) == 0; ++listed) {
        VXFUZZ_CHECK(id > previous && id < nextId, "ids out of order or not below the next id");
        previous = id;
        int32_t size = -1;
        VXFUZZ_CHECK(HAL_getRecordSize(store, id, &size) == 0 && size >= 0, "no size");
        std::vector<int8_t> buffer(size_t(size) + 4, 0x5A);
        int32_t length = size;
        VXFUZZ_CHECK(HAL_getRecord(store, id, buffer.data(), &length) == 0 && length == size,
                     "a listed record does not read");
        for (size_t k = size_t(size); k < buffer.size(); ++k)
            VXFUZZ_CHECK(buffer[k] == 0x5A, "a read wrote past the room given");
        if (size > 0) {
            std::vector<int8_t> small(size_t(size), 0x5A);
            length = size - 1;
            VXFUZZ_CHECK(HAL_getRecord(store, id, small.data(), &length) == 8 && length == size,
                         "a record longer than the room was not refused");
            for (int8_t b : small)
                VXFUZZ_CHECK(b == 0x5A, "a refused read wrote");
        }
    }
    VXFUZZ_CHECK(listed == count, "the count and the record files disagree");
    int32_t id = 0;
    VXFUZZ_CHECK(HAL_addRecord(store, &id, nullptr, 0) == 0 && id == nextId,
                 "an add on an open store failed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const vxtest::AppFolder& app = vxfuzz_appFolder();
    static bool loaded = (HAL_loadProperties(), true);
    (void)loaded;
    checkMetadataRoundTrip(data, size);

    fs::path database = fs::path(app.path()) / "database";
    fs::path folder = database / "store-fuzz";
    fs::remove_all(database);
    fs::create_directories(folder);
    Reader in{data, size};
    for (int files = in.byte() & 7; files > 0; --files) {
        std::string name = nameFrom(in, in.byte());
        uint8_t length = in.byte();
        std::string content = in.bytes(length >= '0' ? length - '0' : length);
        std::ofstream(folder / name, std::ios::binary) << content;
    }

    std::map<std::string, std::string> before = snapshot(folder);
    HALRecordStore* store = nullptr;
    int32_t status = HAL_openRecordStore(&store, u"fuzz", 4, false);
    if (status == 0) {
        checkOpenStore(store);
        HAL_closeRecordStore(store);
    } else {
        VXFUZZ_CHECK(status == 7 && !store, "a store was refused with another status");
        VXFUZZ_CHECK(snapshot(folder) == before, "a refused store was changed");
    }
    return 0;
}
