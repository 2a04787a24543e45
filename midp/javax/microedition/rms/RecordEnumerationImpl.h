#pragma once
// javax.microedition.rms.RecordEnumerationImpl: the record enumeration of a
// store. It holds the ids of the chosen records in their order and a
// position in them; kept updated, it follows the store's changes as one of
// its listeners.
//
// index is the position of the record returned last, -1 before the first
// (after a reset). store is null once the enumeration is destroyed, and
// every operation then throws IllegalStateException.
//
// Lock order: the store's listener list before the enumeration's monitor. A
// store notifies its listeners holding the list, and the listener operations
// then take the monitor; destroy() takes the list first for that reason.

#include <cstdint>

#include "javax/microedition/rms/RecordComparator.h"
#include "javax/microedition/rms/RecordEnumeration.h"
#include "javax/microedition/rms/RecordFilter.h"
#include "javax/microedition/rms/RecordListener.h"
#include "javax/microedition/rms/RecordStore.h"
#include "vm/VMArray.h"

namespace javax::microedition::rms {

class RecordEnumerationImpl : public virtual java::lang::Object,
                              public virtual RecordEnumeration,
                              public virtual RecordListener {
    VM_CLASS(RecordEnumerationImpl, java::lang::Object)

    using IntArray = VMArray<int32_t, 1>;

    // Registers with the store when kept updated, then builds the ids.
    VMPtr<RecordEnumerationImpl> init(VMPtr<RecordStore> recordStore,
                                      VMPtr<RecordFilter> recordFilter,
                                      VMPtr<RecordComparator> recordComparator,
                                      bool keepUpdated);

    int32_t numRecords() override;
    VMPtr<ByteArray> nextRecord() override;
    // InvalidRecordIDException past the last id.
    int32_t nextRecordId() override;
    VMPtr<ByteArray> previousRecord() override;
    // InvalidRecordIDException before the first id; after a reset the
    // previous id is the last one.
    int32_t previousRecordId() override;
    bool hasNextElement() override;
    bool hasPreviousElement() override;
    void reset() override;
    // The ids read from the store again, filtered and sorted.
    void rebuild() override;
    void keepUpdated(bool keepUpdated) override;
    bool isKeptUpdated() override;
    void destroy() override;

    void recordAdded(VMPtr<RecordStore> recordStore, int32_t recordId) override;
    void recordChanged(VMPtr<RecordStore> recordStore, int32_t recordId) override;
    void recordDeleted(VMPtr<RecordStore> recordStore, int32_t recordId) override;

    VMField<RecordStore> store;
    VMField<RecordComparator> comparator;
    VMField<RecordFilter> filter;
    VMField<IntArray> ids;
    bool kept = false;
    int32_t index = -1;

private:
    void checkNotDestroyed();
    // Keeps the ids that the filter matches, then sorts them.
    void reFilterSort();
    // Quicksort of ids[lo .. hi] by the comparator.
    void sort(int32_t lo, int32_t hi);
    // Takes a new id in where the comparator puts it.
    void filterAdd(int32_t recordId);
    // Drops the id at position; the current position follows.
    void removeAt(int32_t position);
    // Position of the id, searched from the end; -1 when absent.
    int32_t find(int32_t recordId);

    VM_FIELDS(store, comparator, filter, ids)
};

} // namespace javax::microedition::rms
