// Record stores: one folder "store-<name>" per store in the application's
// "\\database\\" folder, one lock for every change. The files of one store
// and how a change reaches them are in HALRecordStore.

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "hal/HALRecordStore.h"
#include "hal/device.h"
#include "hal/properties.h"
#include "hal/recordstore.h"
#include "hal/thread.h"
#include "wince/file.h"
#include "wince/folder.h"
#include "wince/kernel.h"

namespace {

constexpr std::u16string_view kStorePrefix = u"store-";
constexpr std::u16string_view kTrashPrefix = u"~deleted-";
constexpr int32_t kMaxNameLength = 32;

CRITICAL_SECTION g_lock;
std::once_flag g_lockMade;

// Holds the record-store lock for the file work, with the VM lock given away
// meanwhile (the work waits on the disk); the caller gets the VM lock back at
// its old depth after the record-store lock is left, so the two are never
// waited for in the other order.
class RecordStoreLock {
public:
    RecordStoreLock()
    {
        HAL_createRecordStoreLock();
        depth_ = HAL_releaseVMLock();
        EnterCriticalSection(&g_lock);
    }
    ~RecordStoreLock()
    {
        LeaveCriticalSection(&g_lock);
        HAL_restoreVMLock(depth_);
    }
    RecordStoreLock(const RecordStoreLock&) = delete;
    RecordStoreLock& operator=(const RecordStoreLock&) = delete;

private:
    uint32_t depth_ = 0;
};

// Keeps a handle for a change under way: the change gives the VM lock away
// for its file work, and a close from another thread meanwhile leaves the
// freeing to the change. Made while the caller holds the VM lock, as a
// close is made.
std::mutex g_handlesLock;

class ChangeUnderWay {
public:
    explicit ChangeUnderWay(HALRecordStore* store) : store_(store)
    {
        std::lock_guard<std::mutex> guard(g_handlesLock);
        store_->changes++;
    }
    ~ChangeUnderWay()
    {
        bool last = false;
        {
            std::lock_guard<std::mutex> guard(g_handlesLock);
            last = --store_->changes == 0 && store_->closed;
        }
        if (last) {
            store_->destroy();
        }
    }
    ChangeUnderWay(const ChangeUnderWay&) = delete;
    ChangeUnderWay& operator=(const ChangeUnderWay&) = delete;

private:
    HALRecordStore* store_;
};

// A name that stays one folder name inside the database folder, the same on
// the device and here: 1 to 32 characters, no control characters, none of
// the characters a Windows file name cannot hold (separators, drive colons,
// wildcards), no unpaired surrogate.
bool validName(std::u16string_view name)
{
    if (name.empty() || name.size() > kMaxNameLength) {
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = name[i];
        if (c < 0x20 || c == 0x7F || std::u16string_view(u"\\/:*?\"<>|").find(c) !=
                                         std::u16string_view::npos) {
            return false;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == name.size() || name[i + 1] < 0xDC00 || name[i + 1] > 0xDFFF) {
                return false;
            }
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

std::u16string databaseFolder()
{
    return std::u16string(HAL_getApplicationFolder()) + u"\\database\\";
}

std::u16string storeFolder(std::u16string_view name)
{
    return databaseFolder() + std::u16string(kStorePrefix) + std::u16string(name) + u"\\";
}

bool isFolder(const std::u16string& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Folder entries of the pattern: (name, is a folder).
std::vector<std::pair<std::u16string, bool>> entries(const std::u16string& pattern)
{
    std::vector<std::pair<std::u16string, bool>> found;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return found;
    }
    do {
        found.emplace_back(data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

// The names of the stores, sorted; folders whose names no store could have
// are not stores.
std::vector<std::u16string> storeNames()
{
    std::vector<std::u16string> names;
    for (auto& [entry, folder] : entries(databaseFolder() + std::u16string(kStorePrefix) + u"*")) {
        std::u16string_view name = std::u16string_view(entry).substr(kStorePrefix.size());
        if (folder && validName(name)) {
            names.emplace_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Removes what deleted stores left in the database folder: their files,
// then their folders (a folder inside one keeps it).
void emptyTrash()
{
    std::u16string database = databaseFolder();
    for (auto& [trash, folder] : entries(database + std::u16string(kTrashPrefix) + u"*")) {
        if (!folder) {
            continue;
        }
        std::u16string path = database + trash + u"\\";
        for (auto& [file, inner] : entries(path + u"*")) {
            if (!inner) {
                DeleteFileW((path + file).c_str());
            }
        }
        RemoveDirectoryW(path.c_str());
    }
}

constexpr std::u16string_view kKeptPrefix = u"damaged-";

std::string narrow(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

// A store whose metadata is lost or disagrees with its record files: the
// files as found are copied into a new folder "damaged-<name>-<n>" of the
// database folder, then the metadata is rebuilt from the record files. A
// change cut short is undone when no metadata says it was committed. 7 when
// the copy or the new metadata cannot be written; the store is then as found.
int32_t salvage(HALRecordStore* store, std::u16string_view name,
                const HALRecordStore::Metadata* known, const char* what)
{
    std::string shown = narrow(name);
    std::u16string kept;
    for (int32_t n = 1;; ++n) {
        std::string digits = std::to_string(n);
        kept = databaseFolder() + std::u16string(kKeptPrefix) + std::u16string(name) + u"-" +
               std::u16string(digits.begin(), digits.end()) + u"\\";
        if (CreateDirectoryW(kept.c_str(), nullptr)) {
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS || n == 1000) {
            std::fprintf(stderr, "Record store %s: %s; no copy could be made, left as found\n",
                         shown.c_str(), what);
            return 7;
        }
    }
    if (!store->copyFilesTo(kept)) {
        std::fprintf(stderr, "Record store %s: %s; no copy could be made, left as found\n",
                     shown.c_str(), what);
        return 7;
    }
    HALRecordStore::Metadata committed;
    if (known) {
        committed = *known;
    } else {
        // No version to finish a change by: every one is undone.
        std::vector<HALRecordStore::Leftover> leftovers = store->leftovers();
        committed.version = INT32_MIN;
        while (std::any_of(leftovers.begin(), leftovers.end(), [&](const auto& leftover) {
            return leftover.version == committed.version;
        })) {
            committed.version++;
        }
    }
    HALRecordStore::Metadata words;
    bool mended = store->recover(committed);
    if (mended) {
        words = store->rebuiltWords(known);
        mended = store->commitMetadata(words);
    }
    if (!mended) {
        std::fprintf(stderr,
                     "Record store %s: %s; the copy is in database\\%s but the store could not "
                     "be mended\n",
                     shown.c_str(), what, narrow(kept.substr(databaseFolder().size())).c_str());
        return 7;
    }
    std::fprintf(stderr,
                 "Record store %s: %s; rebuilt from its %d record files, the store as found is "
                 "kept in database\\%s\n",
                 shown.c_str(), what, words.count,
                 narrow(kept.substr(databaseFolder().size())).c_str());
    store->words = words;
    return 0;
}

// A store's files as an open needs them: the metadata read (or, for a store
// that has none and no records, written), a cut-short change finished or
// undone, and the words checked against the record files; a store whose
// metadata is lost or disagrees is salvaged. 7 when the disk refuses.
int32_t prepare(HALRecordStore* store, std::u16string_view name)
{
    HALRecordStore::Metadata words;
    switch (store->loadMetadata(&words)) {
    case HALRecordStore::Load::Ok: {
        std::vector<int32_t> ids = store->recordIdsAfterRecovery(words);
        if (static_cast<size_t>(words.count) != ids.size() ||
            (!ids.empty() && ids.back() >= words.nextId)) {
            return salvage(store, name, &words, "metadata.info disagrees with the record files");
        }
        if (!store->recover(words)) {
            return 7;
        }
        break;
    }
    case HALRecordStore::Load::Missing: {
        // Only a store cut short while it was made has no metadata; one with
        // records, or with a change under way, has lost it.
        std::vector<HALRecordStore::Leftover> leftovers = store->leftovers();
        if (!store->recordIds().empty() ||
            std::any_of(leftovers.begin(), leftovers.end(), [](const auto& leftover) {
                return leftover.kind != HALRecordStore::Leftover::Kind::Other;
            })) {
            return salvage(store, name, nullptr, "metadata.info is missing");
        }
        if (!store->discardLeftovers()) {
            return 7;
        }
        words = HALRecordStore::Metadata{};
        words.lastModified = static_cast<int32_t>(HAL_currentTimeMillis());
        if (!store->commitMetadata(words)) {
            return 7;
        }
        break;
    }
    case HALRecordStore::Load::Damaged:
        return salvage(store, name, nullptr, "metadata.info is damaged");
    }
    store->words = words;
    return 0;
}

}  // namespace

int32_t HAL_createRecordStoreLock()
{
    std::call_once(g_lockMade, [] { InitializeCriticalSection(&g_lock); });
    return 0;
}

// ---- Stores -------------------------------------------------------------------------

int32_t HAL_openRecordStore(HALRecordStore** out, const char16_t* name, int32_t length,
                            bool create)
{
    if (!out) {
        return 2;
    }
    *out = nullptr;
    if (!name || length <= 0) {
        return 4;
    }
    std::u16string_view storeName(name, static_cast<size_t>(length));
    if (!validName(storeName)) {
        return 2;
    }
    std::u16string database = databaseFolder();
    if (!CreateDirectoryW(database.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return 4;
    }
    std::u16string folder = storeFolder(storeName);
    if (!create && !isFolder(folder)) {
        return 4;
    }
    RecordStoreLock lock;
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return 7;
    }
    HALRecordStore* store = HALRecordStore::create(folder);
    if (!store) {
        return 5;
    }
    int32_t status = prepare(store, storeName);
    if (status != 0) {
        store->destroy();
        return status;
    }
    *out = store;
    return 0;
}

void HAL_closeRecordStore(HALRecordStore* store)
{
    if (!store) {
        return;
    }
    bool inUse = false;
    {
        std::lock_guard<std::mutex> guard(g_handlesLock);
        store->closed = true;
        inUse = store->changes > 0;
    }
    if (!inUse) {
        store->destroy();
    }
}

int32_t HAL_deleteRecordStore(const char16_t* name, int32_t length)
{
    if (!name || length <= 0 || !validName(std::u16string_view(name, size_t(length)))) {
        return 2;
    }
    RecordStoreLock lock;
    std::u16string database = databaseFolder();
    if (GetFileAttributesW(database.c_str()) != FILE_ATTRIBUTE_DIRECTORY) {
        return 4;
    }
    std::u16string folder = storeFolder(std::u16string_view(name, size_t(length)));
    if (!isFolder(folder)) {
        return 0;
    }
    // The store leaves its name in one step, then its files go.
    for (int32_t n = 1;; ++n) {
        std::string digits = std::to_string(n);
        std::u16string trash = database + std::u16string(kTrashPrefix) +
                               std::u16string(digits.begin(), digits.end());
        if (MoveFileExW(folder.c_str(), trash.c_str(), MOVEFILE_WRITE_THROUGH)) {
            break;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS || n == 1000) {
            return 7;
        }
    }
    emptyTrash();
    return 0;
}

int32_t HAL_getNumRecordStores()
{
    return static_cast<int32_t>(storeNames().size());
}

int32_t HAL_getNthRecordStoreName(int32_t n, char16_t* buffer, int32_t* length)
{
    if (n < 1 || !buffer || !length) {
        return 2;
    }
    std::vector<std::u16string> names = storeNames();
    if (static_cast<size_t>(n) > names.size()) {
        return 4;
    }
    const std::u16string& name = names[static_cast<size_t>(n) - 1];
    int32_t size = static_cast<int32_t>(name.size());
    if (*length < size + 1) {
        *length = size;
        return 8;
    }
    std::copy(name.begin(), name.end(), buffer);
    buffer[size] = u'\0';
    *length = size;
    return 0;
}

// ---- Store words ----------------------------------------------------------------------

namespace {

// One word of the store as it stands on the disk: 4 for a null store, 2 for
// a null out-parameter.
template <class T>
int32_t storeWord(HALRecordStore* store, int32_t HALRecordStore::Metadata::*word, T* out)
{
    if (!store) {
        return 4;
    }
    if (!out) {
        return 2;
    }
    *out = store->latest().*word;
    return 0;
}

}  // namespace

int32_t HAL_getRecordStoreVersion(HALRecordStore* store, int32_t* version)
{
    return storeWord(store, &HALRecordStore::Metadata::version, version);
}

int32_t HAL_getNumRecords(HALRecordStore* store, int32_t* count)
{
    return storeWord(store, &HALRecordStore::Metadata::count, count);
}

int32_t HAL_getRecordStoreSize(HALRecordStore* store, int32_t* size)
{
    return storeWord(store, &HALRecordStore::Metadata::size, size);
}

int32_t HAL_getRecordStoreSizeAvailable(HALRecordStore*, int32_t* size)
{
    if (!size) {
        return 2;
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    *size = static_cast<int32_t>(std::min<DWORD>(status.dwAvailVirtual, INT32_MAX));
    return 0;
}

// The word sign-extended.
int32_t HAL_getRecordStoreLastModified(HALRecordStore* store, int64_t* time)
{
    return storeWord(store, &HALRecordStore::Metadata::lastModified, time);
}

int32_t HAL_getNextRecordID(HALRecordStore* store, int32_t* id)
{
    if (!store || !id) {
        return 2;
    }
    *id = store->latest().nextId;
    return 0;
}

// ---- Records ----------------------------------------------------------------------------

int32_t HAL_addRecord(HALRecordStore* store, int32_t* id, const int8_t* data, int32_t length)
{
    if (!store || !id || length < 0 || (!data && length != 0)) {
        return 2;
    }
    ChangeUnderWay use(store);
    RecordStoreLock lock;
    return store->add(data, length, id);
}

int32_t HAL_setRecord(HALRecordStore* store, int32_t id, const int8_t* data, int32_t length)
{
    if (!store || length < 0 || (!data && length != 0)) {
        return 2;
    }
    ChangeUnderWay use(store);
    RecordStoreLock lock;
    return store->set(id, data, length);
}

int32_t HAL_deleteRecord(HALRecordStore* store, int32_t id)
{
    if (!store) {
        return 2;
    }
    ChangeUnderWay use(store);
    RecordStoreLock lock;
    return store->remove(id);
}

int32_t HAL_getRecordSize(HALRecordStore* store, int32_t id, int32_t* size)
{
    if (!store || !size) {
        return 2;
    }
    return store->recordSize(id, size);
}

int32_t HAL_getRecord(HALRecordStore* store, int32_t id, int8_t* buffer, int32_t* length)
{
    if (!store || !length) {
        return 2;
    }
    int32_t room = buffer ? std::max(*length, 0) : 0;
    return store->readRecord(id, buffer, room, length);
}

int32_t HAL_getNthRecordID(HALRecordStore* store, int32_t n, int32_t* id)
{
    if (!store || !id) {
        return 2;
    }
    if (n < 1) {
        return 4;
    }
    std::vector<int32_t> ids = store->recordIds();
    if (static_cast<size_t>(n) > ids.size()) {
        return 4;
    }
    *id = ids[static_cast<size_t>(n) - 1];
    return 0;
}
