// Record stores named by number: save in 4096-byte records, load all
// records, remove one or every numbered store. No exception leaves these
// operations.
#include "tq/TqCanvas.h"

#include "java/lang/Exception.h"
#include "java/lang/Integer.h"
#include "java/lang/NumberFormatException.h"
#include "javax/microedition/rms/RecordStore.h"

namespace tq {

using java::lang::String;
using javax::microedition::rms::RecordStore;

namespace {

constexpr int32_t kRecordBytes = 4096;

// Closes a store, dropping what closing throws.
void closeQuietly(const VMPtr<RecordStore>& store)
{
    if (store == nullptr)
        return;
    try {
        store->closeRecordStore();
    } catch (java::lang::Exception* ignored) {
        VMPtr<java::lang::Exception> keep(ignored);
    }
}

} // namespace

bool TqCanvas::saveRecordStore(int32_t id, VMPtr<ByteArray> data)
{
    bool result = true;
    VMPtr<String> name = String::valueOf(id);
    VMPtr<RecordStore> store;
    try {
        VMPtr<RecordStore::StringArray> names = RecordStore::listRecordStores();
        for (int32_t i = 0; names != nullptr && i < names->length; i++) {
            if (name->equals(names->get(i))) {
                RecordStore::deleteRecordStore(name);
                break;
            }
        }
        if (data != nullptr) {
            store = RecordStore::openRecordStore(name, true);
            for (int32_t offset = 0; offset < data->length; offset += kRecordBytes) {
                int32_t length = data->length - offset;
                store->addRecord(data, offset, length < kRecordBytes ? length : kRecordBytes);
            }
        }
    } catch (java::lang::Exception* failure) {
        VMPtr<java::lang::Exception> keep(failure);
        result = false;
    }
    closeQuietly(store);
    return result;
}

VMPtr<TqCanvas::ByteArray> TqCanvas::loadRecordStore(int32_t id)
{
    VMPtr<ByteArray> result;
    VMPtr<RecordStore> store;
    try {
        store = RecordStore::openRecordStore(String::valueOf(id), false);
        if (store != nullptr) {
            int32_t n = store->getNumRecords();
            int32_t total = 0;
            for (int32_t i = 1; i <= n; i++)
                total += store->getRecordSize(i);
            result = ByteArray::newArray(total);
            int32_t offset = 0;
            for (int32_t i = 1; i <= n; i++)
                offset += store->getRecord(i, result, offset);
        }
    } catch (java::lang::Exception* failure) {
        VMPtr<java::lang::Exception> keep(failure);
        result = nullptr;
    }
    closeQuietly(store);
    return result;
}

bool TqCanvas::removeRecordStore(int32_t id)
{
    return saveRecordStore(id, nullptr);
}

bool TqCanvas::removeAllRecordStores()
{
    try {
        VMPtr<RecordStore::StringArray> names = RecordStore::listRecordStores();
        for (int32_t i = 0; names != nullptr && i < names->length; i++) {
            try {
                java::lang::Integer::parseInt(names->get(i));
            } catch (java::lang::NumberFormatException* notNumbered) {
                VMPtr<java::lang::NumberFormatException> keep(notNumbered);
                continue;
            }
            RecordStore::deleteRecordStore(names->get(i));
        }
    } catch (java::lang::Exception* failure) {
        VMPtr<java::lang::Exception> keep(failure);
        return false;
    }
    return true;
}

} // namespace tq
