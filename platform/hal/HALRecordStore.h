#pragma once
// HALRecordStore: the handle of one open record store, and the store
// folder's files.
//
// A store folder holds "metadata.info" (five little-endian 32-bit words:
// last modified, version, next record id, size, record count) and one file
// "record-<id>.bin" per record with the record's bytes and nothing else.
//
// Every change commits by replacing "metadata.info" in one rename, after
// the new record bytes are on the disk under a temporary name:
//   put (add, set): "~put-<id>-<version>.tmp" is written and flushed, the
//       metadata with that version is committed, the file is renamed to
//       "record-<id>.bin";
//   delete: "record-<id>.bin" is renamed to "~del-<id>-<version>.tmp", the
//       metadata is committed, the file is deleted.
// A change cut short at any point leaves at most one such file; recover()
// finishes it when the metadata on the disk carries its version and undoes
// it otherwise, so the store reads back in its old or its new state. Other
// names beginning with '~' are unfinished temporary files and are removed.
//
// The words held here are those of the last change made through this
// handle; every change first reloads them from the disk, so two handles on
// one store never hand out the same record id.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct HALRecordStore {
    struct Metadata {
        int32_t lastModified = 0;
        int32_t version = 0;
        int32_t nextId = 1;
        int32_t size = 0;
        int32_t count = 0;
    };
    static constexpr size_t kMetadataBytes = 20;

    enum class Load { Ok, Missing, Damaged };

    // The words of a metadata file's bytes; false unless there are exactly
    // 20 bytes with a next id of at least 1 and a count of at least 0.
    static bool decodeMetadata(const uint8_t* bytes, size_t length, Metadata* out);
    static void encodeMetadata(const Metadata& words, uint8_t* bytes);
    // The id in a record file's name "record-<id>.bin" (decimal digits, from
    // 1 to 2^31 - 1, no sign or leading zero); 0 for any other name.
    static int32_t parseRecordName(std::u16string_view name);

    // A handle on the folder (a Windows path ending in a backslash), from
    // the counted platform heap; null when memory runs out.
    static HALRecordStore* create(std::u16string_view folder);
    void destroy();

    // A file a change cut short left behind: the record file a put brings
    // in, the record file a delete takes out, or anything else ('~' names).
    struct Leftover {
        enum class Kind { Put, Delete, Other };
        std::u16string name;
        Kind kind = Kind::Other;
        int32_t id = 0;
        int32_t version = 0;
    };
    std::vector<Leftover> leftovers() const;

    // Reads "metadata.info".
    Load loadMetadata(Metadata* out) const;
    // The ids of the record files, ascending.
    std::vector<int32_t> recordIds() const;
    // The ids as recover(committed) will leave them, without touching the
    // disk, so a store can be checked before anything is changed.
    std::vector<int32_t> recordIdsAfterRecovery(const Metadata& committed) const;
    // Finishes or undoes what a change cut short left behind, by the
    // version on the disk; false when a leftover file could not be handled.
    bool recover(const Metadata& committed) const;
    // Removes every leftover temporary file (a store that has no metadata
    // yet has committed nothing).
    bool discardLeftovers() const;
    // Writes the words as the new "metadata.info" in one step.
    bool commitMetadata(const Metadata& words) const;
    // Reloads the words from the disk and finishes a change cut short; false
    // when the store is damaged or a leftover could not be handled.
    bool refresh();
    // The words on the disk, or the held ones when they cannot be read.
    Metadata latest() const;
    // Words that agree with the record files: their count and byte total,
    // the next id past the highest and never below `known`'s, a version
    // after `known`'s; `known` may be null.
    Metadata rebuiltWords(const Metadata* known) const;
    // Copies every readable file of the store folder into the folder `into`
    // (ending in a backslash, existing); false when a copy is not written.
    bool copyFilesTo(const std::u16string& into) const;

    // The changes; each needs the record-store lock. Status as the HAL_
    // operations: 4 for a record that does not exist, 7 when the disk
    // refuses (the store is then as before).
    int32_t add(const int8_t* data, int32_t length, int32_t* id);
    int32_t set(int32_t id, const int8_t* data, int32_t length);
    int32_t remove(int32_t id);

    // 4 when the record does not exist, 7 when it cannot be read.
    int32_t recordSize(int32_t id, int32_t* size) const;
    // Copies the record when it fits in `room` bytes; *length is set to its
    // length either way, and a record longer than the room gives 8 with
    // nothing written.
    int32_t readRecord(int32_t id, int8_t* buffer, int32_t room, int32_t* length) const;

    std::u16string pathOf(std::u16string_view fileName) const;
    static std::u16string recordName(int32_t id);

    // The store folder's full path, ending in a backslash, terminated.
    static constexpr size_t kFolderRoom = 260;
    char16_t folder[kFolderRoom];
    Metadata words;
    // Changes under way on this handle and whether it was closed meanwhile
    // (the last change then frees it); guarded in recordstore.cpp.
    int32_t changes = 0;
    bool closed = false;

private:

    // Writes a file under a temporary name and flushes it; the file is
    // removed again when any step fails.
    bool writeFlushed(const std::u16string& path, const void* bytes, uint32_t length) const;
    // Reloads the words and checks that the record exists, as a change of
    // an existing record begins.
    int32_t changeOf(int32_t id);
    // Writes the record bytes under the put name of the next version, then
    // commits `next`.
    int32_t put(int32_t id, const int8_t* data, int32_t length, const Metadata& next);
};
