#include "javax/microedition/rms/RecordEnumerationImpl.h"

#include <algorithm>

#include "java/lang/IllegalStateException.h"
#include "javax/microedition/rms/InvalidRecordIDException.h"
#include "vm/VMSynchronized.h"

namespace javax::microedition::rms {

VMPtr<RecordEnumerationImpl> RecordEnumerationImpl::init(VMPtr<RecordStore> recordStore,
                                                         VMPtr<RecordFilter> recordFilter,
                                                         VMPtr<RecordComparator> recordComparator,
                                                         bool keepUpdated)
{
    Object::init();
    store = recordStore;
    filter = recordFilter;
    comparator = recordComparator;
    kept = keepUpdated;
    if (kept)
        recordStore->addRecordListener(VMPtr<RecordListener>(this));
    rebuild();
    return VMPtr<RecordEnumerationImpl>(this);
}

void RecordEnumerationImpl::checkNotDestroyed()
{
    if (!store)
        vm_throwNew<java::lang::IllegalStateException>();
}

// ---- Walking ----------------------------------------------------------------------------

int32_t RecordEnumerationImpl::numRecords()
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    return ids->length;
}

int32_t RecordEnumerationImpl::nextRecordId()
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    VMPtr<IntArray> current = ids;
    if (index == current->length - 1)
        vm_throwNew<InvalidRecordIDException>();
    index = index == -1 ? 0 : index + 1;
    return (*current)[index];
}

int32_t RecordEnumerationImpl::previousRecordId()
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    VMPtr<IntArray> current = ids;
    if (index == 0 || current->length == 0)
        vm_throwNew<InvalidRecordIDException>();
    index = index == -1 ? current->length - 1 : index - 1;
    return (*current)[index];
}

VMPtr<RecordEnumerationImpl::ByteArray> RecordEnumerationImpl::nextRecord()
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    int32_t id = nextRecordId();
    return VMPtr<RecordStore>(store)->getRecord(id);
}

VMPtr<RecordEnumerationImpl::ByteArray> RecordEnumerationImpl::previousRecord()
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    int32_t id = previousRecordId();
    return VMPtr<RecordStore>(store)->getRecord(id);
}

bool RecordEnumerationImpl::hasNextElement()
{
    checkNotDestroyed();
    int32_t length = VMPtr<IntArray>(ids)->length;
    return length > 0 && index != length - 1 && VMPtr<RecordStore>(store)->isOpen();
}

bool RecordEnumerationImpl::hasPreviousElement()
{
    checkNotDestroyed();
    return VMPtr<IntArray>(ids)->length > 0 && index != 0 && VMPtr<RecordStore>(store)->isOpen();
}

void RecordEnumerationImpl::reset()
{
    checkNotDestroyed();
    index = -1;
}

// ---- Building ---------------------------------------------------------------------------

void RecordEnumerationImpl::rebuild()
{
    checkNotDestroyed();
    ids = VMPtr<RecordStore>(store)->getRecordIDs();
    reFilterSort();
}

void RecordEnumerationImpl::reFilterSort()
{
    VMPtr<RecordStore> source = store;
    VMPtr<IntArray> all = ids;
    if (VMPtr<RecordFilter> chooser = filter) {
        int32_t kept = 0;
        for (int32_t i = 0; i < all->length; i++) {
            int32_t id = (*all)[i];
            try {
                if (chooser->matches(source->getRecord(id)))
                    all->elements()[kept++] = id;
            } catch (RecordStoreException* caught) {
                VMPtr<RecordStoreException> dropped(caught);  // the record is left out
            }
        }
        VMPtr<IntArray> matching = IntArray::newArray(kept);
        std::copy(all->elements(), all->elements() + kept, matching->elements());
        ids = matching;
    }
    if (comparator) {
        try {
            sort(0, VMPtr<IntArray>(ids)->length - 1);
        } catch (RecordStoreException* caught) {
            VMPtr<RecordStoreException> stopped(caught);  // the order stays as it stands
        }
    }
    index = -1;
}

void RecordEnumerationImpl::sort(int32_t lo, int32_t hi)
{
    if (lo >= hi)
        return;
    VMPtr<RecordStore> source = store;
    VMPtr<RecordComparator> order = comparator;
    VMPtr<IntArray> list = ids;
    int32_t* id = list->elements();
    VMPtr<ByteArray> pivot = source->getRecord(id[lo + (hi - lo) / 2]);
    int32_t i = lo;
    int32_t j = hi;
    while (i <= j) {
        while (i < hi && order->compare(source->getRecord(id[i]), pivot) < 0)
            i++;
        while (j > lo && order->compare(source->getRecord(id[j]), pivot) > 0)
            j--;
        if (j < i)
            break;
        std::swap(id[i], id[j]);
        i++;
        j--;
    }
    if (lo < j)
        sort(lo, j);
    if (i < hi)
        sort(i, hi);
}

// ---- Following the store ----------------------------------------------------------------

void RecordEnumerationImpl::keepUpdated(bool keepUpdated)
{
    checkNotDestroyed();
    if (keepUpdated == kept)
        return;
    kept = keepUpdated;
    VMPtr<RecordStore> source = store;
    if (kept) {
        source->addRecordListener(VMPtr<RecordListener>(this));
        rebuild();
    } else {
        source->removeRecordListener(VMPtr<RecordListener>(this));
    }
}

bool RecordEnumerationImpl::isKeptUpdated()
{
    checkNotDestroyed();
    return kept;
}

void RecordEnumerationImpl::destroy()
{
    checkNotDestroyed();
    // The store's listener list before this monitor, as a notification takes them.
    VMPtr<RecordStore> source = store;
    VMPtr<java::util::Vector> listeners = source->listeners;
    VMSynchronized listGuard(listeners);
    VMSynchronized guard(this);
    checkNotDestroyed();
    if (kept)
        source->removeRecordListener(VMPtr<RecordListener>(this));
    store = nullptr;
    comparator = nullptr;
    filter = nullptr;
    ids = nullptr;
}

void RecordEnumerationImpl::recordAdded(VMPtr<RecordStore>, int32_t recordId)
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    filterAdd(recordId);
}

void RecordEnumerationImpl::recordChanged(VMPtr<RecordStore>, int32_t recordId)
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    int32_t position = find(recordId);
    if (position >= 0)
        removeAt(position);
    filterAdd(recordId);
}

void RecordEnumerationImpl::recordDeleted(VMPtr<RecordStore>, int32_t recordId)
{
    VMSynchronized guard(this);
    checkNotDestroyed();
    int32_t position = find(recordId);
    if (position >= 0)
        removeAt(position);
}

int32_t RecordEnumerationImpl::find(int32_t recordId)
{
    VMPtr<IntArray> list = ids;
    for (int32_t i = list->length - 1; i >= 0; i--) {
        if ((*list)[i] == recordId)
            return i;
    }
    return -1;
}

void RecordEnumerationImpl::filterAdd(int32_t recordId)
{
    VMPtr<RecordStore> source = store;
    if (VMPtr<RecordFilter> chooser = filter) {
        try {
            if (!chooser->matches(source->getRecord(recordId)))
                return;
        } catch (RecordStoreException* caught) {
            VMPtr<RecordStoreException> dropped(caught);  // not taken in
            return;
        }
    }
    VMPtr<IntArray> old = ids;
    VMPtr<IntArray> grown = IntArray::newArray(old->length + 1);
    int32_t* id = grown->elements();
    id[0] = recordId;
    std::copy(old->elements(), old->elements() + old->length, id + 1);
    ids = grown;
    int32_t position = -1;
    if (VMPtr<RecordComparator> order = comparator) {
        int32_t at = 0;
        try {
            VMPtr<ByteArray> added = source->getRecord(recordId);
            while (at + 1 < grown->length &&
                   order->compare(added, source->getRecord(id[at + 1])) > 0) {
                std::swap(id[at], id[at + 1]);
                at++;
            }
            position = at;
        } catch (RecordStoreException* caught) {
            VMPtr<RecordStoreException> stopped(caught);  // it stays where it stands
        }
    }
    if (index != -1 && position <= index)
        index++;
}

void RecordEnumerationImpl::removeAt(int32_t position)
{
    VMPtr<IntArray> old = ids;
    VMPtr<IntArray> shrunk = IntArray::newArray(old->length - 1);
    std::copy(old->elements(), old->elements() + position, shrunk->elements());
    std::copy(old->elements() + position + 1, old->elements() + old->length,
              shrunk->elements() + position);
    ids = shrunk;
    if ((index != -1 && position <= index) || index == shrunk->length)
        index--;
}

} // namespace javax::microedition::rms

VM_REGISTER_CLASS_NO_CREATOR(javax::microedition::rms::RecordEnumerationImpl,
                             "javax.microedition.rms.RecordEnumerationImpl", "java.lang.Object",
                             "target/winmo/pb_src/j2me/javax_microedition_rms_RecordEnumerationImpl",
                             nullptr);
VM_IMPLEMENTS(javax::microedition::rms::RecordEnumerationImpl,
              "javax.microedition.rms.RecordEnumeration");
VM_IMPLEMENTS(javax::microedition::rms::RecordEnumerationImpl,
              "javax.microedition.rms.RecordListener");
