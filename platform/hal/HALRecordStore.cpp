// The files of one record store: metadata, record files, and the commit
// protocol that keeps a store whole when a change is cut short.

#include "hal/HALRecordStore.h"

#include <algorithm>
#include <new>

#include "hal/device.h"
#include "hal/memory.h"
#include "wince/file.h"
#include "wince/folder.h"

namespace {

constexpr char16_t kMetadataName[] = u"metadata.info";
constexpr char16_t kMetadataTemp[] = u"~metadata.tmp";
constexpr std::u16string_view kRecordPrefix = u"record-";
constexpr std::u16string_view kRecordSuffix = u".bin";
constexpr std::u16string_view kPutPrefix = u"~put-";
constexpr std::u16string_view kDeletePrefix = u"~del-";
constexpr std::u16string_view kTempSuffix = u".tmp";

std::u16string decimal(int64_t value)
{
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// A whole decimal number from `min` to 2^31 - 1 without sign or leading
// zero; min - 1 for anything else.
int64_t parseNumber(std::u16string_view text, int64_t min)
{
    if (text.empty() || text.size() > 10 || (text[0] == u'0' && text.size() > 1)) {
        return min - 1;
    }
    int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return min - 1;
        }
        value = value * 10 + (c - u'0');
    }
    return value >= min && value <= INT32_MAX ? value : min - 1;
}

// A version as written into a temporary name: the word as unsigned decimal.
std::u16string versionText(int32_t version)
{
    return decimal(static_cast<uint32_t>(version));
}

// "<prefix><id>-<version><suffix>": the id and the version word; false for
// any other name.
bool parseLeftover(std::u16string_view name, std::u16string_view prefix, int32_t* id,
                   int32_t* version)
{
    if (name.size() <= prefix.size() + kTempSuffix.size() ||
        name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - kTempSuffix.size()) != kTempSuffix) {
        return false;
    }
    std::u16string_view middle =
        name.substr(prefix.size(), name.size() - prefix.size() - kTempSuffix.size());
    size_t dash = middle.find(u'-');
    if (dash == std::u16string_view::npos) {
        return false;
    }
    int64_t recordId = parseNumber(middle.substr(0, dash), 1);
    std::u16string_view versionPart = middle.substr(dash + 1);
    int64_t versionWord = 0;
    if (versionPart.size() > 10 || versionPart.empty()) {
        return false;
    }
    for (char16_t c : versionPart) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        versionWord = versionWord * 10 + (c - u'0');
    }
    if (recordId < 1 || versionWord > UINT32_MAX) {
        return false;
    }
    *id = static_cast<int32_t>(recordId);
    *version = static_cast<int32_t>(static_cast<uint32_t>(versionWord));
    return true;
}

// Names of the folder's entries that match the pattern and are files.
std::vector<std::u16string> filesMatching(const std::u16string& pattern)
{
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.emplace_back(data.cFileName);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

int32_t now()
{
    return static_cast<int32_t>(HAL_currentTimeMillis());
}

// Opens an existing file for reading; 4 when it does not exist, 7 when it
// cannot be opened.
int32_t openForReading(const std::u16string& path, HANDLE* file)
{
    *file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                        nullptr);
    if (*file != INVALID_HANDLE_VALUE) {
        return 0;
    }
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 4 : 7;
}

// The length of an open file; false beyond 2^31 - 1 bytes.
bool lengthOf(HANDLE file, int32_t* length)
{
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if ((low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) || high != 0 ||
        low > INT32_MAX) {
        return false;
    }
    *length = static_cast<int32_t>(low);
    return true;
}

}  // namespace

// ---- File formats ------------------------------------------------------------

bool HALRecordStore::decodeMetadata(const uint8_t* bytes, size_t length, Metadata* out)
{
    if (!bytes || length != kMetadataBytes) {
        return false;
    }
    int32_t word[5];
    for (int i = 0; i < 5; ++i) {
        const uint8_t* b = bytes + 4 * i;
        word[i] = static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 |
                                       uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    }
    Metadata words{word[0], word[1], word[2], word[3], word[4]};
    if (words.nextId < 1 || words.count < 0) {
        return false;
    }
    *out = words;
    return true;
}

void HALRecordStore::encodeMetadata(const Metadata& words, uint8_t* bytes)
{
    const int32_t word[5] = {words.lastModified, words.version, words.nextId, words.size,
                             words.count};
    for (int i = 0; i < 5; ++i) {
        uint32_t w = static_cast<uint32_t>(word[i]);
        for (int k = 0; k < 4; ++k) {
            bytes[4 * i + k] = static_cast<uint8_t>(w >> (8 * k));
        }
    }
}

int32_t HALRecordStore::parseRecordName(std::u16string_view name)
{
    if (name.size() <= kRecordPrefix.size() + kRecordSuffix.size() ||
        name.substr(0, kRecordPrefix.size()) != kRecordPrefix ||
        name.substr(name.size() - kRecordSuffix.size()) != kRecordSuffix) {
        return 0;
    }
    int64_t id = parseNumber(name.substr(kRecordPrefix.size(), name.size() - kRecordPrefix.size() -
                                                                   kRecordSuffix.size()),
                             1);
    return id < 1 ? 0 : static_cast<int32_t>(id);
}

std::u16string HALRecordStore::recordName(int32_t id)
{
    return std::u16string(kRecordPrefix) + decimal(id) + std::u16string(kRecordSuffix);
}

// ---- Handle ------------------------------------------------------------------

HALRecordStore* HALRecordStore::create(std::u16string_view path)
{
    if (path.size() >= kFolderRoom) {
        return nullptr;
    }
    void* block = HAL_malloc(sizeof(HALRecordStore));
    if (!block) {
        return nullptr;
    }
    auto* store = new (block) HALRecordStore{};
    std::copy(path.begin(), path.end(), store->folder);
    return store;
}

void HALRecordStore::destroy()
{
    this->~HALRecordStore();
    HAL_free(this);
}

std::u16string HALRecordStore::pathOf(std::u16string_view fileName) const
{
    return std::u16string(folder) + std::u16string(fileName);
}

// ---- Reading the folder ---------------------------------------------------------

HALRecordStore::Load HALRecordStore::loadMetadata(Metadata* out) const
{
    HANDLE file = INVALID_HANDLE_VALUE;
    int32_t status = openForReading(pathOf(kMetadataName), &file);
    if (status != 0) {
        return status == 4 ? Load::Missing : Load::Damaged;
    }
    // One byte more than the format, so a longer file is seen as such.
    uint8_t bytes[kMetadataBytes + 1];
    DWORD read = 0;
    BOOL ok = ReadFile(file, bytes, sizeof(bytes), &read, nullptr);
    CloseHandle(file);
    return ok && decodeMetadata(bytes, read, out) ? Load::Ok : Load::Damaged;
}

std::vector<int32_t> HALRecordStore::recordIds() const
{
    std::vector<int32_t> ids;
    for (const std::u16string& name : filesMatching(pathOf(u"record-*.*"))) {
        if (int32_t id = parseRecordName(name)) {
            ids.push_back(id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

HALRecordStore::Metadata HALRecordStore::latest() const
{
    Metadata disk;
    return loadMetadata(&disk) == Load::Ok ? disk : words;
}

HALRecordStore::Metadata HALRecordStore::rebuiltWords(const Metadata* known) const
{
    Metadata rebuilt;
    if (known) {
        rebuilt.version = known->version + 1;
        rebuilt.nextId = known->nextId;
    }
    for (int32_t id : recordIds()) {
        int32_t size = 0;
        if (recordSize(id, &size) == 0) {
            rebuilt.size += size;
        }
        rebuilt.count++;
        rebuilt.nextId = std::max(rebuilt.nextId, id == INT32_MAX ? id : id + 1);
    }
    rebuilt.lastModified = now();
    return rebuilt;
}

bool HALRecordStore::copyFilesTo(const std::u16string& into) const
{
    for (const std::u16string& name : filesMatching(pathOf(u"*"))) {
        HANDLE file = INVALID_HANDLE_VALUE;
        if (openForReading(pathOf(name), &file) != 0) {
            continue;  // nothing of it can be kept
        }
        int32_t size = 0;
        std::vector<uint8_t> bytes;
        DWORD read = 0;
        bool whole = lengthOf(file, &size);
        if (whole) {
            bytes.resize(static_cast<size_t>(size));
            whole = size == 0 || (ReadFile(file, bytes.data(), static_cast<DWORD>(size), &read,
                                           nullptr) &&
                                  read == static_cast<DWORD>(size));
        }
        CloseHandle(file);
        if (whole && !writeFlushed(into + name, bytes.data(), static_cast<uint32_t>(size))) {
            return false;
        }
    }
    return true;
}

// ---- Commit protocol --------------------------------------------------------------

bool HALRecordStore::writeFlushed(const std::u16string& path, const void* bytes,
                                  uint32_t length) const
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = (length == 0 || WriteFile(file, bytes, length, &written, nullptr)) &&
              FlushFileBuffers(file);
    CloseHandle(file);
    if (!ok) {
        DeleteFileW(path.c_str());
    }
    return ok;
}

bool HALRecordStore::commitMetadata(const Metadata& next) const
{
    uint8_t bytes[kMetadataBytes];
    encodeMetadata(next, bytes);
    std::u16string temp = pathOf(kMetadataTemp);
    if (!writeFlushed(temp, bytes, sizeof(bytes))) {
        return false;
    }
    if (!MoveFileExW(temp.c_str(), pathOf(kMetadataName).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

std::vector<HALRecordStore::Leftover> HALRecordStore::leftovers() const
{
    std::vector<Leftover> found;
    for (std::u16string& name : filesMatching(pathOf(u"~*"))) {
        Leftover leftover;
        if (parseLeftover(name, kPutPrefix, &leftover.id, &leftover.version)) {
            leftover.kind = Leftover::Kind::Put;
        } else if (parseLeftover(name, kDeletePrefix, &leftover.id, &leftover.version)) {
            leftover.kind = Leftover::Kind::Delete;
        }
        leftover.name = std::move(name);
        found.push_back(std::move(leftover));
    }
    return found;
}

std::vector<int32_t> HALRecordStore::recordIdsAfterRecovery(const Metadata& committed) const
{
    std::vector<int32_t> ids = recordIds();
    for (const Leftover& leftover : leftovers()) {
        bool done = leftover.version == committed.version;
        // A put brings its record in when done; an undone delete brings it back.
        if ((leftover.kind == Leftover::Kind::Put && done) ||
            (leftover.kind == Leftover::Kind::Delete && !done)) {
            ids.push_back(leftover.id);
        }
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

bool HALRecordStore::recover(const Metadata& committed) const
{
    bool clean = true;
    for (const Leftover& leftover : leftovers()) {
        std::u16string path = pathOf(leftover.name);
        std::u16string record = pathOf(recordName(leftover.id));
        bool done = leftover.version == committed.version;
        bool handled = false;
        switch (leftover.kind) {
        case Leftover::Kind::Put:
            handled = done ? MoveFileExW(path.c_str(), record.c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                           : DeleteFileW(path.c_str());
            break;
        case Leftover::Kind::Delete:
            handled = done ? DeleteFileW(path.c_str())
                           : MoveFileExW(path.c_str(), record.c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
            break;
        case Leftover::Kind::Other:
            handled = DeleteFileW(path.c_str());
            break;
        }
        clean = clean && handled;
    }
    return clean;
}

bool HALRecordStore::discardLeftovers() const
{
    bool clean = true;
    for (const std::u16string& name : filesMatching(pathOf(u"~*"))) {
        clean = DeleteFileW(pathOf(name).c_str()) && clean;
    }
    return clean;
}

bool HALRecordStore::refresh()
{
    Metadata disk;
    if (loadMetadata(&disk) != Load::Ok || !recover(disk)) {
        return false;
    }
    words = disk;
    return true;
}

// ---- Changes ----------------------------------------------------------------------

int32_t HALRecordStore::put(int32_t id, const int8_t* data, int32_t length, const Metadata& next)
{
    std::u16string temp = pathOf(std::u16string(kPutPrefix) + decimal(id) + u"-" +
                                 versionText(next.version) + std::u16string(kTempSuffix));
    if (!writeFlushed(temp, data, static_cast<uint32_t>(length))) {
        return 7;
    }
    if (!commitMetadata(next)) {
        DeleteFileW(temp.c_str());
        return 7;
    }
    words = next;
    if (!MoveFileExW(temp.c_str(), pathOf(recordName(id)).c_str(), MOVEFILE_REPLACE_EXISTING) &&
        !recover(next)) {
        return 7;  // committed: the next change or open finishes it
    }
    return 0;
}

int32_t HALRecordStore::add(const int8_t* data, int32_t length, int32_t* id)
{
    if (!refresh()) {
        return 7;
    }
    if (words.nextId == INT32_MAX) {
        return 7;  // no id left
    }
    Metadata next = words;
    next.version++;
    next.nextId++;
    next.count++;
    next.size += length;
    next.lastModified = now();
    int32_t newId = words.nextId;
    int32_t status = put(newId, data, length, next);
    if (status == 0) {
        *id = newId;
    }
    return status;
}

int32_t HALRecordStore::changeOf(int32_t id)
{
    if (!refresh()) {
        return 7;
    }
    int32_t size = 0;
    return recordSize(id, &size);
}

int32_t HALRecordStore::set(int32_t id, const int8_t* data, int32_t length)
{
    if (int32_t status = changeOf(id)) {
        return status;
    }
    Metadata next = words;
    next.version++;
    next.lastModified = now();
    return put(id, data, length, next);
}

int32_t HALRecordStore::remove(int32_t id)
{
    if (int32_t status = changeOf(id)) {
        return status;
    }
    Metadata next = words;
    next.version++;
    next.count--;
    next.lastModified = now();
    std::u16string record = pathOf(recordName(id));
    std::u16string marker = pathOf(std::u16string(kDeletePrefix) + decimal(id) + u"-" +
                                   versionText(next.version) + std::u16string(kTempSuffix));
    if (!MoveFileExW(record.c_str(), marker.c_str(), 0)) {
        return 7;
    }
    if (!commitMetadata(next)) {
        MoveFileExW(marker.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING);
        return 7;
    }
    words = next;
    DeleteFileW(marker.c_str());  // a marker left here is removed by recover()
    return 0;
}

// ---- Reading records ----------------------------------------------------------------

int32_t HALRecordStore::recordSize(int32_t id, int32_t* size) const
{
    // A read with no room gives the length alone.
    int32_t status = readRecord(id, nullptr, 0, size);
    return status == 8 ? 0 : status;
}

int32_t HALRecordStore::readRecord(int32_t id, int8_t* buffer, int32_t room,
                                   int32_t* length) const
{
    if (id < 1) {
        return 4;
    }
    HANDLE file = INVALID_HANDLE_VALUE;
    int32_t status = openForReading(pathOf(recordName(id)), &file);
    if (status != 0) {
        return status;
    }
    int32_t size = 0;
    if (!lengthOf(file, &size)) {
        status = 7;
    } else if (size > room) {
        *length = size;
        status = 8;
    } else {
        DWORD read = 0;
        if (!ReadFile(file, buffer, static_cast<DWORD>(size), &read, nullptr) ||
            read != static_cast<DWORD>(size)) {
            status = 7;
        } else {
            *length = size;
        }
    }
    CloseHandle(file);
    return status;
}
