#pragma once
// Record stores: one folder per store under the application's database
// folder, one file per record, and a metadata file per store. Record bytes
// are Java bytes (int8_t).

#include <cstdint>

struct HALRecordStore;

// Opens (and with create, makes) the store of that name. 4 for a null or
// empty name, a missing store without create, or no database folder; 7 when
// the store folder cannot be made. *out is null on failure.
int32_t HAL_openRecordStore(HALRecordStore** out, const char16_t* name, int32_t length, bool create);
// Frees the handle, or leaves that to a change under way on it (on another
// thread, without the VM lock); null ignored.
void HAL_closeRecordStore(HALRecordStore* store);
// Deletes the store's files and folder; 0 also when it did not exist.
int32_t HAL_deleteRecordStore(const char16_t* name, int32_t length);
// The number of stores (0 without a database folder).
int32_t HAL_getNumRecordStores();
// The n-th store's name (1-based, file-system order) into buffer; *length
// holds the buffer's room on entry and the name's length on return.
int32_t HAL_getNthRecordStoreName(int32_t n, char16_t* buffer, int32_t* length);

int32_t HAL_getRecordStoreVersion(HALRecordStore* store, int32_t* version);
int32_t HAL_getNumRecords(HALRecordStore* store, int32_t* count);
int32_t HAL_getRecordStoreSize(HALRecordStore* store, int32_t* size);
int32_t HAL_getRecordStoreSizeAvailable(HALRecordStore* store, int32_t* size);
// The last-modified word, sign-extended.
int32_t HAL_getRecordStoreLastModified(HALRecordStore* store, int64_t* time);
int32_t HAL_getNextRecordID(HALRecordStore* store, int32_t* id);

int32_t HAL_addRecord(HALRecordStore* store, int32_t* id, const int8_t* data, int32_t length);
int32_t HAL_setRecord(HALRecordStore* store, int32_t id, const int8_t* data, int32_t length);
int32_t HAL_deleteRecord(HALRecordStore* store, int32_t id);
int32_t HAL_getRecordSize(HALRecordStore* store, int32_t id, int32_t* size);
// Copies the whole record (the buffer holds at least HAL_getRecordSize
// bytes); *length is set to the record's length.
int32_t HAL_getRecord(HALRecordStore* store, int32_t id, int8_t* buffer, int32_t* length);
// The id of the n-th record file (1-based, file-system order).
int32_t HAL_getNthRecordID(HALRecordStore* store, int32_t n, int32_t* id);

// Within the layer: the lock that serialises every change, made at start-up.
int32_t HAL_createRecordStoreLock();
