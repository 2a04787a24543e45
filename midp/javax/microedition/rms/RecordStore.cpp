#include "javax/microedition/rms/RecordStore.h"

#include "hal/recordstore.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/NullPointerException.h"
#include "javax/microedition/rms/InvalidRecordIDException.h"
#include "javax/microedition/rms/RecordEnumerationImpl.h"
#include "javax/microedition/rms/RecordListener.h"
#include "javax/microedition/rms/RecordStoreNotFoundException.h"
#include "javax/microedition/rms/RecordStoreNotOpenException.h"
#include "vm/VMBoot.h"
#include "vm/VMSynchronized.h"

namespace javax::microedition::rms {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::NullPointerException;
using java::lang::String;

namespace {

constexpr int32_t kMaxNameLength = 32;
constexpr int32_t kNameRoom = 34;
constexpr int32_t kRecordNotFound = 4;
constexpr int32_t kNoRoom = 8;

// A record operation's status: 4 is a record that does not exist.
void checkRecordStatus(int32_t status)
{
    if (status == kRecordNotFound)
        vm_throwNew<InvalidRecordIDException>();
    if (status != 0)
        vm_throwNew<RecordStoreException>();
}

// The checks addRecord and setRecord make on their data, in their order.
void checkData(const VMPtr<RecordStore::ByteArray>& data, int32_t offset, int32_t numBytes,
               RecordStore* store)
{
    if (!data && numBytes != 0)
        vm_throwNew<NullPointerException>();
    if (!store->isOpen())
        vm_throwNew<RecordStoreNotOpenException>();
    if (offset < 0 || numBytes < 0 ||
        (data && int64_t(offset) + int64_t(numBytes) > int64_t(data->length)))
        vm_throwNew<ArrayIndexOutOfBoundsException>();
}

const int8_t* bytesAt(const VMPtr<RecordStore::ByteArray>& data, int32_t offset)
{
    return data ? data->elements() + offset : nullptr;
}

} // namespace

VMPtr<RecordStore> RecordStore::init(VMPtr<String> storeName, HALRecordStore* storeHandle)
{
    Object::init();
    name = storeName;
    handle = storeHandle;
    VMPtr<java::util::Vector> vector = java::util::Vector::newInstance();
    vector->init(3);
    listeners = vector;
    return VMPtr<RecordStore>(this);
}

RecordStore::~RecordStore()
{
    HAL_closeRecordStore(handle);
}

// ---- Stores ---------------------------------------------------------------------------

VMPtr<RecordStore> RecordStore::openRecordStore(VMPtr<String> recordStoreName,
                                                bool createIfNecessary)
{
    _VM_clinit();
    if (!recordStoreName)
        vm_throwNew<NullPointerException>();
    int32_t length = recordStoreName->length();
    if (length == 0 || length > kMaxNameLength)
        vm_throwNew<java::lang::IllegalArgumentException>();
    HALRecordStore* opened = nullptr;
    int32_t status =
        HAL_openRecordStore(&opened, recordStoreName->chars(), length, createIfNecessary);
    if (status == kRecordNotFound)
        vm_throwNew<RecordStoreNotFoundException>();
    if (status != 0)
        vm_throwNew<RecordStoreException>();
    VMPtr<RecordStore> store;
    try {
        store = newInstance();
    } catch (...) {
        HAL_closeRecordStore(opened);  // no object took the handle
        throw;
    }
    store->init(recordStoreName, opened);
    return store;
}

void RecordStore::deleteRecordStore(VMPtr<String> recordStoreName)
{
    _VM_clinit();
    if (!recordStoreName)
        vm_throwNew<NullPointerException>();
    int32_t status = HAL_deleteRecordStore(recordStoreName->chars(), recordStoreName->length());
    if (status == kRecordNotFound)
        vm_throwNew<RecordStoreNotFoundException>();
    if (status != 0)
        vm_throwNew<RecordStoreException>();
}

VMPtr<RecordStore::StringArray> RecordStore::listRecordStores()
{
    _VM_clinit();
    int32_t count = HAL_getNumRecordStores();
    if (count <= 0)
        return VMPtr<StringArray>();
    VMPtr<StringArray> names = StringArray::newArray(count);
    for (int32_t i = 1; i <= count; i++) {
        char16_t buffer[kNameRoom];
        int32_t length = kNameRoom;
        if (HAL_getNthRecordStoreName(i, buffer, &length) != 0)
            _VM_fatalError("HAL_getNthRecordStoreName() failed in listRecordStores!");
        VMPtr<String> text = String::newInstance();
        text->initFromUtf16(buffer, length);
        names->set(i - 1, text);
    }
    return names;
}

// ---- State ------------------------------------------------------------------------------

void RecordStore::checkOpen()
{
    if (!handle)
        vm_throwNew<RecordStoreNotOpenException>();
}

void RecordStore::setMode(int32_t, bool) {}

void RecordStore::closeRecordStore()
{
    checkOpen();
    HAL_closeRecordStore(handle);
    handle = nullptr;
}

VMPtr<String> RecordStore::getName()
{
    checkOpen();
    return name;
}

bool RecordStore::isOpen()
{
    return handle != nullptr;
}

namespace {

// One of the word getters: the platform's value; a failure is fatal.
template<class T>
T storeWord(HALRecordStore* handle, int32_t (*read)(HALRecordStore*, T*), const char* failure)
{
    T value = 0;
    if (read(handle, &value) != 0)
        _VM_fatalError(failure);
    return value;
}

} // namespace

int32_t RecordStore::getVersion()
{
    checkOpen();
    return storeWord(handle, HAL_getRecordStoreVersion,
                     "HAL_getRecordStoreVersion() failed in getVersion!");
}

int32_t RecordStore::getNumRecords()
{
    checkOpen();
    return storeWord(handle, HAL_getNumRecords, "HAL_getNumRecords() failed in getNumRecords!");
}

int32_t RecordStore::getSize()
{
    checkOpen();
    return storeWord(handle, HAL_getRecordStoreSize, "HAL_getRecordStoreSize() failed in getSize!");
}

int32_t RecordStore::getSizeAvailable()
{
    checkOpen();
    return storeWord(handle, HAL_getRecordStoreSizeAvailable,
                     "HAL_getRecordStoreSizeAvailable() failed in getSizeAvailable!");
}

int64_t RecordStore::getLastModified()
{
    checkOpen();
    return storeWord(handle, HAL_getRecordStoreLastModified,
                     "HAL_getRecordStoreLastModified() failed in getLastModified!");
}

int32_t RecordStore::getNextRecordID()
{
    checkOpen();
    return storeWord(handle, HAL_getNextRecordID,
                     "HAL_getNextRecordID() failed in getNextRecordID!");
}

// ---- Listeners --------------------------------------------------------------------------

void RecordStore::addRecordListener(VMPtr<RecordListener> listener)
{
    VMPtr<java::util::Vector> vector = listeners;
    VMSynchronized guard(vector);
    if (!vector->contains(listener))
        vector->addElement(listener);
}

void RecordStore::removeRecordListener(VMPtr<RecordListener> listener)
{
    VMPtr<java::util::Vector> vector = listeners;
    VMSynchronized guard(vector);
    vector->removeElement(listener);
}

void RecordStore::notifyListeners(Change change, int32_t recordId)
{
    VMPtr<java::util::Vector> vector = listeners;
    VMSynchronized guard(vector);
    // The listeners as they stand now: one that removes itself or another
    // while being told does not shift the others.
    VMPtr<java::util::Vector::ObjectArray> told =
        java::util::Vector::ObjectArray::newArray(vector->size());
    vector->copyInto(told);
    VMPtr<RecordStore> self(this);
    for (int32_t i = 0; i < told->length; i++) {
        VMPtr<RecordListener> listener = vm_cast<RecordListener>(told->get(i));
        if (!listener)
            continue;
        switch (change) {
        case Change::Added:
            listener->recordAdded(self, recordId);
            break;
        case Change::Changed:
            listener->recordChanged(self, recordId);
            break;
        case Change::Deleted:
            listener->recordDeleted(self, recordId);
            break;
        }
    }
}

// ---- Records ----------------------------------------------------------------------------

int32_t RecordStore::addRecord(VMPtr<ByteArray> data, int32_t offset, int32_t numBytes)
{
    checkData(data, offset, numBytes, this);
    int32_t id = 0;
    if (HAL_addRecord(handle, &id, bytesAt(data, offset), data ? numBytes : 0) != 0)
        vm_throwNew<RecordStoreException>();
    notifyListeners(Change::Added, id);
    return id;
}

void RecordStore::setRecord(int32_t recordId, VMPtr<ByteArray> newData, int32_t offset,
                            int32_t numBytes)
{
    checkData(newData, offset, numBytes, this);
    if (HAL_setRecord(handle, recordId, bytesAt(newData, offset), newData ? numBytes : 0) != 0)
        vm_throwNew<RecordStoreException>();
    notifyListeners(Change::Changed, recordId);
}

void RecordStore::deleteRecord(int32_t recordId)
{
    checkOpen();
    checkRecordStatus(HAL_deleteRecord(handle, recordId));
    notifyListeners(Change::Deleted, recordId);
}

int32_t RecordStore::getRecordSize(int32_t recordId)
{
    checkOpen();
    int32_t size = 0;
    checkRecordStatus(HAL_getRecordSize(handle, recordId, &size));
    return size;
}

VMPtr<RecordStore::ByteArray> RecordStore::getRecord(int32_t recordId)
{
    checkOpen();
    int32_t size = 0;
    checkRecordStatus(HAL_getRecordSize(handle, recordId, &size));
    // The record may change size between the two calls; then the new size
    // is used.
    for (;;) {
        VMPtr<ByteArray> record = ByteArray::newArray(size);
        int32_t length = size;
        int32_t status = HAL_getRecord(handle, recordId, record->elements(), &length);
        if (status == kNoRoom) {
            size = length;
            continue;
        }
        checkRecordStatus(status);
        if (length == size)
            return record;
        size = length;  // it became shorter
    }
}

int32_t RecordStore::getRecord(int32_t recordId, VMPtr<ByteArray> buffer, int32_t offset)
{
    if (!buffer)
        vm_throwNew<NullPointerException>();
    checkOpen();
    if (offset < 0 || offset > buffer->length)
        vm_throwNew<ArrayIndexOutOfBoundsException>();
    int32_t length = buffer->length - offset;
    int32_t status = HAL_getRecord(handle, recordId, buffer->elements() + offset, &length);
    if (status == kNoRoom)
        vm_throwNew<ArrayIndexOutOfBoundsException>();
    checkRecordStatus(status);
    return length;
}

VMPtr<RecordEnumeration> RecordStore::enumerateRecords(VMPtr<RecordFilter> filter,
                                                       VMPtr<RecordComparator> comparator,
                                                       bool keepUpdated)
{
    checkOpen();
    VMPtr<RecordEnumerationImpl> enumeration = RecordEnumerationImpl::newInstance();
    enumeration->init(VMPtr<RecordStore>(this), filter, comparator, keepUpdated);
    return enumeration;
}

VMPtr<RecordStore::IntArray> RecordStore::getRecordIDs()
{
    checkOpen();
    int32_t count = 0;
    if (HAL_getNumRecords(handle, &count) != 0)
        vm_throwNew<RecordStoreException>();
    VMPtr<IntArray> ids = IntArray::newArray(count);
    for (int32_t i = 1; i <= count; i++) {
        int32_t id = 0;
        if (HAL_getNthRecordID(handle, i, &id) != 0)
            vm_throwNew<RecordStoreException>();
        ids->elements()[i - 1] = id;
    }
    return ids;
}

} // namespace javax::microedition::rms

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::rms::RecordStore,
                             "javax.microedition.rms.RecordStore", "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_rms_RecordStore",
                             nullptr);
