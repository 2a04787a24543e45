#pragma once
// javax.microedition.rms.RecordStore: a record store of the platform, open
// through one platform handle. Every record operation is one platform call;
// nothing is cached here. Two opens of one name are two objects with their
// own handles on the same store.

#include <cstdint>

#include "java/lang/String.h"
#include "java/util/Vector.h"
#include "javax/microedition/rms/RecordComparator.h"
#include "javax/microedition/rms/RecordEnumeration.h"
#include "javax/microedition/rms/RecordFilter.h"
#include "javax/microedition/rms/RecordListener.h"
#include "vm/VMArray.h"

struct HALRecordStore;

namespace javax::microedition::rms {

class RecordStore : public virtual java::lang::Object {
    VM_CLASS(RecordStore, java::lang::Object)

    using ByteArray = java::lang::String::ByteArray;
    using IntArray = VMArray<int32_t, 1>;
    using StringArray = VMArray<java::lang::String, 1>;

    // A store object over an open handle, with no listeners.
    VMPtr<RecordStore> init(VMPtr<java::lang::String> name, HALRecordStore* handle);
    // Closes a handle the program left open.
    ~RecordStore() override;

    // NullPointerException for a null name, IllegalArgumentException for a
    // length of 0 or above 32, RecordStoreNotFoundException when the store
    // is missing and not to be made, RecordStoreException otherwise.
    static VMPtr<RecordStore> openRecordStore(VMPtr<java::lang::String> recordStoreName,
                                              bool createIfNecessary);
    // Deletes the store also while it is open somewhere.
    static void deleteRecordStore(VMPtr<java::lang::String> recordStoreName);
    // The names of the stores; null when there are none.
    static VMPtr<StringArray> listRecordStores();

    // Every operation but setMode, the listener ones and isOpen throws
    // RecordStoreNotOpenException on a closed store.
    virtual void setMode(int32_t authmode, bool writable);
    virtual void closeRecordStore();
    virtual VMPtr<java::lang::String> getName();
    virtual int32_t getVersion();
    virtual int32_t getNumRecords();
    virtual int32_t getSize();
    virtual int32_t getSizeAvailable();
    virtual int64_t getLastModified();
    virtual void addRecordListener(VMPtr<RecordListener> listener);
    virtual void removeRecordListener(VMPtr<RecordListener> listener);
    virtual int32_t getNextRecordID();
    virtual int32_t addRecord(VMPtr<ByteArray> data, int32_t offset, int32_t numBytes);
    virtual void deleteRecord(int32_t recordId);
    virtual int32_t getRecordSize(int32_t recordId);
    virtual VMPtr<ByteArray> getRecord(int32_t recordId);
    // Copies the record to buffer[offset...]; a record longer than the room
    // left throws ArrayIndexOutOfBoundsException and writes nothing.
    virtual int32_t getRecord(int32_t recordId, VMPtr<ByteArray> buffer, int32_t offset);
    virtual void setRecord(int32_t recordId, VMPtr<ByteArray> newData, int32_t offset,
                           int32_t numBytes);
    virtual VMPtr<RecordEnumeration> enumerateRecords(VMPtr<RecordFilter> filter,
                                                      VMPtr<RecordComparator> comparator,
                                                      bool keepUpdated);
    virtual bool isOpen();
    // The ids in the order the platform lists the records.
    virtual VMPtr<IntArray> getRecordIDs();

    VMField<java::lang::String> name;
    HALRecordStore* handle = nullptr;  // null once closed
    VMField<java::util::Vector> listeners;

private:
    enum class Change { Added, Changed, Deleted };

    void checkOpen();
    // Tells every listener, in the order they were added, holding the
    // listener vector's monitor: a listener that takes a lock of its own
    // takes it after the vector (see RecordEnumerationImpl).
    void notifyListeners(Change change, int32_t recordId);

    VM_FIELDS(name, listeners)
};

} // namespace javax::microedition::rms
